// The frames of the embedding interface: what a client program and the running console send each
// other over the per-user local socket. A frame is a 12-byte header of three little-endian 32-bit
// words (kind, value, payload length) followed by the payload.
#pragma once

#include "model/limits.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lang {

enum class FrameKind : std::uint32_t {
    Register = 0,  // client -> console: value is the client's id; answered with Answer 0xFEFEFEFE
    Answer = 1,    // console -> client: 0xFEFEFEFE after Register, the console's id after Handshake
    Handshake = 2, // client -> console: asks for the console's id
    Document = 3,  // either way: value is the byte length of the document text at the payload's
                   // start; bytes after it are the figure as SVG (console -> client only)
};

// The answer to a registration.
inline constexpr std::uint32_t registrationAnswer = 0xFEFEFEFE;
inline constexpr std::size_t frameHeaderBytes = 12;
// Payload bytes of one frame the reader takes: the largest document the XML reader takes.
inline constexpr std::size_t maxFramePayloadBytes = model::maxXmlDocumentBytes;

struct EmbeddingFrame {
    FrameKind kind = FrameKind::Register;
    std::uint32_t value = 0;
    std::string payload;

    bool operator==(const EmbeddingFrame&) const = default;
};

// The frame as bytes on the socket.
std::string encodeFrame(const EmbeddingFrame& frame);

// A document frame: the document text, then the picture (if any); value is the text's length.
EmbeddingFrame documentFrame(std::string_view documentText, std::string_view picture = {});

// Reads frames from a byte stream that arrives in pieces of any size. A stream that breaks the
// framing (an unknown kind, a payload on a frame that takes none, a document length beyond its
// payload, a payload over the limit) fails: the reader keeps nothing more and reports why.
class FrameReader {
public:
    void append(std::string_view bytes);
    // The next complete frame, or nothing while it is incomplete or the stream has failed.
    std::optional<EmbeddingFrame> next();

    bool failed() const { return !m_error.empty(); }
    const std::string& error() const { return m_error; }
    std::size_t bufferedBytes() const { return m_buffer.size() - m_start; }

private:
    std::string m_buffer;
    std::size_t m_start = 0; // where the unread bytes begin
    std::string m_error;
};

} // namespace lang
