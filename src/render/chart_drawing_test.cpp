// Tests of charts: lines and columns with the pens and brushes of their occurrences.
#include "render/chart_drawing.h"

#include "figure_drawing.h"

#include <gtest/gtest.h>

namespace render {
namespace {

using Lines = std::vector<std::string>;

// From 0 to 10 on a 500 x 500 figure, 50 pixels per unit, zero on the bottom row.
const Lines axis = {"FIGURE 1 500 500", "AXIS at(1) p4(0,10,20,0) p4(0,10,20,0)"};
const Lines axisLines = {"drawLine pen(FF000000 w2) (0,500) (500,500)",
                         "drawLine pen(FF000000 w2) (0,0) (0,500)"};

Lines chartCalls(const std::string& chart, bool inAxis = true)
{
    Lines commands = axis;
    if (!inAxis) commands.pop_back();
    commands.push_back(chart);
    Lines calls = testing_support::drawCommands(commands).calls;
    if (inAxis) calls.erase(calls.begin(), calls.begin() + 2);
    return calls;
}

TEST(ChartDrawing, DrawsLinesAndColumnsWithTheStylesOfTheirOccurrence)
{
    const std::string points = " p2(1,5,3,8,5,2,7,7)"; // (50,250) (150,100) (250,400) (350,150)
    const struct {
        std::string chart;
        bool inAxis;
        Lines expected;
    } cases[] = {
        // Segment i takes PEN occurrence i, and the object's pen where there is none.
        {"CHART at(1,0,1) p1(line)" + points + " pen(1,0xFF0000) pen(3,0xFF00)",
         true,
         {"drawLine pen(FFFF0000 w1) (50,250) (150,100)",
          "drawLine pen(FF00FF00 w3) (150,100) (250,400)",
          "drawLine pen(FFFF0000 w1) (250,400) (350,150)"}},
        // The kind is compared exactly.
        {"CHART at(1,0,1) p1(Line)" + points, true, {}},
        {"CHART at(1,0,1)" + points, true, {}},
        {"CHART at(1,0,1) p1(line)", true, {}},
        // Columns stand on the zero line; the last point only closes the last column.
        {"CHART at(1,0,1) p1(column)" + points + " brush(solid,0xFF) brush(solid,0xFF00)",
         true,
         {"fillRectangle solid(FFFF0000) [50,250,100,250]",
          "fillRectangle solid(FF00FF00) [150,100,100,400]",
          "fillRectangle solid(FFFF0000) [250,400,100,100]"}},
        // Without any brush the columns are outlined with the pens of their occurrence.
        {"CHART at(1,0,1) p1(column) p2(1,5,3,8,5,2) pen(1) pen(3)",
         true,
         {"drawRectangle pen(FF000000 w1) [50,250,100,250]",
          "drawRectangle pen(FF000000 w3) [150,100,100,400]"}},
        // Outside an axis system lines are drawn as they are typed; columns have no zero line.
        {"CHART at(1) p1(line) p2(1,2,3,4)", false, {"drawLine pen(FF000000 w2) (1,2) (3,4)"}},
        {"CHART at(1) p1(column) p2(1,2,3,4) brush(solid,0)", false, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(chartCalls(c.chart, c.inAxis), c.expected) << c.chart;
}

TEST(ChartDrawing, ReadsItsKindFromTheFirstArgumentOfTheFirstP1)
{
    model::PlotObject chart;
    EXPECT_EQ(chartKindOf(chart), std::nullopt);
    chart.subObjects = {{model::SubObjectKind::P1, {"column", "line"}},
                        {model::SubObjectKind::P1, {"line"}}};
    EXPECT_EQ(chartKindOf(chart), ChartKind::Column);
    chart.subObjects[0].arguments[0] = "COLUMN";
    EXPECT_EQ(chartKindOf(chart), std::nullopt);
}

} // namespace
} // namespace render
