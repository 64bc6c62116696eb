// Tests of running and saving vexxml documents, the file command and the example documents.
#include "lang/document.h"

#include "lang/interpreter.h"
#include "lang/markup.h"
#include "lang/serialiser.h"
#include "model/limits.h"
#include "recording_host.h"
#include "temporary_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace lang {
namespace {

using testing_support::readFileBytes;
using testing_support::TemporaryFolder;
using testing_support::writeFileBytes;

const std::string declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>";

std::string documentOf(std::initializer_list<std::string_view> blocks)
{
    std::string text = declaration + "\r\n<root>\r\n";
    for (std::string_view block : blocks)
        text += "\t<plot>\r\n" + std::string(block) + "\r\n\t</plot>\r\n";
    return text + "</root>\r\n";
}

// Notes whether a document was running whenever a figure was created.
class DocumentHost : public testing_support::RecordingHost {
public:
    void figureCreated(model::Figure& figure) override
    {
        RecordingHost::figureCreated(figure);
        runningAtCreation.push_back(session && session->documentRunning);
    }
    Session* session = nullptr;
    std::vector<bool> runningAtCreation;
};

class DocumentTest : public ::testing::Test {
protected:
    DocumentTest() { host.session = &session; }

    void runText(std::string_view text, std::optional<std::uint32_t> defaultId = std::nullopt)
    {
        xml::XmlDocument document;
        document.openText(text);
        runDocument(session, document, defaultId);
    }
    std::vector<std::uint32_t> figureIds() const
    {
        std::vector<std::uint32_t> ids;
        for (std::size_t i = 0; i < session.figures.size(); ++i)
            ids.push_back(session.figures.at(i).id);
        return ids;
    }
    std::size_t figureListRefreshes() const
    {
        return static_cast<std::size_t>(
            std::count(host.events.begin(), host.events.end(), "figure list"));
    }

