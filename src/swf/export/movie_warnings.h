// Warnings about what a written movie leaves out of its figure: objects in frames that start
// where the movie ends, and objects in later frames of a one-frame figure.
#pragma once

#include "model/figure.h"

#include <cstdint>
#include <string>
#include <vector>

namespace swf {

// For a figure as a movie at `framesPerSecond` was made from it (the frames the question added
// included): each frame that starts where the movie ends and holds something of an object, and a
// figure of fewer than two frames whose objects name later frames (the question was answered No).
std::vector<std::string> movieWarnings(const model::Figure& figure, std::uint32_t framesPerSecond);

} // namespace swf
