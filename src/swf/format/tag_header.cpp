// Tag headers in short and long form.
#include "swf/format/tag_header.h"

namespace swf {

void appendTagHeader(ByteBuffer& buffer, TagCode code, std::uint32_t bodyLength)
{
    const auto codeBits = static_cast<std::uint16_t>(static_cast<std::uint16_t>(code) << 6);
    if (bodyLength <= longestShortTagBody) {
        buffer.appendUi16(static_cast<std::uint16_t>(codeBits | bodyLength));
        return;
    }
    buffer.appendUi16(static_cast<std::uint16_t>(codeBits | 0x3F));
    buffer.appendUi32(bodyLength);
}

void appendTag(ByteBuffer& buffer, TagCode code, const ByteBuffer& body)
{
    appendTagHeader(buffer, code, body.size());
    buffer.appendBuffer(body);
}

} // namespace swf
