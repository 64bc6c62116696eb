// Tests of the figure window's commands: keys, menu, selection, clipboard, frames, recording.
#include "figure/figure_command_handler.h"

#include "figure/animation_recorder.h"
#include "figure/figure_menu.h"
#include "lang/interpreter.h"
#include "model/object_views.h"
#include "lang/serialiser.h"
#include "recording_host.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace figure {
namespace {

class FigureCommandTest : public ::testing::Test {
protected:
    model::Figure& makeFigure(const std::vector<std::string>& lines)
    {
        for (const std::string& line : lines)
            lang::executeCommand(session, line);
        return session.figures.at(0);
    }
    CommandResult run(model::Figure& figure, std::int32_t id, KeyModifiers modifiers = {})
    {
        return runFigureCommand(session, figure, state, id, 0, modifiers);
    }
    std::vector<std::string> notices()
    {
        std::vector<std::string> found;
        for (const std::string& event : host.events)
            if (event.starts_with("notify ")) found.push_back(event.substr(7));
        host.events.clear();
        return found;
    }

    testing_support::RecordingHost host;
    lang::Session session{host};
    WindowState state;
};

std::vector<std::string> texts(const model::Figure& figure)
{
    std::vector<std::string> found;
    for (const model::PlotObject& object : figure.objects)
        found.push_back(model::findSubObject(object, model::SubObjectKind::Name, 0)->arguments[0]);
    return found;
}

std::string flags(const model::Figure& figure)
{
    std::string found;
    for (const model::Frame& frame : figure.frames)
        found += frame.frameFlag ? '1' : '0';
    return found;
}

TEST(FigureKeys, StandForTheirCommands)
{
    constexpr KeyModifiers none{}, ctrl{true, false, false}, shift{false, true, false},
        alt{false, false, true}, ctrlShift{true, true, false};
    struct Case {
        Key key;
        KeyModifiers modifiers;
        Tool tool;
        std::int32_t expected;
    };
    const Case cases[] = {
        {Key::F2, none, Tool::Cross, 31998},
        {Key::F7, ctrl, Tool::Cross, 851},
        {Key::F12, none, Tool::Cross, 883},
        {Key::Period, none, Tool::Cross, 41996},
        {Key::Greater, shift, Tool::Cross, 41994},
        {Key::Period, ctrl, Tool::Cross, 0},
        {Key::Comma, none, Tool::Cross, 41995},
        {Key::Less, shift, Tool::Cross, 0},
        {Key::S, ctrl, Tool::Cross, 103},
        {Key::S, ctrlShift, Tool::Cross, 104},
        {Key::S, shift, Tool::Cross, 106},
        {Key::S, alt, Tool::Cross, 107},
        {Key::S, none, Tool::Cross, 0},
        {Key::C, ctrlShift, Tool::Cross, 112},
        {Key::X, ctrl, Tool::Cross, 142},
        {Key::V, ctrl, Tool::Cross, 143},
        {Key::R, ctrl, Tool::Cross, 881},
        {Key::L, ctrl, Tool::Cross, 203},
        {Key::Delete, none, Tool::Cross, 31999},
        {Key::Delete, shift, Tool::Cross, 0},
        {Key::Up, none, Tool::Cross, 0},
        {Key::Up, none, Tool::Move2D, 1402},
        {Key::KeypadPlus, none, Tool::Move2D, 0},
        {Key::KeypadPlus, none, Tool::Scale2D, 1445},
        {Key::Left, ctrl, Tool::Rotate2D, 1411},
        {Key::KeypadMinus, none, Tool::Rotate3D, 1466},
        {Key::Right, shift, Tool::Scale3D, 1473},
        {Key::Down, none, Tool::Move3D, 1454},
    };
    for (const Case& c : cases)
        EXPECT_EQ(commandForKey(c.key, c.modifiers, c.tool), c.expected)
            << static_cast<int>(c.key) << " tool " << static_cast<int>(c.tool);
}

TEST_F(FigureCommandTest, MenuFollowsObjectsSelectionToolAndSettings)
{
    model::Figure& figure =
        makeFigure({"figure 1", "text at(1) n(a) p2(1,1)", "rectangle at(1) p4(1,1,5,5)"});
    run(figure, 31002);
    run(figure, 1704); // Rotate 2D
    run(figure, 843);
    const std::vector<TopMenu> menus = buildFigureMenu(figure, state);
    std::vector<std::string> titles;
    for (const TopMenu& menu : menus)
        titles.push_back(menu.title);
    EXPECT_EQ(titles, (std::vector<std::string>{"&File", "Insert", "&Edit", "Se&lect", "&Tools 2D",
                                                "&Tools 3D", "&Rotate 2D", "&Tools", "Frame"}));
    const auto item = [&](std::int32_t id) {
        for (const TopMenu& menu : menus)
            for (const MenuItem& entry : menu.items)
                if (entry.id == id) return entry;
        return MenuItem{};
    };
    EXPECT_FALSE(item(31001).checked);
    EXPECT_TRUE(item(31002).checked);
    EXPECT_EQ(item(31002).text, figure.objects[1].displayName);
    EXPECT_EQ(item(33001).text, figure.objects[0].displayName);
    EXPECT_TRUE(item(843).checked);
    EXPECT_FALSE(item(842).checked);
    EXPECT_TRUE(item(841).checked);
    EXPECT_TRUE(item(41000).checked);
    EXPECT_EQ(menus[1].items[0].children.front().id, 301);

    run(figure, 31000);
    const std::vector<TopMenu> cleared = buildFigureMenu(figure, state);
    for (const MenuItem& entry : cleared[3].items)
        EXPECT_FALSE(entry.checked) << entry.text;
    run(figure, 1700);
    EXPECT_EQ(buildFigureMenu(figure, state).size(), 8u); // Cross keeps no step menu
}

TEST_F(FigureCommandTest, SelectionHidesDeletesCopiesAndPastes)
{
    std::vector<std::string> lines{"figure 1"};
    for (int i = 0; i < 6; ++i)
        lines.push_back("text at(1) n(t" + std::to_string(i) + ") p2(1,1)");
    model::Figure& figure = makeFigure(lines);
    lang::executeCommand(session, "figure 2");
    model::Figure& other = *session.figures.findFigure(2);

    EXPECT_TRUE(run(figure, 141).handled);
    EXPECT_TRUE(notices().empty()); // nothing selected: nothing said
    run(figure, 31003);
    run(figure, 31006);
    run(figure, 141);
    EXPECT_EQ(notices(), std::vector<std::string>{"Object(s) copied!"});
    run(other, 143);
    EXPECT_EQ(texts(other), (std::vector<std::string>{"t5", "t2"}));
    EXPECT_EQ(notices(), std::vector<std::string>{"2 Object(s) pasted!"});
    EXPECT_FALSE(run(other, 143).repaint); // the clipboard is empty now
    EXPECT_TRUE(notices().empty());

    run(figure, 31998);
    EXPECT_TRUE(figure.objects[2].hidden && figure.objects[5].hidden && !figure.objects[0].hidden);
    run(figure, 31998);
    EXPECT_FALSE(figure.objects[2].hidden || figure.objects[5].hidden);
    run(figure, 142);
    EXPECT_EQ(notices(), std::vector<std::string>{"Object(s) cut!"});
    EXPECT_EQ(texts(figure), (std::vector<std::string>{"t0", "t1", "t3", "t4"}));
    run(figure, 31001);
    run(figure, 31999);
    EXPECT_EQ(texts(figure), (std::vector<std::string>{"t1", "t3", "t4"}));
    EXPECT_FALSE(run(figure, 31900).rebuildMenu); // no such object
    EXPECT_FALSE(run(figure, 103).handled);       // File commands go to the console
    EXPECT_FALSE(run(figure, 33001).handled);
}

TEST_F(FigureCommandTest, FrameCommandsShowFramesInTurn)
{
    model::Figure& figure = makeFigure({"figure 1", "frames 1 3 100 0"});
    const std::pair<std::int32_t, std::string> steps[] = {
        {41998, "0000"}, {41996, "1000"}, {41996, "1100"}, {41996, "1110"},
        {41995, "1100"}, {41994, "0010"}, {41994, "1010"}, {41994, "0110"},
        {41999, "1111"}, {41002, "1101"}, {41993, "1101"}, {41995, "1100"},
    };
    for (const auto& [id, expected] : steps) {
        run(figure, id);
        EXPECT_EQ(flags(figure), expected) << id;
    }
    EXPECT_EQ(run(figure, 41997).dialog, DialogRequest::NewFrames);
}

TEST_F(FigureCommandTest, RecordingRebuildsTheFigureWithOneFramePerCapture)
{
    model::Figure& figure = makeFigure({"figure 1", "point at(1) p2(10,10) pen(3)"});
    EXPECT_EQ(run(figure, 881).dialog, DialogRequest::AnimationRecord);
    EXPECT_FALSE(run(figure, 883).repaint); // not recording yet
    ASSERT_TRUE(startRecording(figure, {1, 100, true}));
    EXPECT_EQ(run(figure, 881).dialog, DialogRequest::None);
    run(figure, 883, {});
    state.tool = Tool::Move2D;
    figure.objects[0].selected = true;
    run(figure, 1403);
    run(figure, 883);
    EXPECT_EQ(figure.frames.size(), 3u);
    run(figure, 882);
    EXPECT_FALSE(figure.recording);
    ASSERT_EQ(figure.objects.size(), 2u);
    EXPECT_EQ(model::placementOf(figure.objects[0]).frameId, 1);
    EXPECT_EQ(model::placementOf(figure.objects[1]).frameId, 2);
    EXPECT_EQ(model::findSubObject(figure.objects[0], model::SubObjectKind::Transform, 0), nullptr);
    EXPECT_NE(model::findSubObject(figure.objects[1], model::SubObjectKind::Transform, 0), nullptr);
    ASSERT_EQ(figure.frames.size(), 3u);
    EXPECT_EQ(figure.frames[2], (model::Frame{100, 1, 1, 0}));
    EXPECT_TRUE(figure.recordedBlocks.empty());
}

} // namespace
} // namespace figure
