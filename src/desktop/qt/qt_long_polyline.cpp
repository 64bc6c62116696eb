// Long polylines: coverage, the fast thin stroker, or pieces.
//
// Sections: how a line is drawn · coverage · pieces · the choice
#include "desktop/qt/qt_long_polyline.h"

#include "desktop/qt/qt_geometry.h"
#include "render/stroke_coverage.h"

#include <QImage>
#include <QPaintDevice>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>

namespace render {
namespace {

// --- how a line is drawn ------------------------------------------------------------------------

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

// The factor by which a transform that only turns, mirrors, moves and scales evenly enlarges
// lengths; none for any other transform, which would change the stroke's shape.
std::optional<qreal> evenScale(const QTransform& t)
{
    if (t.type() >= QTransform::TxShear) return std::nullopt;
    const qreal row1 = t.m11() * t.m11() + t.m12() * t.m12();
    const qreal row2 = t.m21() * t.m21() + t.m22() * t.m22();
    const qreal skew = t.m11() * t.m21() + t.m12() * t.m22();
    const qreal tolerance = 1e-9 * std::max(row1, row2);
    if (std::fabs(row1 - row2) > tolerance || std::fabs(skew) > tolerance) return std::nullopt;
    return std::sqrt(row1);
}

// --- coverage -----------------------------------------------------------------------------------

// The mask as an image whose alpha is the coverage.
QImage alphaImage(const CoverageMask& mask)
{
    QImage image(mask.width, mask.height, QImage::Format_Alpha8);
    for (std::int32_t row = 0; row < mask.height; ++row)
        std::memcpy(image.scanLine(row),
                    mask.alpha.data() +
                        static_cast<std::size_t>(row) * static_cast<std::size_t>(mask.width),
                    static_cast<std::size_t>(mask.width));
    return image;
}

// `pixel` (premultiplied) times `alpha` / 255 on each of its bytes, rounded as Qt's raster
// engine rounds it.
std::uint32_t byteTimes(std::uint32_t pixel, std::uint32_t alpha)
{
    constexpr std::uint64_t bytes = 0x00FF00FF00FF00FFull;
    std::uint64_t t = ((std::uint64_t{pixel} | (std::uint64_t{pixel} << 24)) & bytes) * alpha;
    t = ((t + ((t >> 8) & bytes) + 0x0080008000800080ull) >> 8) & bytes;
    return static_cast<std::uint32_t>(t) | static_cast<std::uint32_t>(t >> 24);
}

// The premultiplied pixel Qt fills with `colour`.
std::uint32_t filledPixel(const QColor& colour)
{
    QImage pixel(1, 1, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&pixel);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(pixel.rect(), colour);
    painter.end();
    return *reinterpret_cast<const std::uint32_t*>(pixel.constBits());
}

// A solid colour through the mask onto a premultiplied picture, painted plainly over: the
// colour times each pixel's coverage, laid over the pixel as Qt lays a picture over another.
// The same pixels as a layer of the colour cut by the mask and drawn, without the layer, and
// without the threads Qt starts to draw a large picture. False for any other painter.
bool blendOntoPicture(QPainter& painter, const CoverageMask& mask, const QBrush& brush)
{
    QPaintDevice* device = painter.device();
    if (brush.style() != Qt::SolidPattern || device->devType() != QInternal::Image ||
        painter.compositionMode() != QPainter::CompositionMode_SourceOver ||
        painter.opacity() != 1.0 || painter.hasClipping())
        return false;
    auto& picture = *static_cast<QImage*>(device);
    if (picture.format() != QImage::Format_ARGB32_Premultiplied) return false;
    const std::uint32_t colour = filledPixel(brush.color());
    const std::int32_t top = std::max(mask.top, 0);
    const std::int32_t bottom = std::min(mask.top + mask.height, picture.height());
    const std::int32_t left = std::max(mask.left, 0);
    const std::int32_t right = std::min(mask.left + mask.width, picture.width());
    for (std::int32_t y = top; y < bottom; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(picture.scanLine(y));
        const std::uint8_t* coverage =
            mask.alpha.data() +
            static_cast<std::size_t>(y - mask.top) * static_cast<std::size_t>(mask.width);
        for (std::int32_t x = left; x < right; ++x) {
            const std::uint8_t level = coverage[x - mask.left];
            if (level == 0) continue;
            const std::uint32_t line = byteTimes(colour, level);
            row[x] = line + byteTimes(row[x], 255 - (line >> 24));
        }
    }
    return true;
}

// Paints `brush` through the mask. A pattern is painted with the painter's own transform on a
// layer that starts at the device's origin, so that it lies exactly where the painter puts it.
void paintThroughMask(QPainter& painter, const CoverageMask& mask, const QBrush& brush)
{
    if (mask.width <= 0 || mask.height <= 0 || blendOntoPicture(painter, mask, brush)) return;
    const bool solid = brush.style() == Qt::SolidPattern;
    const QPoint origin = solid ? QPoint(mask.left, mask.top) : QPoint(0, 0);
    QImage layer(mask.left + mask.width - origin.x(), mask.top + mask.height - origin.y(),
                 QImage::Format_ARGB32_Premultiplied);
    {
        QPainter layerPainter(&layer);
        layerPainter.setCompositionMode(QPainter::CompositionMode_Source);
        if (solid) {
            layerPainter.fillRect(layer.rect(), brush.color());
        } else {
            layer.fill(Qt::transparent);
            layerPainter.setClipRect(QRect(mask.left, mask.top, mask.width, mask.height));
            layerPainter.setWorldTransform(painter.worldTransform());
            layerPainter.fillRect(painter.worldTransform().inverted().mapRect(QRectF(layer.rect())),
                                  brush);
            layerPainter.resetTransform();
            layerPainter.setClipping(false);
        }
        layerPainter.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        layerPainter.drawImage(mask.left - origin.x(), mask.top - origin.y(), alphaImage(mask));
    }
    painter.save();
    painter.resetTransform();
    painter.drawImage(origin, layer);
    painter.restore();
}

Fidelity drawByCoverage(QPainter& painter, std::span<const geom::Point2D> points, qreal scale,
                        const LongPolylineOptions& options)
{
    const QTransform t = painter.worldTransform();
    const DeviceTransform toDevice{t.m11(), t.m12(), t.m21(), t.m22(), t.dx(), t.dy()};
    const QPen& pen = painter.pen();
    const StrokeShape shape{pen.widthF() * scale, pen.miterLimit()};
    const QPaintDevice* target = painter.device();
    const std::int32_t width = target->width(), height = target->height();
    if (options.cache) {
        if (const std::optional<CoverageMask> kept =
                options.cache->find(points, toDevice, shape, width, height)) {
            paintThroughMask(painter, *kept, pen.brush());
            return Fidelity::Exact;
        }
    }
    if (options.simplification && points.size() > exactWhileWorking) {
        if (options.approximated)
            options.approximated->push_back(
                {std::make_shared<const std::vector<geom::Point2D>>(points.begin(), points.end()),
                 toDevice, shape, width, height});
        const std::vector<geom::Point2D> fewer =
            simplifyPolyline(points, toDevice, *options.simplification);
        paintThroughMask(painter, polylineCoverage(fewer, toDevice, shape, width, height),
                         pen.brush());
        return Fidelity::Approximate;
    }
    if (!options.cache) {
        paintThroughMask(painter, polylineCoverage(points, toDevice, shape, width, height),
                         pen.brush());
        return Fidelity::Exact;
    }
    const bool deviceFirst = options.simplification && options.widened;
    // One copy of the points serves the kept mask and the request for its margin.
    SharedPoints copied =
        std::make_shared<const std::vector<geom::Point2D>>(points.begin(), points.end());
    if (deviceFirst) options.widened->push_back({copied, toDevice, shape, width, height});
    const CoverageMask mask =
        options.cache->computeAndKeep(std::move(copied), toDevice, shape, width, height,
                                      deviceFirst ? KeptReach::Device : KeptReach::DeviceAndMargin);
    paintThroughMask(painter, mask, pen.brush());
    return Fidelity::Exact;
}

// --- pieces -------------------------------------------------------------------------------------

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

// --- the choice ---------------------------------------------------------------------------------

bool isLongPolyline(std::size_t count)
{
    return count > polylinePiece;
}

Fidelity drawLongPolyline(QPainter& painter, const Pen& pen, std::span<const geom::Point2D> points,
                          const LongPolylineOptions& options)
{
    const QPen qpen = painter.pen();
    const std::optional<qreal> scale = evenScale(painter.worldTransform());
    const bool thinnest =
        qpen.isCosmetic() || qpen.widthF() * largestScale(painter.worldTransform()) <= 1;
    const bool byCoverage = !thinnest && painter.testRenderHint(QPainter::Antialiasing) &&
                            qpen.style() == Qt::SolidLine && scale && !painter.hasClipping() &&
                            painter.device()->devicePixelRatio() == 1;
    if (byCoverage) return drawByCoverage(painter, points, *scale, options);
    std::vector<geom::Point2D> fewer;
    if (options.simplification) {
        const QTransform t = painter.worldTransform();
        fewer = simplifyPolyline(points, {t.m11(), t.m12(), t.m21(), t.m22(), t.dx(), t.dy()},
                                 *options.simplification);
        points = fewer;
    }
    const Fidelity fidelity = options.simplification ? Fidelity::Approximate : Fidelity::Exact;
    std::vector<QPointF> qpoints(points.size());
    for (std::size_t i = 0; i < points.size(); ++i)
        qpoints[i] = {points[i].x, points[i].y};
    if (thinnest) {
        painter.drawPolyline(qpoints.data(), static_cast<int>(qpoints.size()));
        return fidelity;
    }
    switch (lineOpacity(pen)) {
    case LineOpacity::Opaque:
        drawInPieces(painter, qpen, qpoints);
        break;
    case LineOpacity::OneAlpha:
        drawOnLayer(painter, qpoints);
        break;
    case LineOpacity::Varying:
        painter.drawPolyline(qpoints.data(), static_cast<int>(qpoints.size()));
        break;
    }
    return fidelity;
}

} // namespace render
