// The movie's timeline: at which movie frame each figure frame starts, and how many movie frames
// the figure's delays fill at a given frame rate.
#pragma once

#include "model/figure.h"

#include <cstdint>
#include <span>
#include <vector>

namespace swf {

// The frame's period in whole milliseconds: 1000 / rate (25 per second: 40 ms).
std::uint32_t framePeriodMs(std::uint32_t framesPerSecond);

// FrameCount: the delays of all frames but the first, divided by 1000.0 / rate, rounded to single
// precision and truncated; at least 1. Not limited to 16 bits: the caller refuses larger counts.
std::uint64_t movieFrameCount(std::span<const model::Frame> frames, std::uint32_t framesPerSecond);

// The first movie frame of each figure frame: frame 0 starts at 0, every later frame its
// delay / period (rounded up) after the frame before it. Rate 1 to 255.
std::vector<std::uint64_t> firstMovieFrames(std::span<const model::Frame> frames,
                                            std::uint32_t framesPerSecond);

// For each movie frame up to `frameCount`, the figure frame whose tags it shows: the last figure
// frame that starts there, or none (-1). The count is at most maxMovieFrames.
std::vector<std::int64_t> movieFrameSlots(std::span<const std::uint64_t> firstFrames,
                                          std::uint64_t frameCount);

} // namespace swf
