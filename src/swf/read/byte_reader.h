// ByteReader: reads little-endian integers and bit fields from a byte span, checking every
// length. Reading past the end yields zeros and marks the reader failed; callers check failed()
// once a record is read.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace swf {

class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    std::uint8_t readUi8();
    std::uint16_t readUi16();
    std::uint32_t readUi32();
    // `count` bytes, or an empty span (and failure) when fewer are left.
    std::span<const std::uint8_t> readBytes(std::size_t count);
    // Bytes up to a 0 byte, which is consumed; failure when there is none.
    std::string readTerminatedString();

    // Bit fields, most significant bit first, from the current bit position (width at most 32).
    std::uint32_t readBits(unsigned width);
    std::int32_t readSignedBits(unsigned width);
    // Skips to the next byte boundary; byte reads do this themselves.
    void alignToByte()
    {
        if (m_bitOffset == 0) return;
        m_bitOffset = 0;
        ++m_position;
    }

    bool failed() const { return m_failed; }
    void fail() { m_failed = true; }
    // The byte position (a partly read byte counts as read).
    std::size_t position() const { return m_position + (m_bitOffset != 0 ? 1 : 0); }
    std::size_t remaining() const { return m_bytes.size() - position(); }

private:
    bool take(std::size_t count);

    std::span<const std::uint8_t> m_bytes;
    std::size_t m_position = 0; // the byte holding the next bit when m_bitOffset > 0
    unsigned m_bitOffset = 0;   // bits of m_bytes[m_position] already read
    bool m_failed = false;
};

} // namespace swf
