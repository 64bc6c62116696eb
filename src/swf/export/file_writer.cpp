// The movie file: timeline, header, frames, and the atomic write.
#include "swf/export/file_writer.h"

#include "io/atomic_file.h"

#include "swf/format/movie_limits.h"
#include "swf/format/rect.h"
#include "swf/format/tag_header.h"
#include "swf/export/timeline.h"

#include <algorithm>
#include <cassert>
#include <limits>
#include <optional>
#include <variant>

namespace swf {

namespace {

// FileLength before it is patched: the size of the header with 16-bit RECT fields.
constexpr std::uint32_t headerBytes = 21;
constexpr std::uint32_t fileLengthOffset = 4;
constexpr std::size_t stagingBytes = 1 << 20;

// Collects small pieces and hands them to the file in large writes.
class StagedWriter {
public:
    explicit StagedWriter(io::AtomicFile& file) : m_file(file) {}

    bool append(std::span<const std::uint8_t> bytes)
    {
        m_written += bytes.size();
        if (m_staging.size() + bytes.size() > stagingBytes && !flush()) return false;
        if (bytes.size() >= stagingBytes) return m_file.write(bytes);
        m_staging.insert(m_staging.end(), bytes.begin(), bytes.end());
        return true;
    }

    bool flush()
    {
        const bool written = m_file.write(m_staging);
        m_staging.clear();
        return written;
    }

