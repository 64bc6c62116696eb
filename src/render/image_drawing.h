// IMAGE objects: a picture file drawn at a point or stretched into a rectangle.
#pragma once

#include "scene/object_context.h"
#include "render/surface.h"

namespace render {

// The file named by the object's text, decoded anew at every paint; a file that cannot be
// opened draws nothing. With one P4 quad whose third and fourth numbers are not 0 the picture
// is stretched into it (x, y, width, height; in an axis system the second corner is a
// position), otherwise it is drawn at its natural size at the single P2 point.
void drawImageObject(DrawingSurface& surface, const ObjectContext& context);

} // namespace render
