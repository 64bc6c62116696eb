// Lines cut to a margin around the device before Qt strokes them.
#include "desktop/qt/qt_clipped_stroke.h"

#include "desktop/qt/qt_geometry.h"

#include <algorithm>

namespace render {
namespace {

// Liang-Barsky: the parameter range [t0, t1] of the segment from a to b within `clip`, or
// nothing when the segment misses it.
std::optional<std::pair<qreal, qreal>> segmentWithin(QPointF a, QPointF b, const QRectF& clip)
{
    qreal t0 = 0, t1 = 1;
    const qreal dx = b.x() - a.x(), dy = b.y() - a.y();
    const qreal p[] = {-dx, dx, -dy, dy};
    const qreal q[] = {a.x() - clip.left(), clip.right() - a.x(), a.y() - clip.top(),
                       clip.bottom() - a.y()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return std::nullopt;
            continue;
        }
        const qreal t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1) return std::nullopt;
    }
    return std::pair{t0, t1};
}

QPointF between(QPointF a, QPointF b, qreal t)
{
    return a + (b - a) * t;
}

} // namespace

QRectF strokeClipRect(const QRectF& device, const QPen& pen, const QTransform& toDevice)
{
    // A sheared transform may stretch the pen more than its rows do; half again covers that.
    const qreal width = pen.widthF() > 0 ? 1.5 * pen.widthF() * largestScale(toDevice) : 1.0;
    const qreal reach = width * (std::max<qreal>(pen.miterLimit(), 1.0) + 1.0) + 4.0;
    return device.adjusted(-reach, -reach, reach, reach);
}

std::optional<QPainterPath> clippedPolyline(std::span<const QPointF> points, const QPen& pen,
                                            const QTransform& toDevice, const QRectF& clip)
{
    if (points.size() < 2 || !toDevice.isAffine() || pen.style() != Qt::SolidLine)
        return std::nullopt;
    const bool allWithin = std::all_of(points.begin(), points.end(),
                                       [&](QPointF p) { return clip.contains(toDevice.map(p)); });
    if (allWithin) return std::nullopt;

    // The parameter of a point along a segment is the same in user and device coordinates (the
    // transform is affine), so cut points are found on the device and placed in user space.
    QPainterPath path;
    bool open = false; // the last segment reached its end point unclipped
    QPointF from = toDevice.map(points[0]);
    for (std::size_t i = 1; i < points.size(); ++i) {
        const QPointF to = toDevice.map(points[i]);
        const auto within = segmentWithin(from, to, clip);
        if (!within) {
            open = false;
        } else {
            const auto [t0, t1] = *within;
            if (!open || t0 > 0)
                path.moveTo(t0 > 0 ? between(points[i - 1], points[i], t0) : points[i - 1]);
            path.lineTo(t1 < 1 ? between(points[i - 1], points[i], t1) : points[i]);
            open = t1 >= 1;
        }
        from = to;
    }
    return path;
}

} // namespace render
