// The mouse cursors of the figure window's tools, drawn by the program.
#pragma once

#include "figure/figure_commands.h"

#include <QCursor>

namespace desktop {

// The cursor of `tool`: a cross, four arrows (Move), a turning arrow (Rotate), a magnifier
// (Scale) or a ringed point (Origin); the 3D tools add a small cube.
QCursor toolCursor(figure::Tool tool);

} // namespace desktop
