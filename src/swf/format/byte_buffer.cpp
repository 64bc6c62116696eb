// The growable byte array of the movie writer.
#include "swf/format/byte_buffer.h"

#include "swf/format/movie_limits.h"

namespace swf {

bool ByteBuffer::reserveRoom(std::size_t count)
{
    if (m_overflowed || count > maxMovieBytes - m_bytes.size()) {
        m_overflowed = true;
        return false;
    }
    return true;
}

void ByteBuffer::appendByte(std::uint8_t value)
{
    if (reserveRoom(1)) m_bytes.push_back(value);
}

void ByteBuffer::appendBytes(std::span<const std::uint8_t> bytes)
{
    if (reserveRoom(bytes.size())) m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
}

void ByteBuffer::appendBuffer(const ByteBuffer& other)
{
    if (other.overflowed()) m_overflowed = true;
    appendBytes(other.bytes());
}

void ByteBuffer::appendUi16(std::uint16_t value)
{
    const std::uint8_t bytes[] = {static_cast<std::uint8_t>(value & 0xFF),
                                  static_cast<std::uint8_t>(value >> 8)};
    appendBytes(bytes);
}

void ByteBuffer::appendUi32(std::uint32_t value)
{
    const std::uint8_t bytes[] = {
        static_cast<std::uint8_t>(value & 0xFF), static_cast<std::uint8_t>((value >> 8) & 0xFF),
        static_cast<std::uint8_t>((value >> 16) & 0xFF), static_cast<std::uint8_t>(value >> 24)};
    appendBytes(bytes);
}

void ByteBuffer::clear()
{
    m_bytes.clear();
    m_overflowed = false;
}

} // namespace swf
