// Tests of the draw pass on the recording surface: set-up, the placement rules and every 2D
// branch, with exact primitives and coordinates.
#include "render/draw_pass.h"

#include "lang/interpreter.h"
#include "recording_host.h"
#include "render/recording_surface.h"

#include <gtest/gtest.h>

#include <fstream>

namespace render {
namespace {

using Lines = std::vector<std::string>;

struct PassCase {
    Lines commands;
    Lines expected; // the calls after the set-up
};

class DrawPassTest : public ::testing::Test {
protected:
    model::Figure& run(const Lines& commands, std::uint32_t figureId = 1)
    {
        for (const std::string& line : commands)
            lang::executeCommand(session, line);
        EXPECT_EQ(host.takeOutput(), "") << "a command was refused";
        model::Figure* figure = session.figures.findFigure(figureId);
        EXPECT_NE(figure, nullptr);
        return *figure;
    }

    static Lines draw(model::Figure& figure, std::optional<geom::LayerRect> target = std::nullopt)
    {
        RecordingSurface surface;
        DrawFigure(figure, surface, nullptr, nullptr, target);
        return surface.descriptions();
    }

    // The calls after the background, smoothing and view transform of the set-up.
    static Lines objectCalls(model::Figure& figure)
    {
        Lines lines = draw(figure);
        const std::size_t setUp = figure.own2d ? 3 : 4;
        lines.erase(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(setUp));
        return lines;
    }

    void expectCases(const std::vector<PassCase>& cases)
    {
        for (const PassCase& c : cases) {
            testing_support::RecordingHost caseHost;
            lang::Session caseSession(caseHost);
            for (const std::string& line : c.commands)
                lang::executeCommand(caseSession, line);
            EXPECT_EQ(caseHost.takeOutput(), "") << c.commands.back();
            EXPECT_EQ(objectCalls(*caseSession.figures.findFigure(1)), c.expected)
                << c.commands.back();
        }
    }

