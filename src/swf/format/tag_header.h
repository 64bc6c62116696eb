// Tag codes and the record header every tag begins with: the short form for bodies of up to 62
// bytes, the long form (with a UI32 length) from 63 bytes on.
#pragma once

#include "swf/format/byte_buffer.h"

#include <cstdint>

namespace swf {

enum class TagCode : std::uint16_t {
    End = 0,
    ShowFrame = 1,
    PlaceObject = 4,
    RemoveObject = 5,
    SetBackgroundColor = 9,
    DoAction = 12,
    PlaceObject2 = 26,
    DefineShape3 = 32,
    DefineMorphShape = 46,
};

// The longest body a short header can announce.
inline constexpr std::uint32_t longestShortTagBody = 62;

void appendTagHeader(ByteBuffer& buffer, TagCode code, std::uint32_t bodyLength);

// The header for `body`, then the body itself.
void appendTag(ByteBuffer& buffer, TagCode code, const ByteBuffer& body);

} // namespace swf
