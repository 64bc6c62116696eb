// The frame recorder: Start, Capture Frame and End Animation Recording.
#include "figure/animation_recorder.h"

#include "lang/interpreter.h"
#include "lang/serialiser.h"
#include "lang/tokenizer.h"
#include "model/limits.h"

#include <string>

namespace figure {

namespace {

std::string_view trimBlanksAndTabs(std::string_view line)
{
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
        line.remove_prefix(1);
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t'))
        line.remove_suffix(1);
    return line;
}

// Runs command text line by line for one figure, as a document block runs: the figure window
// does not redraw until the whole text has run.
void runFigureText(lang::Session& session, const std::string& text, std::uint32_t figureId)
{
    const bool runningBefore = session.documentRunning;
    session.documentRunning = true;
    for (const std::string& line : lang::splitTokens(text, "\r\n", lang::QuoteProtection::Off))
        lang::executeCommand(session, trimBlanksAndTabs(line), figureId);
    session.documentRunning = runningBefore;
}

} // namespace

bool startRecording(model::Figure& figure, const RecordingSettings& settings)
{
    if (figure.recording) return false;
    figure.recording = true;
    figure.nextRecordFrame = settings.afterFrame;
    figure.recordDelayMs = settings.delayMs;
    figure.recordClear = settings.clear ? 1 : 0;
    figure.recordedBlocks.clear();
    return true;
}

bool captureFrame(lang::Session& session, model::Figure& figure)
{
    if (!figure.recording) return false;
    if (figure.nextRecordFrame >= model::maxFramesPerFigure) {
        lang::showMessage(session, "Capture Frame: figure " + std::to_string(figure.id) +
                                       " would have more than the limit of " +
                                       std::to_string(model::maxFramesPerFigure) + " frames");
        return false;
    }
    while (figure.frames.size() <= figure.nextRecordFrame)
        figure.frames.push_back(model::Frame{figure.recordDelayMs, figure.recordClear,
                                             figure.recordFrameFlag, figure.recordExtra});
    std::string block =
        lang::serialiseFigure(figure, lang::SerialiseMode::Recorder, figure.nextRecordFrame);
    figure.recordedBlocks.push_back(std::move(block));
    ++figure.nextRecordFrame;
    return true;
}

bool endRecording(lang::Session& session, model::Figure& figure)
{
    if (!figure.recording) return false;
    figure.recording = false;
    figure.nextRecordFrame = 0;
    std::string text = lang::serialiseFigure(figure, lang::SerialiseMode::HeaderOnly);
    for (const std::string& block : figure.recordedBlocks)
        text += "\r\n" + block;
    figure.recordedBlocks.clear();
    figure.objects.clear();
    figure.layers.clear();
    figure.frames.clear();
    const std::uint32_t id = figure.id;
    runFigureText(session, text, id);
    return true;
}

} // namespace figure
