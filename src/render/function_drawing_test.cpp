// Tests of sampled functions: FUNCTION points through their axis, FUNCTION3A placed and
// projected, and FUNCTION3D grids of lines, cells and points.
#include "render/function_drawing.h"

#include "figure_drawing.h"
#include "geom/projection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>

namespace render {
namespace {

using Lines = std::vector<std::string>;
using testing_support::drawCommands;

// Lines and no ticks, from 0 to 10 on a 500 x 500 figure: 50 pixels per unit.
const std::string figure = "FIGURE 1 500 500";
const std::string tenAxis = "AXIS at(1) p4(0,10,20,0) p4(0,10,20,0)";

// Eye 10 units in front of the origin, f = -50 at z = 0.
const std::string spaceAxis = "AXIS at(1) p4(-1,1,5,0) p4(-1,1,5,0) p4(-1,1,5,0) "
                              "3dtransform(0,0,0,1,1,1,0,0,-10,0,0,0)";
const geom::Transform3D spaceView{0, 0, 0, 1, 1, 1, 0, 0, -10, 0, 0, 0};

Lines callsOf(const Lines& commands, std::string_view operation)
{
    Lines calls = drawCommands(commands).calls;
    std::erase_if(
        calls, [&](const std::string& call) { return call.find(operation) == std::string::npos; });
    return calls;
}

std::string number(float value)
{
    char text[32];
    return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

std::string described(std::initializer_list<geom::Point3D> points)
{
    std::string text;
    for (const geom::Point3D& point : points) {
        const geom::Point2D p = geom::project3D(spaceView, {0, 0, 500, 500}, point);
        text += " (" + number(p.x) + "," + number(p.y) + ")";
    }
    return text;
}

TEST(FunctionDrawing, DrawsEverySampleThroughTheAxis)
{
    const struct {
        std::string command;
        Lines expected;
    } cases[] = {
        // Six samples: the end of the range is passed by one step.
        {"FUNCTION at(1,0,1) n(\"x\") p2(0,1) p1(0.25)",
         {"drawPolyline pen(FF000000 w2) (0,500) (12.5,487.5) (25,475) (37.5,462.5) (50,450) "
          "(62.5,437.5)"}},
        // Projection type 1 draws (f(x), x).
        {"FUNCTION at(1,0,1) n(\"2*x\") p2(0,1) p1(0.5) p1(1)",
         {"drawPolyline pen(FF000000 w2) (0,500) (50,475) (100,450) (150,425)"}},
        // Values below 0.0001 are 0; 0.0002 is kept.
        {"FUNCTION at(1) n(\"0.00005\") p2(0,1) p1(0.5)",
         {"drawPolyline pen(FF000000 w2) (0,0) (0.5,0) (1,0) (1.5,0)"}},
        {"FUNCTION at(1) n(\"0.0002\") p2(0,0.5) p1(0.5)",
         {"drawPolyline pen(FF000000 w2) (0,2e-04) (0.5,2e-04) (1,2e-04)"}},
        // The spectrum of eight ones: sqrt(8) in the first bin.
        {"FUNCTION at(1) n(\"1\") p2(0,0.6) p1(0.1) p1(0) p1(1)",
         {"drawPolyline pen(FF000000 w2) (0,2.828427) (0.1,0) (0.2,0) (0.3,0) (0.4,0) (0.5,0) "
          "(0.6,0) (0.7,0)"}},
        // The line is broken where a value is not finite; a piece of one point draws nothing.
        {"FUNCTION at(1) n(\"1/x\") p2(-1,1) p1(1)",
         {"drawPolyline pen(FF000000 w2) (1,1) (2,0.5)"}},
        // Painted with the brush.
        {"FUNCTION at(1) n(\"x\") p2(0,1) p1(1) brush(solid,0xFF)",
         {"drawPolyline pen(FF000000 w2 fill=solid(FFFF0000)) (0,0) (1,1) (2,2)"}},
        // No spacing, a missing range or a range against the step: nothing.
        {"FUNCTION at(1) n(\"x\") p2(0,1) p1(0)", {}},
        {"FUNCTION at(1) n(\"x\") p1(1)", {}},
        {"FUNCTION at(1) n(\"x\") p2(1,0) p1(0.25)", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(callsOf({figure, tenAxis, c.command}, "drawPolyline"), c.expected) << c.command;
}

TEST(FunctionDrawing, MovesPointsByTheOwnTwoDReading)
{
    EXPECT_EQ(drawCommands({"FIGURE 1 100 100 0xFFFFFFFF - OWN2D",
                            "FUNCTION at(1) n(\"x\") p2(0,1) p1(1) transform(10,0,1,1,0,0,0)"})
                  .calls,
              (Lines{"beginContainer 1", "  scaleWorldTransform 1,1 prepend",
                     "  drawPolyline pen(FF000000 w2) (10,0) (11,1) (12,2)", "endContainer 1"}));
}

TEST(FunctionDrawing, PlacesFunction3AByItsProjectionType)
{
    // v = 2t at t = 0, 1, 2, on the axes the type names, projected with the axis's view.
    const struct {
        int type;
        std::initializer_list<geom::Point3D> placed;
    } cases[] = {
        {0, {{0, 0, 0}, {1, 2, 0}, {2, 4, 0}}}, {1, {{0, 0, 0}, {2, 1, 0}, {4, 2, 0}}},
        {2, {{0, 0, 0}, {1, 0, 2}, {2, 0, 4}}}, {3, {{0, 0, 0}, {2, 0, 1}, {4, 0, 2}}},
        {4, {{0, 0, 0}, {0, 1, 2}, {0, 2, 4}}}, {5, {{0, 0, 0}, {0, 2, 1}, {0, 4, 2}}},
        {6, {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
    };
    for (const auto& c : cases) {
        const std::string command = "FUNCTION3A at(1,0,1) n(\"2*x\") p2(0,1) p1(1) p1(" +
                                    std::to_string(c.type) + ") pen(1)";
        EXPECT_EQ(callsOf({figure, spaceAxis, command}, "drawPolyline"),
                  Lines{"drawPolyline pen(FF000000 w1)" + described(c.placed)})
            << c.type;
    }
}

TEST(FunctionDrawing, DrawsSurfaceGridsAsLinesCellsAndPoints)
{
    const std::string surface = "FUNCTION3D at(1,0,1) n(\"x+y\") p2(0,1) p2(0,1) p1(1) p1(1)";
    const auto point = [](int i, int j) {
        return geom::Point3D{static_cast<float>(i), static_cast<float>(j),
                             static_cast<float>(i + j)};
    };
    // 3 x 3 points: a line along x for each y, then one along y for each x.
    const Lines lines = drawCommands({figure, spaceAxis, surface}).calls;
    ASSERT_EQ(lines.size(), 3u + 6u); // the axis lines, then the grid
    EXPECT_EQ(lines[3],
              "drawPolyline pen(FF000000 w2)" + described({point(0, 0), point(1, 0), point(2, 0)}));
    EXPECT_EQ(lines[5],
              "drawPolyline pen(FF000000 w2)" + described({point(0, 2), point(1, 2), point(2, 2)}));
    EXPECT_EQ(lines[6],
              "drawPolyline pen(FF000000 w2)" + described({point(0, 0), point(0, 1), point(0, 2)}));

    // The second BRUSH fills the four cells in grid order before the lines, which the first
    // BRUSH paints.
    const Lines filled =
        drawCommands({figure, spaceAxis, surface + " brush(solid,0xFF) brush(solid,0xFF00)"}).calls;
    ASSERT_EQ(filled.size(), 3u + 4u + 6u);
    EXPECT_EQ(filled[3],
              "fillPolygon solid(FF00FF00) alternate" +
                  described({point(0, 0), point(1, 0), point(1, 1), point(0, 1), point(0, 0)}));
    EXPECT_EQ(filled[6].substr(0, 37), "fillPolygon solid(FF00FF00) alternate");
    EXPECT_EQ(filled[7].substr(0, 50), "drawPolyline pen(FF000000 w2 fill=solid(FFFF0000))");

    // Points: circles of the point size, outlined without a brush; lines and points: circles,
    // then the lines.
    const Lines points = callsOf({figure, spaceAxis, surface + " p1(0) p1(1) p1(4)"}, "Ellipse");
    ASSERT_EQ(points.size(), 9u);
    const geom::Point2D origin = geom::project3D(spaceView, {0, 0, 500, 500}, point(0, 0));
    EXPECT_EQ(points[0], "drawEllipse pen(FF000000 w2) [" + number(origin.x - 2) + "," +
                             number(origin.y - 2) + ",4,4]");
    const Lines both = drawCommands({figure, spaceAxis, surface + " p1(0) p1(2)"}).calls;
    ASSERT_EQ(both.size(), 3u + 9u + 6u);
    EXPECT_EQ(both[3].substr(0, 11), "drawEllipse");
    EXPECT_EQ(both[12].substr(0, 12), "drawPolyline");
    EXPECT_TRUE(drawCommands({figure, spaceAxis, surface + " p1(0) p1(3)"}).calls.size() == 3u);

    // The grid of the range -0.5 to 0.5 in steps of 0.1: 12 x 12 points.
    EXPECT_EQ(callsOf({figure, spaceAxis,
                       "FUNCTION3D at(1,0,1) n(\"x*y\") p2(-0.5,0.5) p2(-0.5,0.5) p1(0.1) p1(0.1) "
                       "p1(0) p1(1)"},
                      "Ellipse")
                  .size(),
              144u);
}

TEST(FunctionDrawing, BreaksSurfaceLinesAtPointsOnTheEyePlane)
{
    // With the eye at z = -2, the grid point (0, 0, 2) of z = 2 - x - y lies on the eye plane:
    // its cell is left out, and both lines through it are broken there.
    const Lines calls =
        drawCommands({figure,
                      "AXIS at(1) p4(0,1,5,0) p4(0,1,5,0) p4(0,1,5,0) "
                      "3dtransform(0,0,0,1,1,1,0,0,-2,0,0,0)",
                      "FUNCTION3D at(1,0,1) n(\"2-x-y\") p2(0,1) p2(0,1) p1(1) p1(1) "
                      "brush(solid,0) brush(solid,0xFF)"})
            .calls;
    const auto count = [&](std::string_view operation) {
        return std::count_if(calls.begin(), calls.end(), [&](const std::string& call) {
            return call.rfind(operation, 0) == 0;
        });
    };
    EXPECT_EQ(count("fillPolygon"), 3);  // one of the four cells touches it
    EXPECT_EQ(count("drawPolyline"), 6); // two of the six lines lose one end
    for (const std::string& call : calls)
        EXPECT_EQ(call.find("nan"), std::string::npos) << call;
}

} // namespace
} // namespace render
