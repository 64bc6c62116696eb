// Kept coverage masks, found again for the same points moved by whole pixels.
#include "render/coverage_cache.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace render {
namespace {

// A move by this little of a pixel changes no coverage level.
constexpr double wholePixelTolerance = 1e-6;
// How far beyond the device a mask is kept (at most half the device's size), so that the
// coverage of a big window's line that reaches far out stays a few device areas.
constexpr std::int32_t largestKeptMargin = 256;

// The move from `kept` to `now` in whole pixels, when the two differ by nothing else.
std::optional<std::array<std::int32_t, 2>> wholePixelMove(const DeviceTransform& kept,
                                                          const DeviceTransform& now)
{
    if (kept.m11 != now.m11 || kept.m12 != now.m12 || kept.m21 != now.m21 || kept.m22 != now.m22)
        return std::nullopt;
    const double dx = now.dx - kept.dx, dy = now.dy - kept.dy;
    const double limit = 1 << 30;
    if (!(std::fabs(dx) < limit && std::fabs(dy) < limit)) return std::nullopt;
    const double wholeX = std::round(dx), wholeY = std::round(dy);
    if (std::fabs(dx - wholeX) > wholePixelTolerance ||
        std::fabs(dy - wholeY) > wholePixelTolerance)
        return std::nullopt;
    return std::array{static_cast<std::int32_t>(wholeX), static_cast<std::int32_t>(wholeY)};
}

bool samePoints(std::span<const geom::Point2D> a, std::span<const geom::Point2D> b)
{
    return a.size() == b.size() &&
           (a.empty() || std::memcmp(a.data(), b.data(), a.size_bytes()) == 0);
}

PixelArea moved(const PixelArea& area, std::int32_t dx, std::int32_t dy)
{
    return {area.left + dx, area.top + dy, area.right + dx, area.bottom + dy};
}

// The part of `mask` within `wanted`.
CoverageMask cutOut(const CoverageMask& mask, const PixelArea& wanted)
{
    const PixelArea area =
        wanted.intersected({mask.left, mask.top, mask.left + mask.width, mask.top + mask.height});
    if (area.empty()) return {};
    CoverageMask part{area.left, area.top, area.right - area.left, area.bottom - area.top, {}};
    const auto width = static_cast<std::size_t>(part.width);
    part.alpha.resize(width * static_cast<std::size_t>(part.height));
    for (std::int32_t row = 0; row < part.height; ++row) {
        const std::uint8_t* from = &mask.alpha[static_cast<std::size_t>(row + area.top - mask.top) *
                                                   static_cast<std::size_t>(mask.width) +
                                               static_cast<std::size_t>(area.left - mask.left)];
        std::memcpy(part.alpha.data() + static_cast<std::size_t>(row) * width, from, width);
    }
    return part;
}

} // namespace

std::optional<CoverageMask> CoverageCache::find(std::span<const geom::Point2D> points,
                                                const DeviceTransform& toDevice,
                                                const StrokeShape& shape, std::int32_t deviceWidth,
                                                std::int32_t deviceHeight)
{
    const PixelArea device{0, 0, deviceWidth, deviceHeight};
    for (Entry& entry : m_entries) {
        const KeptCoverage& kept = entry.coverage;
        if (kept.shape != shape) continue;
        const auto move = wholePixelMove(kept.toDevice, toDevice);
        if (!move) continue;
        const auto [dx, dy] = *move;
        // Beyond the kept area the mask knows nothing, unless the whole stroke lies inside it.
        if (!kept.wholeStroke && !kept.keptArea.contains(moved(device, -dx, -dy))) continue;
        if (!samePoints(*kept.points, points)) continue;
        entry.used = true;
        const PixelArea shown = moved(kept.strokeArea, dx, dy).intersected(device);
        if (shown.empty()) return CoverageMask{};
        CoverageMask mask = cutOut(kept.mask, moved(shown, -dx, -dy));
        mask.left += dx;
        mask.top += dy;
        return mask;
    }
    return std::nullopt;
}

KeptCoverage computeCoverage(CoverageRequest request, KeptReach reach)
{
    const std::int32_t width = request.deviceWidth, height = request.deviceHeight;
    const bool margin = reach == KeptReach::DeviceAndMargin;
    const std::int32_t marginX = margin ? std::min(width / 2, largestKeptMargin) : 0;
    const std::int32_t marginY = margin ? std::min(height / 2, largestKeptMargin) : 0;
    const PixelArea kept{-marginX, -marginY, width + marginX, height + marginY};
    const std::vector<geom::Point2D>& points = *request.points;
    KeptCoverage coverage;
    coverage.keptArea = kept;
    PixelArea whole;
    coverage.mask = polylineCoverage(points, request.toDevice, request.shape, kept, &whole);
    coverage.strokeArea = whole.intersected(kept);
    if (coverage.strokeArea.empty()) coverage.strokeArea = {};
    coverage.wholeStroke = kept.contains(whole);
    coverage.points = std::move(request.points);
    coverage.toDevice = request.toDevice;
    coverage.shape = request.shape;
    return coverage;
}

CoverageMask CoverageCache::computeAndKeep(std::span<const geom::Point2D> points,
                                           const DeviceTransform& toDevice,
                                           const StrokeShape& shape, std::int32_t deviceWidth,
                                           std::int32_t deviceHeight, KeptReach reach)
{
    return computeAndKeep(
        std::make_shared<const std::vector<geom::Point2D>>(points.begin(), points.end()), toDevice,
        shape, deviceWidth, deviceHeight, reach);
}

CoverageMask CoverageCache::computeAndKeep(SharedPoints points, const DeviceTransform& toDevice,
                                           const StrokeShape& shape, std::int32_t deviceWidth,
                                           std::int32_t deviceHeight, KeptReach reach)
{
    KeptCoverage coverage =
        computeCoverage({std::move(points), toDevice, shape, deviceWidth, deviceHeight}, reach);
    const PixelArea shown = coverage.strokeArea.intersected({0, 0, deviceWidth, deviceHeight});
    CoverageMask onDevice = shown.empty()                ? CoverageMask{}
                            : reach == KeptReach::Device ? coverage.mask
                                                         : cutOut(coverage.mask, shown);
    keep(std::move(coverage));
    return onDevice;
}

void CoverageCache::keep(KeptCoverage coverage)
{
    m_entries.insert(m_entries.begin(), {std::move(coverage), true});
}

void CoverageCache::endPaint()
{
    std::erase_if(m_entries, [](const Entry& entry) { return !entry.used; });
    for (Entry& entry : m_entries)
        entry.used = false;
}

} // namespace render
