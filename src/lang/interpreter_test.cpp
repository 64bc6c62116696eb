// Tests of executeCommand: figure, layer and frame commands, objects, help and limits.
#include "lang/interpreter.h"

#include "lang/help_texts.h"
#include "lang/markup.h"
#include "mesh/mesh_limits.h"
#include "recording_host.h"
#include "temporary_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace lang {
namespace {

using model::SubObjectKind;

std::string plain(std::string_view markup)
{
    return plainText(renderMarkup(markup));
}

class InterpreterTest : public ::testing::Test {
protected:
    void run(std::string_view line, std::uint32_t defaultId = 0)
    {
        executeCommand(session, line, defaultId);
    }
    model::Figure& figure(std::uint32_t id)
    {
        model::Figure* found = session.figures.findFigure(id);
        EXPECT_NE(found, nullptr) << "figure " << id;
        return *found;
    }

    testing_support::RecordingHost host;
    Session session{host};
};

TEST_F(InterpreterTest, AnswersEmptyLinesCommentsAndLoneTokens)
{
    const std::pair<std::string, std::string> cases[] = {
        {"", "*\n"},
        {"    ", "*\n"},
        {"FIGURE", plain(*findHelpText("FIGURE"))},
        {"function3d", plain(*findHelpText("FUNCTION3D"))},
        {"BRUSH", plain(notAvailableMessage)},
        {"cls", plain(notAvailableMessage)}, // clears, then the lone token asks for help
        {"// a comment line", ""},
        {"# another comment", ""},
        {"#single", plain(notAvailableMessage)},
        {"layer 1 2", plain(notAvailableMessage)}, // too few tokens: falls to the object builder
        {"frames 1 2 3", plain(notAvailableMessage)},
        {"SPHERE at(1) p3(0,0,0)", plain(notAvailableMessage)},
    };
    for (const auto& [line, expected] : cases) {
        run(line);
        EXPECT_EQ(host.takeOutput(), expected) << "[" << line << "]";
    }
    EXPECT_TRUE(session.figures.empty());
}

TEST_F(InterpreterTest, EveryLineEmptiesTheInputLineEvenWithoutText)
{
    executeCommand(session, std::nullopt);
    run("FIGURE 1");
    EXPECT_EQ(host.commandsBegun, 2);
    EXPECT_EQ(host.output, "");
}

TEST_F(InterpreterTest, AllocatesTheLowestUnusedFigureId)
{
    run("FIGURE 0");
    run("FIGURE 3");
    run("FIGURE 0");
    ASSERT_EQ(session.figures.size(), 3u);
    EXPECT_EQ(session.figures.at(0).id, 1u);
    EXPECT_EQ(session.figures.at(1).id, 3u);
    EXPECT_EQ(session.figures.at(2).id, 2u);
    EXPECT_EQ(host.events[0], "created 1");
    EXPECT_EQ(host.events[1], "title 1 Figure 1");
}

TEST_F(InterpreterTest, FigureSetsSizeColourAndPositionalOptions)
{
    struct Case {
        std::string line;
        std::int32_t width, height;
        std::uint32_t colour;
        bool direct3D, own2d;
    };
    const Case cases[] = {
        {"FIGURE 1", model::defaultClientWidth, model::defaultClientHeight, 0xFFFFFFFF, false,
         false},
        {"FIGURE 1 500 400", 500, 400, 0xFFFFFFFF, false, false},
        {"FIGURE 1 500", 500, 400, 0xFFFFFFFF, false, false},
        {"FIGURE 1 0 300", 500, 400, 0xFFFFFFFF, false, false},
        {"FIGURE 1 -1 300", 500, 400, 0xFFFFFFFF, false, false},
        {"FIGURE 1 500 500 0xFFFFAAAA", 500, 500, 0xFFFFAAAA, false, false},
        {"FIGURE 1 500 500 0xFFFFFF OWN2D", 500, 500, 0x00FFFFFF, false, false},
        {"FIGURE 1 500 500 0xFFFFFF nodx OWN2D", 500, 500, 0x00FFFFFF, false, true},
        {"FIGURE 1", 500, 500, 0xFFFFFFFF, false, true}, // nothing clears own2d
        {"figure 1 500 500 0 dx", 500, 500, 0, true, true},
    };
    for (const Case& c : cases) {
        run(c.line);
        const model::Figure& f = figure(1);
        EXPECT_EQ(f.clientWidth, c.width) << c.line;
        EXPECT_EQ(f.clientHeight, c.height) << c.line;
        EXPECT_EQ(f.backgroundColour, c.colour) << c.line;
        EXPECT_EQ(f.hasDirect3D, c.direct3D) << c.line;
        EXPECT_EQ(f.own2d, c.own2d) << c.line;
        EXPECT_EQ(f.frames.size(), 1u) << c.line;
    }
    EXPECT_EQ(host.output, "");
    EXPECT_EQ(session.figures.size(), 1u);
}

TEST_F(InterpreterTest, FigureWindowsStayHiddenInHiddenFiguresMode)
{
    session.hiddenFigures = true;
    run("FIGURE 2 300 200");
    EXPECT_EQ(host.events[2], "hidden 2 300x200");
    session.hiddenFigures = false;
    run("FIGURE 2");
    EXPECT_EQ(host.events[4], "shown 2 300x200");
}

TEST_F(InterpreterTest, DefaultFigureIdReplacesWrittenIds)
{
    run("FIGURE 0 500 500", 5);
    run("LAYER 0 0 0 50 50", 5);
    run("ELLIPSE at(0) p4(0,0,10,10)", 5);
    const model::Figure& f = figure(5);
    EXPECT_EQ(f.layers.size(), 1u);
    ASSERT_EQ(f.objects.size(), 1u);
    EXPECT_EQ(f.objects[0].subObjects[0].arguments[0], "5");
    EXPECT_EQ(session.figures.size(), 1u);
}

TEST_F(InterpreterTest, LayersKeepTheirNumbersAndPercentFlag)
{
    run("FIGURE 1");
    run("LAYER 1 25% 25 75 75");
    run("LAYER 1 10.9 20 -30.5 40");
    run("LAYER 9 0 0 10 10"); // no such figure: consumed silently
    const model::Figure& f = figure(1);
    ASSERT_EQ(f.layers.size(), 2u);
    EXPECT_EQ(f.layers[0], (model::Layer{25, 25, 75, 75, 1}));
    EXPECT_EQ(f.layers[1], (model::Layer{10, 20, -30, 40, 0}));
    EXPECT_EQ(host.output, "");
}

TEST_F(InterpreterTest, FramesAreAppendedAfterFrameZero)
{
    run("FIGURE 1");
    run("FRAMES 1 3 300 0");
    run("FRAME 1 500 0.5");
    run("FRAMES 1 2 40.7 0.5");
    run("FRAMES 1 0 10 1");
    run("FRAMES 7 10 10 1");
    const model::Figure& f = figure(1);
    const std::vector<model::Frame> expected = {
        {0, 1, 1, 0},   {300, 0, 1, 0}, {300, 0, 1, 0}, {300, 0, 1, 0},
        {500, 1, 1, 0}, {40, 0, 1, 0},  {40, 0, 1, 0},
    };
    EXPECT_EQ(f.frames, expected);
    EXPECT_EQ(host.output, "");
}

TEST_F(InterpreterTest, RefusesValuesPastTheLimitsAndKeepsTheFigure)
{
    run("FIGURE 1 300 200 0xFF00FF00");
    run("FRAMES 1 4000000000 10 0");
    EXPECT_EQ(host.takeOutput(), "FRAMES: 4000000000 frames is more than the limit of 100000\n" +
                                     std::string("------------------------------\n"));
    for (const char* below : {"FRAMES 1 -1 10 0", "FRAMES 1 0.5 10 0", "FRAMES 1 -4e9 10 0"})
        run(below); // counts below 1 add nothing and say nothing
    EXPECT_EQ(host.takeOutput(), "");
    EXPECT_EQ(figure(1).frames.size(), 1u);
    run("FRAMES 1 99999 10 0");
    run("FRAME 1 10 0");
    EXPECT_NE(host.takeOutput().find("figure 1 would have 100001 frames"), std::string::npos);
    EXPECT_EQ(figure(1).frames.size(), 100000u);

    // A side past the limit gets the limit: the figure exists for the lines after it.
    run("FIGURE 1 100000 100000");
    EXPECT_EQ(host.takeOutput(), "FIGURE: 100000 x 100000 pixels is more than the limit of 10000 "
                                 "x 10000; the figure gets 10000 x 10000\n" +
                                     std::string("------------------------------\n"));
    run("FIGURE 2 20000 10");
    EXPECT_NE(host.takeOutput().find("the figure gets 10000 x 10"), std::string::npos);
    EXPECT_EQ(std::pair(figure(1).clientWidth, figure(1).clientHeight), std::pair(10000, 10000));
    EXPECT_EQ(std::pair(figure(2).clientWidth, figure(2).clientHeight), std::pair(10000, 10));
}

TEST_F(InterpreterTest, DxFiguresNeedAClientAreaAndMeshFilesWithinTheLimits)
{
    run("FIGURE 1 500 500 0xFFFFFF DX");
    EXPECT_TRUE(figure(1).hasDirect3D);
    run("FIGURE 2 500 500");
    figure(2).clientHeight = 0; // a window shrunk to nothing has no aspect ratio
    host.events.clear();
    run("DX 2");
    EXPECT_FALSE(figure(2).hasDirect3D);
    EXPECT_EQ(
        std::count(host.events.begin(), host.events.end(), "error Cannot create Direct3D Figure"),
        1);

    testing_support::TemporaryFolder folder;
    const std::string huge = folder.file("huge.stl");
    testing_support::writeFileBytes(huge, "");
    std::filesystem::resize_file(huge, mesh::maxMeshFileBytes + 1); // sparse: nothing written
    run("MESHF at(1) n(\"" + huge + "\")");
    EXPECT_EQ(host.takeOutput(), "MESHF: " + huge +
                                     " has 268435457 bytes, more than the limit of " +
                                     "268435456 bytes\n------------------------------\n");
    run("MESHF at(1) n(\"" + folder.file("missing.x") + "\")"); // kept; draws nothing
    EXPECT_EQ(host.takeOutput(), "");
    EXPECT_EQ(figure(1).objects.size(), 1u);
}

TEST_F(InterpreterTest, SaysOnceThatAFunctionPassesASamplingLimitAndKeepsIt)
{
    run("FIGURE 1");
    run("FUNCTION at(1) n(x) p2(0,10) p1(0.0000001)");
    EXPECT_EQ(host.takeOutput(),
              "FUNCTION: 100000002 samples is more than the limit of 10000000\n" +
                  std::string("------------------------------\n"));
    ASSERT_EQ(figure(1).objects.size(), 1u);
    EXPECT_EQ(host.events.back(), "repaint 1");
    run("FUNCTION at(1) n(x) p2(0,10) p1(0.01)");
    EXPECT_EQ(host.takeOutput(), "");
    EXPECT_EQ(figure(1).objects.size(), 2u);
}

TEST_F(InterpreterTest, ObjectsAreBuiltAndAddedToTheirFigure)
{
    run("FIGURE 1");
    run("LAYER 1 0% 0% 50% 50%");
    run("RECTANGLE at(1,1) pen(2) p4(0,0,100%,100%)");
    run("rectangle at(1) p4(0,0,10,10) foo(1)");
    run("FUNCTION at(1,0,1) N(sin(2*pi*x)) P1C(0.1) RECT(0,0,1,1)");
    EXPECT_EQ(host.output, "");
    const model::Figure& f = figure(1);
    ASSERT_EQ(f.objects.size(), 3u);

    const model::PlotObject& rectangle = f.objects[0];
    EXPECT_EQ(rectangle.type, model::ObjectType::Rectangle);
    EXPECT_EQ(rectangle.displayName, "Rectangle");
    EXPECT_EQ(rectangle.keyword, "RECTANGLE");
    EXPECT_EQ(rectangle.subObjects[0], (model::SubObject{SubObjectKind::At, {"1", "1"}}));
    EXPECT_EQ(rectangle.subObjects[2],
              (model::SubObject{SubObjectKind::P4, {"0", "0", "100%", "100%"}}));

    EXPECT_EQ(f.objects[1].keyword, "rectangle");
    EXPECT_EQ(f.objects[1].subObjects[2], (model::SubObject{SubObjectKind::Unknown, {"1"}}));

    const model::PlotObject& function = f.objects[2];
    EXPECT_EQ(function.displayName, "Function 2D");
    EXPECT_EQ(function.subObjects[1], (model::SubObject{SubObjectKind::Name, {"sin(2*pi*x)"}}));
    EXPECT_EQ(function.subObjects[2], (model::SubObject{SubObjectKind::P1, {"0.1"}}));
    EXPECT_EQ(function.subObjects[3], (model::SubObject{SubObjectKind::P4, {"0", "0", "1", "1"}}));
    EXPECT_EQ(std::count(host.events.begin(), host.events.end(), "repaint 1"), 4);
}

TEST_F(InterpreterTest, RejectedObjectLinesShowHelpAndAddNothing)
{
    run("FIGURE 1");
    const std::pair<std::string, std::string> cases[] = {
        {"FUNCTION n(\"x\") p2(0,1) p1(0.1)", plain(*findHelpText("FUNCTION"))},
        {"FUNCTION at(7,0,1) n(\"x\") p2(0,1) p1(0.1)", plain(*findHelpText("FUNCTION"))},
        {"ELLIPSE p4(0,0,1,1)", plain(notAvailableMessage)},
        {"NOSUCH at(1)", plain(notAvailableMessage)},
        {"AXIS at() p4(0,1,1,1) p4(0,1,1,1)",
         plain(*findHelpText("AT")) + plain(*findHelpText("AXIS"))},
    };
    for (const auto& [line, expected] : cases) {
        run(line);
        EXPECT_EQ(host.takeOutput(), expected) << line;
    }
    EXPECT_TRUE(figure(1).objects.empty());
}

TEST_F(InterpreterTest, ShortSubObjectsAreKeptAsUnknownAndTheObjectIsAdded)
{
    run("FIGURE 1");
    run("POLY3 at(1) p3(0,0,0,1,1,1) 3dtransform(0,0,0,1,1,1,0,0,-2,0,0)");
    EXPECT_EQ(host.takeOutput(), plain(notAvailableMessage));
    ASSERT_EQ(figure(1).objects.size(), 1u);
    EXPECT_EQ(figure(1).objects[0].subObjects[2], (model::SubObject{SubObjectKind::Unknown, {}}));
}

TEST_F(InterpreterTest, FileCommandPreviewsMoviesByExtension)
{
    run("file \"my movie.SWF\"");
    EXPECT_EQ(host.events.back(), "preview my movie.SWF");
    EXPECT_EQ(host.output, "");
}

TEST_F(InterpreterTest, ObjectsWithoutFigureIdGoToTheLowestUnusedId)
{
    run("FIGURE 1");
    run("FIGURE 2");
    run("TEXT at(0) p2(1,1) n(\"hi\")");
    EXPECT_EQ(host.takeOutput(), plain(notAvailableMessage)); // figure 3 does not exist
    run("TEXT at(0) p2(1,1) n(\"hi\")", 2);
    EXPECT_EQ(figure(2).objects.size(), 1u);
}

TEST_F(InterpreterTest, ClickingATryBlockRunsEveryLineInOrder)
{
    const std::vector<StyledRun> runs =
        renderMarkup("Example:{t}FIGURE 4 200 100\r\nLAYER 4 0 0 50% 50%\r\nRECTANGLE at(4,1) "
                     "p4(0,0,10,10)\r\n{t}");
    std::string link;
    for (const StyledRun& run : runs)
        if (run.text == "Try now:\r\n") link = run.link;
    ASSERT_FALSE(link.empty());
    activateLink(session, link);
    EXPECT_EQ(figure(4).clientWidth, 200);
    EXPECT_EQ(figure(4).layers.size(), 1u);
    EXPECT_EQ(figure(4).objects.size(), 1u);
    EXPECT_EQ(host.output, "");

    activateLink(session, "FUNCTION");
    EXPECT_EQ(host.takeOutput(), plain(*findHelpText("FUNCTION")));
}

TEST(HelpTexts, EveryTryExampleRunsWithoutComplaint)
{
    for (const HelpTopic& topic : helpTopics) {
        for (const StyledRun& run : renderMarkup(topic.text)) {
            if (!run.link.starts_with("Try now:")) continue;
            testing_support::RecordingHost host;
            Session session(host);
            executeCommand(session, "FIGURE 1 500 500");
            executeCommand(session, "AXIS at(1) p4(-1,1,1,0) p4(-1,1,1,0)");
            activateLink(session, run.link);
            EXPECT_EQ(host.output, "") << topic.keyword << ": " << run.link;
        }
    }
}

TEST(HelpTexts, EveryTopicOpensWithItsBoldRedTitleAndClosesItsTags)
{
    for (const HelpTopic& topic : helpTopics) {
        const std::vector<StyledRun> runs = renderMarkup(topic.text);
        ASSERT_GE(runs.size(), 2u) << topic.keyword;
        EXPECT_TRUE(runs[0].text.starts_with(topic.keyword)) << topic.keyword;
        EXPECT_TRUE(runs[0].style.bold) << topic.keyword;
        EXPECT_EQ(runs[0].style.colour, 0xFF0000u) << topic.keyword;
        EXPECT_EQ(runs.back().text, separatorLine);
        // Text after the try block and the end of the topic are plain: every toggle is closed.
        for (const StyledRun& run : runs)
            EXPECT_EQ(run.text.find('{'), std::string::npos) << topic.keyword << ": " << run.text;
    }
}

} // namespace
} // namespace lang
