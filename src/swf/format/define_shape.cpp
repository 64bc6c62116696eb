// DefineShape3 and its placement.
#include "swf/format/define_shape.h"

#include "swf/format/place_object.h"
#include "swf/format/rect.h"
#include "swf/format/tag_header.h"

namespace swf {

namespace {

// NumFillBits 2 and NumLineBits 2.
constexpr std::uint8_t styleBitsHeader = 0x22;

} // namespace

DefineShape3 defineShape3Of(std::uint16_t shapeId, const TwipsRect& bounds,
                            const ShapeOutline& outline, const ShapeStyle& style)
{
    return {
        shapeId,
        bounds,
        {fillStyleOf(style.brush)},
        {lineStyleOf(style.pen)},
        splitLongEdges(shapeRecordsOf(outline.records, outline.mode, StyleSelection::FirstStyles))};
}

void appendDefineShape3(ByteBuffer& buffer, const DefineShape3& shape)
{
    ByteBuffer body;
    body.appendUi16(shape.shapeId);
    appendRect(body, shape.bounds);
    appendFillStyles(body, shape.fillStyles);
    appendLineStyles(body, shape.lineStyles);
    body.appendByte(styleBitsHeader);
    appendShapeRecords(body, shape.records);
    appendTag(buffer, TagCode::DefineShape3, body);
}

std::optional<std::uint16_t>
defineAndPlaceShape(ByteBuffer& frameTags, const TwipsRect& bounds, const ShapeOutline& outline,
                    const ShapeStyle& style, const ShapePlacement& placement,
                    CharacterCounter& characterCounter, SwfDisplayList& displayList)
{
    const std::optional<std::uint16_t> id = characterCounter.take();
    if (!id) return std::nullopt;
    appendDefineShape3(frameTags, defineShape3Of(*id, bounds, outline, style));
    displayList.push_back({*id, placement.figureFrame, placement.transience});
    appendPlaceObject(frameTags, {*id, *id, swfMatrixOf(placement.matrix)});
    return id;
}

} // namespace swf