    DocumentHost host;
    Session session{host};
    TemporaryFolder folder;
};

TEST_F(DocumentTest, EachBlockMakesAFigureWithTheLowestFreeId)
{
    executeCommand(session, "FIGURE 2", 0);
    runText(documentOf({"FIGURE 0 300 200\r\nPOINT at(0) p2(1,1)",
                        "FIGURE 0\r\n\r\n \t \r\n  \tLAYER 0 0 0 5 5\t ", "FIGURE 0 100 100"}));
    EXPECT_EQ(figureIds(), (std::vector<std::uint32_t>{2, 1, 3, 4}));
    EXPECT_EQ(session.figures.findFigure(1)->clientWidth, 300);
    EXPECT_EQ(session.figures.findFigure(1)->objects[0].subObjects[0].arguments[0], "1");
    EXPECT_EQ(session.figures.findFigure(3)->layers.size(), 1u);
    EXPECT_EQ(figureListRefreshes(), 3u);
    EXPECT_EQ(host.runningAtCreation, (std::vector<bool>{false, true, true, true}));
    EXPECT_FALSE(session.documentRunning);
    EXPECT_EQ(host.output, "*\n"); // the line of blanks and tabs
}

TEST_F(DocumentTest, ADefaultIdHoldsOnlyWhenSmallerThanTheNumberOfFigures)
{
    executeCommand(session, "FIGURE 1", 0);
    executeCommand(session, "FIGURE 2", 0);
    runText(documentOf({"FIGURE 0 300 300\r\nPOINT at(0) p2(1,1)", "POINT at(0) p2(2,2)",
                        "POINT at(2) p2(3,3)"}),
            1);
    EXPECT_EQ(figureIds(), (std::vector<std::uint32_t>{1, 2}));
    EXPECT_EQ(session.figures.at(0).clientWidth, 300);
    EXPECT_EQ(session.figures.at(0).objects.size(), 2u);
    EXPECT_EQ(session.figures.at(1).objects.size(), 1u); // an id written in the line still holds

    runText(documentOf({"FIGURE 0"}), 2); // 2 is not smaller than two figures: none
    EXPECT_EQ(figureIds(), (std::vector<std::uint32_t>{1, 2, 3}));
}

TEST_F(DocumentTest, DocumentsThatDoNotLoadRunNothing)
{
    const std::string cases[] = {
        declaration + "<root><plot>FIGURE 0</plot><plot>FIGURE 0</root>", // missing end tag
        "<root><plot>FIGURE 0</plot></root>",                             // no declaration
    };
    for (const std::string& text : cases) {
        runText(text);
        EXPECT_TRUE(session.figures.empty()) << text;
        EXPECT_FALSE(session.documentRunning);
    }
    EXPECT_EQ(host.output, "");
}

TEST_F(DocumentTest, BlocksAreChildrenWithTextWhateverTheirNameAndEntitiesAreDecoded)
{
    runText(declaration +
            "<root><empty/><notes a='1'><!-- no text --></notes>"
            "<figure>FIGURE 0\r\nTEXT at(0) n(&quot;x &lt; y&quot;) p2(1,1)</figure></root>");
    ASSERT_EQ(figureIds(), (std::vector<std::uint32_t>{1}));
    EXPECT_EQ(session.figures.at(0).objects[0].subObjects[1].arguments[0], "x < y");
    EXPECT_EQ(figureListRefreshes(), 1u);
}

TEST_F(DocumentTest, OpensDocumentsWrittenInLatin1)
{
    runText("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><root><plot>FIGURE 0\r\n"
            "TEXT at(0) p2(1,1) n(\"Gr\xF6\xDF\x65\")</plot></root>");
    ASSERT_EQ(session.figures.size(), 1u);
    EXPECT_EQ(session.figures.at(0).objects[0].subObjects[2].arguments[0], "Gr\u00F6\u00DFe");
}

TEST_F(DocumentTest, LinesSeparatedByLfAloneRunAsOneLine)
{
    runText(documentOf({"FIGURE 0 300 300\nLAYER 0 0 0 10 10\nPOINT at(0) p2(1,1)"}));
    ASSERT_EQ(session.figures.size(), 1u);
    const model::Figure& figure = session.figures.at(0);
    EXPECT_EQ(figure.clientWidth, 300);
    EXPECT_TRUE(figure.layers.empty());
    EXPECT_TRUE(figure.objects.empty());
}

TEST_F(DocumentTest, TheFileCommandPreviewsMoviesAndRunsDocuments)
{
    const std::string path = folder.file("my doc.vexxml");
    writeFileBytes(path, documentOf({"FIGURE 0", "FIGURE 0"}));
    executeCommand(session, "file \"" + path + "\"", 0);
    EXPECT_EQ(session.figures.size(), 2u);
    executeCommand(session, "file movie.SWF", 0);
    EXPECT_EQ(host.events.back(), "preview movie.SWF");
    EXPECT_EQ(host.output, "");

    // What does not load runs nothing, and the console says which file, where and why.
    writeFileBytes(path, declaration + "<root><plot>FIGURE 0</root>");
    const std::pair<std::string, std::string> failures[] = {
        {folder.file("missing.vexxml"), "No such file or directory"},
        {path, "line 1: the end tag of <root> is missing"},
        {folder.path(), "cannot be read: it is a folder"},
    };
    for (const auto& [file, reason] : failures) {
        host.output.clear();
        executeCommand(session, "file \"" + file + "\"", 0);
        EXPECT_TRUE(host.output.starts_with("file: " + file + ": " + reason + "\n")) << host.output;
    }
    EXPECT_EQ(session.figures.size(), 2u);
}

TEST_F(DocumentTest, SavingToAGivenPathOverwritesAtomically)
{
    const std::string path = folder.file("out.vexxml");
    writeFileBytes(path, "old contents");
    const DocumentSave saved =
        saveDocument(session, "FIGURE 0 10 10 0xFFFFFFFF nodx noown2d\r\n", path);
    EXPECT_EQ(saved, (DocumentSave{SaveOutcome::Saved, path, {}}));
    EXPECT_EQ(readFileBytes(path),
              oneFigureDocumentText("FIGURE 0 10 10 0xFFFFFFFF nodx noown2d\r\n") + "\r\n");
    EXPECT_EQ(host.events.back(), "notify VEXXML file saved.");
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"out.vexxml"});

    const DocumentSave failed = saveDocument(session, "FIGURE 0", folder.file("no/dir.vexxml"));
    EXPECT_EQ(failed.outcome, SaveOutcome::Failed);
    EXPECT_NE(failed.message.find("cannot be written"), std::string::npos);
}

