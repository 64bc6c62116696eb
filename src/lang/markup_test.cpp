// Tests of markup rendering and link text.
#include "lang/markup.h"

#include "lang/help_texts.h"

#include <gtest/gtest.h>

namespace lang {
namespace {

const TextStyle plainStyle{};
const TextStyle boldStyle{true, false, false, 0};
const TextStyle linkStyle{true, false, true, 0xFF0000};
const StyledRun separator{std::string(separatorLine), {}, {}};

TEST(Markup, RendersTagsIntoStyledRuns)
{
    const std::pair<std::string, std::vector<StyledRun>> cases[] = {
        {"{b}A{b}B", {{"A", boldStyle, ""}, {"B", plainStyle, ""}, separator}},
        {"{B}x", {{"x", plainStyle, ""}, separator}},
        {"{C 255}red{c 0}black",
         {{"red", {false, false, false, 255}, ""}, {"black", plainStyle, ""}, separator}},
        {"{c 0xFF0000}{i}{u}x", {{"x", {false, true, true, 0xFF0000}, ""}, separator}},
        {"{c 0xFF}a{b}b",
         {{"a", {false, false, false, 0xFF}, ""},
          {"b", {true, false, false, 0xFF}, ""},
          separator}},
        {"abc{b", {{"abc", plainStyle, ""}, separator}},
        {"a{zz}b{}c",
         {{"a", plainStyle, ""}, {"b", plainStyle, ""}, {"c", plainStyle, ""}, separator}},
        {"Type {l}HELP{l} now",
         {{"Type ", plainStyle, ""},
          {"HELP", linkStyle, "HELP"},
          {" now", plainStyle, ""},
          separator}},
        {"{l}A{i}B{i}{l}",
         {{"A", linkStyle, "AB"}, {"B", {true, true, true, 0xFF0000}, "AB"}, separator}},
        {"{l}one\r\ntwo{l}", {{"one\r\ntwo", linkStyle, "one\rtwo"}, separator}},
        {"", {separator}},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(renderMarkup(text), expected) << text;
}

TEST(Markup, TryBlockBecomesARunnableLinkFollowedByTheVisibleExample)
{
    const std::vector<StyledRun> runs =
        renderMarkup("{b}Example{b}: \r\n\t {t}FIGURE 1\r\nLAYER 1 0 0 5 5\r\n{t}after");
    ASSERT_EQ(runs.size(), 6u);
    EXPECT_EQ(runs[0], (StyledRun{"Example", boldStyle, ""}));
    EXPECT_EQ(runs[2].text, "Try now:\r\n");
    EXPECT_TRUE(runs[2].style.bold);
    EXPECT_TRUE(runs[2].style.underline);
    EXPECT_EQ(runs[2].link, "Try now:\rFIGURE 1\rLAYER 1 0 0 5 5\r");
    EXPECT_EQ(runs[3], (StyledRun{"FIGURE 1\r\nLAYER 1 0 0 5 5\r\n", plainStyle, ""}));
    EXPECT_EQ(runs[4], (StyledRun{"after", plainStyle, ""}));
    EXPECT_EQ(
        plainText(runs),
        "Example: \n\t Try now:\nFIGURE 1\nLAYER 1 0 0 5 5\nafter------------------------------\n");
}

TEST(Markup, FigureHelpPrintsExactlyAsPlainText)
{
    EXPECT_EQ(plainText(renderMarkup(*findHelpText("FIGURE"))),
              "FIGURE: Creates or updates a figure.\n"
              "\tFIGURE <id> [<width>] [<height>] [<color>] [DX] [OWN2D] \n"
              "\t\twidth,height: Figure width and height\n"
              "\t\tcolor: figure color, default is white, hex supported, alpha blend supported "
              "(for example 0xFFFFAAAA)\n"
              "\t\tDX: Enables Direct3D drawing to that figure\n"
              "\t\tOWN2D: Performs 2D transforms using manual manipulation (See help for details)\n"
              "FIGURE must be the first command to create a figure.\n"
              "Example: \n"
              "\t Try now:\n"
              "FIGURE 1 500 500 0xFF00FF\n"
              "------------------------------\n");
    EXPECT_EQ(plainText(renderMarkup(notAvailableMessage)),
              "Help is not yet available for this command. Try HELP or press F1.\n"
              "------------------------------\n");
}

TEST(Markup, LinkTextsTurnIntoCommandLines)
{
    using Strings = std::vector<std::string>;
    const std::pair<std::string, Strings> cases[] = {
        {"HELP", {"HELP"}},
        {"Try now:\rFIGURE 1\r\t LAYER 1 0 0 5 5 \r\rTEXT at(1)\r",
         {"FIGURE 1", "LAYER 1 0 0 5 5", "TEXT at(1)"}},
        {"TRY NOW:\rx", {"x"}},
        {"try", {}},
        {"Try now:\r  \rx", {"", "x"}},
        {"a\rb", {"a", "b"}},
    };
    for (const auto& [link, expected] : cases)
        EXPECT_EQ(linkCommands(link), expected) << link;
}

} // namespace
} // namespace lang
