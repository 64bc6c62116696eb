// vexxml documents: running every block of command text under the root element, and saving
// figure texts as plot elements.
#pragma once

#include "lang/host.h"
#include "lang/session.h"
#include "xml/xml_document.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace lang {

// The question asked when a document chosen in the save dialog exists.
inline constexpr std::string_view appendQuestion =
    "This file already exists.\r\n\r\nPress YES to append this plot to this file.\r\nPress NO "
    "to overwrite this file.\r\nPress CANCEL to cancel saving.";
inline constexpr std::string_view documentSavedMessage = "VEXXML file saved.";

// The save dialog for documents.
SaveFileRequest documentSaveRequest(OverwritePrompt overwritePrompt);

// Runs every child of the root that has text: its first text segment (entities decoded) is split
// at CR LF (empty lines vanish, LF alone does not split), each line is trimmed of blanks and tabs
// and run with the block's figure id: `defaultFigureId`, unless it is not smaller than the number
// of figures, otherwise the lowest unused id when the block starts. The console's figure list is
// refreshed after each block. A document whose status is above 1 runs nothing. The session's
// documentRunning flag is set meanwhile.
void runDocument(Session& session, const xml::XmlDocument& document,
                 std::optional<std::uint32_t> defaultFigureId = std::nullopt);

struct DocumentLoad {
    xml::LoadStatus status = xml::LoadStatus::Loaded;
    std::string message;  // why it ran nothing or stopped short, naming the file
    bool refused = false; // not run because of nesting; the console was told why

    bool operator==(const DocumentLoad&) const = default;
};

// Loads the document at `path` and runs it without a default id. A document that does not load
// runs nothing; the result says why, for callers that report it (the file command does not). A
// document that is already running (directly or through others) is not run again, and documents
// run inside one another at most model::maxDocumentNesting deep; both say so in the console.
DocumentLoad runDocumentFile(Session& session, const std::string& path);

// The line the Open file menu command runs for a chosen path: file "path", the path quoted unless
// it begins with a double quote already.
std::string openFileCommand(std::string_view path);

enum class SaveOutcome { Saved, Cancelled, Failed };

struct DocumentSave {
    SaveOutcome outcome = SaveOutcome::Failed;
    std::string path;
    std::string message; // why it failed, naming the file

    bool operator==(const DocumentSave&) const = default;
};

// Stores one figure text as a new plot element at the end of the document. Without `path` the
// Host's save dialog asks for one, and when that file exists the append question decides:
// Yes appends, No overwrites, Cancel stops. A path given by the caller is overwritten. An
// existing file is appended to only when it loads as a document; the file is replaced
// atomically, and the notification says "VEXXML file saved.". Failures are returned, not shown.
DocumentSave saveDocument(Session& session, std::string_view figureText,
                          std::optional<std::string> path = std::nullopt);

// Save All Figures (File): asks for a path (the dialog's own overwrite prompt, no append
// question) and writes a new document with one plot element per text. Nothing happens for no
// texts.
DocumentSave saveAllFigures(Session& session, std::span<const std::string> figureTexts);

} // namespace lang