TEST_F(DocumentTest, TheAppendQuestionDecidesForAChosenFileThatExists)
{
    const std::string path = folder.file("chosen.vexxml");
    const std::string first = documentOf({"FIGURE 0 100 100"});
    struct Case {
        Answer answer;
        SaveOutcome outcome;
        std::string contents;
    };
    const Case cases[] = {
        {Answer::Cancel, SaveOutcome::Cancelled, first},
        {Answer::No, SaveOutcome::Saved, documentOf({"FIGURE 0 200 200"})},
        {Answer::Yes, SaveOutcome::Saved, documentOf({"FIGURE 0 100 100", "FIGURE 0 200 200"})},
    };
    for (const Case& c : cases) {
        writeFileBytes(path, first);
        host.events.clear();
        host.savePath = path;
        host.answer = c.answer;
        EXPECT_EQ(saveDocument(session, "FIGURE 0 200 200").outcome, c.outcome);
        EXPECT_EQ(readFileBytes(path), c.contents);
        EXPECT_EQ(host.events[0], "save dialog *.VEXXML vexxml");
        EXPECT_EQ(host.events[1], "ask " + std::string(appendQuestion));
    }
    // Appended documents open as one figure per block.
    runDocumentFile(session, path);
    EXPECT_EQ(figureIds(), (std::vector<std::uint32_t>{1, 2}));
    EXPECT_EQ(session.figures.at(1).clientWidth, 200);

    // A new file is not asked about; a cancelled dialog saves nothing.
    host.events.clear();
    host.savePath = folder.file("new.vexxml");
    EXPECT_EQ(saveDocument(session, "FIGURE 0").outcome, SaveOutcome::Saved);
    EXPECT_EQ(host.events, (std::vector<std::string>{"save dialog *.VEXXML vexxml",
                                                     "notify VEXXML file saved."}));
    host.savePath.reset();
    EXPECT_EQ(saveDocument(session, "FIGURE 0").outcome, SaveOutcome::Cancelled);
}

TEST_F(DocumentTest, AppendingToAFileThatIsNotADocumentChangesNothing)
{
    const std::string path = folder.file("broken.vexxml");
    const std::string broken = declaration + "<root><plot>FIGURE 0</root>";
    writeFileBytes(path, broken);
    host.savePath = path;
    host.answer = Answer::Yes;
    const DocumentSave saved = saveDocument(session, "FIGURE 0");
    EXPECT_EQ(saved.outcome, SaveOutcome::Failed);
    EXPECT_EQ(saved.message, path + ": line 1: the end tag of <root> is missing; "
                                    "the plot was not appended and the file is unchanged");
    EXPECT_EQ(readFileBytes(path), broken);
}

TEST_F(DocumentTest, SaveAllFiguresWritesOnePlotPerFigure)
{
    executeCommand(session, "FIGURE 1 100 100", 0);
    executeCommand(session, "FIGURE 2 200 200", 0);
    executeCommand(session, "POINT at(2) p2(1,1)", 0);
    const std::string path = folder.file("all.vexxml");
    writeFileBytes(path, documentOf({"FIGURE 0 9 9"}));
    host.savePath = path;
    const std::vector<std::string> texts = collectFigureTexts(session, FigureScope::All);
    EXPECT_EQ(saveAllFigures(session, texts).outcome, SaveOutcome::Saved);
    EXPECT_EQ(host.events.end()[-2], "save dialog *.VEXXML vexxml prompt");
    EXPECT_EQ(readFileBytes(path), documentOf({texts[0], texts[1]}));
    EXPECT_EQ(saveAllFigures(session, {}).outcome, SaveOutcome::Cancelled);

    Session reopened{host};
    runDocumentFile(reopened, path);
    ASSERT_EQ(reopened.figures.size(), 2u);
    EXPECT_EQ(serialiseFigure(reopened.figures.at(1)), texts[1]);
}

