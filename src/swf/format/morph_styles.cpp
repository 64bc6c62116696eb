// Morph line and fill styles.
#include "swf/format/morph_styles.h"

#include <algorithm>

namespace swf {

namespace {

// The colour a brush fills with when it is read as one colour: solid and hatch brushes have one.
std::optional<Rgba> singleColourOf(const render::Brush& brush)
{
    if (const auto* solid = std::get_if<render::SolidBrush>(&brush)) return rgbaOf(solid->colour);
    if (const auto* hatch = std::get_if<render::HatchBrush>(&brush))
        return rgbaOf(hatch->foreground);
    return std::nullopt;
}

constexpr MorphSolidFill transparentMorphFill{Rgba{0, 0, 0, 0}, Rgba{0, 0, 0, 0}};

} // namespace

MorphLineStyle morphLineStyleOf(const render::Pen& start, const render::Pen& end)
{
    const LineStyle startStyle = lineStyleOf(start);
    const LineStyle endStyle = lineStyleOf(end);
    return {startStyle.width, endStyle.width, startStyle.colour, endStyle.colour};
}

MorphFillStyle morphFillStyleOf(const std::optional<render::Brush>& start,
                                const std::optional<render::Brush>& end)
{
    if (!start || !end) return transparentMorphFill;
    if (const std::optional<Rgba> startColour = singleColourOf(*start))
        return MorphSolidFill{*startColour, singleColourOf(*end).value_or(*startColour)};

    const auto& startGradient = std::get<render::LinearGradientBrush>(*start);
    const auto* endGradient = std::get_if<render::LinearGradientBrush>(&*end);
    if (!endGradient) return transparentMorphFill;
    return MorphLinearGradientFill{swfMatrixOf(startGradient.transform.value_or(geom::Matrix2D{})),
                                   swfMatrixOf(endGradient->transform.value_or(geom::Matrix2D{})),
                                   {{firstGradientRatio, rgbaOf(startGradient.colour1),
                                     firstGradientRatio, rgbaOf(endGradient->colour1)},
                                    {secondGradientRatio, rgbaOf(startGradient.colour2),
                                     secondGradientRatio, rgbaOf(endGradient->colour2)}}};
}

void appendMorphLineStyles(ByteBuffer& buffer, std::span<const MorphLineStyle> styles)
{
    appendStyleCount(buffer, styles.size());
    for (const MorphLineStyle& style : styles.first(std::min<std::size_t>(styles.size(), 0xFFFF))) {
        buffer.appendUi16(style.startWidth);
        buffer.appendUi16(style.endWidth);
        appendRgba(buffer, style.startColour);
        appendRgba(buffer, style.endColour);
    }
}

void appendMorphFillStyles(ByteBuffer& buffer, std::span<const MorphFillStyle> styles)
{
    appendStyleCount(buffer, styles.size());
    for (const MorphFillStyle& style : styles.first(std::min<std::size_t>(styles.size(), 0xFFFF))) {
        if (const auto* solid = std::get_if<MorphSolidFill>(&style)) {
            buffer.appendByte(0x00);
            appendRgba(buffer, solid->startColour);
            appendRgba(buffer, solid->endColour);
            continue;
        }
        const auto& gradient = std::get<MorphLinearGradientFill>(style);
        buffer.appendByte(0x10);
        appendMatrix(buffer, gradient.startMatrix);
        appendMatrix(buffer, gradient.endMatrix);
        const std::size_t count = std::min<std::size_t>(gradient.records.size(), 8);
        buffer.appendByte(static_cast<std::uint8_t>(count));
        for (const MorphGradientRecord& record : std::span(gradient.records).first(count)) {
            buffer.appendByte(record.startRatio);
            appendRgba(buffer, record.startColour);
            buffer.appendByte(record.endRatio);
            appendRgba(buffer, record.endColour);
        }
    }
}

} // namespace swf
