// Tests of the movie renderer on figures made with commands: which tags each figure frame
// receives (shapes, removals, morph placements, text fields), read back with the tag decoder,
// and the places of shapes against the geometry the screen draws.
#include "swf/export/movie_renderer.h"

#include "lang/interpreter.h"
#include "recording_host.h"
#include "render/recording_surface.h"
#include "swf_tag_reading.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <variant>

namespace swf {
namespace {

using Lines = std::vector<std::string>;
using FrameTags = std::vector<Lines>; // the tag lines of each figure frame

struct RenderedFigure {
    SwfTagList tags{0};
    MovieRenderResult result;
};

RenderedFigure render(const model::Figure& figure)
{
    RenderedFigure rendered;
    rendered.tags = SwfTagList(figure.frames.size());
    render::RecordingSurface measuring;
    expr::FunctionResultCache cache;
    rendered.result = renderFigureToTags(figure, rendered.tags, measuring, cache);
    return rendered;
}

// Figure 1 made by `commands` in a session of its own, rendered; `adjust` may change it first.
RenderedFigure renderCommands(const Lines& commands,
                              const std::function<void(model::Figure&)>& adjust = {})
{
    testing_support::RecordingHost host;
    lang::Session session(host);
    for (const std::string& line : commands)
        lang::executeCommand(session, line);
    EXPECT_EQ(host.takeOutput(), "") << "a command was refused";
    model::Figure& figure = *session.figures.findFigure(1);
    if (adjust) adjust(figure);
    return render(figure);
}

FrameTags frameTags(const Lines& commands)
{
    const RenderedFigure rendered = renderCommands(commands);
    FrameTags frames;
    for (std::size_t frame = 0; frame < rendered.tags.frameCount(); ++frame)
        frames.push_back(testing_support::tagLines(rendered.tags.frame(frame)));
    return frames;
}

// The shapes of a frame's tags, decoded.
std::vector<DefineShape3> shapesOf(const ByteBuffer& tags)
{
    std::vector<DefineShape3> shapes;
    for (const TagContent& tag : testing_support::decodedTags(tags))
        if (const auto* shape = std::get_if<DefineShape3>(&tag)) shapes.push_back(*shape);
    return shapes;
}

TwipsPoint startOf(const DefineShape3& shape)
{
    return *std::get<StyleChangeRecord>(shape.records.front()).moveTo;
}

// Where the text field of a DoAction program starts: createTextField takes height, width, y and
// x as the first integers pushed.
geom::Point2D textFieldCorner(const DoAction& program)
{
    std::vector<std::uint32_t> integers;
    for (const Action& action : program.actions)
        if (const auto* push = std::get_if<PushAction>(&action))
            for (const PushValue& value : push->values)
                if (const auto* integer = std::get_if<PushInteger>(&value))
                    integers.push_back(integer->value);
    if (integers.size() < 4) return {};
    return {static_cast<float>(static_cast<std::int32_t>(integers[3])),
            static_cast<float>(static_cast<std::int32_t>(integers[2]))};
}

TEST(MovieRenderer, AClearingFrameRemovesWhatEarlierFramesPlaced)
{
    const Lines clearing = {"FIGURE 1 400 300", "FRAMES 1 1 40 1",
                            "RECTANGLE at(1,0,0,0) p4(10,10,50,50)",
                            "ELLIPSE at(1,0,0,1) p4(100,10,50,50)"};
    EXPECT_EQ(frameTags(clearing),
              (FrameTags{{"DefineShape3 1", "PlaceObject 1"},
                         {"RemoveObject 1", "DefineShape3 2", "PlaceObject 2"}}));
    Lines keeping = clearing;
    keeping[1] = "FRAMES 1 1 40 0";
    EXPECT_EQ(frameTags(keeping), (FrameTags{{"DefineShape3 1", "PlaceObject 1"},
                                             {"DefineShape3 2", "PlaceObject 2"}}));
}

TEST(MovieRenderer, MorphsArePlacedInEveryFrameFromStartToEndWithRisingRatios)
{
    const FrameTags frames = frameTags(
        {"FIGURE 1 400 300", "FRAMES 1 7 40 0", "POLY at(1,0,0,2) p2(0,0,10,10,20,0) morph(1)",
         "POLY at(1,0,0,6) p2(0,10,10,0,20,10) morph(1)", "POLY at(1,0,0,3) p2(5,5,6,6) morph(1)"});
    const FrameTags expected = {{},
                                {},
                                {"DefineMorphShape 1", "PlaceObject2 1 ratio 0"},
                                {"RemoveObject 1", "PlaceObject2 1 ratio 16383"},
                                {"RemoveObject 1", "PlaceObject2 1 ratio 32767"},
                                {"RemoveObject 1", "PlaceObject2 1 ratio 49151"},
                                {"RemoveObject 1", "PlaceObject2 1 ratio 65535"},
                                {}}; // the third MORPH waits for a partner and is dropped
    EXPECT_EQ(frames, expected);
}

TEST(MovieRenderer, MorphPairsThatCannotMorphAreLeftOutWithANote)
{
    const RenderedFigure rendered = renderCommands(
        {"FIGURE 1 400 300", "FRAMES 1 2 40 0", "POLY at(1,0,0,0) p2(0,0,10,10,20,0) morph(1)",
         "CURVE at(1,0,0,2) p2(0,10,10,0,20,10) morph(1)"});
    for (std::size_t frame = 0; frame < rendered.tags.frameCount(); ++frame)
        EXPECT_TRUE(rendered.tags.frame(frame).empty());
    ASSERT_EQ(rendered.result.notes.size(), 1u);
    EXPECT_EQ(rendered.result.notes[0],
              "SWF: a MORPH pair joins a line of 3 points with a curve of 3 points; a morph needs "
              "two objects of the same type and number of points, so this pair is left out");
}

TEST(MovieRenderer, LinesAndFunctionsGrowOverTheirFrames)
{
    // Eleven points over five frames: two segments per frame, each a shape that stays.
    const FrameTags poly =
        frameTags({"FIGURE 1 400 300", "FRAMES 1 5 40 0",
                   "POLY at(1) p2(0,0,1,1,2,0,3,1,4,0,5,1,6,0,7,1,8,0,9,1,10,0) split(1,2,3,4,5)"});
    ASSERT_EQ(poly.size(), 6u);
    EXPECT_TRUE(poly[0].empty());
    EXPECT_EQ(poly[1],
              (Lines{"DefineShape3 1", "PlaceObject 1", "DefineShape3 2", "PlaceObject 2"}));
    EXPECT_EQ(poly[5],
              (Lines{"DefineShape3 9", "PlaceObject 9", "DefineShape3 10", "PlaceObject 10"}));

    // x = 0 .. 1.25 gives six samples; over frames 1 to 4 each frame takes its share.
    const RenderedFigure rendered =
        renderCommands({"FIGURE 1 400 300", "FRAMES 1 4 40 0",
                        "FUNCTION at(1) n(\"x\") p2(0,1) p1(0.25) splitr(1,4)"});
    std::vector<std::size_t> edges;
    for (std::size_t frame = 0; frame < rendered.tags.frameCount(); ++frame)
        for (const DefineShape3& shape : shapesOf(rendered.tags.frame(frame)))
            edges.push_back(shape.records.size() - 1);
    // share 1.25: points 0..2, then 2..4, 4..5 and 5, each later chunk after a repeated point
    EXPECT_EQ(edges, (std::vector<std::size_t>{2, 3, 2, 1}));
    EXPECT_TRUE(rendered.tags.frame(0).empty());
}

TEST(MovieRenderer, SplitTrRedrawsAnAxisInEveryFrameAndRemovesTheLastOne)
{
    // Frames 1 to 3, 10 pixels to the right per frame; scales stay 1, nothing else moves.
    const std::string splitTr = "splittr(1,3,10,0,1,1,0,0,0,0,0,0,1,1,1,0,0,0,0,0,0,0,0)";
    const Lines commands = {"FIGURE 1 400 300 0xFFFFFFFF - OWN2D", "FRAMES 1 4 40 0",
                            "AXIS at(1) pen(1) p4(0,10,5,0) p4(0,10,5,0) " + splitTr};
    const FrameTags frames = frameTags(commands);
    // Each frame: two lines and a dot on each axis, moved 10 pixels further right each time.
    const Lines placed1 = {"DefineShape3 1", "PlaceObject 1", "DefineShape3 2", "PlaceObject 2",
                           "DefineShape3 3", "PlaceObject 3", "DefineShape3 4", "PlaceObject 4"};
    ASSERT_EQ(frames.size(), 5u);
    EXPECT_TRUE(frames[0].empty());
    EXPECT_EQ(frames[1], placed1);
    const Lines removed = {"RemoveObject 4", "RemoveObject 3", "RemoveObject 2", "RemoveObject 1"};
    EXPECT_EQ(Lines(frames[2].begin(), frames[2].begin() + 4), removed);
    EXPECT_EQ(frames[2].size(), 12u);
    EXPECT_EQ(frames[3].size(), 12u);
    EXPECT_TRUE(frames[4].empty());

    const RenderedFigure rendered = renderCommands(commands);
    const std::vector<DefineShape3> first = shapesOf(rendered.tags.frame(1));
    const std::vector<DefineShape3> second = shapesOf(rendered.tags.frame(2));
    ASSERT_FALSE(first.empty());
    ASSERT_FALSE(second.empty());
    EXPECT_EQ(startOf(second[0]).x.value - startOf(first[0]).x.value, 10 * twipsPerPixel);
}

TEST(MovieRenderer, ShapesLieWhereTheScreenDrawsThem)
{
    // An axis system from 0 to 10 on both axes of a 400 x 300 figure: (x, y) lies at
    // (40 x, 300 - 30 y).
    const RenderedFigure rendered =
        renderCommands({"FIGURE 1 400 300", "AXIS at(1) pen(1) p4(0,10,20,0) p4(0,10,20,0)",
                        "RECTANGLE at(1,0,1) p4(1,9,3,7) brush(solid,0xFF)",
                        "POINT at(1,0,1) p3(5,5,10)", "TEXT at(1,0,1) p2(5,5) n(\"here\")"});
    const std::vector<DefineShape3> shapes = shapesOf(rendered.tags.frame(0));
    ASSERT_EQ(shapes.size(), 4u); // two axis lines, the rectangle, the point
    EXPECT_EQ(startOf(shapes[0]), (TwipsPoint{{0}, {6000}}));
    EXPECT_EQ(startOf(shapes[2]), (TwipsPoint{{40 * 20}, {30 * 20}}));
    // The circle of the point starts at the middle of its box's left side: (195, 150).
    EXPECT_EQ(startOf(shapes[3]), (TwipsPoint{{195 * 20}, {150 * 20}}));
    EXPECT_EQ(shapes[2].fillStyles, (std::vector<FillStyle>{SolidFill{{255, 0, 0, 255}}}));
    EXPECT_EQ(shapes[2].bounds, twipsRectFromPixels(0, 0, 400, 300));

    const std::vector<TagContent> tags = testing_support::decodedTags(rendered.tags.frame(0));
    const auto* program = std::get_if<DoAction>(&tags.back());
    ASSERT_NE(program, nullptr);
    const auto& pool = std::get<ConstantPoolAction>(program->actions.front()).constants;
    EXPECT_EQ(pool.back(), "here");
    // (5, 5) is (200, 150); the text field starts there.
    EXPECT_EQ(textFieldCorner(*program), (geom::Point2D{200, 150}));
}

TEST(MovieRenderer, ObjectsMoveWithTheirTransformAndTextFieldsStartWhereItMovesThem)
{
    const RenderedFigure rendered = renderCommands(
        {"FIGURE 1 400 300", "RECTANGLE at(1) p4(10,10,20,20) transform(0,1,-1,0,100,50)",
         "TEXT at(1) p2(10,20) n(\"moved\") transform(2,0,0,2,5,-5)"},
        [](model::Figure& figure) { figure.viewTransform = {1, 0, 0, 1, 0, 7}; });
    const std::vector<TagContent> tags = testing_support::decodedTags(rendered.tags.frame(0));
    ASSERT_EQ(tags.size(), 3u);
    // The object's matrix first, then the figure's view.
    EXPECT_EQ(std::get<PlaceObject>(tags[1]).matrix,
              swfMatrixOf(geom::Matrix2D{0, 1, -1, 0, 100, 57}));
    EXPECT_EQ(textFieldCorner(std::get<DoAction>(tags[2])), (geom::Point2D{25, 42}));
}

TEST(MovieRenderer, AxisNumbersBecomeTextFieldsOnlyWithABrush)
{
    const auto textFields = [](const std::string& axis) {
        const Lines lines = frameTags({"FIGURE 1 400 300", axis})[0];
        return std::count(lines.begin(), lines.end(), "DoAction");
    };
    // Ticks at -1, 1, 2 and 3 on x and y; 0 gets no number.
    EXPECT_EQ(textFields("AXIS at(1) brush(solid,0) p4(-2,4,1,1) p4(-2,4,1,1)"), 8);
    EXPECT_EQ(textFields("AXIS at(1) p4(-2,4,1,1) p4(-2,4,1,1)"), 0);
    EXPECT_EQ(textFields("AXIS at(1) brush(solid,0) p4(-2,4,1,0) p4(-2,4,1,0)"), 0);
}

TEST(MovieRenderer, LeavesOutWhatTheMovieDoesNotShow)
{
    const RenderedFigure rendered = renderCommands(
        {"FIGURE 1 400 300", "FRAMES 1 1 40 0", "IMAGE at(1) n(\"picture.png\") p2(0,0)",
         "PIE at(1) p4(0,0,10,10) p2(0,90)", "ARC at(1) p4(0,0,10,10) p2(0,90)",
         "BEZIER at(1) p2(0,0,1,1,2,2,3,3)", "RECTANGLE at(1,0,0,5) p4(0,0,10,10)",
         "POLY at(1) p2(5,5)", "CURVE at(1) p2(5,5,6,6)"});
    EXPECT_TRUE(rendered.tags.frame(0).empty());
    EXPECT_TRUE(rendered.tags.frame(1).empty());
    EXPECT_EQ(rendered.result.refusal, std::nullopt);
}

TEST(MovieRenderer, HiddenObjectsAreLeftOut)
{
    const RenderedFigure rendered =
        renderCommands({"FIGURE 1 400 300", "RECTANGLE at(1) p4(0,0,10,10)"},
                       [](model::Figure& figure) { figure.objects[0].hidden = true; });
    EXPECT_TRUE(rendered.tags.frame(0).empty());
}

TEST(MovieRenderer, ReportsShapesBeyondTheCoordinateLimitAndGrowsTheirBounds)
{
    const RenderedFigure rendered =
        renderCommands({"FIGURE 1 400 300", "RECTANGLE at(1) p4(0,0,100000,10)",
                        "RECTANGLE at(1) p4(390,0,100,10)"});
    EXPECT_EQ(rendered.result.notes, (Lines{"SWF: a shape reaches farther than the limit of 50000 "
                                            "pixels from the origin; its points are drawn at that "
                                            "distance"}));
    const std::vector<DefineShape3> shapes = shapesOf(rendered.tags.frame(0));
    ASSERT_EQ(shapes.size(), 2u);
    EXPECT_EQ(shapes[1].bounds.xMax.value, 490 * 20 + 20); // half the pen's 40 twips beyond
    EXPECT_EQ(shapes[1].bounds.yMax.value, 300 * 20);
}

TEST(MovieRenderer, StopsWhenTheCharacterIdsAreUsedUp)
{
    std::string points = "POLY at(1) p2(0,0";
    for (int point = 1; point <= 70000; ++point)
        points += "," + std::to_string(point % 400) + "," + std::to_string(point % 2);
    points += ") split(0,1)";
    const RenderedFigure rendered = renderCommands({"FIGURE 1 400 300", "FRAMES 1 1 40 0", points});
    EXPECT_EQ(rendered.result.refusal, MovieRefusal::CharactersUsedUp);
}

} // namespace
} // namespace swf