    std::uint64_t written() const { return m_written; }
    bool writeAt(std::span<const std::uint8_t> bytes, std::size_t offset)
    {
        return m_file.writeAt(bytes, static_cast<off_t>(offset));
    }

private:
    io::AtomicFile& m_file;
    std::vector<std::uint8_t> m_staging;
    std::uint64_t m_written = 0;
};

constexpr std::uint8_t showFrameTag[] = {0x40, 0x00};
constexpr std::uint8_t endTag[] = {0x00, 0x00};

std::string tooLargeMessage(std::uint64_t bytes)
{
    return "SWF: the movie would have " + std::to_string(bytes) +
           " bytes, more than the limit of " + std::to_string(maxMovieBytes);
}

const ByteBuffer* slotBuffer(const SwfTagList& tags, std::int64_t slot)
{
    return slot < 0 ? nullptr : &tags.frame(static_cast<std::size_t>(slot));
}

// The movie's size, or nothing when one of its buffers overflowed.
std::optional<std::uint64_t> movieBytes(const ByteBuffer& header, const SwfTagList& tags,
                                        std::span<const std::int64_t> slots)
{
    std::uint64_t total = header.size() + tags.background().size() + sizeof(endTag);
    if (tags.background().overflowed()) return std::nullopt;
    for (std::int64_t slot : slots) {
        total += sizeof(showFrameTag);
        if (const ByteBuffer* buffer = slotBuffer(tags, slot)) {
            if (buffer->overflowed()) return std::nullopt;
            total += buffer->size();
        }
    }
    return total;
}

// Appends the movie to `out` (StagedWriter, or MemoryWriter) and patches its length.
template <class Out>
bool writeMovie(Out& out, const ByteBuffer& header, const SwfTagList& tags,
                std::span<const std::int64_t> slots)
{
    bool written = out.append(header.bytes()) && out.append(tags.background().bytes());
    for (std::size_t frame = 0; written && frame < slots.size(); ++frame) {
        if (const ByteBuffer* buffer = slotBuffer(tags, slots[frame]))
            written = out.append(buffer->bytes());
        written = written && out.append(showFrameTag);
    }
    written = written && out.append(endTag) && out.flush();
    if (!written) return false;

    ByteBuffer length;
    length.appendUi32(static_cast<std::uint32_t>(out.written()));
    return out.writeAt(length.bytes(), fileLengthOffset);
}

class MemoryWriter {
public:
    explicit MemoryWriter(std::vector<std::uint8_t>& bytes) : m_bytes(bytes) {}
    bool append(std::span<const std::uint8_t> bytes)
    {
        m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
        return true;
    }
    bool flush() { return true; }
    std::uint64_t written() const { return m_bytes.size(); }
    bool writeAt(std::span<const std::uint8_t> bytes, std::size_t offset)
    {
        std::copy(bytes.begin(), bytes.end(),
                  m_bytes.begin() + static_cast<std::ptrdiff_t>(offset));
        return true;
    }

private:
    std::vector<std::uint8_t>& m_bytes;
};

// What a movie of the frames is made of, or the refusal that names the limit.
struct MoviePlan {
    ByteBuffer header;
    std::vector<std::uint64_t> firstFrames;
    std::vector<std::int64_t> slots;
    std::uint64_t bytes = 0;
};

std::variant<MoviePlan, io::WriteResult> planMovie(const std::string& path, const SwfTagList& tags,
                                                   const std::vector<model::Frame>& frames,
                                                   const TwipsRect& frameRect,
                                                   std::uint32_t framesPerSecond)
{
    if (frames.empty()) return io::writeFailure(path + ": the figure has no frames to write");
    if (framesPerSecond == 0 || framesPerSecond > maxFrameRate)
        return io::writeFailure("SWF: a frame rate of " + std::to_string(framesPerSecond) +
                                " frames per second is outside the limit of 1 to " +
                                std::to_string(maxFrameRate));
    assert(tags.frameCount() == frames.size() && "one tag buffer per figure frame");
    if (tags.frameCount() != frames.size())
        return io::writeFailure(path + ": the movie's frames do not match the "
                                       "figure's frames");

    const std::uint64_t frameCount = movieFrameCount(frames, framesPerSecond);
    if (frameCount > maxMovieFrames)
        return io::writeFailure("SWF: the movie needs " + std::to_string(frameCount) +
                                " frames, more than the limit of " +
                                std::to_string(maxMovieFrames));

    MoviePlan plan;
    plan.firstFrames = firstMovieFrames(frames, framesPerSecond);
    plan.slots = movieFrameSlots(plan.firstFrames, frameCount);
    appendMovieHeader(plan.header, frameRect, framesPerSecond,
                      static_cast<std::uint16_t>(frameCount));
    const std::optional<std::uint64_t> size = movieBytes(plan.header, tags, plan.slots);
    if (!size)
        return io::writeFailure("SWF: the movie is larger than the limit of " +
                                std::to_string(maxMovieBytes) + " bytes");
    if (*size > maxMovieBytes) return io::writeFailure(tooLargeMessage(*size));
    plan.bytes = *size;
    return plan;
}

void setFirstMovieFrames(std::vector<model::Frame>& frames, const MoviePlan& plan)
{
    for (std::size_t frame = 0; frame < frames.size(); ++frame)
        frames[frame].firstMovieFrame = static_cast<std::uint32_t>(std::min<std::uint64_t>(
            plan.firstFrames[frame], std::numeric_limits<std::uint32_t>::max()));
}

} // namespace

void appendMovieHeader(ByteBuffer& buffer, const TwipsRect& frameRect,
                       std::uint32_t framesPerSecond, std::uint16_t frameCount)
{
    const std::uint8_t signature[] = {'F', 'W', 'S', 6};
    buffer.appendBytes(signature);
    buffer.appendUi32(headerBytes); // FileLength, patched when the file is complete
    appendRect(buffer, frameRect);
    buffer.appendUi16(static_cast<std::uint16_t>((framesPerSecond & 0xFF) << 8)); // 8.8
    buffer.appendUi16(frameCount);
}

void appendSetBackgroundColor(ByteBuffer& buffer, std::uint32_t argb)
{
    appendTagHeader(buffer, TagCode::SetBackgroundColor, 3);
    buffer.appendByte(static_cast<std::uint8_t>((argb >> 16) & 0xFF));
    buffer.appendByte(static_cast<std::uint8_t>((argb >> 8) & 0xFF));
    buffer.appendByte(static_cast<std::uint8_t>(argb & 0xFF));
}

io::WriteResult writeSwfFile(const std::string& path, const SwfTagList& tags,
                             std::vector<model::Frame>& frames, const TwipsRect& frameRect,
                             std::uint32_t framesPerSecond)
{
    auto planned = planMovie(path, tags, frames, frameRect, framesPerSecond);
    if (auto* refusal = std::get_if<io::WriteResult>(&planned)) return *refusal;
    const MoviePlan& plan = std::get<MoviePlan>(planned);

    io::AtomicFile file(path);
    StagedWriter out(file);
    if (!writeMovie(out, plan.header, tags, plan.slots)) return file.failure();
    const io::WriteResult written = file.commit();
    if (!written.written) return written;
    setFirstMovieFrames(frames, plan);
    return written;
}

io::WriteResult buildSwfMovie(const std::string& path, const SwfTagList& tags,
                              std::vector<model::Frame>& frames, const TwipsRect& frameRect,
                              std::uint32_t framesPerSecond, std::vector<std::uint8_t>& movie)
{
    auto planned = planMovie(path, tags, frames, frameRect, framesPerSecond);
    if (auto* refusal = std::get_if<io::WriteResult>(&planned)) return *refusal;
    const MoviePlan& plan = std::get<MoviePlan>(planned);
    movie.clear();
    movie.reserve(plan.bytes);
    MemoryWriter out(movie);
    writeMovie(out, plan.header, tags, plan.slots);
    setFirstMovieFrames(frames, plan);
    return {true, {}};
}

} // namespace swf
