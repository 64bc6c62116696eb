// Tests of the timeline: first movie frames, FrameCount and which figure frame each movie frame
// shows, for the delays that round, share or fall beyond the movie.
#include "swf/export/timeline.h"

#include <gtest/gtest.h>

#include <vector>

namespace swf {
namespace {

std::vector<model::Frame> framesWithDelays(std::initializer_list<std::uint32_t> delays)
{
    std::vector<model::Frame> frames;
    for (std::uint32_t delay : delays) {
        model::Frame frame;
        frame.delayMs = delay;
        frames.push_back(frame);
    }
    return frames;
}

TEST(Timeline, PlacesFiguresFramesAtTheirMovieFrames)
{
    struct Case {
        const char* name;
        std::vector<model::Frame> frames;
        std::uint32_t rate;
        std::vector<std::uint64_t> first;
        std::uint64_t frameCount;
        std::vector<std::int64_t> slots;
    };
    const Case cases[] = {
        {"one frame", framesWithDelays({0}), 25, {0}, 1, {0}},
        {"one frame with a delay (frame 0's delay does not count)",
         framesWithDelays({500}),
         25,
         {0},
         1,
         {0}},
        {"0, 40, 40: frame 2 is beyond the movie",
         framesWithDelays({0, 40, 40}),
         25,
         {0, 1, 2},
         2,
         {0, 1}},
        {"0, 50, 50: rounded up, movie frame 1 empty",
         framesWithDelays({0, 50, 50}),
         25,
         {0, 2, 4},
         2,
         {0, -1}},
        {"0, 0, 100: frame 1 replaces frame 0",
         framesWithDelays({0, 0, 100}),
         25,
         {0, 0, 3},
         2,
         {1, -1}},
        {"30 per second: a 33 ms period",
         framesWithDelays({0, 100, 100}),
         30,
         {0, 4, 8},
         6,
         {0, -1, -1, -1, 1, -1}},
        {"255 per second", framesWithDelays({0, 10}), 255, {0, 4}, 2, {0, -1}},
    };
    for (const Case& c : cases) {
        const std::vector<std::uint64_t> first = firstMovieFrames(c.frames, c.rate);
        EXPECT_EQ(first, c.first) << c.name;
        const std::uint64_t count = movieFrameCount(c.frames, c.rate);
        EXPECT_EQ(count, c.frameCount) << c.name;
        EXPECT_EQ(movieFrameSlots(first, count), c.slots) << c.name;
    }
}

TEST(Timeline, CountsHugeDelaysWithoutWrapping)
{
    const std::vector<model::Frame> frames =
        framesWithDelays({0, 4000000000u, 4000000000u, 4000000000u});
    EXPECT_EQ(movieFrameCount(frames, 1), 12000000u);
    EXPECT_EQ(firstMovieFrames(frames, 1).back(), 12000000u);
}

} // namespace
} // namespace swf
