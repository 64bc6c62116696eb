// Tests of splitting point lists at points that are not finite.
#include "scene/finite_runs.h"

#include <gtest/gtest.h>

#include <limits>

namespace render {
namespace {

TEST(FiniteRuns, SplitsAtPointsThatAreNotFinite)
{
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    using Points = std::vector<Point2D>;
    const struct {
        Points points;
        std::vector<Points> runs;
    } cases[] = {
        {{}, {}},
        {{{1, 2}, {3, 4}}, {{{1, 2}, {3, 4}}}},
        {{{nan, 0}, {1, 1}, {2, 2}, {0, inf}, {3, 3}, {-inf, 0}}, {{{1, 1}, {2, 2}}, {{3, 3}}}},
        {{{nan, nan}, {inf, 1}}, {}},
    };
    for (const auto& c : cases) {
        std::vector<Points> runs;
        for (const std::span<const Point2D> run : finiteRuns(c.points))
            runs.emplace_back(run.begin(), run.end());
        EXPECT_EQ(runs, c.runs);
        Points kept;
        for (const Points& run : c.runs)
            kept.insert(kept.end(), run.begin(), run.end());
        EXPECT_EQ(finitePoints(c.points), kept);
    }
}

} // namespace
} // namespace render
