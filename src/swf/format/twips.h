// Twips, the movie's unit of length: one pixel is 20 twips.
#pragma once

#include <compare>
#include <cstdint>

namespace swf {

inline constexpr std::int32_t twipsPerPixel = 20;

struct Twips {
    std::int32_t value = 0;
    auto operator<=>(const Twips&) const = default;
};

inline Twips operator+(Twips a, Twips b)
{
    return {a.value + b.value};
}
inline Twips operator-(Twips a, Twips b)
{
    return {a.value - b.value};
}

struct TwipsPoint {
    Twips x, y;
    bool operator==(const TwipsPoint&) const = default;
};

struct TwipsRect {
    Twips xMin, xMax, yMin, yMax;
    bool operator==(const TwipsRect&) const = default;
};

// pixels × 20 in single precision, truncated toward zero; beyond the 32-bit range the value
// saturates and NaN gives 0.
Twips twipsFromPixels(float pixels);

// The rectangle (left, top, right, bottom) in pixels, each side times 20.
TwipsRect twipsRectFromPixels(std::int32_t left, std::int32_t top, std::int32_t right,
                              std::int32_t bottom);

} // namespace swf
