// Shape records: from outlines in pixels to bit-packed edges.
#include "swf/format/shape_records.h"

#include "swf/format/bit_writer.h"
#include "swf/format/movie_limits.h"
#include "swf/format/rect.h"

#include <algorithm>
#include <array>
#include <cassert>

namespace swf {

namespace {

constexpr std::int32_t maxPositionTwips = maxMovieCoordinatePixels * twipsPerPixel;
constexpr std::int32_t maxCurveDeltaTwips = 2 * maxPositionTwips;
// Deltas are at most 2,000,000 twips and fit 16 bits after 6 halvings; this leaves room.
constexpr unsigned maxSplitDepth = 12;

Twips positionTwips(float pixels)
{
    return {std::clamp(twipsFromPixels(pixels).value, -maxPositionTwips, maxPositionTwips)};
}

Twips curveDeltaTwips(float pixels)
{
    return {std::clamp(twipsFromPixels(pixels).value, -maxCurveDeltaTwips, maxCurveDeltaTwips)};
}

bool fits16(Twips value)
{
    return value.value >= -32768 && value.value <= 32767;
}

bool fitsEdgeFields(const ShapeRecord& record)
{
    if (const auto* straight = std::get_if<StraightEdgeRecord>(&record))
        return fits16(straight->deltaX) && fits16(straight->deltaY);
    if (const auto* curved = std::get_if<CurvedEdgeRecord>(&record))
        return fits16(curved->controlDeltaX) && fits16(curved->controlDeltaY) &&
               fits16(curved->anchorDeltaX) && fits16(curved->anchorDeltaY);
    return true;
}

std::vector<ShapeRecord> straightPieces(const StraightEdgeRecord& edge, unsigned depth)
{
    const std::int64_t count = std::int64_t{1} << depth;
    const std::int64_t dx = edge.deltaX.value;
    const std::int64_t dy = edge.deltaY.value;
    std::vector<ShapeRecord> pieces;
    for (std::int64_t index = 0; index < count; ++index)
        pieces.push_back(StraightEdgeRecord{
            {static_cast<std::int32_t>(dx * (index + 1) / count - dx * index / count)},
            {static_cast<std::int32_t>(dy * (index + 1) / count - dy * index / count)}});
    return pieces;
}

// One axis of a quadratic curve (control delta c, anchor delta d) halved at its middle: control
// and anchor deltas of the first half, then of the second. The four add up to c + d exactly.
std::array<std::int32_t, 4> halveAxis(std::int64_t control, std::int64_t anchor)
{
    const std::int64_t firstControl = control / 2;
    const std::int64_t middle = (3 * control + anchor) / 4;
    const std::int64_t secondControlPoint = control + anchor / 2;
    return {static_cast<std::int32_t>(firstControl),
            static_cast<std::int32_t>(middle - firstControl),
            static_cast<std::int32_t>(secondControlPoint - middle),
            static_cast<std::int32_t>(control + anchor - secondControlPoint)};
}

void appendCurvePieces(const CurvedEdgeRecord& edge, unsigned depth,
                       std::vector<ShapeRecord>& pieces)
{
    if (depth == 0) {
        pieces.push_back(edge);
        return;
    }
    const auto x = halveAxis(edge.controlDeltaX.value, edge.anchorDeltaX.value);
    const auto y = halveAxis(edge.controlDeltaY.value, edge.anchorDeltaY.value);
    appendCurvePieces({{x[0]}, {y[0]}, {x[1]}, {y[1]}}, depth - 1, pieces);
    appendCurvePieces({{x[2]}, {y[2]}, {x[3]}, {y[3]}}, depth - 1, pieces);
}

std::vector<ShapeRecord> piecesOf(const ShapeRecord& record, unsigned depth)
{
    if (depth == 0) return {record};
    if (const auto* straight = std::get_if<StraightEdgeRecord>(&record))
        return straightPieces(*straight, depth);
    if (const auto* curved = std::get_if<CurvedEdgeRecord>(&record)) {
        std::vector<ShapeRecord> pieces;
        appendCurvePieces(*curved, depth, pieces);
        return pieces;
    }
    return {record};
}

unsigned splitDepthOf(const ShapeRecord& record)
{
    if (fitsEdgeFields(record)) return 0;
    for (unsigned depth = 1; depth < maxSplitDepth; ++depth) {
        const std::vector<ShapeRecord> pieces = piecesOf(record, depth);
        if (std::all_of(pieces.begin(), pieces.end(), fitsEdgeFields)) return depth;
    }
    assert(false && "edge deltas are bounded by the coordinate limit");
    return maxSplitDepth;
}

void appendStyleChange(SwfBitWriter& bits, const StyleChangeRecord& record)
{
    bits.writePattern("00"); // TypeFlag 0, StateNewStyles 0
    bits.writeBits(record.lineStyle.has_value() ? 1 : 0, 1);
    bits.writeBits(record.fillStyle1.has_value() ? 1 : 0, 1);
    bits.writeBits(record.fillStyle0.has_value() ? 1 : 0, 1);
    bits.writeBits(record.moveTo.has_value() ? 1 : 0, 1);
    if (record.moveTo) {
        const unsigned width = fieldWidthFor({record.moveTo->x, record.moveTo->y});
        bits.writeBits(width, 5);
        bits.writeBits(clampToField31(record.moveTo->x).value, width);
        bits.writeBits(clampToField31(record.moveTo->y).value, width);
    }
    for (const auto& index : {record.fillStyle0, record.fillStyle1, record.lineStyle})
        if (index) bits.writeBits(*index, 2);
}

void appendFittingRecord(SwfBitWriter& bits, const ShapeRecord& record)
{
    if (const auto* change = std::get_if<StyleChangeRecord>(&record)) {
        appendStyleChange(bits, *change);
    } else if (const auto* straight = std::get_if<StraightEdgeRecord>(&record)) {
        bits.writePattern("1111101"); // straight, NumBits 14, general line
        bits.writeBits(straight->deltaX.value, 16);
        bits.writeBits(straight->deltaY.value, 16);
    } else if (const auto* curved = std::get_if<CurvedEdgeRecord>(&record)) {
        bits.writePattern("101110"); // curved, NumBits 14
        bits.writeBits(curved->controlDeltaX.value, 16);
        bits.writeBits(curved->controlDeltaY.value, 16);
        bits.writeBits(curved->anchorDeltaX.value, 16);
        bits.writeBits(curved->anchorDeltaY.value, 16);
    }
}

} // namespace

std::vector<ShapeRecord> shapeRecordsOf(std::span<const PathRecord> outline, EdgeMode mode,
                                        StyleSelection selection)
{
    std::vector<ShapeRecord> records;
    if (outline.empty()) return records;
    records.reserve(outline.size());

    TwipsPoint penPosition{positionTwips(outline[0].a), positionTwips(outline[0].b)};
    StyleChangeRecord start;
    start.moveTo = penPosition;
    if (selection == StyleSelection::FirstStyles) {
        start.fillStyle0 = 1;
        start.lineStyle = 1;
    }
    records.emplace_back(start);

    for (const PathRecord& record : outline.subspan(1)) {
        if (mode == EdgeMode::Curve) {
            records.emplace_back(
                CurvedEdgeRecord{curveDeltaTwips(record.a), curveDeltaTwips(record.b),
                                 curveDeltaTwips(record.c), curveDeltaTwips(record.d)});
            continue;
        }
        const TwipsPoint target{positionTwips(record.a), positionTwips(record.b)};
        records.emplace_back(
            StraightEdgeRecord{target.x - penPosition.x, target.y - penPosition.y});
        penPosition = target;
    }
    return records;
}

bool exceedsCoordinateLimit(std::span<const PathRecord> outline, EdgeMode mode)
{
    const auto beyond = [](float pixels, std::int32_t limit) {
        const std::int32_t twips = twipsFromPixels(pixels).value;
        return twips > limit || twips < -limit;
    };
    for (std::size_t index = 0; index < outline.size(); ++index) {
        const PathRecord& record = outline[index];
        if (index == 0 || mode == EdgeMode::Polyline) {
            if (beyond(record.a, maxPositionTwips) || beyond(record.b, maxPositionTwips))
                return true;
            continue;
        }
        for (float delta : {record.a, record.b, record.c, record.d})
            if (beyond(delta, maxCurveDeltaTwips)) return true;
    }
    return false;
}

std::string coordinateLimitMessage()
{
    return "SWF: a shape reaches farther than the limit of " +
           std::to_string(maxMovieCoordinatePixels) +
           " pixels from the origin; its points are drawn at that distance";
}

std::vector<ShapeRecord> splitLongEdges(std::span<const ShapeRecord> records)
{
    std::vector<ShapeRecord> split;
    split.reserve(records.size());
    for (const ShapeRecord& record : records) {
        if (fitsEdgeFields(record)) {
            split.push_back(record);
            continue;
        }
        const std::vector<ShapeRecord> pieces = piecesOf(record, splitDepthOf(record));
        split.insert(split.end(), pieces.begin(), pieces.end());
    }
    return split;
}

void splitLongEdgesInStep(std::vector<ShapeRecord>& start, std::vector<ShapeRecord>& end)
{
    const auto fits = [](const std::vector<ShapeRecord>& records) {
        return std::all_of(records.begin(), records.end(), fitsEdgeFields);
    };
    if (fits(start) && fits(end)) return;

    std::vector<ShapeRecord> splitStart;
    std::vector<ShapeRecord> splitEnd;
    const std::size_t common = std::min(start.size(), end.size());
    for (std::size_t index = 0; index < common; ++index) {
        const unsigned depth = std::max(splitDepthOf(start[index]), splitDepthOf(end[index]));
        for (const ShapeRecord& piece : piecesOf(start[index], depth))
            splitStart.push_back(piece);
        for (const ShapeRecord& piece : piecesOf(end[index], depth))
            splitEnd.push_back(piece);
    }
    const auto appendRest = [common](const std::vector<ShapeRecord>& records,
                                     std::vector<ShapeRecord>& split) {
        const std::vector<ShapeRecord> rest =
            splitLongEdges(std::span(records).subspan(std::min(common, records.size())));
        split.insert(split.end(), rest.begin(), rest.end());
    };
    appendRest(start, splitStart);
    appendRest(end, splitEnd);
    start = std::move(splitStart);
    end = std::move(splitEnd);
}

void appendShapeRecords(ByteBuffer& out, std::span<const ShapeRecord> records)
{
    SwfBitWriter bits;
    for (const ShapeRecord& record : records) {
        if (fitsEdgeFields(record)) {
            appendFittingRecord(bits, record);
            continue;
        }
        for (const ShapeRecord& piece : piecesOf(record, splitDepthOf(record)))
            appendFittingRecord(bits, piece);
    }
    bits.writePattern("000000"); // end of shape
    bits.flush(out);
}

void writeEdges(ByteBuffer& out, std::span<const PathRecord> outline, EdgeMode mode,
                StyleSelection selection)
{
    appendShapeRecords(out, shapeRecordsOf(outline, mode, selection));
}

} // namespace swf
