// SwfBitWriter: packs bit fields into bytes, most significant bit first, for the bit-packed
// records of a movie (RECT, MATRIX, shape records). Every record starts on a byte boundary and is
// flushed at its end. The scratch area grows as needed, up to maxMovieBytes.
#pragma once

#include "swf/format/byte_buffer.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace swf {

class SwfBitWriter {
public:
    // Appends the lowest `width` bits (at most 32) of the value's two's complement. A value that
    // does not fit is cut to those bits; signed and unsigned fields are written alike.
    void writeBits(std::int64_t value, unsigned width);
    // Appends a fixed pattern written as the characters '0' and '1', such as "00101110000".
    void writePattern(std::string_view pattern);
    // Appends a 16.16 factor in a 31-bit field.
    void writeFixed31(float value);

    std::uint64_t bitCount() const { return m_bitCount; }

    // Appends the bits to `out`, the last byte padded with 0 bits, and clears the writer. When
    // the scratch area overflowed, `out` is marked overflowed instead.
    void flush(ByteBuffer& out);
    void clear();

private:
    // Appends a zero byte for the next bits; false (and overflowed) at the size limit.
    bool startByte();

    std::vector<std::uint8_t> m_bytes;
    std::uint64_t m_bitCount = 0;
    bool m_overflowed = false;
};

// The 31-bit field of a 16.16 factor: the 32-bit truncation of value × 131072, shifted right by
// one. Values beyond ±16384 saturate.
std::int32_t fixed31FieldOf(float value);

// The width of the smallest signed field that holds `value`.
unsigned signedBitsNeeded(std::int64_t value);

} // namespace swf
