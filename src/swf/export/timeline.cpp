// Timeline arithmetic of the movie writer.
#include "swf/export/timeline.h"

#include "swf/format/movie_limits.h"

#include <cassert>

namespace swf {

std::uint32_t framePeriodMs(std::uint32_t framesPerSecond)
{
    assert(framesPerSecond > 0 && "the frame rate is checked before");
    return 1000 / framesPerSecond;
}

std::uint64_t movieFrameCount(std::span<const model::Frame> frames, std::uint32_t framesPerSecond)
{
    std::uint64_t totalDelay = 0;
    for (std::size_t index = 1; index < frames.size(); ++index)
        totalDelay += frames[index].delayMs;
    const double exact =
        static_cast<double>(totalDelay) / (1000.0 / static_cast<double>(framesPerSecond));
    const auto count = static_cast<std::uint64_t>(static_cast<float>(exact));
    return count == 0 ? 1 : count;
}

std::vector<std::uint64_t> firstMovieFrames(std::span<const model::Frame> frames,
                                            std::uint32_t framesPerSecond)
{
    const std::uint64_t period = framePeriodMs(framesPerSecond);
    std::vector<std::uint64_t> first;
    first.reserve(frames.size());
    std::uint64_t index = 0;
    for (std::size_t frame = 0; frame < frames.size(); ++frame) {
        if (frame > 0) index += (frames[frame].delayMs + period - 1) / period;
        first.push_back(index);
    }
    return first;
}

std::vector<std::int64_t> movieFrameSlots(std::span<const std::uint64_t> firstFrames,
                                          std::uint64_t frameCount)
{
    assert(frameCount <= maxMovieFrames && "the frame count is checked before");
    std::vector<std::int64_t> slots(frameCount, -1);
    for (std::size_t frame = 0; frame < firstFrames.size(); ++frame)
        if (firstFrames[frame] < frameCount)
            slots[firstFrames[frame]] = static_cast<std::int64_t>(frame);
    return slots;
}

} // namespace swf
