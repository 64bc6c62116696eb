// Tool steps: moving, rotating and scaling the view or objects, written back as transform text.
#pragma once

#include "figure/figure_commands.h"
#include "geom/matrix2d.h"
#include "model/figure.h"

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace figure {

// A position in the window's client area, in device pixels.
struct PixelPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;

    bool operator==(const PixelPoint&) const = default;
};

// The parameter of a Rotate 2D step started by a click: no drag produces it, and the step uses
// the Shift size.
inline constexpr std::int32_t clickMarker = std::numeric_limits<std::int32_t>::min();

// One step command with what it is sent with: the parameter (0 from menus and keys, a pixel
// distance from a drag, the click marker, or the motion device's value) and the modifiers held
// when it runs.
struct ToolStep {
    std::int32_t id = 0; // 1401 to 1500
    std::int32_t parameter = 0;
    KeyModifiers modifiers;
    PixelPoint originClick; // the last click of the Origin tool (own-2D transforms keep it)

    bool operator==(const ToolStep&) const = default;
};

// Whether `id` is a tool step the program knows.
bool isToolStep(std::int32_t id);

// Indices of the selected objects, in figure order: the targets of a step when not empty.
std::vector<std::size_t> selectedObjects(const model::Figure& figure);

// Runs one step on the figure: on the selected objects, or with nothing selected on the view
// (2D steps of a figure without own-2D transforms) or on all objects. Object results are written
// into their first TRANSFORM or 3DTRANSFORM, appended when missing. False for an id that is no
// step; the figure is then unchanged.
bool applyToolStep(model::Figure& figure, const ToolStep& step);

// A click of the Origin tool at `originClick` (right click: (0, 0)): moves the selected objects,
// or all, by the view so that they keep their place when the view is reset. Does nothing in a
// figure with own-2D transforms.
void applyOriginTool(model::Figure& figure, PixelPoint originClick);

// Zooms by `factor` about `centre` with the Scale tool's transform: on the selected objects, or
// on the view when nothing is selected (on all objects in an own-2D figure, about the origin).
void zoomAbout(model::Figure& figure, PixelPoint centre, float factor);

// Whether the mouse wheel zooms with `tool` (the 2D tools and the cross).
bool wheelZooms(Tool tool);

// The zoom factor of `steps` wheel notches (negative: away from the user, zooming out): the
// Scale tool's factor per notch, 1.5, or 1.3 with Ctrl and 1.01 with Shift.
float wheelZoomFactor(int steps, KeyModifiers modifiers);

// Transform texts as the steps write them (six decimals, C locale).
std::string matrixTransformText(const geom::Matrix2D& matrix);

} // namespace figure
