// Geometry helpers of the Qt painting code.
#include "desktop/qt/qt_geometry.h"

#include "geom/ellipse_arc.h"

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

namespace {

QPointF toQPoint(Point2D point)
{
    return {point.x, point.y};
}

// An arc of the ellipse in `rect`, angles clockwise on screen as the ray to the point.
void addArc(QPainterPath& path, const QRectF& rect, float startAngle, float sweepAngle,
            bool moveToStart)
{
    const geom::ArcParameters arc =
        geom::arcParameters(rect.width(), rect.height(), startAngle, sweepAngle);
    if (moveToStart) path.arcMoveTo(rect, -arc.start);
    path.arcTo(rect, -arc.start, -arc.sweep);
}

} // namespace

QPainterPath arcPath(const QRectF& rect, float startAngle, float sweepAngle)
{
    QPainterPath path;
    addArc(path, rect, startAngle, sweepAngle, true);
    return path;
}

QPainterPath piePath(const QRectF& rect, float startAngle, float sweepAngle)
{
    QPainterPath path(rect.center());
    addArc(path, rect, startAngle, sweepAngle, false);
    path.closeSubpath();
    return path;
}

QPainterPath cardinalPath(std::span<const Point2D> points, float tension,
                          geom::CurveClosure closure)
{
    QPainterPath path;
    const std::vector<geom::BezierSegment> segments =
        geom::cardinalSpline(points, tension, closure);
    if (segments.empty()) return path;
    path.moveTo(toQPoint(segments.front().start));
    for (const geom::BezierSegment& s : segments)
        path.cubicTo(toQPoint(s.control1), toQPoint(s.control2), toQPoint(s.end));
    if (closure == geom::CurveClosure::Closed) path.closeSubpath();
    return path;
}

} // namespace render
