// Carries out a figure window's menu command on its figure, and says what the window has to do
// afterwards.
#pragma once

#include "figure/pointer_input.h"
#include "lang/session.h"
#include "model/figure.h"

#include <cstdint>

namespace figure {

// A dialog the window opens for a command (the dialogs build their own command text).
enum class DialogRequest : std::uint8_t { None, NewFrames, AnimationRecord };

struct CommandResult {
    bool handled = true; // false: the command belongs to the console (File, Layer, Insert)
    bool repaint = false;
    bool rebuildMenu = false;
    bool rebuildSurfaces = false; // buffering or quality changed
    bool toolChanged = false;     // set the cursor of the new tool
    DialogRequest dialog = DialogRequest::None;

    bool operator==(const CommandResult&) const = default;
};

// Runs command `id` sent with `parameter` (0 from menus and keys) while `modifiers` are held.
// Notices (copied, cut, pasted) go to the session's host. Commands for objects or frames that do
// not exist change nothing.
CommandResult runFigureCommand(lang::Session& session, model::Figure& figure, WindowState& state,
                               std::int32_t id, std::int32_t parameter, KeyModifiers modifiers);

} // namespace figure
