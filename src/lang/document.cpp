// Running and saving vexxml documents.
#include "lang/document.h"

#include "lang/host.h"
#include "lang/interpreter.h"
#include "model/limits.h"
#include "io/atomic_file.h"
#include "io/file_io.h"

#include <algorithm>

namespace lang {
namespace {

std::string_view trimBlanksAndTabs(std::string_view line)
{
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
        line.remove_prefix(1);
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t'))
        line.remove_suffix(1);
    return line;
}

// Sets the session's documentRunning flag for as long as it lives (a document run from within
// another leaves it set for the outer one).
class DocumentRunning {
public:
    explicit DocumentRunning(Session& session)
        : m_session(session), m_before(session.documentRunning)
    {
        m_session.documentRunning = true;
    }
    DocumentRunning(const DocumentRunning&) = delete;
    DocumentRunning& operator=(const DocumentRunning&) = delete;
    ~DocumentRunning() { m_session.documentRunning = m_before; }

private:
    Session& m_session;
    bool m_before;
};

// Restores the session's place (the line that ran a document) when the document is done.
class KeptPlace {
public:
    explicit KeptPlace(Session& session) : m_session(session), m_before(session.place) {}
    KeptPlace(const KeptPlace&) = delete;
    KeptPlace& operator=(const KeptPlace&) = delete;
    ~KeptPlace() { m_session.place = m_before; }

private:
    Session& m_session;
    SourcePlace m_before;
};

// Keeps a document file on the session's list of running documents while it runs.
class RunningFile {
public:
    RunningFile(Session& session, std::string path) : m_session(session)
    {
        m_session.documentsRunning.push_back(std::move(path));
    }
    RunningFile(const RunningFile&) = delete;
    RunningFile& operator=(const RunningFile&) = delete;
    ~RunningFile() { m_session.documentsRunning.pop_back(); }

private:
    Session& m_session;
};

// Why a document file may not run now: it is already running (it would run itself without end)
// or documents are nested as deep as allowed. Empty when it may run.
std::string refusalToRun(const Session& session, const std::string& path,
                         const std::string& identity)
{
    const auto& running = session.documentsRunning;
    if (std::find(running.begin(), running.end(), identity) != running.end())
        return "file: " + path + " is already running; a document does not run itself again";
    const std::string limit = std::to_string(model::maxDocumentNesting);
    if (running.size() >= model::maxDocumentNesting)
        return "file: " + path + " was not run: documents run inside one another more than the " +
               "limit of " + limit + " deep";
    return {};
}

// Runs the block's lines (separated by CR LF; empty ones vanish), each with its place: the block
// ("plot 2") and its line number within the block's text.
void runBlock(Session& session, const xml::XmlElement& block, std::uint32_t blockId,
              std::size_t blockNumber)
{
    const std::string text = block.text(0, xml::Decoding::Decoded);
    const std::string_view all = text;
    session.place.block = block.name() + " " + std::to_string(blockNumber);
    std::size_t number = 0;
    for (std::size_t start = 0; start <= all.size(); ++number) {
        const std::size_t end = std::min(all.find("\r\n", start), all.size());
        if (end > start) {
            session.place.line = number + 1;
            executeCommand(session, trimBlanksAndTabs(all.substr(start, end - start)), blockId);
        }
        start = end + 2;
    }
}

void appendPlot(xml::XmlDocument& document, std::string_view figureText)
{
    xml::XmlElement& plot = document.root().appendChild(xml::XmlElement::fromStartTag("<plot>"));
    plot.appendText(figureText, 0);
}

DocumentSave saveTo(Session& session, xml::XmlDocument& document, const std::string& path)
{
    const io::WriteResult written = document.saveAs(path);
    if (!written.written) return {SaveOutcome::Failed, path, written.message};
    session.host().notify(std::string(documentSavedMessage));
    return {SaveOutcome::Saved, path, {}};
}

enum class ExistingFile { Overwrite, Append };

} // namespace

SaveFileRequest documentSaveRequest(OverwritePrompt overwritePrompt)
{
    return {"*.VEXXML", "vexxml", overwritePrompt};
}

void runDocument(Session& session, const xml::XmlDocument& document,
                 std::optional<std::uint32_t> defaultFigureId)
{
    const DocumentRunning running(session);
    const KeptPlace place(session);
    if (document.status() > xml::LoadStatus::Empty) return;
    // A default id that is not smaller than the number of figures counts as none.
    const bool fixedId = defaultFigureId && *defaultFigureId < session.figures.size();
    const std::uint32_t blockIdGiven = fixedId ? *defaultFigureId : 0;
    const xml::XmlElement& root = document.root();
    std::size_t blocks = 0;
    for (std::size_t i = 0; i < root.childCount(); ++i) {
        const xml::XmlElement* block = root.loadedChild(i);
        if (!block || block->textCount() == 0) continue;
        runBlock(session, *block, fixedId ? blockIdGiven : session.figures.lowestUnusedFigureId(),
                 ++blocks);
        session.host().figureListChanged();
    }
}

DocumentLoad runDocumentFile(Session& session, const std::string& path)
{
    const std::string identity = io::canonicalPath(path);
    if (std::string refusal = refusalToRun(session, path, identity); !refusal.empty()) {
        showMessage(session, refusal);
        return {xml::LoadStatus::Failed, std::move(refusal), true};
    }
    const RunningFile running(session, identity);
    const KeptPlace place(session);
    session.place = {path, 0, {}};
    xml::XmlDocument document;
    document.openFile(path);
    runDocument(session, document);
    return {document.status(), document.message()};
}

std::string openFileCommand(std::string_view path)
{
    if (path.starts_with('"')) return "file " + std::string(path);
    return "file \"" + std::string(path) + "\"";
}

DocumentSave saveDocument(Session& session, std::string_view figureText,
                          std::optional<std::string> path)
{
    ExistingFile existing = ExistingFile::Overwrite;
    if (!path) {
        path = session.host().askSaveFilePath(documentSaveRequest(OverwritePrompt::None));
        if (!path) return {SaveOutcome::Cancelled, {}, {}};
        if (io::fileExists(*path)) {
            switch (session.host().askYesNoCancel(std::string(appendQuestion))) {
            case Answer::Cancel:
                return {SaveOutcome::Cancelled, *path, {}};
            case Answer::Yes:
                existing = ExistingFile::Append;
                break;
            case Answer::No:
                break;
            }
        }
    }
    xml::XmlDocument document;
    if (existing == ExistingFile::Append) {
        document.openFile(*path);
        if (document.status() != xml::LoadStatus::Loaded)
            return {SaveOutcome::Failed, *path,
                    document.message() + "; the plot was not appended and the file is unchanged"};
    }
    appendPlot(document, figureText);
    return saveTo(session, document, *path);
}

DocumentSave saveAllFigures(Session& session, std::span<const std::string> figureTexts)
{
    if (figureTexts.empty()) return {SaveOutcome::Cancelled, {}, {}};
    const std::optional<std::string> path =
        session.host().askSaveFilePath(documentSaveRequest(OverwritePrompt::Ask));
    if (!path) return {SaveOutcome::Cancelled, {}, {}};
    xml::XmlDocument document;
    for (const std::string& figureText : figureTexts)
        appendPlot(document, figureText);
    return saveTo(session, document, *path);
}

} // namespace lang
