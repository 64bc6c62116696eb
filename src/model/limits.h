// Bounds the program sets where a value would otherwise allocate without end or freeze it.
// Every limit here is named in the message that refuses it and listed in the README.
#pragma once

#include <cstdint>

namespace model {

// Frames one figure may hold (FRAME, FRAMES, the recorder, movie export).
inline constexpr std::uint32_t maxFramesPerFigure = 100000;
// Width and height of a figure's client area, in pixels.
inline constexpr std::int32_t maxFigureSide = 10000;

} // namespace model
