// What the Edit, Select and Frame menus do to a figure: selection, hiding, deleting, the object
// clipboard and the frames shown on screen.
#pragma once

#include "model/figure.h"

#include <cstdint>
#include <string>
#include <vector>

namespace figure {

// Flips `selected` of object `index`; false when there is no such object.
bool toggleObjectSelection(model::Figure& figure, std::size_t index);

// Clears `selected` of every object (Entire Figure).
void clearSelection(model::Figure& figure);

// Flips `hidden` of every selected object.
void toggleSelectedHidden(model::Figure& figure);

// Removes every selected object; false when none was selected.
bool deleteSelected(model::Figure& figure);

enum class ClipboardAction { Copy, Cut };

// Empties the clipboard and fills it with the selected objects from the last to the first (for
// Cut also removing them from the figure). The notice to show: "Object(s) copied!", "Object(s)
// cut!", or empty when nothing was selected.
std::string copySelected(model::Figure& figure, std::vector<model::PlotObject>& clipboard,
                         ClipboardAction action);

// Appends copies of the clipboard's objects in clipboard order, then empties the clipboard. The
// notice "%u Object(s) pasted!", or empty when the clipboard was empty.
std::string pasteObjects(model::Figure& figure, std::vector<model::PlotObject>& clipboard);

// Frames shown on screen (their frameFlag).
void drawAllFrames(model::Figure& figure);
void drawNoFrames(model::Figure& figure);
void drawNextFrame(model::Figure& figure);
// As drawNextFrame, clearing the shown frames passed before the one it shows.
void drawNextFrameAndClear(model::Figure& figure);
void drawPreviousFrame(model::Figure& figure);
// Flips frame `index`; false when there is no such frame.
bool toggleFrame(model::Figure& figure, std::size_t index);

} // namespace figure
