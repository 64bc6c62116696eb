// Shape records: the outline of a shape as a style change with a move, straight and curved
// edges. Outlines arrive as PathRecords in pixels and leave as bit-packed records whose deltas
// sit in 16-bit fields (NumBits 14), followed by the end-of-shape record.
#pragma once

#include "swf/format/byte_buffer.h"
#include "swf/format/twips.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace swf {

// One record of an outline, in pixels, read by its EdgeMode.
struct PathRecord {
    float a = 0, b = 0, c = 0, d = 0;
    bool operator==(const PathRecord&) const = default;
};

// Polyline: every record is an absolute point (a, b). Curve: the first record is the absolute
// start (a, b); every later one is a quadratic curve, control delta (a, b) from the current
// position and anchor delta (c, d) from the control point.
enum class EdgeMode { Polyline, Curve };

// Whether the first record selects fill style 1 and line style 1.
enum class StyleSelection { None, FirstStyles };

struct StyleChangeRecord {
    std::optional<TwipsPoint> moveTo; // absolute
    std::optional<std::uint32_t> fillStyle0;
    std::optional<std::uint32_t> fillStyle1;
    std::optional<std::uint32_t> lineStyle;
    bool operator==(const StyleChangeRecord&) const = default;
};

struct StraightEdgeRecord {
    Twips deltaX, deltaY;
    bool operator==(const StraightEdgeRecord&) const = default;
};

struct CurvedEdgeRecord {
    Twips controlDeltaX, controlDeltaY, anchorDeltaX, anchorDeltaY;
    bool operator==(const CurvedEdgeRecord&) const = default;
};

// The end-of-shape record is implied by the end of the list.
using ShapeRecord = std::variant<StyleChangeRecord, StraightEdgeRecord, CurvedEdgeRecord>;

// The records of an outline, before long edges are split. Polyline edges run between the
// points' truncated twips positions, so the player's position never drifts from the points;
// curve deltas are each truncated, as given. Positions are kept within maxMovieCoordinatePixels
// of the origin and curve deltas within twice that.
std::vector<ShapeRecord> shapeRecordsOf(std::span<const PathRecord> outline, EdgeMode mode,
                                        StyleSelection selection);

// True when the outline has a point farther than maxMovieCoordinatePixels from the origin (in
// curve mode: a start that far, or a delta of more than twice that), which shapeRecordsOf draws
// at that distance instead.
bool exceedsCoordinateLimit(std::span<const PathRecord> outline, EdgeMode mode);

// The message for such an outline, naming the limit.
std::string coordinateLimitMessage();

// Splits every edge whose deltas do not fit 16-bit fields into 2, 4, 8, ... pieces that do,
// ending exactly where the edge ends.
std::vector<ShapeRecord> splitLongEdges(std::span<const ShapeRecord> records);

// As splitLongEdges, for the start and end outlines of a morph: the n-th edges of both are split
// into the same number of pieces, so both keep the same number of edges. Lists of different
// lengths are split edge by edge as far as both reach, the rest alone.
void splitLongEdgesInStep(std::vector<ShapeRecord>& start, std::vector<ShapeRecord>& end);

// Appends the bit-packed records and the end-of-shape record, flushed to a byte boundary. Style
// indices take 2 bits (the style header byte 0x22 announces that).
void appendShapeRecords(ByteBuffer& out, std::span<const ShapeRecord> records);

// shapeRecordsOf, splitLongEdges and appendShapeRecords in one: the edges of one outline.
void writeEdges(ByteBuffer& out, std::span<const PathRecord> outline, EdgeMode mode,
                StyleSelection selection);

} // namespace swf
