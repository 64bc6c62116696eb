// DefineMorphShape.
#include "swf/format/morph_shape.h"

#include "swf/format/rect.h"
#include "swf/format/tag_header.h"

#include <algorithm>

namespace swf {

namespace {

// NumFillBits 2 and NumLineBits 2, in front of each edge list.
constexpr std::uint8_t styleBitsHeader = 0x22;

std::size_t edgeCountOf(const std::vector<ShapeRecord>& records)
{
    return static_cast<std::size_t>(
        std::count_if(records.begin(), records.end(), [](const ShapeRecord& record) {
            return !std::holds_alternative<StyleChangeRecord>(record);
        }));
}

// The player pairs the n-th start edge with the n-th end edge, so both lists need as many.
// Outlines of different lengths (two objects with different point counts) get zero-length edges
// at the end of the shorter one, out of which the other's extra edges grow.
void padToEdgeCount(std::vector<ShapeRecord>& records, std::size_t edgeCount)
{
    for (std::size_t count = edgeCountOf(records); count < edgeCount; ++count)
        records.emplace_back(StraightEdgeRecord{});
}

} // namespace

DefineMorphShape defineMorphShapeOf(std::uint16_t characterId, const MorphEnd& start,
                                    const MorphEnd& end)
{
    std::vector<ShapeRecord> startRecords =
        shapeRecordsOf(start.outline.records, start.outline.mode, StyleSelection::FirstStyles);
    std::vector<ShapeRecord> endRecords =
        shapeRecordsOf(end.outline.records, end.outline.mode, StyleSelection::None);
    splitLongEdgesInStep(startRecords, endRecords);
    padToEdgeCount(startRecords, edgeCountOf(endRecords));
    padToEdgeCount(endRecords, edgeCountOf(startRecords));
    return {characterId,
            start.bounds,
            end.bounds,
            {morphFillStyleOf(start.style.brush, end.style.brush)},
            {morphLineStyleOf(start.style.pen, end.style.pen)},
            std::move(startRecords),
            std::move(endRecords)};
}

void appendDefineMorphShape(ByteBuffer& buffer, const DefineMorphShape& morph)
{
    ByteBuffer styles;
    appendMorphFillStyles(styles, morph.fillStyles);
    appendMorphLineStyles(styles, morph.lineStyles);
    styles.appendByte(styleBitsHeader);
    appendShapeRecords(styles, morph.startRecords);

    ByteBuffer body;
    body.appendUi16(morph.characterId);
    appendRect(body, morph.startBounds);
    appendRect(body, morph.endBounds);
    body.appendUi32(styles.size()); // Offset: up to the end edges
    body.appendBuffer(styles);
    body.appendByte(styleBitsHeader);
    appendShapeRecords(body, morph.endRecords);
    appendTag(buffer, TagCode::DefineMorphShape, body);
}

std::optional<std::uint16_t> defineMorphShape(ByteBuffer& tags, const MorphEnd& start,
                                              const MorphEnd& end,
                                              CharacterCounter& characterCounter)
{
    const std::optional<std::uint16_t> id = characterCounter.take();
    if (!id) return std::nullopt;
    appendDefineMorphShape(tags, defineMorphShapeOf(*id, start, end));
    return id;
}

} // namespace swf
