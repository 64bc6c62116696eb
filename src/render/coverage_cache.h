// Coverage of long polylines kept from one paint of a window to the next. A tool step that moves
// the view or the objects by whole device pixels draws the same points through a transform that
// differs only by that move, so the kept coverage, moved, is exactly what a new pass over the
// points would give, at the cost of a comparison of the points.
#pragma once

#include "render/stroke_coverage.h"

#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace render {

// The points of a line, copied once from the paint and shared by the masks and requests made
// from them.
using SharedPoints = std::shared_ptr<const std::vector<geom::Point2D>>;

// A polyline to be drawn exactly: its points and where and how it is stroked.
struct CoverageRequest {
    SharedPoints points;
    DeviceTransform toDevice;
    StrokeShape shape;
    std::int32_t deviceWidth = 0, deviceHeight = 0;
};

// Where a coverage is computed: over the device alone (what a paint needs at once), or over the
// device and a margin around it (half the device's size, at most 256 pixels), so that moves
// that bring no more than that into view find it.
enum class KeptReach { Device, DeviceAndMargin };

// The coverage of a request over the area of its reach.
struct KeptCoverage {
    SharedPoints points;
    DeviceTransform toDevice;
    StrokeShape shape;
    PixelArea keptArea;       // the area the mask was computed for
    PixelArea strokeArea;     // where the stroke lies, cut to the kept area
    bool wholeStroke = false; // the stroke lies within the kept area
    CoverageMask mask;
};

// A pass over every point: the time polylineCoverage takes. It reads nothing else, so it may
// run on any thread.
KeptCoverage computeCoverage(CoverageRequest request, KeptReach reach = KeptReach::DeviceAndMargin);

class CoverageCache {
public:
    // The coverage of `points` on a device of this size, from a kept mask of the same points,
    // stroke and transform but for a move by whole pixels, when that mask covers what the
    // device shows; nothing otherwise.
    std::optional<CoverageMask> find(std::span<const geom::Point2D> points,
                                     const DeviceTransform& toDevice, const StrokeShape& shape,
                                     std::int32_t deviceWidth, std::int32_t deviceHeight);

    // The coverage on the device, as polylineCoverage gives it, computed over `reach` and kept.
    CoverageMask computeAndKeep(std::span<const geom::Point2D> points,
                                const DeviceTransform& toDevice, const StrokeShape& shape,
                                std::int32_t deviceWidth, std::int32_t deviceHeight,
                                KeptReach reach = KeptReach::DeviceAndMargin);
    CoverageMask computeAndKeep(SharedPoints points, const DeviceTransform& toDevice,
                                const StrokeShape& shape, std::int32_t deviceWidth,
                                std::int32_t deviceHeight,
                                KeptReach reach = KeptReach::DeviceAndMargin);

    // Keeps a coverage computed elsewhere, as if the paint now going on had computed it. It is
    // found before those kept earlier, so a coverage with a margin computed after the device's
    // own replaces it at the next paint.
    void keep(KeptCoverage coverage);

    // Ends a paint: masks neither found nor computed since the last call are dropped, so the
    // cache holds what the last paint drew.
    void endPaint();

    std::size_t size() const { return m_entries.size(); }

private:
    struct Entry {
        KeptCoverage coverage;
        bool used = true;
    };

    std::vector<Entry> m_entries;
};

} // namespace render
