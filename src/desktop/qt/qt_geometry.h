// Small geometry helpers of the Qt painting code.
#pragma once

#include "geom/cardinal_spline.h"
#include "render/surface.h"

#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QTransform>

#include <span>
#include <vector>

namespace render {

// How much the transform enlarges lengths at most.
qreal largestScale(const QTransform& transform);

// The smallest rectangle holding all the points (empty for none).
QRectF boundsOf(const std::vector<QPointF>& points);

// Arcs and pies of the ellipse in `rect`, angles in degrees clockwise on screen.
QPainterPath arcPath(const QRectF& rect, float startAngle, float sweepAngle);
QPainterPath piePath(const QRectF& rect, float startAngle, float sweepAngle);

// The cardinal spline through the points as cubic pieces (empty for fewer than two points).
QPainterPath cardinalPath(std::span<const Point2D> points, float tension,
                          geom::CurveClosure closure);

} // namespace render
