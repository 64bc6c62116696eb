// The RECT record: NBits, then Xmin, Xmax, Ymin, Ymax in twips. The fields are 16 bits wide
// (69 bits, 9 bytes); a value that needs more widens all four, up to 31 bits.
#pragma once

#include "swf/format/bit_writer.h"
#include "swf/format/byte_buffer.h"
#include "swf/format/twips.h"

#include <initializer_list>

namespace swf {

// The width a RECT or MATRIX translation writes its fields in for these values.
unsigned fieldWidthFor(std::initializer_list<Twips> values);

// A value cut into the range of a 31-bit signed field, the widest a RECT or MATRIX can hold.
Twips clampToField31(Twips value);

void appendRect(ByteBuffer& buffer, const TwipsRect& rect);

} // namespace swf
