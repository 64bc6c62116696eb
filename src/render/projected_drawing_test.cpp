// Tests of the 3D and 4D objects: each projected and drawn like its 2D form.
#include "render/projected_drawing.h"

#include "figure_drawing.h"

#include <gtest/gtest.h>

namespace render {
namespace {

using Lines = std::vector<std::string>;

// The eye 4 units in front: (x, y, 0) lands on (250 + 125 x, 250 - 125 y).
const std::string view = " 3dtransform(0,0,0,1,1,1,0,0,-4,0,0,0)";

Lines calls(const std::string& object)
{
    return testing_support::drawCommands({"FIGURE 1 500 500", object}).calls;
}

TEST(ProjectedDrawing, DrawsEachObjectLikeItsPlaneForm)
{
    const std::string square = " p3(0,0,0,1,0,0,1,1,0,0,1,0)"; // (250,250) (375,250) ...
    const struct {
        std::string object;
        Lines expected;
    } cases[] = {
        {"POINT3 at(1) p4(1,0,0,10)" + view, {"drawEllipse pen(FF000000 w2) [370,245,10,10]"}},
        {"POINT3 at(1) p4(1,0,0,10) brush(solid,0xFF)" + view,
         {"fillEllipse solid(FFFF0000) [370,245,10,10]"}},
        {"POLY3 at(1)" + square + view,
         {"drawPolyline pen(FF000000 w2) (250,250) (375,250) (375,125) (250,125)"}},
        {"POLY3 at(1)" + square + " brush(solid,0)" + view,
         {"fillPolygon solid(FF000000) alternate (250,250) (375,250) (375,125) (250,125)"}},
        {"BEZIER3 at(1)" + square + view,
         {"drawBezier pen(FF000000 w2) (250,250) (375,250) (375,125) (250,125)"}},
        {"BEZIER3 at(1) p3(0,0,0,1,0,0,1,1,0)" + view, {}},
        {"OCURVE3 at(1)" + square + " p1(0.5)" + view,
         {"drawCurve pen(FF000000 w2) tension=0.5 (250,250) (375,250) (375,125) (250,125)"}},
        {"CCURVE3 at(1)" + square + " brush(solid,0)" + view,
         {"fillClosedCurve solid(FF000000) tension=0 alternate (250,250) (375,250) (375,125) "
          "(250,125)"}},
        {"CCURVE3 at(1) p1(1)" + view, {}},
        // CURVE3: five points draw two segments, three or four one, two none.
        {"CURVE3 at(1) p3(0,0,0,1,0,0)" + view, {}},
        {"CURVE3 at(1)" + square + view,
         {"drawBezier pen(FF000000 w2) (250,250) (375,250) (375,250) (375,125)"}},
        {"CURVE3 at(1) p3(0,0,0,1,0,0,1,1,0,0,1,0,0,0,0)" + view,
         {"drawBezier pen(FF000000 w2) (250,250) (375,250) (375,250) (375,125)",
          "drawBezier pen(FF000000 w2) (375,125) (250,125) (250,125) (250,250)"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(calls(c.object), c.expected) << c.object;
}

TEST(ProjectedDrawing, MarksFourDPointsWithCirclesThroughTheFourDStep)
{
    // (1, 0, 0, 2) becomes (1, 0, 0) and (1, 1, 1, 1) becomes (2, 2, 2); w = 0 goes nowhere.
    const std::string poly4 = "POLY4 at(1) p4(1,0,0,2,1,1,1,1,1,1,1,0)" + view;
    const Lines expected = {"drawEllipse pen(FF000000 w2) [373,248,4,4]",
                            "drawEllipse pen(FF000000 w2) [748,-252,4,4]"};
    EXPECT_EQ(calls(poly4), expected);
    // The 4D transform changes nothing, and what follows is drawn.
    EXPECT_EQ(testing_support::drawCommands(
                  {"FIGURE 1 500 500", poly4 + " 4dtransform(1,2,3,4,5,6,7,8,9,1,2,3,4,5,6,7)",
                   "RECTANGLE at(1) p4(1,2,3,4)"})
                  .calls,
              (Lines{expected[0], expected[1], "drawRectangle pen(FF000000 w2) [1,2,3,4]"}));
}

TEST(ProjectedDrawing, BreaksLinesAtPointsOnTheEyePlane)
{
    // With the eye at z = -2, the point (0, 0, 2) cannot be projected.
    const std::string eye = " 3dtransform(0,0,0,1,1,1,0,0,-2,0,0,0)";
    EXPECT_EQ(calls("POLY3 at(1) p3(0,0,0,1,0,0,0,0,2,0,1,0,1,1,0)" + eye),
              (Lines{"drawPolyline pen(FF000000 w2) (250,250) (500,250)",
                     "drawPolyline pen(FF000000 w2) (250,0) (500,0)"}));
    EXPECT_EQ(calls("POINT3 at(1) p4(0,0,2,5)" + eye), Lines{});
    EXPECT_EQ(calls("CURVE3 at(1) p3(0,0,0,1,0,0,0,0,2,0,1,0,1,1,0)" + eye), Lines{});
}

} // namespace
} // namespace render
