// Reading movies of the kinds this program writes: the header, the tags in file order and the
// frames they form. Tag bodies are decoded on request (decodeTag). Hostile input is answered
// with a status and a message; every length is checked and no count is trusted.
#pragma once

#include "swf/read/tag_decoder.h"
#include "swf/format/twips.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace swf {

struct MovieHeader {
    std::uint8_t version = 0;
    std::uint32_t fileLength = 0;
    TwipsRect frameRect;
    std::uint16_t frameRate = 0; // 8.8 fixed point: 25 frames per second is 0x1900
    std::uint16_t frameCount = 0;
    bool operator==(const MovieHeader&) const = default;
};

enum class TagHeaderForm : std::uint8_t { Short, Long };

struct TagEntry {
    std::uint16_t code = 0;
    TagHeaderForm form = TagHeaderForm::Short;
    std::uint32_t bodyOffset = 0; // from the start of the file
    std::uint32_t bodyLength = 0;
    bool operator==(const TagEntry&) const = default;
};

struct Movie {
    MovieHeader header;
    std::vector<std::uint8_t> bytes;
    std::vector<TagEntry> tags;          // file order, ShowFrame and End included
    std::vector<std::size_t> showFrames; // the index in `tags` of each ShowFrame

    std::span<const std::uint8_t> body(const TagEntry& tag) const;
    // The tags of movie frame `frame` (those after the previous ShowFrame, without its own
    // ShowFrame); frame == frame count gives the tags after the last ShowFrame, End excluded.
    std::span<const TagEntry> frameTags(std::size_t frame) const;
};

struct MovieReadResult {
    ReadStatus status = ReadStatus::Ok;
    std::string message; // what is wrong, and where
    Movie movie;
    bool ok() const { return status == ReadStatus::Ok; }
};

// Parses a movie. It must be uncompressed, its FileLength the number of bytes, its tags must end
// with End, and its FrameCount must equal its number of ShowFrame tags.
MovieReadResult readMovie(std::vector<std::uint8_t> bytes);

// readMovie on a file; messages name the file.
MovieReadResult readMovieFile(const std::string& path);

// Decodes one tag of the movie.
Decoded<TagContent> decodeTag(const Movie& movie, const TagEntry& tag);

} // namespace swf
