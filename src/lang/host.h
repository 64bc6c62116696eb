// What the interpreter needs from its surroundings: the console, figure windows and questions.
// The desktop implements it with windows, the batch runner with standard output.
#pragma once

#include "lang/markup.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace model {
struct Figure;
}

namespace lang {

enum class FigureVisibility { Hidden, Shown };
enum class Answer { Yes, No, Cancel };
enum class OverwritePrompt { None, Ask }; // whether the save dialog itself asks before replacing

// What a save-file dialog offers.
struct SaveFileRequest {
    std::string filter;           // "*.VEXXML"
    std::string defaultExtension; // "vexxml"
    OverwritePrompt overwritePrompt = OverwritePrompt::None;

    bool operator==(const SaveFileRequest&) const = default;
};

// Where a command line comes from, for diagnostics: a file (or "-e") and its line number, and in
// a document the block it stands in ("plot 2"). Empty in the console.
struct SourcePlace {
    std::string file;
    std::size_t line = 0; // from 1; 0 when the place is the whole file (an export)
    std::string block;

    bool operator==(const SourcePlace&) const = default;
};

// A warning says that a line runs differently from how it reads; a limit message says that the
// program refused a value past one of its own limits.
enum class DiagnosticKind { Warning, Limit };

struct Diagnostic {
    DiagnosticKind kind = DiagnosticKind::Warning;
    SourcePlace place;
    std::string text;

    bool operator==(const Diagnostic&) const = default;
};

class Host {
public:
    virtual ~Host() = default;

    // Console
    virtual void beginCommand() = 0; // a command line starts: the input line is emptied
    virtual void clearOutput() = 0;  // cls
    virtual void appendOutput(const std::vector<StyledRun>& runs) = 0;
    virtual void focusInput() = 0;

    // Figure windows
    virtual void figureCreated(model::Figure& figure) = 0; // the record is in the figure list
    virtual void setFigureTitle(model::Figure& figure, const std::string& title) = 0;
    // The record's client size, background or flags changed; the window is centred and, unless
    // hidden, shown and brought to the foreground.
    virtual void placeFigure(model::Figure& figure, FigureVisibility visibility) = 0;
    virtual void repaintFigure(model::Figure& figure) = 0;
    virtual void figureListChanged() = 0;

    // Requests and questions
    virtual void previewMovie(const std::string& path) = 0;
    virtual bool askYesNo(const std::string& question) = 0;
    virtual void notify(const std::string& text) = 0;
    // An error message box with the program's caption; a host without boxes notifies instead.
    virtual void showError(const std::string& text) { notify(text); }
    // The save dialog (it requires an existing folder); nothing when cancelled.
    virtual std::optional<std::string> askSaveFilePath(const SaveFileRequest& request) = 0;
    // A message box with Yes, No and Cancel, Cancel being the default button.
    virtual Answer askYesNoCancel(const std::string& question) = 0;

    // Diagnostics. True when the host took the diagnostic; false leaves it to the console, which
    // shows limit messages in its output and no warnings (its answers stay those of the
    // language). Batch mode writes both to standard error.
    virtual bool diagnose(const Diagnostic&) { return false; }
    // Whether warnings are shown at all; lines are checked for them only then.
    virtual bool showsWarnings() const { return false; }
};

} // namespace lang
