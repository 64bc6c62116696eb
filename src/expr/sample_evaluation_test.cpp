// Tests of evaluateSamples: the sample loops, the cache's lookup rules, purging and its capacity.
#include "expr/sample_evaluation.h"

#include "lang/session.h"
#include "recording_host.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace expr {
namespace {

using Floats = std::vector<float>;

std::int32_t evaluateList(FunctionResultCache& cache, std::int32_t figureId, std::string_view text,
                          const Floats& x, Floats& results)
{
    const std::span<const float> arrays[] = {x};
    const std::int32_t counts[] = {static_cast<std::int32_t>(x.size())};
    results.assign(x.size(), -1.0f);
    return evaluateSamples(cache, figureId, text, 1, arrays, counts, results, SampleLayout::List);
}

TEST(SampleEvaluation, EvaluatesListsAndGrids)
{
    FunctionResultCache cache;
    Floats results;
    EXPECT_EQ(evaluateList(cache, 1, "2*x", {0.5f, -1, 3}, results), 1);
    EXPECT_EQ(results, (Floats{1, -2, 6}));

    const Floats x = {1, 2}, y = {3, 4, 5};
    const std::span<const float> arrays[] = {x, y};
    const std::int32_t counts[] = {2, 3};
    Floats grid(6);
    EXPECT_EQ(evaluateSamples(cache, 1, "x*(y^2)", 2, arrays, counts, grid, SampleLayout::Grid), 6);
    EXPECT_EQ(grid, (Floats{9, 16, 25, 18, 32, 50}));

    // Two variables as a list pair x[i] with y[i]; a third array supplies z.
    const Floats z = {10, 20};
    const std::span<const float> three[] = {x, y, z};
    Floats list(2);
    EXPECT_EQ(evaluateSamples(cache, 1, "x+y+z", 3, three, counts, list, SampleLayout::List), 1);
    EXPECT_EQ(list, (Floats{14, 26}));
}

TEST(SampleEvaluation, SecondRequestCopiesTheCachedResultsForAnyFigure)
{
    FunctionResultCache cache;
    const Floats x = {0.25f, 0.5f};
    // Results stored under figure 1 that no evaluation would give: a hit must copy them.
    cache.storeList(1, "sin(x)", x, Floats{7, 8});
    Floats results;
    evaluateList(cache, 2, "sin(x)", x, results);
    EXPECT_EQ(results, (Floats{7, 8}));
    EXPECT_EQ(cache.listEntryCount(), 1u);

    struct Miss {
        std::string text;
        Floats x;
    };
    const Miss misses[] = {
        {"sin(x) ", x},             // the text differs
        {"sin(x)", {0.25f}},        // the length differs
        {"sin(x)", {0.25f, 0.75f}}, // a sample differs
    };
    for (const Miss& miss : misses) {
        evaluateList(cache, 1, miss.text, miss.x, results);
        EXPECT_NE(results[0], 7) << miss.text;
    }
    EXPECT_EQ(cache.listEntryCount(), 4u);

    // Samples compare as floats: -0 finds 0, and NaN finds nothing, not even itself.
    cache.storeList(1, "x", Floats{0, std::nanf("")}, Floats{5, 6});
    evaluateList(cache, 1, "x", {-0.0f, std::nanf("")}, results);
    EXPECT_EQ(results[0], 0);
    cache.storeList(1, "x", Floats{0}, Floats{5});
    evaluateList(cache, 1, "x", {-0.0f}, results);
    EXPECT_EQ(results, (Floats{5}));
}

TEST(SampleEvaluation, GridLookupComparesBothAxes)
{
    FunctionResultCache cache;
    const Floats x = {1, 2}, y = {3};
    cache.storeGrid(4, "x*y", x, y, Floats{100, 200});
    const std::int32_t counts[] = {2, 1};
    Floats results(2);
    const std::span<const float> same[] = {x, y};
    evaluateSamples(cache, 9, "x*y", 2, same, counts, results, SampleLayout::Grid);
    EXPECT_EQ(results, (Floats{100, 200}));

    const Floats otherY = {4};
    const std::span<const float> other[] = {x, otherY};
    evaluateSamples(cache, 9, "x*y", 2, other, counts, results, SampleLayout::Grid);
    EXPECT_EQ(results, (Floats{4, 8}));
    EXPECT_EQ(cache.gridEntryCount(), 2u);
    EXPECT_EQ(cache.listEntryCount(), 0u);
}

TEST(SampleEvaluation, TwoVariableListsAreNotLookedUpButStoredByTheirX)
{
    FunctionResultCache cache;
    const Floats x = {1}, y = {2};
    cache.storeList(1, "x+y", x, Floats{50});
    const std::span<const float> arrays[] = {x, y};
    const std::int32_t counts[] = {1};
    Floats results(1);
    evaluateSamples(cache, 1, "x+y", 2, arrays, counts, results, SampleLayout::List);
    EXPECT_EQ(results, (Floats{3}));
    EXPECT_EQ(cache.listEntryCount(), 2u);
}

TEST(SampleEvaluation, PurgeRemovesOnlyTheFiguresEntries)
{
    FunctionResultCache cache;
    Floats results;
    evaluateList(cache, 3, "x", {1}, results);
    evaluateList(cache, 2, "x", {2}, results);
    cache.storeGrid(3, "x*y", Floats{1}, Floats{1}, Floats{1});
    cache.storeGrid(5, "x*y", Floats{2}, Floats{1}, Floats{2});
    cache.purgeFigure(3);
    EXPECT_EQ(cache.listEntryCount(), 1u);
    EXPECT_EQ(cache.gridEntryCount(), 1u);
    EXPECT_EQ(cache.storedValueCount(), 2u + 3u);
    EXPECT_NE(cache.findList("x", Floats{2}), nullptr);
    EXPECT_EQ(cache.findList("x", Floats{1}), nullptr);
}

TEST(SampleEvaluation, DestroyingAFigurePurgesItsEntries)
{
    testing_support::RecordingHost host;
    lang::Session session(host);
    session.figures.append(3);
    session.figures.append(4);
    Floats results;
    evaluateList(session.functionCache, 3, "x", {1}, results);
    evaluateList(session.functionCache, 4, "x", {2}, results);
    EXPECT_TRUE(session.destroyFigure(3));
    EXPECT_EQ(session.functionCache.listEntryCount(), 1u);
    EXPECT_NE(session.functionCache.findList("x", Floats{2}), nullptr);
}

TEST(SampleEvaluation, DropsTheOldestEntriesBeyondItsCapacity)
{
    FunctionResultCache cache(10);
    cache.storeList(1, "a", Floats{1, 2}, Floats{1, 2});      // 4 values
    cache.storeGrid(1, "b", Floats{1}, Floats{1}, Floats{1}); // 3 values
    cache.storeList(1, "c", Floats{1, 2}, Floats{1, 2});      // 4 more: "a" goes
    EXPECT_EQ(cache.findList("a", Floats{1, 2}), nullptr);
    EXPECT_NE(cache.findGrid("b", Floats{1}, Floats{1}), nullptr);
    EXPECT_EQ(cache.storedValueCount(), 7u);
    cache.storeList(1, "d", Floats(6), Floats(6)); // larger than the capacity: not kept
    EXPECT_EQ(cache.storedValueCount(), 7u);
}

TEST(SampleEvaluation, NegativeCountsEvaluateNothing)
{
    FunctionResultCache cache;
    const Floats x = {1};
    const std::span<const float> arrays[] = {x, x};
    const std::int32_t counts[] = {-5, 1};
    Floats results = {42};
    EXPECT_EQ(evaluateSamples(cache, 1, "x", 2, arrays, counts, results, SampleLayout::Grid), 0);
    EXPECT_EQ(results, (Floats{42}));
}

} // namespace
} // namespace expr
