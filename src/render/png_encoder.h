// PNG files from 32-bit pixels, tuned for plots: mostly one background colour, thin lines and
// text. A picture of at most 256 colours is written with a palette; any other as RGB, or RGBA
// when some pixel is not opaque. Every row is filtered against the row above, and the whole
// picture is compressed at once with libdeflate. Decoding gives back exactly the pixels given.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace render {

// Pixels as 0xAARRGGBB words (alpha not premultiplied), `stride` words from one row to the next.
struct PngPixels {
    int width = 0;
    int height = 0;
    std::span<const std::uint32_t> pixels; // at least stride * (height - 1) + width words
    std::size_t stride = 0;
    int dotsPerMetre = 0; // written as the physical pixel size when positive
};

// The PNG file of `picture`; width and height must be positive.
std::vector<std::uint8_t> encodePng(const PngPixels& picture);

} // namespace render
