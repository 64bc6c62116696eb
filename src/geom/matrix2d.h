// Points and the 2D affine matrix, as geometry uses them (the values live with the model).
#pragma once

#include "model/transforms.h"

namespace geom {

using model::Matrix2D;
using model::Point2D;

} // namespace geom
