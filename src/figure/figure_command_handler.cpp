// The figure window's command dispatch: one case per command or range of ids.
#include "figure/figure_command_handler.h"

#include "figure/animation_recorder.h"
#include "figure/figure_edits.h"
#include "figure/tool_steps.h"
#include "lang/host.h"

namespace figure {

namespace {

using namespace commands;

// handled, repaint, rebuild menu, rebuild surfaces, tool changed, dialog
constexpr CommandResult unchanged{true, false, false, false, false, DialogRequest::None};
constexpr CommandResult forwarded{false, false, false, false, false, DialogRequest::None};
constexpr CommandResult repaintOnly{true, true, false, false, false, DialogRequest::None};
constexpr CommandResult menuOnly{true, false, true, false, false, DialogRequest::None};
constexpr CommandResult repaintAndMenu{true, true, true, false, false, DialogRequest::None};
constexpr CommandResult settingsChanged{true, true, true, true, false, DialogRequest::None};

constexpr CommandResult openDialog(DialogRequest dialog)
{
    return {true, false, false, false, false, dialog};
}

bool inRange(std::int32_t id, std::int32_t first, std::int32_t last)
{
    return id >= first && id <= last;
}

void notifyIfAny(lang::Session& session, const std::string& notice)
{
    if (!notice.empty()) session.host().notify(notice);
}

CommandResult chooseTool(model::Figure& figure, WindowState& state, Tool tool)
{
    state.tool = tool;
    if (tool == Tool::Origin && !figure.own2d) clearSelection(figure);
    CommandResult result = repaintAndMenu;
    result.toolChanged = true;
    return result;
}

CommandResult runClipboardCommand(lang::Session& session, model::Figure& figure, std::int32_t id)
{
    if (id == Paste) {
        const std::string notice = pasteObjects(figure, session.objectClipboard);
        notifyIfAny(session, notice);
        return notice.empty() ? unchanged : repaintAndMenu;
    }
    const ClipboardAction action = id == CutSelected ? ClipboardAction::Cut : ClipboardAction::Copy;
    const std::string notice = copySelected(figure, session.objectClipboard, action);
    notifyIfAny(session, notice);
    return !notice.empty() && action == ClipboardAction::Cut ? repaintAndMenu : unchanged;
}

CommandResult runRecordingCommand(lang::Session& session, model::Figure& figure, std::int32_t id)
{
    switch (id) {
    case StartRecording:
        if (figure.recording) return unchanged;
        return openDialog(DialogRequest::AnimationRecord);
    case CaptureFrame:
        return captureFrame(session, figure) ? repaintAndMenu : unchanged;
    default:
        return endRecording(session, figure) ? repaintAndMenu : unchanged;
    }
}

CommandResult runSelectionCommand(model::Figure& figure, std::int32_t id)
{
    switch (id) {
    case ToggleSelected:
        toggleSelectedHidden(figure);
        return repaintAndMenu;
    case DeleteSelected:
        deleteSelected(figure);
        return repaintAndMenu;
    case EntireFigure:
    case EntireFigureAlias:
        clearSelection(figure);
        return menuOnly;
    default:
        if (!toggleObjectSelection(figure, static_cast<std::size_t>(id - FirstSelectObject)))
            return unchanged;
        return menuOnly;
    }
}

CommandResult runFrameCommand(model::Figure& figure, std::int32_t id)
{
    switch (id) {
    case DrawAll:
        drawAllFrames(figure);
        break;
    case DrawNone:
        drawNoFrames(figure);
        break;
    case DrawNext:
        drawNextFrame(figure);
        break;
    case DrawNextAndClear:
        drawNextFrameAndClear(figure);
        break;
    case DrawPrev:
        drawPreviousFrame(figure);
        break;
    case InsertFrames:
        return openDialog(DialogRequest::NewFrames);
    default:
        if (!toggleFrame(figure, static_cast<std::size_t>(id - FirstFrameToggle))) return unchanged;
        break;
    }
    return repaintAndMenu;
}

CommandResult runSettingsCommand(model::Figure& figure, WindowState& state, std::int32_t id)
{
    switch (id) {
    case ToggleLayers:
        figure.showLayers = !figure.showLayers;
        return repaintOnly;
    case DoubleBuffering:
        figure.doubleBuffering = !figure.doubleBuffering;
        return settingsChanged;
    case LowQuality:
        figure.quality = 0;
        return settingsChanged;
    case HighQuality:
        figure.quality = 1;
        return settingsChanged;
    case ExcellentQuality:
        figure.quality = 2;
        return settingsChanged;
    case OwnTransforms:
        figure.own2d = !figure.own2d;
        return repaintAndMenu;
    case ToggleAnaglyph:
        figure.anaglyph = !figure.anaglyph;
        return repaintAndMenu;
    default:
        state.coordinateReadout = !state.coordinateReadout;
        return menuOnly;
    }
}

} // namespace

CommandResult runFigureCommand(lang::Session& session, model::Figure& figure, WindowState& state,
                               std::int32_t id, std::int32_t parameter, KeyModifiers modifiers)
{
    switch (id) {
    case ToggleLayers:
    case DoubleBuffering:
    case LowQuality:
    case HighQuality:
    case ExcellentQuality:
    case OwnTransforms:
    case ToggleAnaglyph:
    case CoordinateReadout:
        return runSettingsCommand(figure, state, id);
    case CopySelected:
    case CutSelected:
    case Paste:
        return runClipboardCommand(session, figure, id);
    case StartRecording:
    case CaptureFrame:
    case EndRecording:
        return runRecordingCommand(session, figure, id);
    default:
        break;
    }
    if (inRange(id, FirstTool, LastTool)) {
        const std::optional<Tool> tool = toolForCommand(id);
        return tool ? chooseTool(figure, state, *tool) : unchanged;
    }
    if (inRange(id, FirstToolStep, Reset3D)) {
        const ToolStep step{id, parameter, modifiers, state.originClick};
        return applyToolStep(figure, step) ? repaintOnly : unchanged;
    }
    if (inRange(id, EntireFigure, LastSelectObject) || id == ToggleSelected ||
        id == DeleteSelected || id == EntireFigureAlias)
        return runSelectionCommand(figure, id);
    if (inRange(id, FirstFrameToggle, DrawAll)) return runFrameCommand(figure, id);
    return forwarded;
}

} // namespace figure
