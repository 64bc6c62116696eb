// SwfTagList: the tags of a movie before it is written, one buffer per figure frame (every
// complete tag that belongs to that frame, in order) and one for the background tag.
#pragma once

#include "swf/format/byte_buffer.h"

#include <cstddef>
#include <vector>

namespace swf {

class SwfTagList {
public:
    explicit SwfTagList(std::size_t frameCount) : m_buffers(frameCount + 1) {}

    std::size_t frameCount() const { return m_buffers.size() - 1; }
    ByteBuffer& frame(std::size_t index) { return m_buffers.at(index); }
    const ByteBuffer& frame(std::size_t index) const { return m_buffers.at(index); }
    ByteBuffer& background() { return m_buffers.back(); }
    const ByteBuffer& background() const { return m_buffers.back(); }

private:
    std::vector<ByteBuffer> m_buffers; // the frames' buffers, then the background's
};

} // namespace swf
