// Tests of the coverage worker: it delivers what the paint would have computed, and only for the
// newest requests.
#include "desktop/figure_window/coverage_worker.h"

#include "qt_application.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

#include <cmath>

namespace desktop {
namespace {

render::CoverageRequest wave(float amplitude)
{
    std::vector<geom::Point2D> points;
    for (float x = 0; x <= 90; x += 0.01f)
        points.push_back({x, amplitude * std::sin(x)});
    return {std::make_shared<const std::vector<geom::Point2D>>(std::move(points)),
            {4, 0, 0, 4, 20.5, 100.5},
            {2, 2},
            400,
            200};
}

TEST(CoverageWorker, DeliversTheNewestRequestsOnly)
{
    testing_support::qtApplication();
    std::vector<std::vector<render::KeptCoverage>> delivered;
    CoverageWorker worker([&](std::vector<render::KeptCoverage> computed) {
        delivered.push_back(std::move(computed));
    });
    // The first starts at once; the second waits and is overtaken by the third.
    worker.request({wave(5)});
    worker.request({wave(10)});
    worker.request({wave(15), wave(20)});
    QElapsedTimer waited;
    waited.start();
    while ((worker.busy() || delivered.empty()) && waited.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    ASSERT_EQ(delivered.size(), 1u);
    ASSERT_EQ(delivered[0].size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        const render::CoverageRequest request = wave(i == 0 ? 15.0f : 20.0f);
        const render::KeptCoverage& kept = delivered[0][i];
        EXPECT_EQ(*kept.points, *request.points);
        EXPECT_EQ(kept.mask, render::computeCoverage(request).mask);
    }
}

} // namespace
} // namespace desktop
