// A figure window's tool state, and what its mouse buttons and drags do with the current tool.
#pragma once

#include "figure/figure_commands.h"
#include "figure/tool_steps.h"

#include <cstdint>
#include <vector>

namespace figure {

// State of one figure window that lives as long as the window.
struct WindowState {
    Tool tool = Tool::Cross;
    PixelPoint originClick;         // the last click of the Origin tool
    PixelPoint dragAnchor{-1, -1};  // last position while dragging
    bool dragging = false;          // left button held in the window
    bool coordinateReadout = false; // show the cursor's axis coordinates

    bool operator==(const WindowState&) const = default;
};

enum class MouseButton : std::uint8_t { Left, Right };

// A step command the window sends itself, with its parameter.
struct PostedStep {
    std::int32_t id = 0;
    std::int32_t parameter = 0;

    bool operator==(const PostedStep&) const = default;
};

// What a mouse event asks of the window.
struct PointerResponse {
    std::vector<PostedStep> steps; // run in this order
    bool originTool = false;       // run the Origin tool at state.originClick
    bool contextMenu = false;      // open the popup with the entry "Menu"

    bool operator==(const PointerResponse&) const = default;
};

PointerResponse mouseDown(WindowState& state, MouseButton button, PixelPoint position);
void mouseUp(WindowState& state);
PointerResponse mouseMove(WindowState& state, PixelPoint position);

// The step menu commands are sent with: the tool step, and the click marker for clicks.
ToolStep toolStepFor(const PostedStep& posted, KeyModifiers modifiers, const WindowState& state);

} // namespace figure
