// Fuzz target: the movie reader on arbitrary bytes. A movie is read and every tag decoded and
// every frame's tags listed; an input without the movie signature is read as one tag instead,
// its first two bytes the tag code and the rest the body, so that the decoders meet hostile
// bodies without a movie around them.
#include "swf/read/reader.h"

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size >= 3 && data[0] == 'F' && data[1] == 'W' && data[2] == 'S') {
        const swf::MovieReadResult read =
            swf::readMovie(std::vector<std::uint8_t>(data, data + size));
        if (!read.ok()) return 0;
        for (const swf::TagEntry& tag : read.movie.tags)
            swf::decodeTag(read.movie, tag);
        for (std::size_t frame = 0; frame <= read.movie.showFrames.size(); ++frame)
            read.movie.frameTags(frame);
        return 0;
    }
    if (size < 2) return 0;
    const auto code = static_cast<std::uint16_t>(data[0] | data[1] << 8);
    swf::decodeTagBody(code, std::span<const std::uint8_t>(data + 2, size - 2));
    return 0;
}
