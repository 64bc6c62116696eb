// Mouse buttons and drags of a figure window, turned into tool steps.
#include "figure/pointer_input.h"

#include <cstdlib>

namespace figure {

PointerResponse mouseDown(WindowState& state, MouseButton button, PixelPoint position)
{
    PointerResponse response;
    const bool left = button == MouseButton::Left;
    switch (state.tool) {
    case Tool::Scale2D:
        response.steps.push_back({left ? 1445 : 1446, 0});
        break;
    case Tool::Origin:
        state.originClick = left ? position : PixelPoint{0, 0};
        response.originTool = true;
        break;
    case Tool::Rotate2D:
        response.steps.push_back({left ? 1411 : 1412, clickMarker});
        if (left) state.dragging = true;
        break;
    default:
        if (left) {
            state.dragAnchor = position;
            state.dragging = true;
        } else {
            response.contextMenu = true;
        }
        break;
    }
    return response;
}

void mouseUp(WindowState& state)
{
    state.dragging = false;
    state.dragAnchor = {-1, -1};
}

PointerResponse mouseMove(WindowState& state, PixelPoint position)
{
    PointerResponse response;
    if (!state.dragging) return response;
    const std::int64_t dx = std::int64_t{position.x} - state.dragAnchor.x;
    const std::int64_t dy = std::int64_t{position.y} - state.dragAnchor.y;
    const bool anchored = state.dragAnchor != PixelPoint{-1, -1};
    state.dragAnchor = position;
    if (state.tool != Tool::Move2D || !anchored) return response;
    const auto distance = [](std::int64_t d) { return static_cast<std::int32_t>(std::llabs(d)); };
    if (dy < 0) response.steps.push_back({1402, distance(dy)});
    if (dy > 0) response.steps.push_back({1404, distance(dy)});
    if (dx > 0) response.steps.push_back({1403, distance(dx)});
    if (dx < 0) response.steps.push_back({1401, distance(dx)});
    return response;
}

ToolStep toolStepFor(const PostedStep& posted, KeyModifiers modifiers, const WindowState& state)
{
    return {posted.id, posted.parameter, modifiers, state.originClick};
}

} // namespace figure
