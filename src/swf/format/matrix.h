// The MATRIX record, made from a 2D affine matrix. Scale and rotate/skew factors are 16.16
// values in 31-bit fields; the translation is in twips in 16-bit fields, wider only for values
// that need it.
#pragma once

#include "geom/matrix2d.h"
#include "swf/format/byte_buffer.h"
#include "swf/format/twips.h"

#include <cstdint>
#include <optional>

namespace swf {

// Two 16.16 factors as their 31-bit fields hold them (1.0 is 65536).
struct FixedPair {
    std::int32_t first = 0;
    std::int32_t second = 0;
    bool operator==(const FixedPair&) const = default;
};

struct SwfMatrix {
    std::optional<FixedPair> scale;      // ScaleX, ScaleY
    std::optional<FixedPair> rotateSkew; // RotateSkew0, RotateSkew1
    Twips translateX, translateY;
    bool operator==(const SwfMatrix&) const = default;
};

// The record for (m11, m12, m21, m22, dx, dy): no scale when m11 and m22 are both 1, and
// rotate/skew only when m12 is not 0 (m21 alone is not written).
SwfMatrix swfMatrixOf(const geom::Matrix2D& matrix);

void appendMatrix(ByteBuffer& buffer, const SwfMatrix& matrix);

} // namespace swf
