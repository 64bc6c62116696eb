// The coordinate readout: where the cursor is in the axis system under it.
#pragma once

#include "figure/tool_steps.h"
#include "model/figure.h"

#include <string>

namespace figure {

// "x 1.25   y -0.5" in the 2D axis system drawn last under `position` (through the objects'
// transforms and the view), or "pixel 120, 80" where no 2D axis system lies under it.
std::string readoutText(const model::Figure& figure, PixelPoint position);

} // namespace figure
