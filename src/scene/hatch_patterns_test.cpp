// Tests of the hatch bitmaps.
#include "scene/hatch_patterns.h"

#include <gtest/gtest.h>

#include <bit>
#include <set>

namespace render {
namespace {

int setPixels(const HatchBitmap& bitmap)
{
    int count = 0;
    for (const std::uint8_t row : bitmap)
        count += std::popcount(row);
    return count;
}

TEST(HatchPatterns, EveryStyleHasItsOwnPattern)
{
    std::set<HatchBitmap> seen;
    for (std::int32_t style = 0; style < hatchStyleCount; ++style) {
        const std::optional<HatchBitmap> bitmap = hatchPattern(style);
        ASSERT_TRUE(bitmap) << style;
        EXPECT_GT(setPixels(*bitmap), 0) << style;
        EXPECT_LT(setPixels(*bitmap), 64) << style;
        EXPECT_TRUE(seen.insert(*bitmap).second) << "style " << style << " repeats another";
    }
    EXPECT_EQ(hatchPattern(-1), std::nullopt);
    EXPECT_EQ(hatchPattern(53), std::nullopt);
}

TEST(HatchPatterns, LinesAndPercentagesLookLikeTheirNames)
{
    const std::pair<std::int32_t, HatchBitmap> lines[] = {
        {0, {0xFF, 0, 0, 0, 0, 0, 0, 0}},                       // horizontal
        {1, {0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80}},  // vertical
        {2, {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01}},  // forward diagonal
        {3, {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80}},  // backward diagonal
        {4, {0xFF, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80}},  // cross
        {12, {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55}}, // 50 percent
        {50, {0xF0, 0xF0, 0xF0, 0xF0, 0x0F, 0x0F, 0x0F, 0x0F}}, // large checker board
    };
    for (const auto& [style, expected] : lines)
        EXPECT_EQ(hatchPattern(style), expected) << style;

    const std::pair<std::int32_t, int> percentages[] = {
        {6, 3},   {7, 6},   {8, 13},  {9, 16},  {10, 19}, {11, 26},
        {12, 32}, {13, 38}, {14, 45}, {15, 48}, {16, 51}, {17, 58},
    };
    for (const auto& [style, pixels] : percentages)
        EXPECT_EQ(setPixels(*hatchPattern(style)), pixels) << style;
}

} // namespace
} // namespace render
