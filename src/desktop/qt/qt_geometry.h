// Small geometry helpers of the Qt painting code.
#pragma once

#include <QPointF>
#include <QRectF>
#include <QTransform>

#include <vector>

namespace render {

// How much the transform enlarges lengths at most.
qreal largestScale(const QTransform& transform);

// The smallest rectangle holding all the points (empty for none).
QRectF boundsOf(const std::vector<QPointF>& points);

} // namespace render
