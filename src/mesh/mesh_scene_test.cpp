// Tests of the mesh scene on the recording surface, with positions worked out by hand:
// cot(π/8) = 2.4142136, so a point at (x, y) seen at depth d from the eye lands at
// x · 2.4142136 / d (÷ aspect) in normalised device coordinates.
#include "mesh/mesh_scene.h"

#include "render/recording_surface.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace mesh {
namespace {

using model::SubObject;
using model::SubObjectKind;
using render::SurfaceOperation;

model::PlotObject meshObject(model::ObjectType type, std::vector<SubObject> subObjects)
{
    model::PlotObject object;
    object.type = type;
    object.subObjects = std::move(subObjects);
    return object;
}

model::PlotObject box(const std::string& sizes, std::vector<SubObject> more = {})
{
    std::vector<std::string> p3;
    for (std::size_t start = 0; start <= sizes.size();) {
        const std::size_t comma = std::min(sizes.find(',', start), sizes.size());
        p3.push_back(sizes.substr(start, comma - start));
        start = comma + 1;
    }
    more.push_back({SubObjectKind::P3, p3});
    return meshObject(model::ObjectType::MeshB, std::move(more));
}

model::Figure dxFigure(std::int32_t width, std::int32_t height)
{
    model::Figure figure;
    figure.hasDirect3D = true;
    figure.clientWidth = width;
    figure.clientHeight = height;
    figure.frames.push_back({});
    return figure;
}

struct Drawing {
    std::vector<render::SurfaceRecord> lines;
    std::vector<render::SurfaceRecord> all;
    render::RectF bounds; // of every line's end points
};

Drawing draw(const model::Figure& figure, const std::vector<model::PlotObject>& objects)
{
    render::RecordingSurface surface;
    MeshScene scene;
    scene.drawMeshes(figure, objects, surface, {0, 0, figure.clientWidth, figure.clientHeight});
    Drawing drawing{{}, surface.records(), {}};
    float left = 1e9f, top = 1e9f, right = -1e9f, bottom = -1e9f;
    for (const render::SurfaceRecord& record : surface.records()) {
        if (record.operation != SurfaceOperation::DrawLine) continue;
        drawing.lines.push_back(record);
        for (const geom::Point2D& p : record.points) {
            left = std::min(left, p.x), right = std::max(right, p.x);
            top = std::min(top, p.y), bottom = std::max(bottom, p.y);
        }
    }
    drawing.bounds = {left, top, right - left, bottom - top};
    return drawing;
}

TEST(MeshScene, BoxesAppearWhereTheFixedCameraSeesThem)
{
    const SubObject quarterTurnAboutY{
        SubObjectKind::Transform3D,
        {"0", "0", "0", "1", "1", "1", "0", "0", "0", "0", "1.5707964", "0"}};
    struct Case {
        const char* name;
        model::Figure figure;
        model::PlotObject object;
        render::RectF expected; // bounds of the lines
    };
    const Case cases[] = {
        // The front face of the 2 × 2 × 2 box is 3 from the eye: ±0.8047379.
        {"cube", dxFigure(500, 500), box("2,2,2"), {48.81553f, 48.81553f, 402.36894f, 402.36894f}},
        // Aspect 2 halves x in device coordinates, so the face stays a square on screen.
        {"wide window",
         dxFigure(800, 400),
         box("2,2,2"),
         {239.05243f, 39.05243f, 321.89514f, 321.89514f}},
        // A flat bar, front face 3.75 from the eye: ±0.6437903 by ±0.1609476.
        {"bar",
         dxFigure(500, 500),
         box("2,0.5,0.5"),
         {89.05243f, 209.76311f, 321.89514f, 80.47379f}},
        // Turned a quarter about y the bar points at the eye: its near end is 3 away, ±0.25.
        {"turned bar",
         dxFigure(500, 500),
         box("2,0.5,0.5", {quarterTurnAboutY}),
         {199.70388f, 199.70388f, 100.59224f, 100.59224f}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Drawing drawing = draw(c.figure, {c.object});
        ASSERT_FALSE(drawing.all.empty());
        EXPECT_EQ(render::describe(drawing.all.front()),
                  "fillRectangle solid(FFFFFFFF) [0,0," + std::to_string(c.figure.clientWidth) +
                      "," + std::to_string(c.figure.clientHeight) + "]");
        EXPECT_EQ(drawing.lines.size(), 18u);
        EXPECT_NEAR(drawing.bounds.x, c.expected.x, 1e-3f);
        EXPECT_NEAR(drawing.bounds.y, c.expected.y, 1e-3f);
        EXPECT_NEAR(drawing.bounds.width, c.expected.width, 1e-3f);
        EXPECT_NEAR(drawing.bounds.height, c.expected.height, 1e-3f);
        EXPECT_EQ(drawing.lines.front().pen, (render::Pen{0xFF000000, 1, 0, std::nullopt}));
    }
}

TEST(MeshScene, DrawsEveryShownMeshAndNothingElse)
{
    const SubObject redPen{SubObjectKind::Pen, {"3", "0xFF0000"}};
    const SubObject inFrame1{SubObjectKind::At, {"1", "0", "0", "1"}};
    model::PlotObject hidden = box("1,1,1");
    hidden.hidden = true;
    const model::PlotObject missingFile =
        meshObject(model::ObjectType::MeshF, {{SubObjectKind::Name, {"no such mesh file.x"}}});
    struct Case {
        const char* name;
        std::vector<model::PlotObject> objects;
        std::size_t expectedLines;
    };
    const Case cases[] = {
        {"two boxes", {box("1,1,1"), box("1,2,3")}, 36},
        {"a hidden box", {hidden}, 0},
        {"a box in a frame the figure does not have", {box("1,1,1", {inFrame1})}, 0},
        {"a missing file", {missingFile}, 0},
        {"a negative size", {box("-1,1,1")}, 0},
        {"a 2D object", {meshObject(model::ObjectType::Rectangle, {})}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(draw(dxFigure(500, 500), c.objects).lines.size(), c.expectedLines);
    }
    const Drawing red = draw(dxFigure(500, 500), {box("1,1,1", {redPen})});
    ASSERT_FALSE(red.lines.empty());
    EXPECT_EQ(red.lines.front().pen, (render::Pen{0xFFFF0000, 1, 0, std::nullopt}));
}

TEST(MeshScene, ClipsWhatLiesBehindTheNearPlaneOrOutsideTheView)
{
    // The eye at z = −4 is inside this box; only what lies in front of it shows, within the
    // window.
    const Drawing drawing = draw(dxFigure(500, 300), {box("20,20,20")});
    EXPECT_FALSE(drawing.lines.empty());
    EXPECT_GE(drawing.bounds.x, 0);
    EXPECT_GE(drawing.bounds.y, 0);
    EXPECT_LE(drawing.bounds.x + drawing.bounds.width, 500.001f);
    EXPECT_LE(drawing.bounds.y + drawing.bounds.height, 300.001f);
}

} // namespace
} // namespace mesh
