// Gradient lines by angle.
#include "scene/gradient_geometry.h"

#include <cmath>
#include <numbers>

namespace render {

GradientLine gradientLine(const RectF& rect, float angle)
{
    const double radians = static_cast<double>(angle) * std::numbers::pi / 180;
    const double dx = std::cos(radians), dy = std::sin(radians);
    const double centreX = rect.x + rect.width / 2.0, centreY = rect.y + rect.height / 2.0;
    // Distances of the corners from the centre along the direction: +-w/2*dx +-h/2*dy.
    const double reach = std::abs(rect.width / 2.0 * dx) + std::abs(rect.height / 2.0 * dy);
    return {{static_cast<float>(centreX - reach * dx), static_cast<float>(centreY - reach * dy)},
            {static_cast<float>(centreX + reach * dx), static_cast<float>(centreY + reach * dy)}};
}

} // namespace render
