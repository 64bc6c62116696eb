// Bit packing for the movie records.
#include "swf/format/bit_writer.h"

#include "swf/format/movie_limits.h"

#include <algorithm>
#include <cassert>
#include <cmath>

namespace swf {

bool SwfBitWriter::startByte()
{
    if (m_overflowed || m_bytes.size() >= maxMovieBytes) {
        m_overflowed = true;
        return false;
    }
    m_bytes.push_back(0);
    return true;
}

void SwfBitWriter::writeBits(std::int64_t value, unsigned width)
{
    assert(width <= 32 && "bit fields are at most 32 bits wide");
    const auto bits = static_cast<std::uint64_t>(value);
    while (width > 0) {
        const auto offset = static_cast<unsigned>(m_bitCount % 8);
        if (offset == 0 && !startByte()) return;
        const unsigned taken = std::min(8 - offset, width);
        const auto piece = static_cast<unsigned>((bits >> (width - taken)) & ((1u << taken) - 1));
        m_bytes.back() =
            static_cast<std::uint8_t>(m_bytes.back() | (piece << (8 - offset - taken)));
        width -= taken;
        m_bitCount += taken;
    }
}

void SwfBitWriter::writePattern(std::string_view pattern)
{
    for (char character : pattern) {
        assert((character == '0' || character == '1') && "bit patterns hold only 0 and 1");
        writeBits(character == '1' ? 1 : 0, 1);
    }
}

void SwfBitWriter::writeFixed31(float value)
{
    writeBits(fixed31FieldOf(value), 31);
}

void SwfBitWriter::flush(ByteBuffer& out)
{
    if (m_overflowed)
        out.markOverflowed();
    else
        out.appendBytes(m_bytes);
    clear();
}

void SwfBitWriter::clear()
{
    m_bytes.clear();
    m_bitCount = 0;
    m_overflowed = false;
}

std::int32_t fixed31FieldOf(float value)
{
    const float scaled = value * 131072.0f;
    std::int32_t whole = 0;
    if (std::isnan(scaled))
        whole = 0;
    else if (scaled >= 2147483648.0f)
        whole = 2147483647;
    else if (scaled < -2147483648.0f)
        whole = -2147483647 - 1;
    else
        whole = static_cast<std::int32_t>(scaled);
    return whole >> 1; // arithmetic: the sign is kept
}

unsigned signedBitsNeeded(std::int64_t value)
{
    unsigned width = 1;
    while (width < 64 && (value < -(std::int64_t{1} << (width - 1)) ||
                          value > (std::int64_t{1} << (width - 1)) - 1))
        ++width;
    return width;
}

} // namespace swf
