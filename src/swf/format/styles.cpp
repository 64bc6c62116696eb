// Line and fill styles.
#include "swf/format/styles.h"

#include <algorithm>
#include <cmath>

namespace swf {

namespace {

std::uint16_t widthTwipsOf(float width)
{
    if (!(width > 0)) return 0; // also NaN
    const float wholePixels = std::trunc(width);
    return static_cast<std::uint16_t>(std::min(wholePixels * 20.0f, 65535.0f));
}

} // namespace

Rgba rgbaOf(std::uint32_t argb)
{
    const auto alpha = static_cast<std::uint8_t>(argb >> 24);
    return {static_cast<std::uint8_t>((argb >> 16) & 0xFF),
            static_cast<std::uint8_t>((argb >> 8) & 0xFF), static_cast<std::uint8_t>(argb & 0xFF),
            alpha == 0 ? std::uint8_t{255} : alpha};
}

void appendRgba(ByteBuffer& buffer, const Rgba& colour)
{
    buffer.appendByte(colour.red);
    buffer.appendByte(colour.green);
    buffer.appendByte(colour.blue);
    buffer.appendByte(colour.alpha);
}

LineStyle lineStyleOf(const render::Pen& pen)
{
    return {widthTwipsOf(pen.width), rgbaOf(render::solidColourOf(pen))};
}

FillStyle fillStyleOf(const std::optional<render::Brush>& brush)
{
    if (!brush) return SolidFill{Rgba{0, 0, 0, 0}};
    if (const auto* solid = std::get_if<render::SolidBrush>(&*brush))
        return SolidFill{rgbaOf(solid->colour)};
    if (const auto* hatch = std::get_if<render::HatchBrush>(&*brush))
        return SolidFill{rgbaOf(hatch->foreground)};
    const auto& gradient = std::get<render::LinearGradientBrush>(*brush);
    return LinearGradientFill{swfMatrixOf(gradient.transform.value_or(geom::Matrix2D{})),
                              {{firstGradientRatio, rgbaOf(gradient.colour1)},
                               {secondGradientRatio, rgbaOf(gradient.colour2)}}};
}

void appendStyleCount(ByteBuffer& buffer, std::size_t count)
{
    if (count < 0xFF) {
        buffer.appendByte(static_cast<std::uint8_t>(count));
        return;
    }
    buffer.appendByte(0xFF);
    buffer.appendUi16(static_cast<std::uint16_t>(std::min<std::size_t>(count, 0xFFFF)));
}

void appendLineStyles(ByteBuffer& buffer, std::span<const LineStyle> styles)
{
    appendStyleCount(buffer, styles.size());
    for (const LineStyle& style : styles.first(std::min<std::size_t>(styles.size(), 0xFFFF))) {
        buffer.appendUi16(style.width);
        appendRgba(buffer, style.colour);
    }
}

void appendFillStyles(ByteBuffer& buffer, std::span<const FillStyle> styles)
{
    appendStyleCount(buffer, styles.size());
    for (const FillStyle& style : styles.first(std::min<std::size_t>(styles.size(), 0xFFFF))) {
        if (const auto* solid = std::get_if<SolidFill>(&style)) {
            buffer.appendByte(0x00);
            appendRgba(buffer, solid->colour);
            continue;
        }
        const auto& gradient = std::get<LinearGradientFill>(style);
        buffer.appendByte(0x10);
        appendMatrix(buffer, gradient.matrix);
        const std::size_t count = std::min<std::size_t>(gradient.records.size(), 15);
        buffer.appendByte(static_cast<std::uint8_t>(count)); // spread 0, interpolation 0
        for (const GradientRecord& record : std::span(gradient.records).first(count)) {
            buffer.appendByte(record.ratio);
            appendRgba(buffer, record.colour);
        }
    }
}

} // namespace swf
