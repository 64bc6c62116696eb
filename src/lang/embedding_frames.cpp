// Encoding and incremental reading of embedding frames.
#include "lang/embedding_frames.h"

namespace lang {
namespace {

void appendWord(std::string& out, std::uint32_t word)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<char>((word >> shift) & 0xFF));
}

std::uint32_t wordAt(std::string_view bytes, std::size_t offset)
{
    std::uint32_t word = 0;
    for (std::size_t i = 0; i < 4; ++i)
        word |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[offset + i])) << (8 * i);
    return word;
}

// Why a header cannot start a valid frame; empty when it can.
std::string headerError(std::uint32_t kind, std::uint32_t value, std::uint32_t length)
{
    if (kind > static_cast<std::uint32_t>(FrameKind::Document))
        return "unknown frame kind " + std::to_string(kind);
    if (length > maxFramePayloadBytes)
        return "a frame payload of " + std::to_string(length) + " bytes is more than the limit of " +
               std::to_string(maxFramePayloadBytes) + " bytes";
    if (kind == static_cast<std::uint32_t>(FrameKind::Document)) {
        if (value > length)
            return "a document length of " + std::to_string(value) +
                   " bytes is more than the frame's payload of " + std::to_string(length);
    } else if (length != 0) {
        return "frame kind " + std::to_string(kind) + " takes no payload";
    }
    return {};
}

} // namespace

std::string encodeFrame(const EmbeddingFrame& frame)
{
    std::string out;
    out.reserve(frameHeaderBytes + frame.payload.size());
    appendWord(out, static_cast<std::uint32_t>(frame.kind));
    appendWord(out, frame.value);
    appendWord(out, static_cast<std::uint32_t>(frame.payload.size()));
    out += frame.payload;
    return out;
}

EmbeddingFrame documentFrame(std::string_view documentText, std::string_view picture)
{
    EmbeddingFrame frame{FrameKind::Document, static_cast<std::uint32_t>(documentText.size()), {}};
    frame.payload.reserve(documentText.size() + picture.size());
    frame.payload.append(documentText).append(picture);
    return frame;
}

void FrameReader::append(std::string_view bytes)
{
    if (failed()) return;
    if (m_start > 0 && m_start == m_buffer.size()) {
        m_buffer.clear();
        m_start = 0;
    }
    m_buffer.append(bytes);
}

std::optional<EmbeddingFrame> FrameReader::next()
{
    if (failed() || bufferedBytes() < frameHeaderBytes) return std::nullopt;
    const std::uint32_t kind = wordAt(m_buffer, m_start);
    const std::uint32_t value = wordAt(m_buffer, m_start + 4);
    const std::uint32_t length = wordAt(m_buffer, m_start + 8);
    if (std::string error = headerError(kind, value, length); !error.empty()) {
        m_error = std::move(error);
        m_buffer = std::string();
        m_start = 0;
        return std::nullopt;
    }
    if (bufferedBytes() - frameHeaderBytes < length) return std::nullopt;
    EmbeddingFrame frame{static_cast<FrameKind>(kind), value,
                         m_buffer.substr(m_start + frameHeaderBytes, length)};
    m_start += frameHeaderBytes + length;
    // Drop what was read once it is most of the buffer, so a long stream does not keep it all.
    if (m_start > m_buffer.size() / 2) {
        m_buffer.erase(0, m_start);
        m_start = 0;
    }
    return frame;
}

} // namespace lang
