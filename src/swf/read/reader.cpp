// Reading movies: header, tags and frames.
#include "swf/read/reader.h"

#include "swf/read/byte_reader.h"
#include "swf/format/movie_limits.h"
#include "swf/format/tag_header.h"

#include <fstream>

namespace swf {

namespace {

constexpr std::size_t headerPrefixBytes = 8; // signature, version, FileLength

MovieReadResult failure(ReadStatus status, std::string message)
{
    return {status, std::move(message), {}};
}

// The signature, version and FileLength; a message when they are not those of a movie here.
std::string checkPrefix(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < headerPrefixBytes) return "too short for a movie header";
    if ((bytes[0] == 'C' || bytes[0] == 'Z') && bytes[1] == 'W' && bytes[2] == 'S')
        return "a compressed movie; only uncompressed movies are read";
    if (bytes[0] != 'F' || bytes[1] != 'W' || bytes[2] != 'S') return "no movie signature";
    return {};
}

// Reads tag headers up to End; false with a message when a tag does not fit the file.
bool readTags(ByteReader& in, Movie& movie, std::string& message)
{
    while (true) {
        if (movie.tags.size() >= maxTagsRead) {
            message = "more than " + std::to_string(maxTagsRead) + " tags, the limit of the reader";
            return false;
        }
        const std::size_t headerOffset = in.position();
        const std::uint16_t codeAndLength = in.readUi16();
        TagEntry tag;
        tag.code = static_cast<std::uint16_t>(codeAndLength >> 6);
        tag.bodyLength = codeAndLength & 0x3Fu;
        if (tag.bodyLength == 0x3F) {
            tag.form = TagHeaderForm::Long;
            tag.bodyLength = in.readUi32();
        }
        tag.bodyOffset = static_cast<std::uint32_t>(in.position());
        if (in.failed()) {
            message = "the tag header at byte " + std::to_string(headerOffset) + " ends early" +
                      (movie.tags.empty() ? "" : " (no End tag)");
            return false;
        }
        if (in.readBytes(tag.bodyLength).size() != tag.bodyLength || in.failed()) {
            message = "tag " + std::to_string(tag.code) + " at byte " +
                      std::to_string(headerOffset) + " announces " +
                      std::to_string(tag.bodyLength) + " bytes, more than the file holds";
            return false;
        }
        movie.tags.push_back(tag);
        if (tag.code == static_cast<std::uint16_t>(TagCode::ShowFrame))
            movie.showFrames.push_back(movie.tags.size() - 1);
        if (tag.code == static_cast<std::uint16_t>(TagCode::End)) return true;
    }
}

} // namespace

std::span<const std::uint8_t> Movie::body(const TagEntry& tag) const
{
    if (tag.bodyOffset > bytes.size() || tag.bodyLength > bytes.size() - tag.bodyOffset) return {};
    return std::span(bytes).subspan(tag.bodyOffset, tag.bodyLength);
}

std::span<const TagEntry> Movie::frameTags(std::size_t frame) const
{
    if (frame > showFrames.size()) return {};
    const std::size_t first = frame == 0 ? 0 : showFrames[frame - 1] + 1;
    std::size_t end = frame < showFrames.size() ? showFrames[frame] : tags.size();
    if (frame == showFrames.size() && end > first &&
        tags[end - 1].code == static_cast<std::uint16_t>(TagCode::End))
        --end;
    return std::span(tags).subspan(first, end - first);
}

MovieReadResult readMovie(std::vector<std::uint8_t> bytes)
{
    if (bytes.size() > maxMovieBytes)
        return failure(ReadStatus::TooLarge, "a movie of " + std::to_string(bytes.size()) +
                                                 " bytes is larger than the limit of " +
                                                 std::to_string(maxMovieBytes));
    if (std::string problem = checkPrefix(bytes); !problem.empty())
        return failure(ReadStatus::NotAMovie, problem);

    MovieReadResult result;
    Movie& movie = result.movie;
    movie.bytes = std::move(bytes);
    ByteReader in(movie.bytes);
    in.readBytes(3);
    movie.header.version = in.readUi8();
    movie.header.fileLength = in.readUi32();
    if (movie.header.fileLength != movie.bytes.size())
        return failure(ReadStatus::Malformed,
                       "FileLength " + std::to_string(movie.header.fileLength) + " but " +
                           std::to_string(movie.bytes.size()) + " bytes");
    movie.header.frameRect = [&] {
        const unsigned width = in.readBits(5);
        TwipsRect rect;
        rect.xMin = {in.readSignedBits(width)};
        rect.xMax = {in.readSignedBits(width)};
        rect.yMin = {in.readSignedBits(width)};
        rect.yMax = {in.readSignedBits(width)};
        return rect;
    }();
    movie.header.frameRate = in.readUi16();
    movie.header.frameCount = in.readUi16();
    if (in.failed()) return failure(ReadStatus::Malformed, "the movie header ends early");

    std::string message;
    if (!readTags(in, movie, message)) return failure(ReadStatus::Malformed, message);
    if (in.remaining() != 0)
        return failure(ReadStatus::Malformed,
                       std::to_string(in.remaining()) + " bytes after the End tag");
    if (movie.showFrames.size() != movie.header.frameCount)
        return failure(ReadStatus::Malformed,
                       "FrameCount " + std::to_string(movie.header.frameCount) + " but " +
                           std::to_string(movie.showFrames.size()) + " ShowFrame tags");
    return result;
}

MovieReadResult readMovieFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) return failure(ReadStatus::FileError, path + ": cannot open the file");
    file.seekg(0, std::ios::end);
    const std::streamoff size = file.tellg();
    if (size < 0) return failure(ReadStatus::FileError, path + ": cannot read the file");
    if (static_cast<std::uint64_t>(size) > maxMovieBytes)
        return failure(ReadStatus::TooLarge, path + ": a movie of " + std::to_string(size) +
                                                 " bytes is larger than the limit of " +
                                                 std::to_string(maxMovieBytes));
    file.seekg(0, std::ios::beg);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    if (!file.read(reinterpret_cast<char*>(bytes.data()), size))
        return failure(ReadStatus::FileError, path + ": cannot read the file");
    MovieReadResult result = readMovie(std::move(bytes));
    if (!result.ok()) result.message = path + ": " + result.message;
    return result;
}

Decoded<TagContent> decodeTag(const Movie& movie, const TagEntry& tag)
{
    return decodeTagBody(tag.code, movie.body(tag));
}

} // namespace swf
