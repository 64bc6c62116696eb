// Which object of a figure is drawn at a point of its window: the object dialogs open on it.
#pragma once

#include "lang/session.h"
#include "model/figure.h"

#include <cstddef>
#include <optional>

namespace desktop {

// The last-drawn object whose picture covers a pixel within `tolerance` of (x, y), in the
// figure's client coordinates. Each candidate is drawn by the draw pass, with the axis systems
// before it so that it is placed as in the window, and compared with those axes alone.
std::optional<std::size_t> objectAt(lang::Session& session, model::Figure& figure, int x, int y,
                                    int tolerance = 3);

} // namespace desktop
