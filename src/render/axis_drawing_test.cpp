// Tests of axis systems: the exact lines, dots and numbers of 2D axes, the projected lines and
// dots of 3D axes, the records later objects are mapped through, and the limits.
#include "render/axis_drawing.h"

#include "figure_drawing.h"

#include <gtest/gtest.h>

namespace render {
namespace {

using Lines = std::vector<std::string>;
using testing_support::drawCommands;

TEST(AxisDrawing, DrawsTheTwoDExampleOnWholePixels)
{
    // x scale = y scale = 500 / 13; the x axis on row 384, the y axis in column 115; dots of
    // 8 at every 0.5 from -2.5 to 9.5, numbers with one decimal and none at 0, all in the
    // brush's blue.
    const Lines calls =
        drawCommands({"FIGURE 1 500 500", "AXIS at(1) pen(2,0xFF0000) brush(solid,0xFF0000) "
                                          "p4(-3,10,0.5,2) p4(-3,10,0.5,2)"})
            .calls;
    ASSERT_EQ(calls.size(), 100u); // per axis: a line, 25 dots and 24 numbers
    const std::string blue = "solid(FF0000FF)";
    const std::string pen = "pen(FFFF0000 w2 fill=" + blue + ")";
    EXPECT_EQ(calls[0], "drawLine " + pen + " (0,384) (500,384)");
    EXPECT_EQ(calls[1], "fillEllipse " + blue + " [15,380,8,8]");
    EXPECT_EQ(calls[2], "drawString \"-2.5\" font(default) " + blue + " [1,395,29,13] flags=0");
    EXPECT_EQ(calls[3], "fillEllipse " + blue + " [34,380,8,8]");
    EXPECT_EQ(calls[4], "drawString \"-2.0\" font(default) " + blue + " [20,395,29,13] flags=0");
    // The sixth tick is 0: a dot and no number.
    EXPECT_EQ(calls[11], "fillEllipse " + blue + " [111,380,8,8]");
    EXPECT_EQ(calls[12], "fillEllipse " + blue + " [130,380,8,8]");
    EXPECT_EQ(calls[13], "drawString \"0.5\" font(default) " + blue + " [120,395,22,13] flags=0");
    EXPECT_EQ(calls[48], "fillEllipse " + blue + " [476,380,8,8]");
    EXPECT_EQ(calls[49], "drawString \"9.5\" font(default) " + blue + " [466,395,22,13] flags=0");
    EXPECT_EQ(calls[50], "drawLine " + pen + " (115,0) (115,500)");
    EXPECT_EQ(calls[51], "fillEllipse " + blue + " [111,476,8,8]");
    EXPECT_EQ(calls[52], "drawString \"-2.5\" font(default) " + blue + " [87,470,29,13] flags=0");
    EXPECT_EQ(calls[98], "fillEllipse " + blue + " [111,15,8,8]");
    EXPECT_EQ(calls[99], "drawString \"9.5\" font(default) " + blue + " [91,9,22,13] flags=0");
}

TEST(AxisDrawing, KeepsNumbersInsideTheLayerAndOutlinesDotsWithoutABrush)
{
    // Numbers below the bottom edge move up to d - 5; numbers left of the left edge start at 0.
    EXPECT_EQ(drawCommands(
                  {"FIGURE 1 100 100", "AXIS at(1) pen(1) brush(solid,0) p4(0,4,1,1) p4(0,4,1,1)"})
                  .calls,
              (Lines{"drawLine pen(FF000000 w1 fill=solid(FF000000)) (0,100) (100,100)",
                     "fillEllipse solid(FF000000) [23,98,4,4]",
                     "drawString \"1\" font(default) solid(FF000000) [20,95,8,13] flags=0",
                     "fillEllipse solid(FF000000) [48,98,4,4]",
                     "drawString \"2\" font(default) solid(FF000000) [45,95,8,13] flags=0",
                     "fillEllipse solid(FF000000) [73,98,4,4]",
                     "drawString \"3\" font(default) solid(FF000000) [70,95,8,13] flags=0",
                     "drawLine pen(FF000000 w1 fill=solid(FF000000)) (0,0) (0,100)",
                     "fillEllipse solid(FF000000) [-2,73,4,4]",
                     "drawString \"1\" font(default) solid(FF000000) [0,67,8,13] flags=0",
                     "fillEllipse solid(FF000000) [-2,48,4,4]",
                     "drawString \"2\" font(default) solid(FF000000) [0,42,8,13] flags=0",
                     "fillEllipse solid(FF000000) [-2,23,4,4]",
                     "drawString \"3\" font(default) solid(FF000000) [0,17,8,13] flags=0"}));
    // Without a brush: outlined dots and no numbers. Without a second P4 the x axis lies on the
    // bottom edge.
    EXPECT_EQ(drawCommands({"FIGURE 1 100 100", "AXIS at(1) pen(1) p4(0,4,2,1)"}).calls,
              (Lines{"drawLine pen(FF000000 w1) (0,100) (100,100)",
                     "drawEllipse pen(FF000000 w1) [48,98,4,4]"}));
    // Only a second P4: the y axis on the left edge, its dots at whole rows.
    EXPECT_EQ(drawCommands({"FIGURE 1 100 100", "AXIS at(1) pen(1) p4(0,4,2,1,0) p4(0,4,2,1)"})
                  .calls.size(),
              4u);
}

TEST(AxisDrawing, WritesNumbersRoundedThenWithOneDecimalFewer)
{
    const struct {
        float value;
        std::int32_t numbering;
        std::string text;
    } cases[] = {
        {-2.5f, 2, "-2.5"},       {0.5f, 1, "0"}, // whole numbers truncate
        {1.5f, 1, "1"},           {-0.7f, 2, "-0.7"}, {9.5f, 3, "9.50"},
        {0.05f, 2, "0.1"},        // 0.0500000007 rounds to 0.05, which then rounds up
        {1.25f, 2, "1.2"},        // an exact half rounds to even
        {0.5f, -1, "0.500000"},   // a negative count of decimals writes six
        {3e9f, 1, "-2147483648"}, // beyond a whole number's range
        {2.0f, 0, "2.000000"},    // numbering 0 draws no numbers; the text would have six
    };
    for (const auto& c : cases)
        EXPECT_EQ(axisNumberText(c.value, c.numbering), c.text) << c.value << " " << c.numbering;
    EXPECT_EQ(axisNumberText(0.5f, 500).size(), 152u); // "0." and the limit of 150 decimals
}

TEST(AxisDrawing, ProjectsThreeDAxesWithTheirDotsAndNoNumbers)
{
    // Eye 4 units in front: f = -125 at z = 0. Ten steps of 0.2 give 9 dots per axis; the z axis
    // points at the eye and is drawn as a point.
    const Lines calls =
        drawCommands({"FIGURE 1 500 500",
                      "AXIS at(1) pen(1) brush(solid,0xFF) p4(-1,1,0.2,1) p4(-1,1,0.2,1) "
                      "p4(-1,1,0.2,1) 3dtransform(0,0,0,1,1,1,0,0,-4,0,0,0)"})
            .calls;
    ASSERT_EQ(calls.size(), 30u);
    const std::string pen = "pen(FF000000 w1 fill=solid(FFFF0000))";
    EXPECT_EQ(calls[0], "drawLine " + pen + " (125,250) (375,250)");
    EXPECT_EQ(calls[1], "fillEllipse solid(FFFF0000) [148,248,4,4]");
    EXPECT_EQ(calls[10], "drawLine " + pen + " (250,375) (250,125)");
    EXPECT_EQ(calls[20], "drawLine " + pen + " (250,250) (250,250)");
    EXPECT_EQ(calls[29], "fillEllipse solid(FFFF0000) [248,248,4,4]");

    // A tick on the eye plane is left out; the line through it stays.
    const Lines eyePlane =
        drawCommands({"FIGURE 1 500 500", "AXIS at(1) pen(1) p4(0,1,2,0) p4(0,1,2,0) "
                                          "p4(-3,3,1,0) 3dtransform(0,0,0,1,1,1,0,0,-2,0,0,0)"})
            .calls;
    EXPECT_EQ(eyePlane.size(), 3u + 4u); // three lines, and four of the five z dots
}

TEST(AxisDrawing, RegistersRecordsThatLaterObjectsUse)
{
    const std::string axis3D = "AXIS at(1) pen(1) p4(0,1,2,0) p4(0,1,2,0) p4(0,1,2,0) "
                               "3dtransform(0,0,0,1,1,1,0,0,-4,0,0,0)";
    // An object in a 3D axis system is projected with the axis's transform, not its own.
    const Lines calls =
        drawCommands({"FIGURE 1 500 500", axis3D,
                      "POINT3 at(1,0,1) p4(1,0,0,10) 3dtransform(0,0,0,1,1,1,0,0,-2,0,0,0)",
                      "POINT3 at(1) p4(1,0,0,10) 3dtransform(0,0,0,1,1,1,0,0,-2,0,0,0)"})
            .calls;
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls[calls.size() - 2], "drawEllipse pen(FF000000 w2) [370,245,10,10]");
    EXPECT_EQ(calls.back(), "drawEllipse pen(FF000000 w2) [495,245,10,10]");

