// Background pixels made almost transparent.
#include "render/background_transparency.h"

#include <gtest/gtest.h>

#include <vector>

namespace render {
namespace {

TEST(BackgroundTransparency, OnlyPixelsOfTheBackgroundsColourGetAlphaOne)
{
    struct Case {
        std::uint32_t background;
        std::vector<std::uint32_t> pixels, expected;
    };
    const Case cases[] = {
        // White figure: every pure white pixel, also inside objects, whatever its alpha.
        {0xFFFFFFFF,
         {0xFFFFFFFF, 0xFFFFFFFE, 0x80FFFFFF, 0xFF000000},
         {0x01FFFFFF, 0xFFFFFFFE, 0x01FFFFFF, 0xFF000000}},
        // The background's own alpha does not matter, only its red, green and blue.
        {0x00336699, {0xFF336699, 0xFF336698}, {0x01336699, 0xFF336698}},
    };
    for (const Case& test : cases) {
        std::vector<std::uint32_t> pixels = test.pixels;
        makeBackgroundTransparent(pixels, test.background);
        EXPECT_EQ(pixels, test.expected);
    }
}

} // namespace
} // namespace render
