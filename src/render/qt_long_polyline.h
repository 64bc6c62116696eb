// Long polylines on pixel devices. Qt strokes a wide polyline as one outline, and filling that
// outline slows down steeply with the number of its edges: a million points take seconds. A
// line looks the same drawn in pieces that overlap by one segment (so that every join is drawn,
// and dashes continue where the piece before stopped) without the points that lie within a
// quarter pixel of the point kept before them; a translucent line is drawn that way opaque on a
// layer of its own, which is then laid over the picture with the line's alpha.
#pragma once

#include "render/style.h"

#include <QPainter>
#include <QPointF>

#include <vector>

namespace render {

// Polylines with more points than this are drawn in pieces of this many segments.
inline constexpr std::size_t polylinePiece = 1024;

// Whether `pen` (already set on the painter) draws a polyline of `count` points in pieces: its
// colours must be opaque, or one colour with one alpha.
bool drawsInPieces(const Pen& pen, std::size_t count);

// Draws the polyline with the painter's pen; `points` (device-independent user coordinates) may
// lose the points that are too close to their predecessor.
void drawLongPolyline(QPainter& painter, const Pen& pen, std::vector<QPointF>& points);

} // namespace render
