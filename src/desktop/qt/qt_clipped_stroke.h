// Lines that reach far beyond the picture. Qt's raster engine strokes the whole length of a line
// before it clips, so a wide antialiased line of a few hundred thousand pixels (the grid of a
// surface that passes behind the eye, a polyline through huge values) takes tens of
// milliseconds. Such lines are cut to a margin around the device first: what lies beyond the
// margin cannot touch a pixel, since no cap or mitred join of the pen reaches that far.
#pragma once

#include <QPainterPath>
#include <QPen>
#include <QPointF>
#include <QRectF>
#include <QTransform>

#include <optional>
#include <span>

namespace render {

// The device rectangle grown by how far strokes of `pen` under `toDevice` reach beyond their
// line: the mitre limit's length of the widest stroke, and a few pixels for antialiasing.
QRectF strokeClipRect(const QRectF& device, const QPen& pen, const QTransform& toDevice);

// The parts of the polyline through `points` (user coordinates) that lie within `clip` (device
// coordinates), as one path of subpaths in user coordinates, so that Qt still strokes them as
// one outline. Nothing when every point lies within `clip` (the polyline is drawn as it is), when
// the transform is not affine, or when the pen is dashed (cutting would move its dashes).
std::optional<QPainterPath> clippedPolyline(std::span<const QPointF> points, const QPen& pen,
                                            const QTransform& toDevice, const QRectF& clip);

} // namespace render
