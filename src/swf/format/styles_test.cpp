// Tests of line, fill and morph styles made from pens and brushes.
#include "swf/format/styles.h"

#include "swf/format/morph_styles.h"

#include <gtest/gtest.h>

#include <vector>

namespace swf {
namespace {

render::Pen penOf(std::uint32_t colour, float width)
{
    render::Pen pen;
    pen.colour = colour;
    pen.width = width;
    return pen;
}

std::vector<std::uint8_t> bytesOf(const ByteBuffer& buffer)
{
    return {buffer.bytes().begin(), buffer.bytes().end()};
}

TEST(Styles, LineStylesTakeWholePixelWidthsAndOpaqueColours)
{
    struct Case {
        render::Pen pen;
        LineStyle expected;
    };
    render::Pen hatched = penOf(0xFF00FF00, 3);
    hatched.fill = render::HatchBrush{1, 0xFF0000FF, 0xFFFFFFFF};
    render::Pen gradientFilled = penOf(0xFF00FF00, 2);
    gradientFilled.fill = render::LinearGradientBrush{{}, 0xFF102030, 0xFFFFFFFF, 0, {}};
    render::Pen solidFilled = penOf(0xFF00FF00, 1);
    solidFilled.fill = render::SolidBrush{0x80123456};
    const Case cases[] = {
        {penOf(0xFF000000, 2.7f), {40, {0, 0, 0, 255}}},
        {penOf(0x00FF0000, 1), {20, {255, 0, 0, 255}}}, // alpha 0 is written opaque
        {penOf(0x80FF0000, 0.5f), {0, {255, 0, 0, 128}}},
        {penOf(0xFF000000, 5000), {65535, {0, 0, 0, 255}}},
        {penOf(0xFF000000, -3), {0, {0, 0, 0, 255}}},
        {hatched, {60, {0, 0, 255, 255}}},         // as hatch fills: the foreground
        {gradientFilled, {40, {16, 32, 48, 255}}}, // a gradient: its first colour
        {solidFilled, {20, {0x12, 0x34, 0x56, 0x80}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(lineStyleOf(c.pen), c.expected) << c.pen.width;
}

TEST(Styles, FillStylesFollowTheBrush)
{
    render::LinearGradientBrush gradient;
    gradient.colour1 = 0xFFFF0000;
    gradient.colour2 = 0x000000FF;
    render::LinearGradientBrush transformed = gradient;
    transformed.transform = geom::Matrix2D{1, 0, 0, 1, 10, 5};

    struct Case {
        const char* name;
        std::optional<render::Brush> brush;
        std::vector<std::uint8_t> expected; // the style array: count, then the style
    };
    const Case cases[] = {
        {"no brush: transparent black", std::nullopt, {1, 0x00, 0, 0, 0, 0}},
        {"solid", render::SolidBrush{0xFF0000FF}, {1, 0x00, 0, 0, 255, 255}},
        {"hatch: its foreground",
         render::HatchBrush{5, 0x8000FF00, 0xFFFFFFFF},
         {1, 0x00, 0, 255, 0, 128}},
        {"gradient: identity MATRIX, two records at 150 and 200",
         gradient,
         {1, 0x10, 0x20, 0x00, 0x00, 0x00, 0x00, 0x02, 150, 255, 0, 0, 255, 200, 0, 0, 255, 255}},
        {"gradient with its own transform",
         transformed,
         {1, 0x10, 0x20, 0x01, 0x90, 0x00, 0xC8, 0x02, 150, 255, 0, 0, 255, 200, 0, 0, 255, 255}},
    };
    for (const Case& c : cases) {
        ByteBuffer buffer;
        const FillStyle style = fillStyleOf(c.brush);
        appendFillStyles(buffer, std::span(&style, 1));
        EXPECT_EQ(bytesOf(buffer), c.expected) << c.name;
    }
}

TEST(Styles, MorphStylesPairTheStartAndEndStyles)
{
    const std::optional<render::Brush> red = render::SolidBrush{0xFFFF0000};
    const std::optional<render::Brush> blue = render::SolidBrush{0x800000FF};
    const std::optional<render::Brush> hatch = render::HatchBrush{0, 0xFF00FF00, 0xFF000000};
    const std::optional<render::Brush> gradient = render::LinearGradientBrush{};
    const Rgba redRgba{255, 0, 0, 255};
    const Rgba transparent{0, 0, 0, 0};

    struct Case {
        const char* name;
        std::optional<render::Brush> start, end;
        MorphFillStyle expected;
    };
    const Case cases[] = {
        {"solid to solid", red, blue, MorphSolidFill{redRgba, {0, 0, 255, 128}}},
        {"a missing brush: transparent", red, std::nullopt,
         MorphSolidFill{transparent, transparent}},
        {"solid to gradient: the start colour again", red, gradient,
         MorphSolidFill{redRgba, redRgba}},
        {"hatch to solid: the foreground", hatch, red, MorphSolidFill{{0, 255, 0, 255}, redRgba}},
        {"gradient to solid: transparent", gradient, red, MorphSolidFill{transparent, transparent}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(morphFillStyleOf(c.start, c.end), c.expected) << c.name;

    const MorphFillStyle gradients = morphFillStyleOf(gradient, gradient);
    ASSERT_TRUE(std::holds_alternative<MorphLinearGradientFill>(gradients));
    EXPECT_EQ(std::get<MorphLinearGradientFill>(gradients).records.size(), 2u);

    ByteBuffer lines;
    const MorphLineStyle line = morphLineStyleOf(penOf(0xFF000000, 1), penOf(0x0000FF00, 3.9f));
    appendMorphLineStyles(lines, std::span(&line, 1));
    EXPECT_EQ(bytesOf(lines),
              (std::vector<std::uint8_t>{1, 20, 0, 60, 0, 0, 0, 0, 255, 0, 255, 0, 255}));
}

} // namespace
} // namespace swf
