// Save Image with BG Transparency: pixels of the figure's background colour become almost
// transparent.
#pragma once

#include <cstdint>
#include <span>

namespace render {

// The alpha given to background pixels: 1, not 0, so they stay barely present.
inline constexpr std::uint8_t backgroundAlpha = 1;

// Every pixel (ARGB, not premultiplied) whose red, green and blue equal those of `background`
// keeps them and gets alpha backgroundAlpha; other pixels stay as they are. Returns how many
// pixels changed.
std::size_t makeBackgroundTransparent(std::span<std::uint32_t> pixels, std::uint32_t background);

} // namespace render
