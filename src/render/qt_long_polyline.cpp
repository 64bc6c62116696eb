// Long polylines in pieces.
#include "render/qt_long_polyline.h"

#include "render/qt_geometry.h"

#include <QImage>
#include <QPaintDevice>

#include <cmath>
#include <optional>

namespace render {
namespace {

constexpr qreal subPixelStep = 0.25; // device pixels

enum class LineOpacity { Opaque, OneAlpha, Varying };

bool opaque(std::uint32_t argb)
{
    return (argb >> 24) == 0xFF;
}

LineOpacity lineOpacity(const Pen& pen)
{
    if (!pen.fill) return opaque(pen.colour) ? LineOpacity::Opaque : LineOpacity::OneAlpha;
    if (const auto* solid = std::get_if<SolidBrush>(&*pen.fill))
        return opaque(solid->colour) ? LineOpacity::Opaque : LineOpacity::OneAlpha;
    if (const auto* hatch = std::get_if<HatchBrush>(&*pen.fill))
        return opaque(hatch->foreground) && opaque(hatch->background) ? LineOpacity::Opaque
                                                                      : LineOpacity::Varying;
    const auto& gradient = std::get<LinearGradientBrush>(*pen.fill);
    return opaque(gradient.colour1) && opaque(gradient.colour2) ? LineOpacity::Opaque
                                                                : LineOpacity::Varying;
}

// Keeps the first and last point and every point at least `step` from the point kept before it.
void dropSubPixelSteps(std::vector<QPointF>& points, qreal step)
{
    const qreal limit = step * step;
    std::size_t kept = 1;
    for (std::size_t i = 1; i + 1 < points.size(); ++i) {
        const QPointF d = points[i] - points[kept - 1];
        if (d.x() * d.x() + d.y() * d.y() >= limit) points[kept++] = points[i];
    }
    points[kept++] = points.back();
    points.resize(kept);
}

// Pieces of the polyline, each starting one segment before its share so that joins are drawn.
// Dashed pens get the offset of the length drawn before the piece: in pen widths along the
// line, measured on the device for the thinnest (cosmetic) pen.
void drawInPieces(QPainter& painter, const QPen& pen, const std::vector<QPointF>& points)
{
    const bool dashed = pen.style() == Qt::CustomDashLine;
    const bool cosmetic = pen.isCosmetic();
    const qreal unit = cosmetic || pen.widthF() <= 0 ? 1.0 : pen.widthF();
    const QTransform transform = painter.worldTransform();
    const auto segmentLength = [&](std::size_t i) {
        const QPointF a = cosmetic ? transform.map(points[i]) : points[i];
        const QPointF b = cosmetic ? transform.map(points[i + 1]) : points[i + 1];
        return std::hypot(b.x() - a.x(), b.y() - a.y());
    };
    qreal lengthBefore = 0; // up to the first point of the current piece
    std::size_t measuredTo = 0;
    for (std::size_t start = 0; start + 1 < points.size(); start += polylinePiece) {
        const std::size_t first = start == 0 ? 0 : start - 1;
        const std::size_t last = std::min(points.size() - 1, start + polylinePiece);
        if (dashed) {
            for (; measuredTo < first; ++measuredTo)
                lengthBefore += segmentLength(measuredTo);
            QPen piecePen = pen;
            piecePen.setDashOffset(pen.dashOffset() + lengthBefore / unit);
            painter.setPen(piecePen);
        }
        painter.drawPolyline(points.data() + first, static_cast<int>(last - first + 1));
    }
    painter.setPen(pen);
}

// The opaque line on a layer of the device area it covers, laid over with the line's alpha.
void drawOnLayer(QPainter& painter, const std::vector<QPointF>& points)
{
    const QPen pen = painter.pen();
    const QTransform transform = painter.worldTransform();
    const qreal margin =
        std::max<qreal>(pen.widthF(), 1) * std::max<qreal>(largestScale(transform), 1) + 2;
    const QPaintDevice* device = painter.device();
    const QRect area = transform.mapRect(boundsOf(points))
                           .adjusted(-margin, -margin, margin, margin)
                           .intersected(QRectF(0, 0, device->width(), device->height()))
                           .toAlignedRect();
    if (area.isEmpty()) return;
    QImage layer(area.size(), QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    QPen opaquePen = pen;
    QBrush brush = pen.brush();
    QColor colour = brush.color();
    const qreal alpha = colour.alphaF();
    colour.setAlphaF(1.0);
    brush.setColor(colour);
    opaquePen.setBrush(brush);
    {
        QPainter layerPainter(&layer);
        layerPainter.setRenderHints(painter.renderHints());
        layerPainter.setWorldTransform(transform * QTransform::fromTranslate(-area.x(), -area.y()));
        layerPainter.setPen(opaquePen);
        drawInPieces(layerPainter, opaquePen, points);
    }
    painter.save();
    painter.resetTransform();
    painter.setOpacity(painter.opacity() * alpha);
    painter.drawImage(area.topLeft(), layer);
    painter.restore();
}

} // namespace

bool drawsInPieces(const Pen& pen, std::size_t count)
{
    return count > polylinePiece && lineOpacity(pen) != LineOpacity::Varying;
}

void drawLongPolyline(QPainter& painter, const Pen& pen, std::vector<QPointF>& points)
{
    const qreal scale = largestScale(painter.worldTransform());
    if (scale > 0) dropSubPixelSteps(points, subPixelStep / scale);
    if (lineOpacity(pen) == LineOpacity::Opaque)
        drawInPieces(painter, QPen(painter.pen()), points); // a copy: the pieces change the pen
    else
        drawOnLayer(painter, points);
}

} // namespace render
