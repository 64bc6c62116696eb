// Lookup, storing and purging of evaluated sample arrays.
#include "expr/function_result_cache.h"

#include <algorithm>
#include <cassert>

namespace expr {
namespace {

// Equal as floats: -0 equals 0, and a NaN equals nothing.
bool sameSamples(const std::vector<float>& stored, std::span<const float> samples)
{
    return stored.size() == samples.size() &&
           std::equal(stored.begin(), stored.end(), samples.begin(),
                      [](float a, float b) { return a == b; });
}

} // namespace

const std::vector<float>* FunctionResultCache::findList(std::string_view text,
                                                        std::span<const float> x) const
{
    for (const Entry& entry : m_list)
        if (entry.text == text && sameSamples(entry.x, x)) return &entry.results;
    return nullptr;
}

const std::vector<float>* FunctionResultCache::findEven(std::string_view text,
                                                        const EvenSamples& even) const
{
    for (const Entry& entry : m_list)
        if (entry.even == even && entry.text == text) return &entry.results;
    return nullptr;
}

const std::vector<float>* FunctionResultCache::findGrid(std::string_view text,
                                                        std::span<const float> x,
                                                        std::span<const float> y) const
{
    for (const Entry& entry : m_grid)
        if (entry.text == text && sameSamples(entry.x, x) && sameSamples(entry.y, y))
            return &entry.results;
    return nullptr;
}

void FunctionResultCache::storeList(std::int32_t figureId, std::string_view text,
                                    std::span<const float> x, std::span<const float> results,
                                    std::optional<EvenSamples> even)
{
    assert((!even || even->count == x.size()) && "an even description counts the samples");
    append(m_list, Entry{0,
                         figureId,
                         std::string(text),
                         {x.begin(), x.end()},
                         {},
                         {results.begin(), results.end()},
                         even});
}

void FunctionResultCache::storeGrid(std::int32_t figureId, std::string_view text,
                                    std::span<const float> x, std::span<const float> y,
                                    std::span<const float> results)
{
    append(m_grid, Entry{0,
                         figureId,
                         std::string(text),
                         {x.begin(), x.end()},
                         {y.begin(), y.end()},
                         {results.begin(), results.end()},
                         std::nullopt});
}

void FunctionResultCache::purgeFigure(std::int32_t figureId)
{
    for (std::vector<Entry>* list : {&m_list, &m_grid})
        std::erase_if(*list, [&](const Entry& entry) {
            if (entry.figureId != figureId) return false;
            m_storedValues -= entry.valueCount();
            return true;
        });
}

void FunctionResultCache::append(std::vector<Entry>& list, Entry entry)
{
    const std::size_t values = entry.valueCount();
    if (values > m_capacity) return; // it could never be kept
    makeRoom(values);
    entry.sequence = m_nextSequence++;
    m_storedValues += values;
    list.push_back(std::move(entry));
}

void FunctionResultCache::makeRoom(std::size_t values)
{
    while (m_storedValues + values > m_capacity) {
        // Both lists are oldest first: the older of their first entries goes.
        const bool fromList = !m_list.empty() &&
                              (m_grid.empty() || m_list.front().sequence < m_grid.front().sequence);
        std::vector<Entry>& list = fromList ? m_list : m_grid;
        m_storedValues -= list.front().valueCount();
        list.erase(list.begin());
    }
}

} // namespace expr
