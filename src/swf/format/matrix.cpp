// The MATRIX record.
#include "swf/format/matrix.h"

#include "swf/format/bit_writer.h"
#include "swf/format/rect.h"

namespace swf {

SwfMatrix swfMatrixOf(const geom::Matrix2D& matrix)
{
    SwfMatrix record;
    if (!(matrix.m11 == 1.0f && matrix.m22 == 1.0f))
        record.scale = FixedPair{fixed31FieldOf(matrix.m11), fixed31FieldOf(matrix.m22)};
    if (matrix.m12 != 0.0f)
        record.rotateSkew = FixedPair{fixed31FieldOf(matrix.m12), fixed31FieldOf(matrix.m21)};
    record.translateX = twipsFromPixels(matrix.dx);
    record.translateY = twipsFromPixels(matrix.dy);
    return record;
}

void appendMatrix(ByteBuffer& buffer, const SwfMatrix& matrix)
{
    SwfBitWriter bits;
    for (const auto& factors : {matrix.scale, matrix.rotateSkew}) {
        if (!factors) {
            bits.writePattern("0");
            continue;
        }
        bits.writePattern("111111"); // present, 31-bit fields
        bits.writeBits(factors->first, 31);
        bits.writeBits(factors->second, 31);
    }
    const unsigned width = fieldWidthFor({matrix.translateX, matrix.translateY});
    bits.writeBits(width, 5);
    bits.writeBits(clampToField31(matrix.translateX).value, width);
    bits.writeBits(clampToField31(matrix.translateY).value, width);
    bits.flush(buffer);
}

} // namespace swf
