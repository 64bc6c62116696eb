// Kept coverage masks, found again for the same points moved by whole pixels.
#include "render/coverage_cache.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>

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
        if (entry.shape != shape) continue;
        const auto move = wholePixelMove(entry.toDevice, toDevice);
        if (!move) continue;
        const auto [dx, dy] = *move;
        // Beyond the kept area the mask knows nothing, unless the whole stroke lies inside it.
        if (!entry.wholeStroke && !entry.keptArea.contains(moved(device, -dx, -dy))) continue;
        if (!samePoints(entry.points, points)) continue;
        entry.used = true;
        const PixelArea shown = moved(entry.strokeArea, dx, dy).intersected(device);
        if (shown.empty()) return CoverageMask{};
        CoverageMask mask = cutOut(entry.mask, moved(shown, -dx, -dy));
        mask.left += dx;
        mask.top += dy;
        return mask;
    }
    return std::nullopt;
}

CoverageMask CoverageCache::computeAndKeep(std::span<const geom::Point2D> points,
                                           const DeviceTransform& toDevice,
                                           const StrokeShape& shape, std::int32_t deviceWidth,
                                           std::int32_t deviceHeight)
{
    const PixelArea device{0, 0, deviceWidth, deviceHeight};
    const std::int32_t marginX = std::min(deviceWidth / 2, largestKeptMargin);
    const std::int32_t marginY = std::min(deviceHeight / 2, largestKeptMargin);
    const PixelArea kept{-marginX, -marginY, deviceWidth + marginX, deviceHeight + marginY};
    constexpr std::int32_t reach = std::numeric_limits<std::int32_t>::max() / 2;
    const PixelArea whole = strokeBounds(points, toDevice, shape, {-reach, -reach, reach, reach});
    Entry entry;
    entry.keptArea = kept;
    entry.strokeArea = whole.intersected(kept);
    entry.wholeStroke = kept.contains(whole);
    if (entry.strokeArea.empty()) entry.strokeArea = {};
    entry.mask = entry.strokeArea.empty()
                     ? CoverageMask{}
                     : polylineCoverage(points, toDevice, shape, entry.strokeArea);
    entry.points.assign(points.begin(), points.end());
    entry.toDevice = toDevice;
    entry.shape = shape;
    const PixelArea shown = entry.strokeArea.intersected(device);
    CoverageMask onDevice = shown.empty() ? CoverageMask{} : cutOut(entry.mask, shown);
    m_entries.push_back(std::move(entry));
    return onDevice;
}

void CoverageCache::endPaint()
{
    std::erase_if(m_entries, [](const Entry& entry) { return !entry.used; });
    for (Entry& entry : m_entries)
        entry.used = false;
}

} // namespace render
