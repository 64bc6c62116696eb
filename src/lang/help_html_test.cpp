// Tests of the HTML help: markup to HTML, gallery scripts, and the page's sections.
#include "lang/help_html.h"

#include "lang/help_texts.h"

#include <gtest/gtest.h>

namespace lang {
namespace {

TEST(HelpHtml, MarkupBecomesHtml)
{
    const std::pair<std::string, std::string> cases[] = {
        {"{b}A<&>{b}", "<b>A&lt;&amp;&gt;</b>"},
        {"{c 0xFF}red{c 0}\r\n\tx", "<span style=\"color:#ff0000\">red</span><br>\n&emsp;&emsp;x"},
        {"{l}FIGURE{l} {l}BRUSH{l}", "<a href=\"#FIGURE\">FIGURE</a> <b>BRUSH</b>"},
        {"{t}FIGURE 1{t}", "<span class=\"try\">Try now:<br>\n</span>FIGURE 1"},
    };
    for (const auto& [markup, html] : cases) {
        std::vector<StyledRun> runs = renderMarkup(markup);
        runs.pop_back(); // the separator line
        EXPECT_EQ(htmlFromRuns(runs), html) << markup;
    }
}

TEST(HelpHtml, GalleryScriptsSplitIntoDescriptionAndCommands)
{
    const GalleryEntry entry = galleryEntryFromScript(
        "sine", "// A sine.\r\n// Second line.\r\nFIGURE 1\r\n// kept\nAXIS at(1)\n", "g/sine.png");
    EXPECT_EQ(entry, (GalleryEntry{"sine", "A sine. Second line.", "FIGURE 1\n// kept\nAXIS at(1)\n",
                                   "g/sine.png"}));
}

TEST(HelpHtml, ThePageHoldsEveryTopicAndTheGallery)
{
    const GalleryEntry entry{"sine", "A sine.", "FIGURE 1\n", "gallery/sine.png"};
    const std::string page = helpPage(std::span(&entry, 1));
    for (const HelpTopic& topic : helpTopics)
        EXPECT_NE(page.find("<section id=\"" + std::string(topic.keyword) + "\">"), std::string::npos)
            << topic.keyword;
    EXPECT_NE(page.find("<img src=\"gallery/sine.png\""), std::string::npos);
    EXPECT_NE(page.find("<code>FUNCTION3D</code>"), std::string::npos);
    EXPECT_EQ(page.find(std::string(separatorLine)), std::string::npos);
}

} // namespace
} // namespace lang
