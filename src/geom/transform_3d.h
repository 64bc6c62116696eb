// The twelve numbers of a 3D transform, as geometry uses them (the values live with the model).
#pragma once

#include "model/transforms.h"

namespace geom {

using model::Transform3D;

} // namespace geom
