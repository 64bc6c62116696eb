// Selection, hiding, deleting, the object clipboard and the frames shown on screen.
#include "figure/figure_edits.h"

#include <algorithm>

namespace figure {

bool toggleObjectSelection(model::Figure& figure, std::size_t index)
{
    if (index >= figure.objects.size()) return false;
    figure.objects[index].selected = !figure.objects[index].selected;
    return true;
}

void clearSelection(model::Figure& figure)
{
    for (model::PlotObject& object : figure.objects)
        object.selected = false;
}

void toggleSelectedHidden(model::Figure& figure)
{
    for (model::PlotObject& object : figure.objects)
        if (object.selected) object.hidden = !object.hidden;
}

bool deleteSelected(model::Figure& figure)
{
    return std::erase_if(figure.objects, [](const model::PlotObject& o) { return o.selected; }) > 0;
}

std::string copySelected(model::Figure& figure, std::vector<model::PlotObject>& clipboard,
                         ClipboardAction action)
{
    clipboard.clear();
    for (std::size_t i = figure.objects.size(); i-- > 0;) {
        if (!figure.objects[i].selected) continue;
        clipboard.push_back(figure.objects[i]);
        if (action == ClipboardAction::Cut)
            figure.objects.erase(figure.objects.begin() + static_cast<std::ptrdiff_t>(i));
    }
    if (clipboard.empty()) return {};
    return action == ClipboardAction::Cut ? "Object(s) cut!" : "Object(s) copied!";
}

std::string pasteObjects(model::Figure& figure, std::vector<model::PlotObject>& clipboard)
{
    if (clipboard.empty()) return {};
    figure.objects.insert(figure.objects.end(), clipboard.begin(), clipboard.end());
    const std::string notice = std::to_string(clipboard.size()) + " Object(s) pasted!";
    clipboard.clear();
    return notice;
}

void drawAllFrames(model::Figure& figure)
{
    for (model::Frame& frame : figure.frames)
        frame.frameFlag = 1;
}

void drawNoFrames(model::Figure& figure)
{
    for (model::Frame& frame : figure.frames)
        frame.frameFlag = 0;
}

void drawNextFrame(model::Figure& figure)
{
    const auto hidden = std::ranges::find(figure.frames, std::uint8_t{0}, &model::Frame::frameFlag);
    if (hidden != figure.frames.end()) hidden->frameFlag = 1;
}

void drawNextFrameAndClear(model::Figure& figure)
{
    const auto hidden = std::ranges::find(figure.frames, std::uint8_t{0}, &model::Frame::frameFlag);
    if (hidden == figure.frames.end()) return;
    for (auto passed = figure.frames.begin(); passed != hidden; ++passed)
        passed->frameFlag = 0;
    hidden->frameFlag = 1;
}

void drawPreviousFrame(model::Figure& figure)
{
    for (std::size_t i = figure.frames.size(); i-- > 0;) {
        if (figure.frames[i].frameFlag == 0) continue;
        figure.frames[i].frameFlag = 0;
        return;
    }
}

bool toggleFrame(model::Figure& figure, std::size_t index)
{
    if (index >= figure.frames.size()) return false;
    figure.frames[index].frameFlag = figure.frames[index].frameFlag ? 0 : 1;
    return true;
}

} // namespace figure