    testing_support::RecordingHost host;
    lang::Session session{host};
};

TEST_F(DrawPassTest, SetsUpBackgroundSmoothingAndViewTransform)
{
    model::Figure& figure = run({"FIGURE 1 500 400"});
    EXPECT_EQ(draw(figure),
              (Lines{"fillRectangle solid(FFFFFFFF) [0,0,500,400]",
                     "fillRectangle solid(FFFFFFFF) [0,0,500,400]", "setSmoothingMode highQuality",
                     "setWorldTransform (1,0,0,1,0,0)"}));
    figure.quality = 2;
    figure.viewTransform = {2, 0, 0, 2, 5, 6};
    EXPECT_EQ(draw(figure)[2], "setSmoothingMode antiAlias8x4");
    EXPECT_EQ(draw(figure)[3], "setWorldTransform (2,0,0,2,5,6)");
    figure.quality = 0;
    EXPECT_EQ(draw(figure)[2], "setSmoothingMode highSpeed");
}

TEST_F(DrawPassTest, PaintsTheBackgroundInBothReadings)
{
    // A translucent red over the platform fill, which reads the low bytes as 0x00BBGGRR: blue.
    model::Figure& translucent = run({"FIGURE 1 100 50 0x80FF0000"});
    EXPECT_EQ(draw(translucent)[0], "fillRectangle solid(FF0000FF) [0,0,100,50]");
    EXPECT_EQ(draw(translucent)[1], "fillRectangle solid(80FF0000) [0,0,100,50]");
    EXPECT_EQ(translucent.backgroundColour, 0x80FF0000u);

    // An alpha of 0 is made opaque, in the figure record too.
    model::Figure& zeroAlpha = run({"FIGURE 2 100 50 0x00FF00"}, 2);
    RecordingSurface surface;
    DrawFigure(zeroAlpha, surface);
    EXPECT_EQ(surface.descriptions()[1], "fillRectangle solid(FF00FF00) [0,0,100,50]");
    EXPECT_EQ(zeroAlpha.backgroundColour, 0xFF00FF00u);
}

TEST_F(DrawPassTest, TargetRectangleReplacesTheClientArea)
{
    model::Figure& figure = run({"FIGURE 1 500 400", "RECTANGLE at(1) p4(50%,50%,10,10)"});
    EXPECT_EQ(draw(figure, geom::LayerRect{10, 20, 110, 220}),
              (Lines{"fillRectangle solid(FFFFFFFF) [10,20,100,200]",
                     "fillRectangle solid(FFFFFFFF) [0,0,110,220]", "setSmoothingMode highQuality",
                     "setWorldTransform (1,0,0,1,0,0)",
                     "drawRectangle pen(FF000000 w2) [55,110,10,10]"}));
}

TEST_F(DrawPassTest, DrawsEveryShapeFilledOrOutlined)
{
    const std::string figure = "FIGURE 1 500 500";
    expectCases({
        {{figure, "RECTANGLE at(1) p4(10,10,100,50) brush(solid,0xFF)"},
         {"fillRectangle solid(FFFF0000) [10,10,100,50]"}},
        {{figure, "RECTANGLE at(1) p4(10,10,100,50)"},
         {"drawRectangle pen(FF000000 w2) [10,10,100,50]"}},
        {{figure, "RECTANGLE at(1) p4(10,10,100,50) brush(dots,255) pen(1,0xFF)"},
         {"drawRectangle pen(FF0000FF w1) [10,10,100,50]"}},
        {{figure, "ELLIPSE at(1) p4(1,2,3,4) pen(3,0x80FF0000,1)"},
         {"drawEllipse pen(80FF0000 w3 dash1) [1,2,3,4]"}},
        {{figure, "ELLIPSE at(1) p4(1,2,3,4) brush(hatch,0xFF,0xFF00,5)"},
         {"fillEllipse hatch(5 FFFF0000 FF00FF00) [1,2,3,4]"}},
        {{figure, "PIE at(1) p4(0,0,100,100) p2(30,60)"},
         {"drawPie pen(FF000000 w2) [0,0,100,100] 30 60"}},
        {{figure, "PIE at(1) p4(0,0,100,100) p2(30,60) brush(solid,0)"},
         {"fillPie solid(FF000000) [0,0,100,100] 30 60"}},
        {{figure, "POINT at(1) p3(50,60,10)"}, {"drawEllipse pen(FF000000 w2) [45,55,10,10]"}},
        {{figure, "POINT at(1) p3(50,60,10,7,7) brush(solid,0xFF)"},
         {"fillEllipse solid(FFFF0000) [45,55,10,10]"}},
        {{figure, "POLY at(1) p2(0,0,100,0,100,100)"},
         {"drawPolyline pen(FF000000 w2) (0,0) (100,0) (100,100)"}},
        {{figure, "POLY at(1) p2(0,0,100,0,100,100,7) brush(solid,0xFF)"},
         {"fillPolygon solid(FFFF0000) alternate (0,0) (100,0) (100,100)"}},
        {{figure, "RECTANGLE at(1)"}, {"drawRectangle pen(FF000000 w2) [0,0,0,0]"}},
    });
}

TEST_F(DrawPassTest, DrawsLinesAndCurvesBrushStroked)
{
    const std::string figure = "FIGURE 1 500 500";
    expectCases({
        {{figure, "ARC at(1) p4(0,0,100,100) p2(0,270)"},
         {"drawArc pen(FF000000 w2) [0,0,100,100] 0 270"}},
        {{figure, "ARC at(1) p4(0,0,100,100) p2(0,270) pen(5) brush(hatch,0xFF,0,2)"},
         {"drawArc pen(FF000000 w5 fill=hatch(2 FFFF0000 FF000000)) [0,0,100,100] 0 270"}},
        {{figure, "BEZIER at(1) p2(0,0,10,20,30,20,40,0)"},
         {"drawBezier pen(FF000000 w2) (0,0) (10,20) (30,20) (40,0)"}},
        {{figure, "BEZIER at(1) p2(0,0,10,20,30,20)"}, {}},
        {{figure, "BEZIER at(1) p2(0,0,10,20,30,20,40,0,50,50)"}, {}},
        {{figure, "OCURVE at(1) p2(0,0,10,20,30,20)"},
         {"drawCurve pen(FF000000 w2) tension=0 (0,0) (10,20) (30,20)"}},
        {{figure, "OCURVE at(1) p2(0,0,10,20) p1(0.5) brush(solid,0xFF)"},
         {"drawCurve pen(FF000000 w2 fill=solid(FFFF0000)) tension=0.5 (0,0) (10,20)"}},
        {{figure, "OCURVE at(1) p1(0.5)"}, {}},
        {{figure, "CCURVE at(1) p2(0,0,10,20,30,20) p1(1)"},
         {"drawClosedCurve pen(FF000000 w2) tension=1 (0,0) (10,20) (30,20)"}},
        {{figure, "CCURVE at(1) p2(0,0,10,20,30,20) brush(solid,0xFF)"},
         {"fillClosedCurve solid(FFFF0000) tension=0 alternate (0,0) (10,20) (30,20)"}},
        {{figure, "CURVE at(1) p2(0,0,1,1,2,0,3,1,4,0)"},
         {"drawBezier pen(FF000000 w2) (0,0) (1,1) (1,1) (2,0)",
          "drawBezier pen(FF000000 w2) (2,0) (3,1) (3,1) (4,0)"}},
        {{figure, "CURVE at(1) p2(0,0,1,1,2,0,3,1)"},
         {"drawBezier pen(FF000000 w2) (0,0) (1,1) (1,1) (2,0)"}},
        {{figure, "CURVE at(1) p2(0,0,1,1)"}, {}},
    });
}

TEST_F(DrawPassTest, DrawsTextInALayoutOneLargerThanItsMeasure)
{
    const std::string figure = "FIGURE 1 500 500";
    expectCases({
        // 5 characters of 7 and one line of 12, plus one.
        {{figure, "TEXT at(1) p2(10,20) n(Hello) pen(1,0x0000FF)"},
         {"drawString \"Hello\" font(default) solid(FF0000FF) [10,20,36,13] flags=0"}},
        {{figure, "TEXT at(1) p2(10,20) n(\"Hi there\") p1(4096) font(Arial,12,1,2) "
                  "brush(solid,0xFF00)"},
         {"drawString \"Hi there\" font(Arial 12 style1 unit2) solid(FF00FF00) [10,20,57,13] "
          "flags=4096"}},
        {{figure, "TEXT at(1) p2(50%,10%)"},
         {"drawString \"\" font(default) solid(FF000000) [250,50,1,1] flags=0"}},
    });
}

TEST_F(DrawPassTest, DrawsImagesThatCanBeOpened)
{
    const std::string path = ::testing::TempDir() + "kelvo_draw_pass_image.png";
    std::ofstream(path) << "not decoded by the recording surface";
    const std::string figure = "FIGURE 1 500 500";
    expectCases({
        {{figure, "IMAGE at(1) n(\"" + path + "\") p2(5,6)"}, {"drawImage \"" + path + "\" (5,6)"}},
        {{figure, "IMAGE at(1) n(\"" + path + "\") p2(5,6) p4(1,2,30,40)"},
         {"drawImage \"" + path + "\" [1,2,30,40]"}},
        {{figure, "IMAGE at(1) n(\"" + path + "\") p2(5,6) p4(1,2,0,40)"},
         {"drawImage \"" + path + "\" (5,6)"}},
        // pt only with exactly one point, the quad only with exactly one quad
        {{figure, "IMAGE at(1) n(\"" + path + "\") p2(5,6,7,8) p4(1,2,30,40,1,1,1,1)"},
         {"drawImage \"" + path + "\" (0,0)"}},
        {{figure, "IMAGE at(1) n(\"" + path + ".missing\") p2(5,6)"}, {}},
        {{figure, "IMAGE at(1) p2(5,6)"}, {}},
    });
}

TEST_F(DrawPassTest, ResolvesLayersFramesAndTheHiddenFlag)
{
    const std::string figure = "FIGURE 1 500 500";
    expectCases({
        {{figure, "LAYER 1 125 125 375 375", "RECTANGLE at(1,1) p4(50%,50%,10,10)"},
         {"drawRectangle pen(FF000000 w2) [187.5,187.5,10,10]"}},
        {{figure, "LAYER 1 25% 25% 75% 75%", "RECTANGLE at(1,1) p4(50%,0,10,10)"},
         {"drawRectangle pen(FF000000 w2) [187.5,0,10,10]"}},
        {{figure, "LAYER 1 0 0 100 100", "LAYER 1 0 0 200 200",
          "RECTANGLE at(1,3) p4(50%,0,10,10)"},
         {"drawRectangle pen(FF000000 w2) [250,0,10,10]"}},
        {{figure, "LAYER 1 10 20 30 40", "RECTANGLE at(1,1) p4(0,0,1,1) brush(gradient,255,0,90)"},
         {"fillRectangle gradient([10,20,30,40] FFFF0000 FF000000 90) [0,0,1,1]"}},
        {{figure, "FRAME 1 100 0", "RECTANGLE at(1,0,0,2) p4(0,0,1,1)"}, {}},
        {{figure, "FRAME 1 100 0", "RECTANGLE at(1,0,0,1) p4(0,0,1,1)"},
         {"drawRectangle pen(FF000000 w2) [0,0,1,1]"}},
        {{figure, "RECTANGLE at(1,0,0,-1) p4(0,0,1,1)"}, {}},
    });

    model::Figure& shown = run({figure, "FRAMES 1 2 100 0", "RECTANGLE at(1,0,0,1) p4(0,0,1,1)",
                                "ELLIPSE at(1,0,0,2) p4(0,0,1,1)"});
    EXPECT_EQ(objectCalls(shown).size(), 2u);
    shown.frames[1].frameFlag = 0;
    EXPECT_EQ(objectCalls(shown), Lines{"drawEllipse pen(FF000000 w2) [0,0,1,1]"});
    shown.objects[1].hidden = true;
    EXPECT_EQ(objectCalls(shown), Lines{});
}

TEST_F(DrawPassTest, MapsObjectsIntoTheAxisSystemsDrawnBeforeThem)
{
    // Axes with a spacing wider than their range: two lines each, no ticks.
    const std::string figure = "FIGURE 1 500 500";
    const std::string axis = "AXIS at(1) p4(-3,10,20,2) p4(-3,10,20,2)";
    const Lines axisLines = {"drawLine pen(FF000000 w2) (0,384) (500,384)",
                             "drawLine pen(FF000000 w2) (115,0) (115,500)"};
    const std::string tenAxis = "AXIS at(1) p4(0,10,20,0) p4(0,10,20,0)";
    const Lines tenLines = {"drawLine pen(FF000000 w2) (0,500) (500,500)",
                            "drawLine pen(FF000000 w2) (0,0) (0,500)"};
    const auto with = [](Lines lines, const std::string& last) {
        lines.push_back(last);
        return lines;
    };
    expectCases({
        {{figure, axis, "POINT at(1,0,1) p3(0,0,8)"},
         with(axisLines, "drawEllipse pen(FF000000 w2) [111.38461,380.6154,8,8]")},
        {{figure, "LAYER 1 25% 25% 75% 75%", "LAYER 1 25% 25% 75% 75%",
          "AXIS at(1,2) p4(-3,10,20,2) p4(-3,10,20,2)", "POINT at(1,2,1) p3(0,0,0)"},
         {"drawLine pen(FF000000 w2) (125,317) (375,317)",
          "drawLine pen(FF000000 w2) (182,125) (182,375)",
          "drawEllipse pen(FF000000 w2) [182.6923,317.30768,0,0]"}},
        // Corners mapped, then width and height from their difference.
        {{figure, tenAxis, "RECTANGLE at(1,0,1) p4(1,9,3,8)"},
         with(tenLines, "drawRectangle pen(FF000000 w2) [50,50,100,50]")},
        // ARC and PIE keep their angles; their rectangle is mapped.
        {{figure, tenAxis, "ARC at(1,0,1) p4(1,9,3,8) p2(10,20)"},
         with(tenLines, "drawArc pen(FF000000 w2) [50,50,100,50] 10 20")},
        {{figure, tenAxis, "POLY at(1,0,1) p2(0,0,10,10)"},
         with(tenLines, "drawPolyline pen(FF000000 w2) (0,500) (500,0)")},
        // POINT with p1(1) reads its position as radius and angle.
        {{figure, "AXIS at(1) p4(-10,10,30,0) p4(-10,10,30,0)", "POINT at(1,0,1) p3(5,0,2) p1(1)"},
         {"drawLine pen(FF000000 w2) (0,250) (500,250)",
          "drawLine pen(FF000000 w2) (250,0) (250,500)",
          "drawEllipse pen(FF000000 w2) [374,249,2,2]"}},
        // An object before its axis, or naming an axis not drawn yet, is drawn unmapped.
        {{figure, "POINT at(1,0,1) p3(5,5,2)", axis},
         {"drawEllipse pen(FF000000 w2) [4,4,2,2]", axisLines[0], axisLines[1]}},
        {{figure, axis, "POINT at(1,0,2) p3(5,5,2)"},
         with(axisLines, "drawEllipse pen(FF000000 w2) [4,4,2,2]")},
        // The second AXIS is axis 2; an AXIS with its own axis id replaces that record.
        {{figure, axis, tenAxis, "POINT at(1,0,2) p3(5,5,2)"},
         with({axisLines[0], axisLines[1], tenLines[0], tenLines[1]},
              "drawEllipse pen(FF000000 w2) [249,249,2,2]")},
        {{figure, axis, "AXIS at(1,0,1) p4(0,10,20,0) p4(0,10,20,0)", "POINT at(1,0,1) p3(5,5,2)"},
         with({axisLines[0], axisLines[1], tenLines[0], tenLines[1]},
              "drawEllipse pen(FF000000 w2) [249,249,2,2]")},
        // A 3D axis system maps nothing in 2D (its lines from the origin meet the eye and are
        // left out).
        {{figure, "AXIS at(1) p4(0,10,20,0) p4(0,10,20,0) p4(0,10,20,0)",
          "POINT at(1,0,1) p3(5,5,2)"},
         {"drawEllipse pen(FF000000 w2) [4,4,2,2]"}},
    });
}

TEST_F(DrawPassTest, AppliesTheTransformMatrixInAContainer)
{
    model::Figure& figure =
        run({"FIGURE 1 500 500", "RECTANGLE at(1) p4(0,0,10,10) transform(1,0,0,1,20,30)",
             "RECTANGLE at(1) p4(0,0,10,10)"});
    figure.viewTransform = {2, 0, 0, 2, 5, 6};
    EXPECT_EQ(objectCalls(figure),
              (Lines{"beginContainer 1", "  setWorldTransform (2,0,0,2,5,6)",
                     "  multiplyWorldTransform (1,0,0,1,20,30) prepend",
                     "  drawRectangle pen(FF000000 w2) [0,0,10,10]", "endContainer 1",
                     "drawRectangle pen(FF000000 w2) [0,0,10,10]"}));
}

TEST_F(DrawPassTest, MovesPointsByTheOwnTwoDReading)
{
    const std::string figure = "FIGURE 1 500 500 0xFFFFFFFF - OWN2D";
    const std::string shift = "transform(10,0,1,1,0,0,0)";
    expectCases({
        // The position and the size pair both move.
        {{figure, "RECTANGLE at(1) p4(10,10,20,20) " + shift},
         {"beginContainer 1", "  scaleWorldTransform 1,1 prepend",
          "  drawRectangle pen(FF000000 w2) [20,10,30,20]", "endContainer 1"}},
        {{figure, "RECTANGLE at(1) p4(10,10,20,20) transform(0,0,2,3,0,0)"},
         {"beginContainer 1", "  scaleWorldTransform 2,3 prepend",
          "  drawRectangle pen(FF000000 w2) [10,10,20,20]", "endContainer 1"}},
        {{figure, "POINT at(1) p3(110,100,2) transform(0,0,1,1,90,100,100)"},
         {"beginContainer 1", "  scaleWorldTransform 1,1 prepend",
          "  drawEllipse pen(FF000000 w2) [107.775826,103.79426,2,2]", "endContainer 1"}},
        {{figure, "POLY at(1) p2(0,0,5,5) " + shift},
         {"beginContainer 1", "  scaleWorldTransform 1,1 prepend",
          "  drawPolyline pen(FF000000 w2) (10,0) (15,5)", "endContainer 1"}},
        {{figure, "CURVE at(1) p2(0,0,1,1,2,0) " + shift},
         {"beginContainer 1", "  scaleWorldTransform 1,1 prepend",
          "  drawBezier pen(FF000000 w2) (10,0) (11,1) (11,1) (12,0)", "endContainer 1"}},
        {{figure, "TEXT at(1) p2(0,0) n(a) " + shift},
         {"beginContainer 1", "  scaleWorldTransform 1,1 prepend",
          "  drawString \"a\" font(default) solid(FF000000) [10,0,8,13] flags=0",
          "endContainer 1"}},
        // Cardinal curves and Beziers keep their points.
        {{figure, "OCURVE at(1) p2(0,0,1,1) " + shift},
         {"beginContainer 1", "  scaleWorldTransform 1,1 prepend",
          "  drawCurve pen(FF000000 w2) tension=0 (0,0) (1,1)", "endContainer 1"}},
        {{figure, "BEZIER at(1) p2(0,0,1,1,2,2,3,3) " + shift},
         {"beginContainer 1", "  scaleWorldTransform 1,1 prepend",
          "  drawBezier pen(FF000000 w2) (0,0) (1,1) (2,2) (3,3)", "endContainer 1"}},
        // Without a TRANSFORM there is no container, and the view matrix is never set.
        {{figure, "RECTANGLE at(1) p4(1,2,3,4)"}, {"drawRectangle pen(FF000000 w2) [1,2,3,4]"}},
    });
}

TEST_F(DrawPassTest, OutlinesLayersInTheInverseOfTheBackground)
{
    model::Figure& figure =
        run({"FIGURE 1 200 100 0x80FFFFFF", "LAYER 1 10 20 30 40", "LAYER 1 50% 50% 25% 10%"});
    figure.showLayers = true;
    const Lines lines = draw(figure);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[4], "drawRectangle pen(80000000 w1 dash2) [10,20,30,40]");
    EXPECT_EQ(lines[5], "drawRectangle pen(80000000 w1 dash2) [100,50,50,10]");
}

TEST_F(DrawPassTest, DrawsGivenObjectAndLayerListsInstead)
{
    model::Figure& figure = run({"FIGURE 1 500 500", "RECTANGLE at(1) p4(1,1,1,1)"});
    std::vector<model::PlotObject> objects(1);
    objects[0].type = model::ObjectType::Ellipse;
    objects[0].subObjects = {{model::SubObjectKind::At, {"1", "1"}},
                             {model::SubObjectKind::P4, {"50%", "0", "1", "1"}}};
    const std::vector<model::Layer> layers = {{0, 0, 20, 20, 0}};
    RecordingSurface surface;
    DrawFigure(figure, surface, &objects, &layers);
    EXPECT_EQ(surface.descriptions().back(), "drawEllipse pen(FF000000 w2) [10,0,1,1]");
}

TEST_F(DrawPassTest, DrawsTheMeshesOfDxFiguresFirstOnWhite)
{
    model::Figure& plain = run({"FIGURE 1 500 500", "MESHB at(1) p3(2,2,2)", "CUBE at(1)"});
    EXPECT_EQ(objectCalls(plain), Lines{});
    RecordingSurface surface;
    DrawFigure(plain, surface, session.passServices(), nullptr, nullptr, std::nullopt,
               DrawMode::Direct3DOnly);
    EXPECT_TRUE(surface.records().empty()); // not made with DX: no mesh scene

    model::Figure& dx = run({"FIGURE 2 500 500 0xFF0000 DX", "MESHB at(2) p3(2,2,2)",
                             "RECTANGLE at(2) p4(1,2,3,4)"},
                            2);
    std::size_t wireLines = 0;
    const auto drawn = [&](DrawMode mode, MeshPass* meshPass) {
        RecordingSurface recording;
        DrawFigure(dx, recording, {session.functionCache, meshPass}, nullptr, nullptr,
                   std::nullopt, mode);
        Lines lines = recording.descriptions();
        wireLines = std::erase_if(lines, [](const std::string& line) {
            return line.find("drawLine") != std::string::npos;
        });
        return lines;
    };
    const Lines meshes{"fillRectangle solid(FFFFFFFF) [0,0,500,500]", "beginContainer 1",
                       "  setSmoothingMode highSpeed", "endContainer 1"};
    const Lines twoD{"setSmoothingMode highQuality", "setWorldTransform (1,0,0,1,0,0)",
                     "drawRectangle pen(FF000000 w2) [1,2,3,4]"};
    Lines full = meshes;
    full.insert(full.end(), twoD.begin(), twoD.end());
    EXPECT_EQ(drawn(DrawMode::Full, &session.meshScene), full);
    EXPECT_EQ(wireLines, 18u); // the box's wireframe
    EXPECT_EQ(drawn(DrawMode::Direct3DOnly, &session.meshScene), meshes);
    EXPECT_EQ(drawn(DrawMode::TwoDOnly, &session.meshScene), twoD);
    EXPECT_EQ(drawn(DrawMode::Direct3DOnly, nullptr), Lines{meshes.front()});
}

} // namespace
} // namespace render
