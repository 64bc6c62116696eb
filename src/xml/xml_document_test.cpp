// Tests of XML documents: load statuses, the tree, writing, UTF-16 and moving children out.
#include "xml/xml_document.h"

#include "model/limits.h"
#include "temporary_folder.h"
#include "xml/xml_writer.h"

#include <gtest/gtest.h>

namespace xml {
namespace {

using testing_support::readFileBytes;
using testing_support::TemporaryFolder;
using testing_support::writeFileBytes;

const std::string declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";

XmlDocument documentFrom(std::string_view text)
{
    XmlDocument document;
    document.openText(text);
    return document;
}

TEST(XmlDocument, LoadStatusesAndTheirDetails)
{
    struct Case {
        std::string text;
        LoadStatus status;
        LoadDetail detail;
    };
    const Case cases[] = {
        {"", LoadStatus::Empty, LoadDetail::NoDeclaration},
        {"<plot>FIGURE 1</plot>", LoadStatus::Empty, LoadDetail::NoDeclaration},
        {declaration + "\r\n  ", LoadStatus::Empty, LoadDetail::NoRootElement},
        {declaration + "<!-- only a comment -->", LoadStatus::Empty, LoadDetail::NoRootElement},
        {declaration + "<a/>", LoadStatus::Loaded, LoadDetail::None},
        {declaration + "<!DOCTYPE a><?pi x?><a></a >", LoadStatus::Loaded, LoadDetail::None},
        {declaration + "<a>", LoadStatus::Failed, LoadDetail::MissingEndTag},
        {declaration + "<a><b></a>", LoadStatus::Failed, LoadDetail::MissingEndTag},
        {declaration + "<a><b></c></d>", LoadStatus::Loaded, LoadDetail::None}, // "</" closes
        {declaration + "<a>text", LoadStatus::Failed, LoadDetail::MissingEndTag},
        {declaration + "<a><!-- open", LoadStatus::Failed, LoadDetail::UnterminatedMarkup},
        {declaration + "<a><![CDATA[open", LoadStatus::Failed, LoadDetail::UnterminatedMarkup},
        {declaration + "<a b='open>", LoadStatus::Failed, LoadDetail::UnterminatedMarkup},
        {declaration + "<a></a", LoadStatus::Failed, LoadDetail::UnterminatedMarkup},
        {declaration + "<a><?pi", LoadStatus::Failed, LoadDetail::UnterminatedMarkup},
        {declaration + "<a b=1/>", LoadStatus::Loaded, LoadDetail::None},
        {declaration + "<1a/>", LoadStatus::Failed, LoadDetail::MalformedStartTag},
        {declaration + "<a>x < y</a>", LoadStatus::Failed, LoadDetail::MalformedStartTag},
        {declaration + "</a>", LoadStatus::Failed, LoadDetail::StrayEndTag},
        {declaration + "<a>\xC3\x28</a>", LoadStatus::Loaded, LoadDetail::None},
    };
    for (const Case& c : cases) {
        const XmlDocument document = documentFrom(c.text);
        EXPECT_EQ(document.status(), c.status) << c.text;
        EXPECT_EQ(document.detail(), c.detail) << c.text;
        EXPECT_EQ(document.message().empty(), c.status == LoadStatus::Loaded) << c.text;
    }
}

TEST(XmlDocument, ReadsBytesInTheEncodingTheDeclarationNames)
{
    const std::pair<std::string, std::string> cases[] = {
        {"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a>Gr\xF6\xDF\x65 \x80</a>",
         "Gr\u00F6\u00DFe \u0080"},
        {"<?xml version='1.0' encoding='Windows-1252'?><a>\x80 \x93x\x94</a>",
         "\u20AC \u201Cx\u201D"},
        // Otherwise UTF-8, each byte that begins no valid sequence read as U+FFFD.
        {declaration + "<a>Gr\xF6\xDF\x65</a>", "Gr\uFFFD\uFFFDe"},
        {"<?xml version=\"1.0\"?><a>\xED\xA0\x80 \xE2\x82\xAC</a>", "\uFFFD\uFFFD\uFFFD \u20AC"},
    };
    for (const auto& [text, expected] : cases) {
        const XmlDocument document = documentFrom(text);
        ASSERT_EQ(document.status(), LoadStatus::Loaded) << document.message();
        EXPECT_EQ(document.root().text(0, Decoding::Raw), expected) << text;
    }
}

TEST(XmlDocument, ReadsAttributeValuesWithAndWithoutQuotes)
{
    const XmlDocument document =
        documentFrom(declaration + "<plot id=1 name='a b' = odd key=\"v\"></plot>");
    ASSERT_EQ(document.status(), LoadStatus::Loaded) << document.message();
    const std::vector<XmlAttribute> expected = {{"id", "1"}, {"name", "a b"}, {"key", "v"}};
    EXPECT_EQ(document.root().attributes(), expected);
}

TEST(XmlDocument, DeclarationsGetTheirEncodingOnceWhateverStandsAroundIt)
{
    const std::pair<std::string, std::string> cases[] = {
        {"<?xml version=\"1.0\"?>", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"},
        {"<?xml version='1.0' encoding='UTF-16'?>", "<?xml version='1.0' encoding='UTF-8'?>"},
        {"<?xml?>", "<?xml encoding=\"UTF-8\"?>"},
        {"<?other?>", "<?other?>"},
        // Found by fuzzing documents: a mangled declaration gained one more encoding with every
        // save, because the first "encoding" in it was not the pseudo-attribute.
        {"<?xml version=\x1e"
         "1.0\" encodinging=\"UTF-8. ?>",
         "<?xml version=\x1e"
         "1.0\" encodinging=\" encoding=\"UTF-8\"UTF-8. ?>"},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(declarationWithEncoding(text, "UTF-8"), expected) << text;
        EXPECT_EQ(declarationWithEncoding(expected, "UTF-8"), expected) << text;
    }
}

TEST(XmlDocument, EmptyDocumentsGetTheStandardDeclarationAndARoot)
{
    XmlDocument document = documentFrom("no markup at all");
    EXPECT_EQ(document.declaration(), defaultDeclaration);
    EXPECT_EQ(document.root().name(), "root");
    EXPECT_EQ(document.text(), std::string(defaultDeclaration) + "\r\n<root/>\r\n");
    EXPECT_EQ(XmlDocument().text(), document.text());
}

TEST(XmlDocument, AFailedParseKeepsWhatWasReadAndSaysWhere)
{
    const XmlDocument document =
        documentFrom(declaration + "\n<root>\n<plot>FIGURE 1</plot>\n<plot>FIGURE 2\n</root>");
    EXPECT_EQ(document.status(), LoadStatus::Failed);
    EXPECT_EQ(document.message(), "XML text: line 5: the end tag of <root> is missing");
    ASSERT_EQ(document.root().childCount(), 2u);
    EXPECT_EQ(document.root().loadedChild(1)->text(0, Decoding::Raw), "FIGURE 2");
}

const std::string mixedSource = declaration +
                                "\n<!-- before -->\n"
                                "<root a=\"1\" b='x \"y\"'>\n"
                                "  lead\n"
                                "  <first/>\n"
                                "  between &amp; more\n"
                                "  <!-- note -->\n"
                                "  <second k=\"v\">inner<![CDATA[<raw> & ]]></second>\n"
                                "  tail\n"
                                "</root>\n"
                                "<!-- after -->\n";

const std::string mixedWritten = declaration + "\r\n<!-- before -->\r\n"
                                               "<root a=\"1\" b=\"x &quot;y&quot;\">\r\n"
                                               "  lead\r\n"
                                               "\t<first/>\r\n"
                                               "  between &amp; more\r\n"
                                               "<!-- note -->\r\n"
                                               "\t<second k=\"v\">\r\n"
                                               "inner\r\n"
                                               "<![CDATA[<raw> & ]]>\r\n"
                                               "\t</second>\r\n"
                                               "  tail\r\n"
                                               "</root>\r\n"
                                               "<!-- after -->\r\n";

TEST(XmlDocument, KeepsSegmentsInSourceOrderByTheirPositions)
{
    XmlDocument document = documentFrom(mixedSource);
    ASSERT_EQ(document.status(), LoadStatus::Loaded);
    EXPECT_EQ(document.comments(),
              (std::vector<DocumentComment>{{" before ", CommentPlacement::BeforeRoot},
                                            {" after ", CommentPlacement::AfterRoot}}));
    const XmlElement& root = document.root();
    EXPECT_EQ(root.segments(),
              (std::vector<XmlSegment>{{SegmentKind::Text, "  lead", 0},
                                       {SegmentKind::Text, "  between &amp; more", 1},
                                       {SegmentKind::Comment, " note ", 1},
                                       {SegmentKind::Text, "  tail", 2}}));
    EXPECT_EQ(root.textCount(), 3u);
    EXPECT_EQ(root.text(1, Decoding::Raw), "  between &amp; more");
    EXPECT_EQ(root.text(1, Decoding::Decoded), "  between & more");
    EXPECT_EQ(root.text(3, Decoding::Decoded), "");
    EXPECT_EQ(root.attributeValue("b", Decoding::Decoded), "x \"y\"");
    EXPECT_EQ(root.loadedChild(1)->segments()[1], (XmlSegment{SegmentKind::CData, "<raw> & ", 0}));

    EXPECT_EQ(document.text(), mixedWritten);
    EXPECT_EQ(documentFrom(mixedWritten).text(), mixedWritten); // a fixed point
}

TEST(XmlDocument, BuildsAndChangesElements)
{
    XmlDocument document;
    XmlElement& root = document.root();
    XmlElement& plot = root.appendChild(XmlElement::fromStartTag("<plot>"));
    plot.appendText("FUNCTION at(0,,,) n(\"x<1 & y\")", 0);
    root.appendChild(XmlElement::fromStartTag("<item key='1' other=\"2\"/>"));
    root.appendText("between", 1);
    ASSERT_TRUE(root.setAttribute("value", "a<b & \"c\""));
    EXPECT_FALSE(root.setAttribute("not a name", "x"));
    EXPECT_EQ(root.findChild("item")->attributeValue("other", Decoding::Raw), "2");
    EXPECT_EQ(root.findChild("missing"), nullptr);
    EXPECT_EQ(plot.text(0, Decoding::Decoded), "FUNCTION at(0,,,) n(\"x<1 & y\")");

    EXPECT_EQ(document.text(), std::string(defaultDeclaration) +
                                   "\r\n<root value=\"a&lt;b &amp; &quot;c&quot;\">\r\n"
                                   "\t<plot>\r\n"
                                   "FUNCTION at(0,,,) n(\"x&lt;1 &amp; y\")\r\n"
                                   "\t</plot>\r\n"
                                   "between\r\n"
                                   "\t<item key=\"1\" other=\"2\"/>\r\n"
                                   "</root>\r\n");

    // Removing the first child keeps "between" between the remaining ones and the end.
    ASSERT_TRUE(root.removeChild(0));
    EXPECT_EQ(root.segments()[0].position, 0u);
    EXPECT_TRUE(root.removeAttribute("value"));
    EXPECT_FALSE(root.removeAttribute("value"));
    root.loadedChild(0);
    root.child(0)->setIndentStyle(IndentStyle::Spaces);
    root.child(0)->appendChild(XmlElement::fromStartTag("<deep>"));
    EXPECT_EQ(document.text(), std::string(defaultDeclaration) + "\r\n<root>\r\n"
                                                                 "between\r\n"
                                                                 " <item key=\"1\" other=\"2\">\r\n"
                                                                 "\t\t<deep/>\r\n"
                                                                 " </item>\r\n"
                                                                 "</root>\r\n");
}

// Found by fuzzing the settings store: the value "\xff\xfe not UTF-8" was written into a file
// that then did not load, so every setting in it was lost and later writes were refused.
TEST(XmlDocument, TreesHoldOnlyUtf8SoTheirTextAlwaysLoadsAgain)
{
    XmlDocument document;
    XmlElement& root = document.root();
    ASSERT_TRUE(root.setAttribute("value", "\xff\xfe not UTF-8"));
    root.appendChild(XmlElement::fromStartTag("<plot>")).appendText("TEXT n(\"caf\xE9\")", 0);
    EXPECT_FALSE(root.setAttribute("\xff", "name that is not UTF-8"));
    EXPECT_FALSE(isXmlName("a\xC3"));
    EXPECT_TRUE(isXmlName("caf\xC3\xA9"));

    XmlDocument reread;
    reread.openText(document.text());
    ASSERT_EQ(reread.status(), LoadStatus::Loaded) << reread.message();
    EXPECT_EQ(reread.root().attributeValue("value", Decoding::Decoded),
              "\xEF\xBF\xBD\xEF\xBF\xBD not UTF-8");
    EXPECT_EQ(reread.root().findChild("plot")->text(0, Decoding::Decoded),
              "TEXT n(\"caf\xEF\xBF\xBD\")");
}

TEST(XmlDocument, TextSegmentsKeepTheirOwnWhiteSpaceThroughSaves)
{
    const std::string texts[] = {
        "FIGURE 0 10 10 0xFFFFFFFF nodx noown2d\r\nPOINT at(0,,,) p2(1,1) ",
        "  indented\tand trailing \t",
        "lines\nseparated\nby LF",
        "\t\r\n  starts with blanks before a line break",
    };
    for (const std::string& text : texts) {
        XmlDocument document;
        document.root().appendChild(XmlElement::fromStartTag("<plot>")).appendText(text, 0);
        const std::string written = document.text();
        const XmlDocument reread = documentFrom(written);
        EXPECT_EQ(reread.root().loadedChild(0)->text(0, Decoding::Decoded), text);
        EXPECT_EQ(documentFrom(written).text(), written);
    }
}

TEST(XmlElement, MadeFromStartTagText)
{
    const std::pair<std::string, std::string> valid[] = {
        {"<root />", "root"}, {"<plot>", "plot"}, {"<a:b-c.d x = 'y' >", "a:b-c.d"},
        {"<_/>", "_"},        {"<a b>", "a"},     {"<a b=c>", "a"},
        {"<a 1='x'>", "a"}};
    for (const auto& [tag, name] : valid) {
        const auto element = XmlElement::fromStartTag(tag);
        ASSERT_NE(element, nullptr) << tag;
        EXPECT_EQ(element->name(), name);
    }
    for (const std::string tag : {"plot", "<>", "< plot>", "<plot", "<1a>"})
        EXPECT_EQ(XmlElement::fromStartTag(tag), nullptr) << tag;
    EXPECT_EQ(XmlElement::fromStartTag()->name(), "root");
}

TEST(XmlDocument, SavesInUtf8AndUtf16AndReadsBothBack)
{
    TemporaryFolder folder;
    XmlDocument document =
        documentFrom(declaration + "<root><plot>caf\xC3\xA9 \xE2\x82\xAC</plot></root>");
    ASSERT_TRUE(document.saveAs(folder.file("wide.xml"), TextEncoding::Utf16).written);
    const std::string bytes = readFileBytes(folder.file("wide.xml"));
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(bytes.substr(0, 4), std::string("\xFF\xFE<\0", 4));
    EXPECT_EQ(document.declaration(), "<?xml version=\"1.0\" encoding=\"UTF-16\"?>");

    XmlDocument reread;
    reread.openFile(folder.file("wide.xml"));
    ASSERT_EQ(reread.status(), LoadStatus::Loaded) << reread.message();
    EXPECT_EQ(reread.root().loadedChild(0)->text(0, Decoding::Raw), "caf\xC3\xA9 \xE2\x82\xAC");
    ASSERT_TRUE(reread.save(TextEncoding::Utf8).written);
    EXPECT_EQ(readFileBytes(folder.file("wide.xml")),
              declaration +
                  "\r\n<root>\r\n\t<plot>\r\ncaf\xC3\xA9 \xE2\x82\xAC\r\n\t</plot>\r\n</root>\r\n");

    XmlDocument fromWideText;
    fromWideText.openText(std::u16string(u"<?xml version=\"1.0\"?><r>\u20AC</r>"));
    EXPECT_EQ(fromWideText.root().text(0, Decoding::Raw), "\xE2\x82\xAC");
    EXPECT_EQ(fromWideText.text(),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<r>\r\n\xE2\x82\xAC\r\n</r>\r\n");
}

TEST(XmlDocument, FilesThatCannotBeReadGiveStatusOneAndSaveFailuresChangeNothing)
{
    TemporaryFolder folder;
    XmlDocument document;
    document.openFile(folder.file("missing.xml"));
    EXPECT_EQ(document.status(), LoadStatus::Empty);
    EXPECT_EQ(document.detail(), LoadDetail::FileMissing);
    EXPECT_EQ(document.fileName(), folder.file("missing.xml"));

    writeFileBytes(folder.file("bom.xml"), "\xEF\xBB\xBF" + declaration + "<a/>");
    document.openFile(folder.file("bom.xml"));
    EXPECT_EQ(document.status(), LoadStatus::Loaded);
    EXPECT_EQ(document.declaration(), declaration);

    writeFileBytes(folder.file("odd.xml"), "\xFF\xFE<\0?");
    document.openFile(folder.file("odd.xml"));
    EXPECT_EQ(document.detail(), LoadDetail::InvalidUtf16);

    const io::WriteResult failed = document.saveAs(folder.file("no/such/folder.xml"));
    EXPECT_FALSE(failed.written);
    EXPECT_NE(failed.message.find("no/such/folder.xml: cannot be written"), std::string::npos);
    EXPECT_EQ(folder.entries(), (std::vector<std::string>{"bom.xml", "odd.xml"}));
}

TEST(XmlDocument, SaveOnCloseWritesTheDocument)
{
    TemporaryFolder folder;
    XmlDocument document;
    document.openFile(folder.file("closing.xml"));
    document.root().setAttribute("k", "v");
    document.setSaveOnClose(SaveOnClose::Yes);
    EXPECT_TRUE(document.close().written);
    EXPECT_EQ(readFileBytes(folder.file("closing.xml")),
              std::string(defaultDeclaration) + "\r\n<root k=\"v\"/>\r\n");
    EXPECT_EQ(document.root().attributes().size(), 0u);
}

TEST(XmlDocument, MovesChildrenOutToTemporaryFilesAndBringsThemBack)
{
    TemporaryFolder folder;
    XmlDocument document;
    document.openFile(folder.file("doc.xml"));
    document.openText(declaration + "<root><a/><b><c>one</c><d x='1'><e/></d></b></root>");
    const std::string before = document.text();
    XmlElement& b = *document.root().child(1);
    EXPECT_EQ(b.child(1)->indexChain(), "0-1-1");

    ASSERT_TRUE(document.moveChildOut(b, 1, folder.path()).written);
    ASSERT_TRUE(document.moveChildOut(document.root(), 0, folder.path()).written);
    EXPECT_TRUE(b.isMovedOut(1));
    EXPECT_EQ(b.loadedChild(1), nullptr);
    EXPECT_EQ(folder.entries(), (std::vector<std::string>{"0-0.xmltmp", "0-1-1.xmltmp"}));
    EXPECT_EQ(readFileBytes(folder.file("0-1-1.xmltmp")),
              std::string(defaultDeclaration) + "\r\n<d x=\"1\">\r\n\t<e/>\r\n</d>\r\n");

    // Walking to a child brings it back; writing brings back the rest.
    EXPECT_EQ(b.child(1)->attributeValue("x", Decoding::Raw), "1");
    EXPECT_EQ(folder.entries(), (std::vector<std::string>{"0-0.xmltmp"}));
    EXPECT_EQ(document.text(), before);
    EXPECT_TRUE(folder.entries().empty());

    // Moving out a child whose own child is out writes the whole subtree; dropping the tree
    // removes the temporary file.
    ASSERT_TRUE(b.moveChildOut(1, folder.path()).written);
    ASSERT_TRUE(document.moveChildOut(document.root(), 1, folder.path()).written);
    EXPECT_EQ(folder.entries(), (std::vector<std::string>{"0-1.xmltmp"}));
    EXPECT_EQ(document.text(), before);
    ASSERT_TRUE(document.moveChildOut(document.root(), 1, folder.path()).written);
    document.openText(declaration + "<other/>");
    EXPECT_TRUE(folder.entries().empty());
}

// --- hostile input ------------------------------------------------------------------------------

std::string nested(std::size_t depth, bool closed)
{
    std::string text = declaration;
    text.reserve(text.size() + depth * 7);
    for (std::size_t i = 0; i < depth; ++i)
        text += "<a>";
    if (closed)
        for (std::size_t i = 0; i < depth; ++i)
            text += "</a>";
    return text;
}

TEST(XmlDocument, NestingAMillionDeepLoadsWritesAndFreesWithoutRecursion)
{
    constexpr std::size_t depth = 1000000;
    XmlDocument document = documentFrom(nested(depth, true));
    ASSERT_EQ(document.status(), LoadStatus::Loaded) << document.message();
    const XmlElement* element = &document.root();
    std::size_t levels = 1;
    while (element->childCount() == 1) {
        element = element->loadedChild(0);
        ++levels;
    }
    EXPECT_EQ(levels, depth);
    const std::string text = writeElementText(document.root());
    // Level k (from 0) is written "<k tabs><a>\r\n" and "<k tabs></a>\r\n", the last one
    // "<k tabs><a/>\r\n"; indentation stops growing at the limit.
    std::size_t expected = std::min(depth - 1, model::maxXmlIndentDepth) + 6;
    for (std::size_t k = 0; k + 1 < depth; ++k)
        expected += 2 * std::min(k, model::maxXmlIndentDepth) + 11;
    EXPECT_EQ(text.size(), expected);

    document.openText(nested(depth, false));
    EXPECT_EQ(document.status(), LoadStatus::Failed);
    EXPECT_EQ(document.detail(), LoadDetail::MissingEndTag);
}

TEST(XmlDocument, RefusesTextsAndFilesBeyondTheSizeLimit)
{
    const std::string huge(200 * 1024 * 1024, 'x');
    XmlDocument document;
    document.openText(huge);
    EXPECT_EQ(document.status(), LoadStatus::Failed);
    EXPECT_EQ(document.detail(), LoadDetail::TooLarge);
    EXPECT_EQ(document.message(), "XML text: the text is larger than the limit of 67108864 bytes");

    TemporaryFolder folder;
    const std::string path = folder.file("huge.vexxml");
    {
        std::ofstream file(path, std::ios::binary);
    }
    std::filesystem::resize_file(path, 200 * 1024 * 1024); // sparse: nothing is written
    document.openFile(path);
    EXPECT_EQ(document.detail(), LoadDetail::TooLarge);
    EXPECT_EQ(document.message(), path + ": the file is larger than the limit of 67108864 bytes");
}

TEST(XmlDocument, RefusesMoreNodesThanTheLimit)
{
    // Elements, attributes, texts and comments all count: each line here holds four nodes.
    const std::string message = "XML text: line " + std::to_string(model::maxXmlNodes / 4 + 1) +
                                ": more than the limit of 1048576 nodes (elements, attributes, "
                                "texts and comments)";
    std::string text = declaration + "<root>";
    for (std::size_t i = 0; i + 1 < model::maxXmlNodes / 4; ++i)
        text += "\n<a b='1'/>x<!---->";
    XmlDocument document = documentFrom(text + "</root>"); // three below the limit
    EXPECT_EQ(document.status(), LoadStatus::Loaded) << document.message();
    document.openText(text + "\n<a b='1'/>x<!----></root>");
    EXPECT_EQ(document.detail(), LoadDetail::TooManyNodes);
    EXPECT_EQ(document.message(), message);
}

} // namespace
} // namespace xml