    std::vector<AxisRecord> records;
    model::PlotObject axis;
    axis.type = model::ObjectType::Axis;
    axis.subObjects = {{model::SubObjectKind::P4, {"0", "10", "1", "0"}},
                       {model::SubObjectKind::P4, {"-5", "50%", "1", "0"}}};
    const AxisRecord expected{false, {0, 50, 10, -5}, {}, {}};
    EXPECT_EQ(axisRecordOf(axis, {0, 0, 100, 100}, {}), expected);
    registerAxisRecord(records, 0, expected);
    registerAxisRecord(records, 0, AxisRecord{});
    registerAxisRecord(records, 1, AxisRecord{true, {}, {}, {}});
    registerAxisRecord(records, 7, AxisRecord{}); // no seventh record: appended
    ASSERT_EQ(records.size(), 3u);
    EXPECT_TRUE(records[0].is3D);
}

TEST(AxisDrawing, MovesWholePointsByTheOwnTwoDReading)
{
    EXPECT_EQ(drawCommands({"FIGURE 1 100 100 0xFFFFFFFF - OWN2D",
                            "AXIS at(1) pen(1) p4(0,4,2,0) p4(0,4,10,0) transform(10,5,1,1,0,0,0)"})
                  .calls,
              (Lines{"beginContainer 1", "  scaleWorldTransform 1,1 prepend",
                     "  drawLine pen(FF000000 w1) (10,105) (110,105)",
                     "  drawEllipse pen(FF000000 w1) [58,103,14,9]",
                     "  drawLine pen(FF000000 w1) (10,5) (10,105)", "endContainer 1"}));
}

TEST(AxisDrawing, LeavesOutTicksAndDecimalsBeyondTheLimits)
{
    const testing_support::DrawnFigure dense =
        drawCommands({"FIGURE 1 100 100", "AXIS at(1) pen(1) p4(0,1,0.000001,1) p4(0,1,2,0)"});
    const std::string rule = "------------------------------\n";
    EXPECT_EQ(dense.console, "AXIS: the x axis has 999999 ticks, more than the limit of 100000; "
                             "it is drawn without its dots and numbers\n" +
                                 rule);
    EXPECT_EQ(dense.calls, (Lines{"drawLine pen(FF000000 w1) (0,100) (100,100)",
                                  "drawLine pen(FF000000 w1) (0,0) (0,100)"}));

    const testing_support::DrawnFigure decimals = drawCommands(
        {"FIGURE 1 100 100", "AXIS at(1) pen(1) brush(solid,0) p4(0,1,2,0) p4(0,1,0.5,500)"});
    EXPECT_EQ(decimals.console,
              "AXIS: a numbering of 500 asks for 499 decimals, more than the limit of 150; the y "
              "axis numbers are written with 150\n" +
                  rule);
    EXPECT_EQ(decimals.calls.size(), 4u); // two lines, a dot and its number

    // Degenerate axes draw what they can and nothing else: a range or a spacing of 0.
    EXPECT_EQ(drawCommands({"FIGURE 1 100 100", "AXIS at(1) p4(1,1,1,1) p4(0,1,0,1)"}).calls.size(),
              2u);
}

} // namespace
} // namespace render
