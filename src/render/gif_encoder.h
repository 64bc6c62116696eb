// Animated GIF files from palette indices: one global palette, the looping extension, and each
// picture as a rectangle drawn over the one before. The LZW compression looks codes up in a
// direct table, and the pictures are compressed on several threads at once.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace render {

struct GifColour {
    std::uint8_t red = 0, green = 0, blue = 0;
    bool operator==(const GifColour&) const = default;
};

// One picture: its rectangle on the screen, how long it shows and its indices row by row.
struct GifPicture {
    int left = 0, top = 0, width = 0, height = 0;
    int delayCs = 0;                       // centiseconds, 0 to 65535
    std::span<const std::uint8_t> indices; // width * height, each below the palette's size
};

// The LZW image data of `indices` (the code size byte, the data in blocks, the empty block)
// appended to `out`; `minCodeSize` is the palette's bits per index, at least 2.
void appendGifImageData(std::vector<std::uint8_t>& out, std::span<const std::uint8_t> indices,
                        int minCodeSize);

// A GIF89a file of `width` x `height` pixels (1 to 65535) that loops for ever; `palette` holds
// 1 to 256 colours and is padded to a power of two.
std::vector<std::uint8_t> encodeGifAnimation(int width, int height,
                                             std::span<const GifColour> palette,
                                             std::span<const GifPicture> pictures);

} // namespace render
