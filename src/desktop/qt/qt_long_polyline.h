// Long polylines on pixel devices. Qt strokes a wide polyline as one outline and fills it with a
// general rasterizer whose time grows steeply with the number of edges: a million points take
// seconds. So a long polyline is drawn another way, and every one of its points is drawn:
// - the thinnest lines (a width of at most one pixel) in one call, with Qt's own fast stroker;
// - wide antialiased lines through their exact coverage (polylineCoverage), painted with the
//   pen's brush;
// - what remains (aliased or dashed wide lines) in pieces that overlap by one segment, so that
//   every join is drawn and dashes continue where the piece before stopped; a translucent line
//   so drawn goes opaque onto a layer of its own, which is then laid over with its alpha.
#pragma once

#include "geom/matrix2d.h"
#include "scene/style.h"

#include <QPainter>
#include <QPointF>

#include <span>
#include <vector>

namespace render {

// Polylines with more points than this are long; pieces have this many segments.
inline constexpr std::size_t polylinePiece = 1024;

bool isLongPolyline(std::size_t count);

// Draws the polyline through `points` (user coordinates, all finite) with the painter's pen,
// which was made from `pen`.
void drawLongPolyline(QPainter& painter, const Pen& pen, std::span<const geom::Point2D> points);

} // namespace render
