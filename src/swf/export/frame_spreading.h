// How lines, curves and functions become outlines, and how they are spread over the frames of
// an object: polylines and curves piece by piece, functions growing chunk by chunk.
#pragma once

#include "geom/matrix2d.h"
#include "swf/export/frame_list.h"
#include "swf/format/shape_records.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace swf {

// Every point as a record of a polyline outline.
std::vector<PathRecord> polylineOutline(std::span<const geom::Point2D> points);

// The polyline of POLY and POLY3 drawn in one frame: each segment's start and end in turn, so
// that every inner point appears twice. Empty for fewer than two points.
std::vector<PathRecord> segmentOutline(std::span<const geom::Point2D> points);

// The curve of CURVE and CURVE3 drawn in one frame: quadratic pieces (p0, p1, p2), (p2, p3, p4),
// ... as one curve-mode outline; a last point that completes no piece is left out. Empty for
// fewer than three points.
std::vector<PathRecord> quadraticOutline(std::span<const geom::Point2D> points);

// The frame of the piece that starts at point `start` of `pointCount` points spread over more
// than one frame: frames[min(start div per, F - 1)] with per = (pointCount - 1) div F. None when
// per is 0 (more frames than segments).
std::optional<std::uint32_t> spreadFrame(std::size_t start, std::size_t pointCount,
                                         const FrameList& frames);

// One frame's part of a function drawn progressively: the points first..last, after a copy of
// point `first` when the chunk continues the one before it.
struct ProgressiveChunk {
    std::uint32_t frame = 0;
    std::size_t first = 0, last = 0;
    bool repeatsFirst = false;

    bool operator==(const ProgressiveChunk&) const = default;
};

// The chunks of a function of `pointCount` samples over `frames`: share = (N - 1) / F in single
// precision; each frame takes the points from where the previous chunk ended while their index
// is below that start + share + 1, the last frame all that remain. Chunks of fewer than two
// points are left out; no chunks at all when share is 0.
std::vector<ProgressiveChunk> progressiveChunks(std::size_t pointCount, const FrameList& frames);

// The points of one chunk.
std::vector<geom::Point2D> chunkPoints(std::span<const geom::Point2D> points,
                                       const ProgressiveChunk& chunk);

} // namespace swf
