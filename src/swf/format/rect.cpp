// The RECT record.
#include "swf/format/rect.h"

#include <algorithm>

namespace swf {

unsigned fieldWidthFor(std::initializer_list<Twips> values)
{
    unsigned width = 16;
    for (Twips value : values)
        width = std::max(width, signedBitsNeeded(clampToField31(value).value));
    return width;
}

Twips clampToField31(Twips value)
{
    constexpr std::int32_t limit = (1 << 30) - 1;
    return {std::clamp(value.value, -limit - 1, limit)};
}

void appendRect(ByteBuffer& buffer, const TwipsRect& rect)
{
    const unsigned width = fieldWidthFor({rect.xMin, rect.xMax, rect.yMin, rect.yMax});
    SwfBitWriter bits;
    bits.writeBits(width, 5);
    for (Twips value : {rect.xMin, rect.xMax, rect.yMin, rect.yMax})
        bits.writeBits(clampToField31(value).value, width);
    bits.flush(buffer);
}

} // namespace swf
