// The hatch bitmaps: line families computed, textures drawn by hand.
#include "scene/hatch_patterns.h"

#include <string_view>

namespace render {
namespace {

using Picture = std::array<std::string_view, 8>; // '#' foreground, '.' background

constexpr HatchBitmap fromPicture(const Picture& picture)
{
    HatchBitmap rows{};
    for (std::size_t row = 0; row < 8; ++row)
        for (std::size_t column = 0; column < 8; ++column)
            if (picture[row][column] == '#') rows[row] |= static_cast<std::uint8_t>(0x80 >> column);
    return rows;
}

constexpr std::uint8_t column(int index)
{
    return static_cast<std::uint8_t>(0x80 >> (((index % 8) + 8) % 8));
}

// Lines falling to the right ("\"), `spacing` pixels apart and `thickness` pixels wide.
constexpr HatchBitmap fallingLines(int spacing, int thickness)
{
    HatchBitmap rows{};
    for (int row = 0; row < 8; ++row)
        for (int start = 0; start < 8; start += spacing)
            for (int t = 0; t < thickness; ++t)
                rows[static_cast<std::size_t>(row)] |= column(start + row + t);
    return rows;
}

// Lines rising to the right ("/").
constexpr HatchBitmap risingLines(int spacing, int thickness)
{
    HatchBitmap rows{};
    for (int row = 0; row < 8; ++row)
        for (int start = 0; start < 8; start += spacing)
            for (int t = 0; t < thickness; ++t)
                rows[static_cast<std::size_t>(row)] |= column(start + 7 - row + t);
    return rows;
}

// Every row the same: vertical lines.
constexpr HatchBitmap everyRow(std::uint8_t bits)
{
    HatchBitmap rows{};
    for (std::uint8_t& row : rows)
        row = bits;
    return rows;
}

// Full rows where `mask` has a bit (bit 0 is the top row): horizontal lines.
constexpr HatchBitmap fullRows(std::uint8_t mask)
{
    HatchBitmap rows{};
    for (std::size_t row = 0; row < 8; ++row)
        if (mask & (1u << row)) rows[row] = 0xFF;
    return rows;
}

constexpr HatchBitmap combined(const HatchBitmap& a, const HatchBitmap& b)
{
    HatchBitmap rows{};
    for (std::size_t row = 0; row < 8; ++row)
        rows[row] = static_cast<std::uint8_t>(a[row] | b[row]);
    return rows;
}

// An even spread of `count` pixels out of 64, by an ordered-dither threshold matrix.
constexpr HatchBitmap percentage(int count)
{
    constexpr std::array<std::array<int, 8>, 8> threshold = {{
        {0, 32, 8, 40, 2, 34, 10, 42},
        {48, 16, 56, 24, 50, 18, 58, 26},
        {12, 44, 4, 36, 14, 46, 6, 38},
        {60, 28, 52, 20, 62, 30, 54, 22},
        {3, 35, 11, 43, 1, 33, 9, 41},
        {51, 19, 59, 27, 49, 17, 57, 25},
        {15, 47, 7, 39, 13, 45, 5, 37},
        {63, 31, 55, 23, 61, 29, 53, 21},
    }};
    HatchBitmap rows{};
    for (std::size_t row = 0; row < 8; ++row)
        for (std::size_t col = 0; col < 8; ++col)
            if (threshold[row][col] < count) rows[row] |= static_cast<std::uint8_t>(0x80 >> col);
    return rows;
}

// Pixels set at (row, row) and (row, -row): diagonal lines crossing on a single pixel.
constexpr HatchBitmap diamondOutline()
{
    HatchBitmap rows{};
    for (int row = 0; row < 8; ++row)
        rows[static_cast<std::size_t>(row)] = static_cast<std::uint8_t>(column(row) | column(-row));
    return rows;
}

constexpr std::array<HatchBitmap, hatchStyleCount> patterns = {
    fullRows(0x01),                                  // 0 horizontal
    everyRow(0x80),                                  // 1 vertical
    fallingLines(8, 1),                              // 2 forward diagonal
    risingLines(8, 1),                               // 3 backward diagonal
    combined(fullRows(0x01), everyRow(0x80)),        // 4 cross
    combined(fallingLines(8, 1), risingLines(8, 1)), // 5 diagonal cross
    percentage(3),                                   // 6 5 percent
    percentage(6),                                   // 7 10 percent
    percentage(13),                                  // 8 20 percent
    percentage(16),                                  // 9 25 percent
    percentage(19),                                  // 10 30 percent
    percentage(26),                                  // 11 40 percent
    percentage(32),                                  // 12 50 percent
    percentage(38),                                  // 13 60 percent
    percentage(45),                                  // 14 70 percent
    percentage(48),                                  // 15 75 percent
    percentage(51),                                  // 16 80 percent
    percentage(58),                                  // 17 90 percent
    fallingLines(4, 1),                              // 18 light downward diagonal
    risingLines(4, 1),                               // 19 light upward diagonal
    fallingLines(4, 2),                              // 20 dark downward diagonal
    risingLines(4, 2),                               // 21 dark upward diagonal
    fallingLines(8, 3),                              // 22 wide downward diagonal
    risingLines(8, 3),                               // 23 wide upward diagonal
    everyRow(0x88),                                  // 24 light vertical
    fullRows(0x11),                                  // 25 light horizontal
    everyRow(0xAA),                                  // 26 narrow vertical
    fullRows(0x55),                                  // 27 narrow horizontal
    everyRow(0xCC),                                  // 28 dark vertical
    fullRows(0x33),                                  // 29 dark horizontal
    fromPicture({"........", "........", "........", "........", "#...#...", ".#...#..", "..#...#.",
                 "...#...#"}), // 30 dashed downward diagonal
    fromPicture({"........", "........", "........", "........", "...#...#", "..#...#.", ".#...#..",
                 "#...#..."}), // 31 dashed upward diagonal
    fromPicture({"####....", "........", "........", "........", "....####", "........", "........",
                 "........"}), // 32 dashed horizontal
    fromPicture({"#.......", "#.......", "#.......", "#.......", "....#...", "....#...", "....#...",
                 "....#..."}), // 33 dashed vertical
    fromPicture({"#.......", "....#...", "..#.....", "......#.", ".#......", ".....#..", "...#....",
                 ".......#"}), // 34 small confetti
    fromPicture({"##......", "##......", ".....##.", ".....##.", "...##...", "...##...", "#......#",
                 "#......#"}), // 35 large confetti
    fromPicture({"#......#", ".#....#.", "..#..#..", "...##...", "........", "........", "........",
                 "........"}), // 36 zigzag
    fromPicture({"........", ".##.....", "#..#...#", "....###.", "........", "........", "........",
                 "........"}), // 37 wave
    fromPicture({".......#", "......#.", ".....#..", "....#...", "...##...", "..#..#..", ".#....#.",
                 "#......#"}), // 38 diagonal brick
    fromPicture({"########", "#.......", "#.......", "#.......", "########", "....#...", "....#...",
                 "....#..."}), // 39 horizontal brick
    fromPicture({"#####.#.", "....#.#.", "#####.#.", "....#.#.", "#.#.####", "#.#.....", "#.#.####",
                 "#.#....."}), // 40 weave
    fromPicture({"#.#.#.#.", ".#.#.#.#", "#.#.#.#.", ".#.#.#.#", "####....", "####....", "####....",
                 "####...."}), // 41 plaid
    fromPicture({"...#....", "....#...", "...#....", "........", "#.......", ".......#", "#.......",
                 "........"}), // 42 divot
    fromPicture({"#.#.#.#.", "........", "#.......", "........", "#.......", "........", "#.......",
                 "........"}), // 43 dotted grid
    fromPicture({"#.......", "........", "..#...#.", "........", "....#...", "........", "..#...#.",
                 "........"}), // 44 dotted diamond
    fromPicture({"#......#", ".#....#.", "..####..", "........", "...##...", "..#..#..", "##....##",
                 "........"}), // 45 shingle
    fromPicture({"########", "#..##..#", "########", ".##..##.", "########", "#..##..#", "########",
                 ".##..##."}), // 46 trellis
    fromPicture({"..####..", ".#....#.", "#......#", "#.....##", "#....###", "#...####", ".######.",
                 "..####.."}),                // 47 sphere
    combined(fullRows(0x11), everyRow(0x88)), // 48 small grid
    fromPicture({"##..##..", "##..##..", "..##..##", "..##..##", "##..##..", "##..##..", "..##..##",
                 "..##..##"}), // 49 small checker board
    fromPicture({"####....", "####....", "####....", "####....", "....####", "....####", "....####",
                 "....####"}), // 50 large checker board
    diamondOutline(),          // 51 outlined diamond
    fromPicture({"...##...", "..####..", ".######.", "########", ".######.", "..####..", "...##...",
                 "........"}), // 52 solid diamond
};

} // namespace

std::optional<HatchBitmap> hatchPattern(std::int32_t style)
{
    if (style < 0 || style >= hatchStyleCount) return std::nullopt;
    return patterns[static_cast<std::size_t>(style)];
}

} // namespace render
