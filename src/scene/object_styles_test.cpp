// Tests of pens, brushes and fonts built from sub-objects, and of both colour readings.
#include "scene/object_styles.h"

#include "lang/tokenizer.h"
#include "render/recording_surface.h"

#include <gtest/gtest.h>

namespace render {
namespace {

model::SubObject parse(std::string_view token)
{
    const std::vector<std::string> pieces = lang::splitSubObject(token);
    return lang::parseSubObject(pieces);
}

TEST(ObjectStyles, PenColoursAreARGBWithAlphaZeroOpaque)
{
    const std::pair<std::string, std::string> cases[] = {
        {"", "pen(FF000000 w2)"}, // no PEN at all
        {"pen()", "pen(FF000000 w1)"},
        {"pen(2,0xFF0000)", "pen(FFFF0000 w2)"},
        {"pen(2,0x80FF0000)", "pen(80FF0000 w2)"},
        {"pen(2,0)", "pen(FF000000 w2)"},
        {"pen(2.7)", "pen(FF000000 w2)"},
        {"pen(0.5,255,2)", "pen(FF0000FF w0 dash2)"},
        {"pen(3,0x00FF00,4.9)", "pen(FF00FF00 w3 dash4)"},
        {"pen(1,0,7)", "pen(FF000000 w1 dash7)"}, // passed on; the surface draws it solid
    };
    for (const auto& [text, expected] : cases) {
        const model::SubObject sub = parse(text);
        EXPECT_EQ(describe(CreateObjectPen(text.empty() ? nullptr : &sub)), expected) << text;
    }
}

TEST(ObjectStyles, BrushColoursHaveRedLowestAndInvertedAlpha)
{
    const geom::LayerRect layer{0, 0, 500, 400};
    const std::pair<std::string, std::string> cases[] = {
        {"brush(solid,0xFF0000)", "solid(FF0000FF)"},
        {"brush(solid,0xFF0000FF)", "solid(00FF0000)"},
        {"brush(SOLID,255)", "solid(FFFF0000)"},
        {"brush(solid,0x80000000)", "solid(7F000000)"},
        {"brush(hatch,0xFF)", "hatch(0 FFFF0000 FF000000)"},
        {"brush(hatch,0xFF00,0xFFFFFF,12.8)", "hatch(12 FF00FF00 FFFFFFFF)"},
        {"brush(gradient,0xFF,0xFF0000,90)", "gradient([0,0,500,400] FFFF0000 FF0000FF 90)"},
        {"brush(gradient,0xFF,0xFF0000,2,0,0,1,10,20)",
         "gradient([0,0,500,400] FFFF0000 FF0000FF 0 matrix(2,0,0,1,10,20))"},
        {"brush(dots,255)", "none"},
        {"brush(hatch,255,0,53)", "none"}, // the surface has styles 0 to 52
        {"brush(hatch,255,0,-1)", "none"},
    };
    for (const auto& [text, expected] : cases) {
        const model::SubObject sub = parse(text);
        const std::optional<Brush> brush = CreateObjectBrush(&sub, layer);
        EXPECT_EQ(brush ? describe(*brush) : "none", expected) << text;
    }
    EXPECT_EQ(CreateObjectBrush(nullptr, layer), std::nullopt);

    // The second colour defaults to 0: opaque black (a brush with too few arguments for the
    // command line can still come from elsewhere).
    const model::SubObject fewArguments{model::SubObjectKind::Brush, {"gradient", "0xFF"}};
    EXPECT_EQ(describe(*CreateObjectBrush(&fewArguments, layer)),
              "gradient([0,0,500,400] FFFF0000 FF000000 0)");
}

TEST(ObjectStyles, GradientsFollowTheLayerRectangle)
{
    const model::SubObject sub = parse("brush(gradient,0xFF,0xFF0000,45)");
    const std::optional<Brush> inLayer = CreateObjectBrush(&sub, {10, 20, 30, 40});
    ASSERT_TRUE(inLayer);
    EXPECT_EQ(std::get<LinearGradientBrush>(*inLayer).rect, (RectF{10, 20, 30, 40}));
    EXPECT_EQ(CreateObjectBrush(&sub, {10, 20, 0, 40}), std::nullopt); // no area, no brush
}

TEST(ObjectStyles, FontsKeepFamilySizeStyleAndUnit)
{
    const std::pair<std::string, Font> cases[] = {
        {"font(Tahoma,10)", {"Tahoma", 10, 0, 3}},
        {"font(Arial,12,1,2)", {"Arial", 12, 1, 2}},
        {"font(\"Times New Roman\",9.5,3.9,6)", {"Times New Roman", 9.5f, 3, 6}},
        {"font(NoSuchFamily,12)", {"NoSuchFamily", 12, 0, 3}},
    };
    for (const auto& [text, expected] : cases) {
        const model::SubObject sub = parse(text);
        EXPECT_EQ(CreateObjectFont(&sub), expected) << text;
    }
    EXPECT_EQ(CreateObjectFont(nullptr), Font{});
}

} // namespace
} // namespace render
