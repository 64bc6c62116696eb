// Tests of the object dialogs' forms: command text from fields, fields read back, refusals.
#include "figure/object_form.h"

#include "lang/object_builder.h"

#include <gtest/gtest.h>

namespace figure {
namespace {

ObjectForm newForm(int menuId, FormPlacement placement = {1, 0, 0, 0})
{
    ObjectForm form(*objectKindForMenu(menuId));
    form.placement = placement;
    return form;
}

model::PlotObject typed(std::string_view line)
{
    model::PlotObject object;
    std::vector<std::string> rejected;
    lang::buildObject(line, object, rejected);
    return object;
}

TEST(ObjectForm, DefaultsGiveTheCommandTextOfEachMenuCommand)
{
    const std::pair<int, std::string> cases[] = {
        {301, "RECTANGLE at(1,0,0,0) p4(0,45,50%,50%)"},
        {302, "ELLIPSE at(1,0,0,0) p4(0,45,50%,50%)"},
        {309, "PIE at(1,0,0,0) p4(0,45,50%,50%) p2(0,270)"},
        {303, "AXIS at(1,0,0,0) p4(-3,10,1,1) p4(-3,10,1,1)"},
        {403, "AXIS at(1,0,0,0) p4(-3,10,1,1) p4(-3,10,1,1) p4(-3,10,1,1)"},
        {304, "POINT at(1,0,0,0) p3(0,0,3) p1(0)"},
        {404, "POINT3 at(1,0,0,0) p4(0,0,0,3) p1(0)"},
        {305, "FUNCTION at(1,0,0,0) p2(-1,10) p1(0.02) n(\"sin(2*x*pi)\") p1(0) p1(0)"},
        {306, "FUNCTION3A at(1,0,0,0) p2(-1,10) p1(0.02) n(\"0.2*sin(10*pi*x)\") p1(0) p1(0)"},
        {406, "FUNCTION3D at(1,0,0,0) p2(-0.5,0.5) p1(0.1) p2(-0.5,0.5) p1(0.1) p1(0) p1(0) "
              "p1(4) n(\"x*(y^2)\")"},
        {307, "TEXT at(1,0,0,0) p2(0,0) p1(0) n(\"Hello there\")"},
        {311, "POLY at(1,0,0,0) p2(1%,1%,50%,50%,1%,50%,1%,1%)"},
        {312, "CURVE at(1,0,0,0) p2(10%,10%,50%,10%,50%,50%,50%,90%,90%,90%)"},
    };
    for (const auto& [menuId, expected] : cases) {
        const ObjectForm form = newForm(menuId);
        EXPECT_EQ(form.commandText(), expected) << menuId;
        EXPECT_TRUE(form.problems().empty()) << menuId;
        EXPECT_EQ(form.object(), typed(expected)) << menuId;
    }
    EXPECT_EQ(newForm(511).object().subObjects[1].arguments.size(), 64u);
}

TEST(ObjectForm, FieldsAndPlacementGoWhereTheyBelong)
{
    ObjectForm pie = newForm(309, {2, 0, 2, 0});
    pie.setValue(*pie.rowOf(802), "90");
    EXPECT_EQ(pie.commandText(), "PIE at(2,0,2,0) p4(0,45,50%,50%) p2(0,90)");

    ObjectForm point = newForm(304);
    point.setValue(*point.rowOf(105), "a label");
    point.setValue(*point.rowOf(201), "1");
    EXPECT_EQ(point.commandText(), "POINT at(1,0,0,0) p3(0,0,3) p1(1) n(\"a label\")");

    ObjectForm poly3 = newForm(411);
    poly3.setValue(0, "1 2 3 4 5 6 7"); // cut down to whole points
    EXPECT_EQ(poly3.commandText(), "POLY3 at(1,0,0,0) p3(1,2,3,4,5,6)");

    ObjectForm image = newForm(310);
    image.setValue(*image.rowOf(105), "my picture.png");
    EXPECT_EQ(image.commandText(), "IMAGE at(1,0,0,0) p4(0,0) n(\"my picture.png\")");

    ObjectForm styled = newForm(301);
    styled.subObject(model::SubObjectKind::Pen, 0).arguments = {"3", "255", "0"};
    styled.subObject(model::SubObjectKind::Brush, 1).arguments = {"solid", "0xFF"};
    EXPECT_EQ(styled.commandText(),
              "RECTANGLE at(1,0,0,0) p4(0,45,50%,50%) pen(3,255,0) brush() brush(solid,0xFF)");
}

TEST(ObjectForm, RefusesWhatTheInterpreterWouldReadDifferentlyOrNotDraw)
{
    const struct {
        int menuId;
        int field;
        std::string text;
    } cases[] = {
        {305, 103, "0"},          // a step of 0
        {305, 103, "-0.1"},       // a negative step
        {305, 101, "abc"},        // letters in a number
        {305, 102, "-1"},         // an empty range
        {305, 100, ""},           // no expression
        {305, 100, "sin(\"x\")"}, // quotes would unbalance the line
        {305, 103, "0.0000001"},  // more samples than the limit
        {406, 103, "0.000001"},   // more grid points than the limit
        {303, 101, "-3 10"},      // fine: from and to are enough ...
        {303, 101, "10 -3 1 1"},  // ... but not an empty range
        {303, 102, "-3 10 0 1"},  // a spacing of 0
        {303, 102, "0 1e9 1 1"},  // more ticks than the limit
        {301, 101, "5%%"},        {311, 101, "1% 2% x"}, {310, 104, "10"}, // h without w
        {307, 105, "it's"},
    };
    for (const auto& [menuId, field, text] : cases) {
        ObjectForm form = newForm(menuId);
        form.setValue(*form.rowOf(field), text);
        const bool fine = menuId == 303 && text == "-3 10";
        EXPECT_EQ(form.problems().empty(), fine) << menuId << " " << field << " " << text;
    }
}

TEST(ObjectForm, EditingShowsThreeDecimalsAndWritesBackUnchangedText)
{
    const std::string lines[] = {
        "FUNCTION at(1,0,1,0) p2(-1,10) p1(0.02) n(\"sin(2*x*pi)\") p1(1) p1(0) pen(2,0xFF0000)",
        "function at(1,0,1,0) n(\"x\") p2(0,1) p1(0.1)",
        "AXIS at(1,0,0,0) pen(2) p4(-0.1,9,1,1) p4(-1.2,1.2,0.5,2) font(Arial,8)",
        "POLY4 at(3,1,0,2) p4(0,0,0,0,1,1,1,1)",
        "TEXT at(1,0,0,0) p2(10%,20) p1(0) n(\"Hello there\") font(\"Times New Roman\",12)",
        "PIE at(1,0,0,0) p4(0,45,50%,50%) p2(0,270) brush(solid,0xFF)",
    };
    for (const std::string& line : lines) {
        const std::optional<ObjectForm> form = ObjectForm::forObject(typed(line));
        ASSERT_TRUE(form) << line;
        EXPECT_EQ(form->commandText(), line) << line;
    }
    ObjectForm text = *ObjectForm::forObject(typed(lines[4]));
    EXPECT_EQ(text.value(0), "10.000%");
    EXPECT_EQ(text.value(1), "20.000");
    text.setValue(1, "25");
    EXPECT_EQ(text.commandText(),
              "TEXT at(1,0,0,0) p2(10%,25) p1(0) n(\"Hello there\") font(\"Times New Roman\",12)");

    ObjectForm axis = *ObjectForm::forObject(typed(lines[2]));
    EXPECT_EQ(axis.value(1), "-1.200 1.200 0.500 2.000");
    EXPECT_EQ(axis.placement, (FormPlacement{1, 0, 0, 0}));
    EXPECT_FALSE(ObjectForm::forObject(typed("CHART at(1) p1(1,2,3)")));
}

TEST(ObjectForm, PlacementChoicesFollowTheFigure)
{
    model::Figure figure;
    figure.layers.resize(2);
    figure.frames.resize(3);
    figure.objects = {typed("AXIS at(1)"), typed("POINT at(1)"),
                      typed("AXIS at(1) p4(-2.5,4,1,1)")};
    EXPECT_EQ(placementChoices(figure),
              (PlacementChoices{{"None", "1", "2"}, {"None", "1", "2"}, {"0", "1", "2"}}));
    EXPECT_EQ(axisXRange(figure, 2), (std::array<std::string, 2>{"-2.500", "4.000"}));
    EXPECT_FALSE(axisXRange(figure, 1)); // no P4
    EXPECT_FALSE(axisXRange(figure, 3));
}

} // namespace
} // namespace figure
