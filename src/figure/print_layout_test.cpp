// Paper sizes, print rectangles and scales.
#include "figure/print_layout.h"

#include <gtest/gtest.h>

namespace figure {
namespace {

TEST(PrintLayout, PaperSizeIsThePageInTwelfthsOfTenthInches)
{
    struct Case {
        std::int32_t width, height, dpiX, dpiY;
        std::optional<PaperSize> expected;
    };
    const Case cases[] = {
        {4960, 7016, 600, 600, PaperSize{992, 1403}}, // A4 at 600 dpi: 8.27 x 11.69 inches
        {5100, 6600, 600, 600, PaperSize{1020, 1320}}, // Letter
        {850, 1100, 100, 100, PaperSize{1020, 1320}},
        {7, 7, 600, 600, PaperSize{1, 1}},  // 16.8 rounds to 17, / 12 truncates to 1
        {5, 5, 600, 600, PaperSize{1, 1}},  // 12
        {4, 4, 600, 600, PaperSize{0, 0}},  // 9.6 rounds to 10
        {100, 100, 0, 600, std::nullopt},   // no resolution
        {-100, 100, 600, 600, std::nullopt},
    };
    for (const Case& test : cases)
        EXPECT_EQ(paperSizeOf(test.width, test.height, test.dpiX, test.dpiY), test.expected)
            << test.width << " x " << test.height << " at " << test.dpiX;
    EXPECT_EQ(mulDiv(-7, 1, 2), -4); // halves away from zero
    EXPECT_EQ(mulDiv(2'000'000'000, 1440, 1), std::nullopt);
}

TEST(PrintLayout, RectangleAndScaleFollowTheChosenArea)
{
    const PaperSize a4{992, 1403};
    EXPECT_EQ(printRectangle(PrintArea::PaperSize, a4, 500, 400), (geom::LayerRect{0, 0, 992, 1403}));
    EXPECT_EQ(printRectangle(PrintArea::OneToOne, a4, 500, 400), (geom::LayerRect{0, 0, 500, 400}));
    EXPECT_DOUBLE_EQ(printScale(PrintArea::PaperSize, 600), 5);
    EXPECT_DOUBLE_EQ(printScale(PrintArea::OneToOne, 600), 6.25);
    EXPECT_EQ(sizeText(992, 1403), "992x1403");
}

} // namespace
} // namespace figure
