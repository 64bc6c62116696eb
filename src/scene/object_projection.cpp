// Projecting an object's 3D points.
#include "scene/object_projection.h"

namespace render {

geom::PerspectiveProjection objectProjection(const ObjectContext& context)
{
    const geom::LayerRect& r = context.rect;
    const std::array<float, 4> viewport{static_cast<float>(r.left), static_cast<float>(r.top),
                                        static_cast<float>(r.right), static_cast<float>(r.bottom)};
    return geom::PerspectiveProjection(geom::Projector3D::from(context.transform3D, viewport));
}

std::vector<Point2D> projectAll(const geom::PerspectiveProjection& projection,
                                std::span<const geom::Point3D> points)
{
    std::vector<Point2D> projected(points.size());
    for (std::size_t i = 0; i < points.size(); ++i)
        projected[i] = projection(points[i]);
    return projected;
}

} // namespace render
