// Checked reading of bytes and bit fields.
#include "swf/read/byte_reader.h"

#include <cassert>

namespace swf {

bool ByteReader::take(std::size_t count)
{
    alignToByte();
    if (m_failed || count > m_bytes.size() - m_position) {
        m_failed = true;
        return false;
    }
    return true;
}

std::uint8_t ByteReader::readUi8()
{
    if (!take(1)) return 0;
    return m_bytes[m_position++];
}

std::uint16_t ByteReader::readUi16()
{
    if (!take(2)) return 0;
    const auto value =
        static_cast<std::uint16_t>(m_bytes[m_position] | (m_bytes[m_position + 1] << 8));
    m_position += 2;
    return value;
}

std::uint32_t ByteReader::readUi32()
{
    if (!take(4)) return 0;
    std::uint32_t value = 0;
    for (int index = 3; index >= 0; --index)
        value = (value << 8) | m_bytes[m_position + static_cast<std::size_t>(index)];
    m_position += 4;
    return value;
}

std::span<const std::uint8_t> ByteReader::readBytes(std::size_t count)
{
    if (!take(count)) return {};
    const auto bytes = m_bytes.subspan(m_position, count);
    m_position += count;
    return bytes;
}

std::string ByteReader::readTerminatedString()
{
    if (!take(0)) return {};
    for (std::size_t end = m_position; end < m_bytes.size(); ++end) {
        if (m_bytes[end] != 0) continue;
        std::string text(reinterpret_cast<const char*>(m_bytes.data() + m_position),
                         end - m_position);
        m_position = end + 1;
        return text;
    }
    m_failed = true;
    return {};
}

std::uint32_t ByteReader::readBits(unsigned width)
{
    assert(width <= 32 && "bit fields are at most 32 bits wide");
    std::uint32_t value = 0;
    for (unsigned index = 0; index < width; ++index) {
        if (m_failed || m_position >= m_bytes.size()) {
            m_failed = true;
            return 0;
        }
        const unsigned bit = static_cast<unsigned>(m_bytes[m_position] >> (7 - m_bitOffset)) & 1u;
        value = (value << 1) | bit;
        if (++m_bitOffset == 8) {
            m_bitOffset = 0;
            ++m_position;
        }
    }
    return value;
}

std::int32_t ByteReader::readSignedBits(unsigned width)
{
    const std::uint32_t value = readBits(width);
    if (width == 0 || width == 32) return static_cast<std::int32_t>(value);
    const std::uint32_t sign = 1u << (width - 1);
    return static_cast<std::int32_t>((value ^ sign) - sign);
}

} // namespace swf
