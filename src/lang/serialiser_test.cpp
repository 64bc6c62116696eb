// Tests of the figure serialiser and the console's document texts.
#include "lang/serialiser.h"

#include "lang/interpreter.h"
#include "lang/tokenizer.h"
#include "recording_host.h"
#include "xml/xml_document.h"

#include <gtest/gtest.h>

namespace lang {
namespace {

using model::SubObjectKind;
using Strings = std::vector<std::string>;

class SerialiserTest : public ::testing::Test {
protected:
    model::Figure& run(std::initializer_list<std::string_view> lines, std::uint32_t id = 1)
    {
        for (std::string_view line : lines)
            executeCommand(session, line, 0);
        return *session.figures.findFigure(id);
    }

    testing_support::RecordingHost host;
    Session session{host};
};

TEST_F(SerialiserTest, WritesTheFigureLayersFrameRunsAndObjects)
{
    struct Case {
        std::vector<std::string_view> lines;
        std::string expected;
    };
    const Case cases[] = {
        {{"FIGURE 1"}, "FIGURE 0 640 480 0xFFFFFFFF nodx noown2d\r\n"},
        {{"FIGURE 1 500 500", "FRAME 1 300 0", "AXIS at(1) pen(2) p4(-3,10,0.5,2) p4(-3,10,0.5,2)",
          "FUNCTION at(1,0,1) n(\"sin(2*pi*x)\") p2(-0.1,9) p1(0.005) pen(2)"},
         "FIGURE 0 500 500 0xFFFFFFFF nodx noown2d\r\n"
         "FRAMES 0 1 300 0 \r\n"
         "AXIS at(0,,,) pen(2) p4(-3,10,0.5,2) p4(-3,10,0.5,2) \r\n"
         "FUNCTION at(0,0,1,) n(\"sin(2*pi*x)\") p2(-0.1,9) p1(0.005) pen(2) "},
        {{"FIGURE 1 300 200 0x80FF00AA nodx OWN2D", "DX 1", "LAYER 1 25% 25 75 75",
          "LAYER 1 -10 0 50 50", "FRAMES 1 3 300 0", "FRAMES 1 2 500 1"},
         "FIGURE 0 300 200 0x80FF00AA dx own2d\r\n"
         "LAYER 0 25% 25% 75% 75%\r\n"
         "LAYER 0 -10 0 50 50\r\n"
         "FRAMES 0 3 300 0 \r\n"
         "FRAMES 0 2 500 1 \r\n"},
        {{"FIGURE 1", "FUNCTION at(1,0,1) N(sin(2*pi*x)) P1C(0.1) RECT(0,0,1,1)",
          "rectangle at(1) FONT(Arial) foo(1,2) p4(0,0,10,10)",
          "TEXT at(1,0,0,0,9) n(\"a b\",c) font(\"Times New Roman\",12)"},
         "FIGURE 0 640 480 0xFFFFFFFF nodx noown2d\r\n"
         "FUNCTION at(0,0,1,) n(\"sin(2*pi*x)\") p1(0.1) p4(0,0,1,1) \r\n"
         "rectangle at(0,,,) unknown() unknown(1,2) p4(0,0,10,10) \r\n"
         "TEXT at(0,0,0,0) n(\"a b\",\"c\") font(\"Times New Roman\",12) "},
    };
    for (const Case& c : cases) {
        Session fresh{host};
        for (std::string_view line : c.lines)
            executeCommand(fresh, line, 0);
        EXPECT_EQ(serialiseFigure(fresh.figures.at(0)), c.expected) << c.lines.back();
    }
}

TEST_F(SerialiserTest, RewritesTheFirstAtOfEachObjectInTheFigureItself)
{
    model::Figure& figure = run({"FIGURE 1", "POINT at(1) p2(1,1) at(1,2)",
                                 "POINT at(1,0,1,2,7,8) p2(1,1)", "POINT at(1,2) p2(1,1)"});
    serialiseFigure(figure);
    EXPECT_EQ(figure.objects[0].subObjects[0].arguments, (Strings{"0", "", "", ""}));
    EXPECT_EQ(figure.objects[0].subObjects[2].arguments, (Strings{"1", "2"})); // not the first
    EXPECT_EQ(figure.objects[1].subObjects[0].arguments, (Strings{"0", "0", "1", "2"}));
    EXPECT_EQ(figure.objects[2].subObjects[0].arguments, (Strings{"0", "2", "", ""}));
}

TEST_F(SerialiserTest, RecorderModeWritesObjectsIntoTheRecordedFrame)
{
    model::Figure& figure = run(
        {"FIGURE 1", "FRAMES 1 3 100 0", "AXIS at(1,0,5) p4(0,1,1,0) p4(0,1,1,0)",
         "FUNCTION at(1,0,1) n(x) p2(0,1) p1(0.1)", "AXIS at(1,0,7,1) p4(0,1,1,0) p4(0,1,1,0)"});
    const std::string withoutBlocks = "AXIS at(0,0,5,2) p4(0,1,1,0) p4(0,1,1,0) \r\n"
                                      "FUNCTION at(0,0,1,2) n(\"x\") p2(0,1) p1(0.1) \r\n"
                                      "AXIS at(0,0,7,2) p4(0,1,1,0) p4(0,1,1,0) ";
    EXPECT_EQ(serialiseFigure(figure, SerialiseMode::Recorder, 2), withoutBlocks);

    // With recorded blocks, AXIS objects are numbered in writing order and keep their own ids.
    figure.recordedBlocks.push_back("POINT at(0,,,1) p2(1,1) ");
    EXPECT_EQ(serialiseFigure(figure, SerialiseMode::Recorder, 3),
              "AXIS at(0,0,1,3) p4(0,1,1,0) p4(0,1,1,0) \r\n"
              "FUNCTION at(0,0,1,3) n(\"x\") p2(0,1) p1(0.1) \r\n"
              "AXIS at(0,0,2,3) p4(0,1,1,0) p4(0,1,1,0) ");
    EXPECT_EQ(figure.objects[0].subObjects[0].arguments, (Strings{"0", "0", "5", "3"}));
    EXPECT_EQ(figure.objects[2].subObjects[0].arguments, (Strings{"0", "0", "7", "3"}));

    EXPECT_EQ(serialiseFigure(figure, SerialiseMode::HeaderOnly),
              "FIGURE 0 640 480 0xFFFFFFFF nodx noown2d\r\nFRAMES 0 3 100 0 \r\n");
}

TEST_F(SerialiserTest, RunningTheTextWithADefaultIdRebuildsTheFigure)
{
    model::Figure& original = run(
        {"FIGURE 1 500 400 0xFFFFAAAA", "LAYER 1 0 0 50% 50%", "FRAME 1 300 0", "FRAMES 1 3 300 0",
         "FRAMES 1 2 500 1", "AXIS at(1,1) pen(2) brush(solid,0) p4(-0.1,9,1,1) p4(-1.2,1.2,0.5,2)",
         "FUNCTION at(1,1,1,3) n(\"sin(4*pi*x)\") p2(-0.1,9) p1(0.005) pen(2,0xFF0000)"});
    const std::string text = serialiseFigure(original);

    Session copy{host};
    executeCommand(copy, "FIGURE 4", 0);
    for (const std::string& line : splitTokens(text, "\r\n", QuoteProtection::Off))
        executeCommand(copy, line, 4);
    ASSERT_EQ(copy.figures.size(), 1u);
    model::Figure& rebuilt = copy.figures.at(0);
    EXPECT_EQ(rebuilt.id, 4u);
    EXPECT_EQ(rebuilt.frames, original.frames);
    EXPECT_EQ(rebuilt.frames.size(), 7u);
    EXPECT_EQ(rebuilt.layers, original.layers);
    EXPECT_EQ(rebuilt.backgroundColour, 0xFFFFAAAAu);
    ASSERT_EQ(rebuilt.objects.size(), 2u);
    EXPECT_EQ(rebuilt.objects[1].subObjects[0].arguments, (Strings{"4", "1", "1", "3"}));
    EXPECT_EQ(serialiseFigure(rebuilt), text);
}

TEST_F(SerialiserTest, ConsoleTextsWrapFiguresInPlotElements)
{
    run({"FIGURE 1", "FIGURE 2", "POINT at(2) p2(1,1) n(\"a<b\")"});
    const Strings all = collectFigureTexts(session, FigureScope::All);
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(collectFigureTexts(session, FigureScope::Foreground, 2), Strings{all[1]});
    EXPECT_TRUE(collectFigureTexts(session, FigureScope::Foreground).empty());

    EXPECT_EQ(oneFigureDocumentText(all[1]),
              "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>\r\n"
              "<root>\r\n\t<plot>\r\n"
              "FIGURE 0 640 480 0xFFFFFFFF nodx noown2d\r\n"
              "POINT at(0,,,) p2(1,1) n(\"a&lt;b\") "
              "\r\n\t</plot>\r\n</root>");
    // The clipboard's texts are pasted into the console: the command text stays as it is.
    EXPECT_EQ(oneFigureClipboardText(all[1]),
              "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>\r\n"
              "<root>\r\n\t<plot>\r\n" +
                  all[1] + "\r\n\t</plot>\r\n</root>");
    EXPECT_EQ(allFiguresClipboardText(all), "<plot>\r\n" + all[0] + "\r\n</plot>\r\n<plot>\r\n" +
                                                "FIGURE 0 640 480 0xFFFFFFFF nodx noown2d\r\n"
                                                "POINT at(0,,,) p2(1,1) n(\"a<b\") \r\n</plot>\r\n");
}

// Found by fuzzing command lines: a CURVE line with the bytes "\xcd\xec\x01\x00\x80" gave a
// document text that did not load.
TEST(Serialiser, DocumentTextsHoldOnlyUtf8)
{
    const std::string text =
        "FIGURE 0 640 480 0xFFFFFFFF nodx noown2d\r\nCURVE n(\"\xcd\xec\x01\x80\")";
    const std::string replaced = "FIGURE 0 640 480 0xFFFFFFFF nodx noown2d\r\nCURVE "
                                 "n(\"\xEF\xBF\xBD\xEF\xBF\xBD\x01\xEF\xBF\xBD\")";
    xml::XmlDocument document;
    document.openText(oneFigureDocumentText(text));
    ASSERT_EQ(document.status(), xml::LoadStatus::Loaded) << document.message();
    EXPECT_EQ(document.root().findChild("plot")->text(0, xml::Decoding::Decoded), replaced);
    EXPECT_EQ(allFiguresClipboardText(std::vector<std::string>{text}),
              "<plot>\r\n" + replaced + "\r\n</plot>\r\n");
}

} // namespace
} // namespace lang
