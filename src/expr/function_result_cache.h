// Evaluated sample arrays kept per expression text and samples, so that a repaint with unchanged
// expressions and ranges copies its results instead of evaluating again.
#pragma once

#include "model/limits.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace expr {

// Evenly spaced x samples, x[i] = i * step + from for i < count, described without the samples.
struct EvenSamples {
    float from = 0;
    float step = 0;
    std::size_t count = 0;

    bool operator==(const EvenSamples&) const = default;
};

class FunctionResultCache {
public:
    // `capacity`: samples and results kept before the oldest entries are dropped.
    explicit FunctionResultCache(std::size_t capacity = model::maxCachedFunctionValues)
        : m_capacity(capacity)
    {
    }

    // Results of the first one-variable entry with this text and these x samples (same length,
    // equal as floats, so a NaN never matches), or nullptr.
    const std::vector<float>* findList(std::string_view text, std::span<const float> x) const;
    // Results of the first one-variable entry with this text that was stored with `even` as the
    // description of its x samples: a lookup without making and comparing the samples. The
    // descriptions compare as floats, so those that match give samples that match.
    const std::vector<float>* findEven(std::string_view text, const EvenSamples& even) const;
    // The same for grid entries, comparing the x and the y samples.
    const std::vector<float>* findGrid(std::string_view text, std::span<const float> x,
                                       std::span<const float> y) const;

    // Appends an entry made for `figureId`. The figure id is not part of the key: an entry serves
    // identical requests of every figure. When the cache would hold more values than its
    // capacity, its oldest entries are dropped first. `even`, when given, describes `x`.
    void storeList(std::int32_t figureId, std::string_view text, std::span<const float> x,
                   std::span<const float> results, std::optional<EvenSamples> even = {});
    void storeGrid(std::int32_t figureId, std::string_view text, std::span<const float> x,
                   std::span<const float> y, std::span<const float> results);

    // Removes every entry made for `figureId`; called when the figure is destroyed.
    void purgeFigure(std::int32_t figureId);

    std::size_t listEntryCount() const { return m_list.size(); }
    std::size_t gridEntryCount() const { return m_grid.size(); }
    // Samples and results held by all entries.
    std::size_t storedValueCount() const { return m_storedValues; }

private:
    struct Entry {
        std::uint64_t sequence = 0; // order of storing, across both lists
        std::int32_t figureId = 0;
        std::string text;
        std::vector<float> x;
        std::vector<float> y; // grid entries only
        std::vector<float> results;
        std::optional<EvenSamples> even; // one-variable entries whose x it describes

        std::size_t valueCount() const { return x.size() + y.size() + results.size(); }
    };

    void makeRoom(std::size_t values);
    void append(std::vector<Entry>& list, Entry entry);

    std::vector<Entry> m_list; // one-variable entries, oldest first
    std::vector<Entry> m_grid; // grid entries, oldest first
    std::size_t m_capacity;
    std::size_t m_storedValues = 0;
    std::uint64_t m_nextSequence = 0;
};

} // namespace expr
