// Background pixels made almost transparent.
#include "render/background_transparency.h"

namespace render {

std::size_t makeBackgroundTransparent(std::span<std::uint32_t> pixels, std::uint32_t background)
{
    constexpr std::uint32_t colourBits = 0x00FFFFFF;
    const std::uint32_t target = background & colourBits;
    std::size_t changed = 0;
    for (std::uint32_t& pixel : pixels) {
        if ((pixel & colourBits) != target) continue;
        pixel = std::uint32_t{backgroundAlpha} << 24 | target;
        ++changed;
    }
    return changed;
}

} // namespace render
