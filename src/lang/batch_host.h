// The Host of batch mode: console output as plain text on a stream, no windows, and questions
// answered from the command line.
#pragma once

#include "lang/host.h"

#include <cstddef>
#include <iosfwd>

namespace lang {

enum class BatchAnswer { No, Yes };

class BatchHost : public Host {
public:
    BatchHost(std::ostream& output, std::ostream& diagnostics, BatchAnswer answer = BatchAnswer::No)
        : m_output(output), m_diagnostics(diagnostics), m_answer(answer)
    {
    }

    void beginCommand() override {}
    void clearOutput() override {}
    void appendOutput(const std::vector<StyledRun>& runs) override;
    void focusInput() override {}
    void figureCreated(model::Figure&) override {}
    void setFigureTitle(model::Figure&, const std::string&) override {}
    void placeFigure(model::Figure&, FigureVisibility) override {}
    void repaintFigure(model::Figure&) override {}
    void figureListChanged() override {}
    void previewMovie(const std::string& path) override;
    bool askYesNo(const std::string& question) override;
    // Notices confirm success; batch mode stays silent then (--verbose says what was written).
    void notify(const std::string&) override {}
    // There is no dialog in batch mode: a path must be given on the command line.
    std::optional<std::string> askSaveFilePath(const SaveFileRequest& request) override;
    // Yes with --yes, otherwise No.
    Answer askYesNoCancel(const std::string& question) override;
    // Writes "FILE:LINE: warning: TEXT" (limit messages without "warning: ") and counts it.
    bool diagnose(const Diagnostic& diagnostic) override;
    bool showsWarnings() const override { return true; }

    // Warnings and limit messages written so far.
    std::size_t diagnosticCount() const { return m_diagnosticCount; }

private:
    std::ostream& m_output;
    std::ostream& m_diagnostics;
    BatchAnswer m_answer;
    std::size_t m_diagnosticCount = 0;
};

} // namespace lang
