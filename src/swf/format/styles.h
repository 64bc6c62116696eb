// Line and fill styles of DefineShape3, made from the pens and brushes of the draw pass, and the
// RGBA colour they are written in.
#pragma once

#include "scene/style.h"
#include "swf/format/byte_buffer.h"
#include "swf/format/matrix.h"

#include <cstdint>
#include <optional>
#include <span>
#include <variant>
#include <vector>

namespace swf {

struct Rgba {
    std::uint8_t red = 0, green = 0, blue = 0, alpha = 0;
    bool operator==(const Rgba&) const = default;
};

// An ARGB colour as the movie writes it: an alpha of 0 becomes 255.
Rgba rgbaOf(std::uint32_t argb);

void appendRgba(ByteBuffer& buffer, const Rgba& colour);

struct LineStyle {
    std::uint16_t width = 0; // twips
    Rgba colour;
    bool operator==(const LineStyle&) const = default;
};

struct GradientRecord {
    std::uint8_t ratio = 0;
    Rgba colour;
    bool operator==(const GradientRecord&) const = default;
};

struct SolidFill {
    Rgba colour;
    bool operator==(const SolidFill&) const = default;
};

struct LinearGradientFill {
    SwfMatrix matrix;
    std::vector<GradientRecord> records;
    bool operator==(const LinearGradientFill&) const = default;
};

using FillStyle = std::variant<SolidFill, LinearGradientFill>;

// The gradient records sit at these ratios, not at 0 and 255.
inline constexpr std::uint8_t firstGradientRatio = 150;
inline constexpr std::uint8_t secondGradientRatio = 200;

// Width: the pen width truncated to whole pixels, times 20 (0 for negative widths, saturating at
// 65535 twips); colour: the pen's solid colour, opaque black for other fills.
LineStyle lineStyleOf(const render::Pen& pen);

// No brush: transparent black (the shape is not filled). Solid: its colour. Hatch: its
// foreground colour. Gradient: its two colours at the ratios above, with the brush's own
// transform as the gradient's MATRIX (the identity when it has none).
FillStyle fillStyleOf(const std::optional<render::Brush>& brush);

// Style arrays: a count byte (0xFF and a UI16 from 255 styles on), then the styles.
void appendLineStyles(ByteBuffer& buffer, std::span<const LineStyle> styles);
void appendFillStyles(ByteBuffer& buffer, std::span<const FillStyle> styles);

// The count of a style array.
void appendStyleCount(ByteBuffer& buffer, std::size_t count);

} // namespace swf
