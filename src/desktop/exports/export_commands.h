// The File commands of a figure that the exports carry out, by command id: Save Image (103),
// Save vexxml file (104), Save Metafile (106), Save SWF (107), Preview SWF (108), Print (110),
// the three clipboard copies (111, 112, 113) and Save Image with BG Transparency (123).
#pragma once

#include "lang/session.h"
#include "model/figure.h"

#include <cstdint>

class QWidget;

namespace desktop {

// Carries out command `id` for `figure`: dialogs and notices belong to `window`, and the bitmap
// copy takes the picture `view` shows. False for an id that is not one of these commands.
bool runExportCommand(std::int32_t id, QWidget* window, QWidget* view, lang::Session& session,
                      model::Figure& figure);

} // namespace desktop
