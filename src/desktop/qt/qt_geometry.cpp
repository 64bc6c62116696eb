// Geometry helpers of the Qt painting code.
#include "desktop/qt/qt_geometry.h"

#include <algorithm>
#include <cmath>

namespace render {

qreal largestScale(const QTransform& transform)
{
    return std::max(std::hypot(transform.m11(), transform.m12()),
                    std::hypot(transform.m21(), transform.m22()));
}

QRectF boundsOf(const std::vector<QPointF>& points)
{
    if (points.empty()) return {};
    qreal left = points.front().x(), right = left, top = points.front().y(), bottom = top;
    for (const QPointF& point : points) {
        left = std::min(left, point.x());
        right = std::max(right, point.x());
        top = std::min(top, point.y());
        bottom = std::max(bottom, point.y());
    }
    return QRectF(QPointF(left, top), QPointF(right, bottom));
}

} // namespace render
