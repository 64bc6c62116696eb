// The display list of one export: the shapes placed so far, so that frames which clear the
// picture can remove them again.
#pragma once

#include <cstdint>
#include <vector>

namespace swf {

// Transient shapes disappear at the next removal pass; the others stay until a clearing frame.
enum class Transience { Stays, Transient };

struct SwfDisplayEntry {
    std::uint16_t characterId = 0; // also its depth
    std::uint32_t figureFrame = 0; // the figure frame it was placed in
    Transience transience = Transience::Stays;
    bool operator==(const SwfDisplayEntry&) const = default;
};

using SwfDisplayList = std::vector<SwfDisplayEntry>;

} // namespace swf
