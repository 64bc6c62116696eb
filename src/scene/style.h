// Drawing styles as plain values: pens, brushes, fonts and string formats. Colours are ARGB
// (0xAARRGGBB) here; the two written colour layouts are converted when the styles are built.
#pragma once

#include "geom/matrix2d.h"

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

namespace render {

struct RectF {
    float x = 0, y = 0, width = 0, height = 0;
    bool operator==(const RectF&) const = default;
};

struct SolidBrush {
    std::uint32_t colour = 0xFF000000; // ARGB
    bool operator==(const SolidBrush&) const = default;
};

struct HatchBrush {
    std::int32_t style = 0; // hatch style number, 0 horizontal lines (53 styles, 0..52)
    std::uint32_t foreground = 0xFF000000;
    std::uint32_t background = 0xFF000000;
    bool operator==(const HatchBrush&) const = default;
};

struct LinearGradientBrush {
    RectF rect; // the gradient spans this rectangle and tiles beyond it
    std::uint32_t colour1 = 0xFF000000;
    std::uint32_t colour2 = 0xFF000000;
    float angle = 0; // degrees, clockwise in device space; not scaled with the rectangle
    std::optional<geom::Matrix2D> transform; // the "full gradient matrix" form
    bool operator==(const LinearGradientBrush&) const = default;
};

using Brush = std::variant<SolidBrush, HatchBrush, LinearGradientBrush>;

// Dash styles by number: 0 Solid, 1 Dash, 2 Dot, 3 DashDot, 4 DashDotDot; others draw solid.
enum class DashStyle : std::int32_t { Solid = 0, Dash = 1, Dot = 2, DashDot = 3, DashDotDot = 4 };

// How a line's ends and corners are shaped: flat ends and mitred corners (the figures' own), or
// round ones (as movie players stroke).
enum class LineEnds { Flat, Round };

struct Pen {
    std::uint32_t colour = 0xFF000000; // ARGB
    float width = 1;                   // device units; 0 is the thinnest visible line
    std::int32_t dashStyle = 0;        // a DashStyle value, passed on as typed
    std::optional<Brush> fill;         // brush-stroked lines are painted with this brush
    LineEnds ends = LineEnds::Flat;

    bool operator==(const Pen&) const = default;
};

// The pen's colour as the movie writer reads it, the colour its lines show on screen: the pen's
// own colour when it has no fill, else the fill's colour as movie fills take it (a hatch's
// foreground; a gradient's first colour, which its movie fill shows over most of its span).
std::uint32_t solidColourOf(const Pen& pen);

// Font style bits.
inline constexpr std::int32_t fontBold = 1;
inline constexpr std::int32_t fontItalic = 2;
inline constexpr std::int32_t fontUnderline = 4;
inline constexpr std::int32_t fontStrikeout = 8;

// Font size units: 0 world, 1 display, 2 pixel, 3 point, 4 inch, 5 document, 6 millimetre.
enum class FontUnit : std::int32_t {
    World = 0,
    Display = 1,
    Pixel = 2,
    Point = 3,
    Inch = 4,
    Document = 5,
    Millimetre = 6
};

struct Font {
    std::string family;     // empty for the system's default GUI font
    float size = 0;         // em size, in `unit`
    std::int32_t style = 0; // fontBold | fontItalic | fontUnderline | fontStrikeout
    std::int32_t unit = 3;  // a FontUnit value, passed on as typed
    bool operator==(const Font&) const = default;
};

// String format flags (layout of drawn text): 1 right to left, 2 vertical, 0x1000 no wrap,
// 0x2000 line limit, 0x4000 no clip, and the others of the platform's set.
struct StringFormat {
    std::int32_t flags = 0;
    bool operator==(const StringFormat&) const = default;
};

} // namespace render