TEST_F(DocumentTest, DocumentsDoNotRunThemselvesAndNestOnlySoDeep)
{
    // a.vexxml runs itself between two FIGURE lines; the inner run is refused.
    const std::string self = folder.file("a.vexxml");
    writeFileBytes(self,
                   documentOf({"FIGURE 0\r\n" + openFileCommand(self) + "\r\nFIGURE 0 300 300"}));
    runDocumentFile(session, self);
    EXPECT_EQ(figureIds(), (std::vector<std::uint32_t>{1}));
    EXPECT_EQ(session.figures.at(0).clientWidth, 300);
    EXPECT_EQ(host.takeOutput(),
              "file: " + self + " is already running; a document does not run itself again\n" +
                  std::string(separatorLine.substr(0, separatorLine.size() - 2)) + "\n");
    EXPECT_TRUE(session.documentsRunning.empty());
    EXPECT_FALSE(session.documentRunning);

    // A chain of documents, each making a figure and running the next, stops at the limit.
    const std::size_t chain = model::maxDocumentNesting + 2;
    for (std::size_t i = 0; i < chain; ++i)
        writeFileBytes(
            folder.file(std::to_string(i) + ".vexxml"),
            documentOf({"FIGURE 0\r\nfile " + folder.file(std::to_string(i + 1) + ".vexxml")}));
    Session fresh{host};
    runDocumentFile(fresh, folder.file("0.vexxml"));
    EXPECT_EQ(fresh.figures.size(), model::maxDocumentNesting);
    EXPECT_NE(host.output.find(folder.file(std::to_string(model::maxDocumentNesting) + ".vexxml") +
                               " was not run: documents run inside one another more than the "
                               "limit of 16 deep"),
              std::string::npos);
}

TEST(Document, OpenFileCommandQuotesThePath)
{
    const std::pair<std::string, std::string> cases[] = {
        {"/home/me/plot.vexxml", "file \"/home/me/plot.vexxml\""},
        {"/home/me/my plots/a.vexxml", "file \"/home/me/my plots/a.vexxml\""},
        {"\"/already/quoted.vexxml\"", "file \"/already/quoted.vexxml\""},
    };
    for (const auto& [path, command] : cases)
        EXPECT_EQ(openFileCommand(path), command);
}

// Found by fuzzing command lines: a gallery script whose CURVE line held the bytes
// "\xcd\xec\x01\x00\x80" was saved as a document that did not load again.
TEST_F(DocumentTest, FiguresWithBytesThatAreNotUtf8SaveAsDocumentsThatOpenAgain)
{
    executeCommand(session, "FIGURE 1 200 100");
    executeCommand(session, "TEXT at(1) p2(1,1) n(\"caf\xE9 \xcd\xec\x01\x80\")");
    const std::string path = folder.file("latin1.vexxml");
    ASSERT_EQ(saveDocument(session, serialiseFigure(*session.figures.findFigure(1)), path).outcome,
              SaveOutcome::Saved);

    testing_support::RecordingHost quiet;
    Session reopened{quiet};
    ASSERT_EQ(runDocumentFile(reopened, path).status, xml::LoadStatus::Loaded);
    ASSERT_EQ(reopened.figures.size(), 1u);
    const std::string replacement = "\xEF\xBF\xBD";
    EXPECT_EQ(reopened.figures.at(0).objects.at(0).subObjects.back().arguments.at(0),
              "caf" + replacement + " " + replacement + replacement + "\x01" + replacement);
}

TEST_F(DocumentTest, ExampleDocumentsRunAndExportTheSameText)
{
    std::size_t examples = 0;
    for (const auto& entry : std::filesystem::directory_iterator(KELVO_EXAMPLES_DIR)) {
        if (entry.path().extension() != ".vexxml") continue;
        ++examples;
        const std::string path = entry.path().string();
        testing_support::RecordingHost quiet;
        Session fresh{quiet};
        ASSERT_EQ(runDocumentFile(fresh, path).status, xml::LoadStatus::Loaded) << path;
        EXPECT_EQ(quiet.output, "") << path; // every line was accepted
        ASSERT_FALSE(fresh.figures.empty()) << path;
        // The first figure is exported over the file, the others appended to it.
        const std::string exported = folder.file("exported.vexxml");
        quiet.savePath = exported;
        quiet.answer = Answer::Yes;
        const std::vector<std::string> texts = collectFigureTexts(fresh, FigureScope::All);
        for (std::size_t i = 0; i < texts.size(); ++i) {
            const std::optional<std::string> target =
                i == 0 ? std::optional(exported) : std::nullopt;
            ASSERT_EQ(saveDocument(fresh, texts[i], target).outcome, SaveOutcome::Saved);
        }
        EXPECT_EQ(readFileBytes(exported), readFileBytes(path)) << path;
    }
    EXPECT_GE(examples, 5u);
}

} // namespace
} // namespace lang
