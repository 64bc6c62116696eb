// The 53 hatch styles of hatch brushes as 8 x 8 bitmaps, numbered as the command language numbers
// them (0 horizontal lines ... 52 solid diamonds).
#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace render {

inline constexpr std::int32_t hatchStyleCount = 53;

// Eight rows from the top; in each row bit 7 is the leftmost pixel. A set bit is painted in the
// foreground colour, a clear bit in the background colour. The pattern repeats every 8 pixels.
using HatchBitmap = std::array<std::uint8_t, 8>;

// The bitmap of a hatch style, or none for a number outside 0 to 52.
std::optional<HatchBitmap> hatchPattern(std::int32_t style);

} // namespace render
