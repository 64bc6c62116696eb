// writeSwfFile: the movie file from the tags of each figure frame. The header (uncompressed,
// version 6), the background tag, then one ShowFrame per movie frame with the tags of the figure
// frame that starts there, and End. The file is written atomically: a refused or failed write
// leaves an existing file untouched.
#pragma once

#include "io/write_result.h"
#include "model/figure.h"
#include "swf/format/byte_buffer.h"
#include "swf/format/tag_list.h"
#include "swf/format/twips.h"

#include <cstdint>
#include <string>
#include <vector>

namespace swf {

// The 21-byte movie header with the FileLength field still 21.
void appendMovieHeader(ByteBuffer& buffer, const TwipsRect& frameRect,
                       std::uint32_t framesPerSecond, std::uint16_t frameCount);

// SetBackgroundColor with the red, green and blue of an ARGB colour.
void appendSetBackgroundColor(ByteBuffer& buffer, std::uint32_t argb);

// Writes the movie. `tags` holds one buffer per frame of `frames`; on success (and only then)
// each frame's firstMovieFrame receives the movie frame it starts at. `frameRect` is the figure's
// client rectangle in twips. A refusal names the limit: no frames, a rate outside 1 to
// maxFrameRate, more than maxMovieFrames frames or maxMovieBytes bytes.
io::WriteResult writeSwfFile(const std::string& path, const SwfTagList& tags,
                             std::vector<model::Frame>& frames, const TwipsRect& frameRect,
                             std::uint32_t framesPerSecond);

// The same movie built in `movie` instead of a file (refused for the same limits; `path` only
// names it in messages).
io::WriteResult buildSwfMovie(const std::string& path, const SwfTagList& tags,
                              std::vector<model::Frame>& frames, const TwipsRect& frameRect,
                              std::uint32_t framesPerSecond, std::vector<std::uint8_t>& movie);

} // namespace swf
