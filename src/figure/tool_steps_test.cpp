// Tests of tool steps, the Origin tool, wheel zoom and the mouse: the transforms they write.
#include "figure/tool_steps.h"

#include "figure/pointer_input.h"
#include "model/object_views.h"
#include "model/transforms.h"

#include <gtest/gtest.h>

#include <cmath>

namespace figure {
namespace {

using model::SubObjectKind;

model::PlotObject objectWith(std::vector<model::SubObject> subObjects, bool selected)
{
    model::PlotObject object;
    object.type = model::ObjectType::Rectangle;
    object.subObjects = std::move(subObjects);
    object.selected = selected;
    return object;
}

std::string subObjectText(const model::PlotObject& object, SubObjectKind kind)
{
    const model::SubObject* sub = model::findSubObject(object, kind, 0);
    if (!sub) return "none";
    std::string text;
    for (const std::string& argument : sub->arguments)
        text += (text.empty() ? "" : ",") + argument;
    return text;
}

constexpr KeyModifiers plain{};
constexpr KeyModifiers ctrl{true, false, false};
constexpr KeyModifiers shift{false, true, false};
constexpr KeyModifiers both{true, true, false};

TEST(ToolSteps, WriteTheExactTransformTextIntoTheTargets)
{
    const model::SubObject matrix{SubObjectKind::Transform, {"2", "0", "0", "2", "10", "20"}};
    const model::SubObject shortOwn{SubObjectKind::Transform, {"5", "6"}};
    const model::SubObject deep{SubObjectKind::Transform3D, {"1", "2", "3", "2", "2", "2"}};
    struct Case {
        std::string name;
        bool own2d;
        std::vector<model::SubObject> subObjects;
        ToolStep step;
        SubObjectKind kind;
        std::string expected;
    };
    const Case cases[] = {
        {"Move 3D Left appends the step",
         false,
         {},
         {1451, 0, plain, {}},
         SubObjectKind::Transform3D,
         "0.000000,0.000000,0.000000,1.000000,1.000000,1.000000,-0.500000,0.000000,0.000000,"
         "0.000000,0.000000,0.000000"},
        {"Rotate 3D with Shift",
         false,
         {},
         {1463, 0, shift, {}},
         SubObjectKind::Transform3D,
         "0.000000,0.000000,0.000000,1.000000,1.000000,1.000000,0.000000,0.000000,0.000000,"
         "0.005556,0.000000,0.000000"},
        {"Scale 3D with Ctrl and Shift: Ctrl wins",
         false,
         {deep},
         {1476, 0, both, {}},
         SubObjectKind::Transform3D,
         "1.000000,2.000000,3.000000,2.000000,2.000000,1.333333,0.000000,0.000000,0.000000,"
         "0.000000,0.000000,0.000000"},
        {"Move 3D by a parameter of 250",
         false,
         {deep},
         {1452, 250, plain, {}},
         SubObjectKind::Transform3D,
         "1.000000,2.000000,3.000000,2.000000,2.000000,2.000000,0.000000,2.500000,0.000000,"
         "0.000000,0.000000,0.000000"},
        {"Reset 3D",
         false,
         {deep},
         {1500, 0, plain, {}},
         SubObjectKind::Transform3D,
         "0.000000,0.000000,0.000000,1.000000,1.000000,1.000000,0.000000,0.000000,0.000000,"
         "0.000000,0.000000,0.000000"},
        {"Move 2D Right: the matrix applies first",
         false,
         {matrix},
         {1403, 0, plain, {}},
         SubObjectKind::Transform,
         "2.000000,0.000000,0.000000,2.000000,60.000000,20.000000"},
        {"Scale 2D zoom out with Shift",
         false,
         {matrix},
         {1446, 0, shift, {}},
         SubObjectKind::Transform,
         "1.980198,0.000000,0.000000,1.980198,9.900990,19.801981"},
        {"Rotate 2D Right by a click turns 1 degree",
         false,
         {},
         {1412, clickMarker, plain, {}},
         SubObjectKind::Transform,
         "0.999848,0.017452,-0.017452,0.999848,0.000000,0.000000"},
        {"Reset 2D writes the identity",
         false,
         {matrix},
         {1450, 0, plain, {}},
         SubObjectKind::Transform,
         "1.000000,0.000000,0.000000,1.000000,0.000000,0.000000"},
        {"Own 2D appends deltas and the origin click",
         true,
         {},
         {1404, 0, ctrl, {7, 8}},
         SubObjectKind::Transform,
         "0.000000,5.000000,1.000000,1.000000,0.000000,7.000000,8.000000"},
        {"Own 2D reads missing numbers as 0",
         true,
         {shortOwn},
         {1441, 0, plain, {}},
         SubObjectKind::Transform,
         "5.000000,6.000000,0.000000,0.000000,0.000000,0.000000,0.000000"},
        {"Own 2D rotation adds the angle",
         true,
         {shortOwn},
         {1411, 0, ctrl, {}},
         SubObjectKind::Transform,
         "5.000000,6.000000,0.000000,0.000000,-5.000000,0.000000,0.000000"},
    };
    for (const Case& c : cases) {
        model::Figure figure;
        figure.clientWidth = 500;
        figure.own2d = c.own2d;
        figure.objects = {objectWith(c.subObjects, false), objectWith(c.subObjects, true)};
        EXPECT_TRUE(applyToolStep(figure, c.step)) << c.name;
        EXPECT_EQ(subObjectText(figure.objects[1], c.kind), c.expected) << c.name;
        EXPECT_EQ(figure.objects[0].subObjects, c.subObjects) << c.name; // not selected
        EXPECT_TRUE(figure.viewTransform.isIdentity()) << c.name;
    }
}

TEST(ToolSteps, WithoutSelectionMoveTheView)
{
    struct Case {
        std::vector<ToolStep> steps;
        geom::Matrix2D expected;
    };
    const Case cases[] = {
        {{{1403, 0, plain, {}}}, {1, 0, 0, 1, 50, 0}},
        {{{1403, 0, ctrl, {}}}, {1, 0, 0, 1, 5, 0}},
        {{{1403, 0, shift, {}}}, {1, 0, 0, 1, 1, 0}},
        {{{1403, 0, both, {}}}, {1, 0, 0, 1, 1, 0}},
        {{{1402, 3, plain, {}}, {1401, 7, plain, {}}}, {1, 0, 0, 1, -7, -3}},
        {{{1445, 0, plain, {}}, {1403, 0, plain, {}}}, {1.5f, 0, 0, 1.5f, 75, 0}},
        {{{1403, 0, plain, {}}, {1450, 0, plain, {}}}, {}},
    };
    for (const Case& c : cases) {
        model::Figure figure;
        figure.clientWidth = 500;
        figure.objects = {objectWith({}, false)};
        for (const ToolStep& step : c.steps)
            applyToolStep(figure, step);
        EXPECT_EQ(figure.viewTransform, c.expected) << c.steps.size() << " " << c.steps[0].id;
        EXPECT_TRUE(figure.objects[0].subObjects.empty());
    }
}

TEST(ToolSteps, OppositeScaleStepsCancel)
{
    for (const auto& [there, back] : {std::pair{1441, 1443}, {1445, 1446}, {1471, 1473}}) {
        model::Figure figure;
        figure.objects = {objectWith({}, true)};
        applyToolStep(figure, {there, 0, plain, {}});
        applyToolStep(figure, {back, 0, plain, {}});
        const model::Transform3D deep = model::transform3DOf(figure.objects[0]);
        const geom::Matrix2D flat =
            model::transformMatrixOf(figure.objects[0]).value_or(geom::Matrix2D{});
        EXPECT_NEAR(flat.m11 * flat.m22 * deep.scaleX, 1.0f, 1e-6f) << there;
    }
    model::Figure figure;
    EXPECT_FALSE(applyToolStep(figure, {1405, 0, plain, {}}));
}

TEST(ToolSteps, OriginToolAndWheelZoomKeepWhatIsOnScreen)
{
    model::Figure figure;
    figure.clientWidth = 500;
    figure.objects = {objectWith({}, false)};
    applyToolStep(figure, {1445, 0, plain, {}});
    applyToolStep(figure, {1404, 0, plain, {}});
    const geom::Matrix2D view = figure.viewTransform;
    applyOriginTool(figure, {30, 40});
    const geom::Matrix2D written = *model::transformMatrixOf(figure.objects[0]);
    EXPECT_EQ(written,
              (geom::Matrix2D{view.m11, view.m12, view.m21, view.m22, view.dx - 30, view.dy - 40}));

    // The point under the cursor stays where it is on screen.
    const geom::Point2D p{100, 2}; // lands on a whole pixel
    const auto onScreen = [&] {
        return figure.viewTransform.map(model::transformMatrixOf(figure.objects[0])->map(p));
    };
    const geom::Point2D before = onScreen();
    zoomAbout(figure, {static_cast<std::int32_t>(before.x), static_cast<std::int32_t>(before.y)},
              1.25f);
    EXPECT_NEAR(onScreen().x, before.x, 0.01f);
    EXPECT_NEAR(onScreen().y, before.y, 0.01f);

    figure.own2d = true;
    const auto unchanged = figure.objects;
    applyOriginTool(figure, {1, 1});
    EXPECT_EQ(figure.objects, unchanged);
}

TEST(PointerInput, ButtonsAndDragsPostTheStepsOfTheTool)
{
    struct Case {
        Tool tool;
        MouseButton button;
        std::vector<PixelPoint> moves;
        std::vector<PostedStep> expected;
        bool contextMenu;
    };
    const Case cases[] = {
        {Tool::Move2D, MouseButton::Left, {{93, 97}}, {{1402, 3}, {1401, 7}}, false},
        {Tool::Move2D, MouseButton::Left, {{100, 104}, {102, 104}}, {{1404, 4}, {1403, 2}}, false},
        {Tool::Move3D, MouseButton::Left, {{120, 130}}, {}, false},
        {Tool::Scale2D, MouseButton::Left, {}, {{1445, 0}}, false},
        {Tool::Scale2D, MouseButton::Right, {}, {{1446, 0}}, false},
        {Tool::Rotate2D, MouseButton::Left, {{110, 100}}, {{1411, clickMarker}}, false},
        {Tool::Rotate2D, MouseButton::Right, {}, {{1412, clickMarker}}, false},
        {Tool::Cross, MouseButton::Right, {}, {}, true},
        {Tool::Scale3D, MouseButton::Right, {}, {}, true},
    };
    for (const Case& c : cases) {
        WindowState state;
        state.tool = c.tool;
        PointerResponse response = mouseDown(state, c.button, {100, 100});
        EXPECT_EQ(response.contextMenu, c.contextMenu);
        for (const PixelPoint move : c.moves) {
            const PointerResponse moved = mouseMove(state, move);
            response.steps.insert(response.steps.end(), moved.steps.begin(), moved.steps.end());
        }
        EXPECT_EQ(response.steps, c.expected) << static_cast<int>(c.tool);
        mouseUp(state);
        EXPECT_TRUE(mouseMove(state, {0, 0}).steps.empty());
    }

    WindowState origin;
    origin.tool = Tool::Origin;
    EXPECT_TRUE(mouseDown(origin, MouseButton::Left, {5, 6}).originTool);
    EXPECT_EQ(origin.originClick, (PixelPoint{5, 6}));
    mouseDown(origin, MouseButton::Right, {5, 6});
    EXPECT_EQ(origin.originClick, (PixelPoint{0, 0}));
}

} // namespace
} // namespace figure
