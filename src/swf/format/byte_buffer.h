// ByteBuffer: the growable byte array every movie record is assembled in. Integers are written
// little-endian. A buffer never grows past maxMovieBytes: an append that would is dropped and the
// buffer is marked overflowed, so the movie that contains it is refused instead of cut. A record
// that outgrows its own length field marks its buffer the same way.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace swf {

class ByteBuffer {
public:
    void appendByte(std::uint8_t value);
    void appendBytes(std::span<const std::uint8_t> bytes);
    // Appends the other buffer's bytes; its overflow carries over.
    void appendBuffer(const ByteBuffer& other);
    void appendUi16(std::uint16_t value);
    void appendUi32(std::uint32_t value);

    std::uint32_t size() const { return static_cast<std::uint32_t>(m_bytes.size()); }
    bool empty() const { return m_bytes.empty(); }
    std::span<const std::uint8_t> bytes() const { return m_bytes; }

    // True once something could not be appended (see above); the contents are incomplete.
    bool overflowed() const { return m_overflowed; }
    void markOverflowed() { m_overflowed = true; }

    void clear();

    bool operator==(const ByteBuffer&) const = default;

private:
    bool reserveRoom(std::size_t count);

    std::vector<std::uint8_t> m_bytes;
    bool m_overflowed = false;
};

} // namespace swf
