// A Host for tests: keeps the console's output as plain text and logs what figures were told.
#pragma once

#include "lang/host.h"
#include "lang/markup.h"
#include "model/figure.h"

#include <optional>
#include <string>
#include <vector>

namespace testing_support {

class RecordingHost : public lang::Host {
public:
    void beginCommand() override { ++commandsBegun; }
    void clearOutput() override
    {
        output.clear();
        events.push_back("clear");
    }
    void appendOutput(const std::vector<lang::StyledRun>& runs) override
    {
        output += lang::plainText(runs);
        lastRuns = runs;
    }
    void focusInput() override {}
    void figureCreated(model::Figure& figure) override
    {
        events.push_back("created " + std::to_string(figure.id));
    }
    void setFigureTitle(model::Figure& figure, const std::string& title) override
    {
        events.push_back("title " + std::to_string(figure.id) + " " + title);
    }
    void placeFigure(model::Figure& figure, lang::FigureVisibility visibility) override
    {
        events.push_back(
            std::string(visibility == lang::FigureVisibility::Shown ? "shown " : "hidden ") +
            std::to_string(figure.id) + " " + std::to_string(figure.clientWidth) + "x" +
            std::to_string(figure.clientHeight));
    }
    void repaintFigure(model::Figure& figure) override
    {
        events.push_back("repaint " + std::to_string(figure.id));
    }
    void figureListChanged() override { events.push_back("figure list"); }
    void previewMovie(const std::string& path) override { events.push_back("preview " + path); }
    bool askYesNo(const std::string& question) override
    {
        events.push_back("ask " + question);
        return answerYes;
    }
    void notify(const std::string& text) override { events.push_back("notify " + text); }
    void showError(const std::string& text) override { events.push_back("error " + text); }
    std::optional<std::string> askSaveFilePath(const lang::SaveFileRequest& request) override
    {
        events.push_back("save dialog " + request.filter + " " + request.defaultExtension +
                         (request.overwritePrompt == lang::OverwritePrompt::Ask ? " prompt" : ""));
        return savePath;
    }
    lang::Answer askYesNoCancel(const std::string& question) override
    {
        events.push_back("ask " + question);
        return answer;
    }

    // Output since the last call, and forget it.
    std::string takeOutput()
    {
        std::string result = std::move(output);
        output.clear();
        return result;
    }

    std::string output;
    std::vector<lang::StyledRun> lastRuns;
    std::vector<std::string> events;
    int commandsBegun = 0;
    bool answerYes = false;
    std::optional<std::string> savePath;        // what the save dialog returns
    lang::Answer answer = lang::Answer::Cancel; // what Yes/No/Cancel questions get
};

} // namespace testing_support
