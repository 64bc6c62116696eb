// The placement tags.
#include "swf/format/place_object.h"

#include "swf/format/tag_header.h"

namespace swf {

void appendPlaceObject(ByteBuffer& buffer, const PlaceObject& tag)
{
    ByteBuffer body;
    body.appendUi16(tag.characterId);
    body.appendUi16(tag.depth);
    appendMatrix(body, tag.matrix);
    appendTag(buffer, TagCode::PlaceObject, body);
}

void appendPlaceObject2(ByteBuffer& buffer, const PlaceObject2& tag)
{
    std::uint8_t flags = 0;
    if (tag.kind == PlacementKind::Move) flags |= 0x01;
    if (tag.characterId) flags |= 0x02;
    if (tag.matrix) flags |= 0x04;
    if (tag.ratio) flags |= 0x10;

    ByteBuffer body;
    body.appendByte(flags);
    body.appendUi16(tag.depth);
    if (tag.characterId) body.appendUi16(*tag.characterId);
    if (tag.matrix) appendMatrix(body, *tag.matrix);
    if (tag.ratio) body.appendUi16(*tag.ratio);
    appendTag(buffer, TagCode::PlaceObject2, body);
}

void appendRemoveObject(ByteBuffer& buffer, const RemoveObject& tag)
{
    appendTagHeader(buffer, TagCode::RemoveObject, 4);
    buffer.appendUi16(tag.characterId);
    buffer.appendUi16(tag.depth);
}

} // namespace swf
