// The QPainter surface.
//
// Sections: helpers · state · lines and curves · shapes · text · images
#include "desktop/qt/qt_surface.h"

#include "desktop/qt/qt_clipped_stroke.h"
#include "desktop/qt/qt_geometry.h"
#include "desktop/qt/qt_long_polyline.h"
#include "desktop/qt/qt_styles.h"
#include "desktop/qt/vector_registers.h"
#include "scene/finite_runs.h"

#include <QFontMetricsF>
#include <QImageReader>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainterPath>

#include <cmath>

namespace render {
namespace {

// --- helpers ------------------------------------------------------------------------------------

// String format flags of the text layout.
constexpr std::int32_t formatRightToLeft = 0x1;
constexpr std::int32_t formatVertical = 0x2;
constexpr std::int32_t formatNoWrap = 0x1000;
constexpr std::int32_t formatNoClip = 0x4000;

QTransform toQTransform(const geom::Matrix2D& m)
{
    return QTransform(m.m11, m.m12, m.m21, m.m22, m.dx, m.dy);
}

geom::Matrix2D multiplied(const geom::Matrix2D& world, const geom::Matrix2D& matrix,
                          MatrixOrder order)
{
    return order == MatrixOrder::Prepend ? geom::Matrix2D::product(matrix, world)
                                         : geom::Matrix2D::product(world, matrix);
}

// A rectangle with a negative width or height covers the same area as its normalised form.
QRectF toQRect(const RectF& rect)
{
    return QRectF(rect.x, rect.y, rect.width, rect.height).normalized();
}

QPointF toQPoint(Point2D point)
{
    return {point.x, point.y};
}

int textFlags(const StringFormat& format)
{
    int flags = Qt::AlignTop;
    flags |= (format.flags & formatRightToLeft) ? Qt::AlignRight : Qt::AlignLeft;
    if (!(format.flags & formatNoWrap)) flags |= Qt::TextWordWrap;
    if (format.flags & formatNoClip) flags |= Qt::TextDontClip;
    return flags;
}

bool finite(float value)
{
    return std::isfinite(value);
}

bool isPatterned(const QBrush& brush)
{
    return brush.style() == Qt::TexturePattern || brush.style() == Qt::LinearGradientPattern;
}

} // namespace

QtSurface::QtSurface(QPainter& painter) : m_painter(painter), m_base(painter.worldTransform())
{
    m_smoothing = painter.testRenderHint(QPainter::Antialiasing) ? SmoothingMode::HighQuality
                                                                 : SmoothingMode::HighSpeed;
    const QPaintEngine* engine = painter.paintEngine();
    m_pixelDevice = engine && engine->type() == QPaintEngine::Raster;
    if (m_pixelDevice) m_strokeOffset = 0.5;
    // SVG Tiny keeps neither texture brushes nor repeating or transformed gradients.
    m_patternsAsPictures = engine && engine->type() == QPaintEngine::SVG;
    clearUpperVectorHalves(); // after whatever the painter drew before the pass
}

bool QtSurface::needsPatternPicture() const
{
    if (!m_patternsAsPictures) return false;
    const QPen& pen = m_painter.pen();
    return (pen.style() != Qt::NoPen && isPatterned(pen.brush())) || isPatterned(m_painter.brush());
}

void QtSurface::drawPath(const QPainterPath& path)
{
    paint([&] { return path.boundingRect(); }, [&](QPainter& painter) { painter.drawPath(path); });
}

QRect QtSurface::pictureArea(const QRectF& userBounds) const
{
    const QTransform& transform = m_painter.worldTransform();
    const QPen& pen = m_painter.pen();
    const qreal stroke = pen.style() == Qt::NoPen ? 0 : std::max<qreal>(pen.widthF(), 1);
    const qreal margin = stroke * std::max<qreal>(largestScale(transform), 1) + 2;
    const QPaintDevice* device = m_painter.device();
    const QRectF deviceArea(0, 0, device->width(), device->height());
    return transform.mapRect(userBounds)
        .adjusted(-margin, -margin, margin, margin)
        .intersected(deviceArea)
        .toAlignedRect();
}

bool QtSurface::usable(std::span<const Point2D> points, std::size_t minimum)
{
    const bool ok = points.size() >= minimum && allFinite(points);
    if (!ok) fail(SurfaceStatus::InvalidParameter);
    return ok;
}

bool QtSurface::usable(const RectF& rect)
{
    const bool ok = finite(rect.x) && finite(rect.y) && finite(rect.width) && finite(rect.height);
    if (!ok) fail(SurfaceStatus::InvalidParameter);
    return ok;
}

bool QtSurface::strokeWith(const Pen& pen)
{
    if (!finite(pen.width)) {
        fail(SurfaceStatus::InvalidParameter);
        return false;
    }
    m_painter.setPen(toQPen(pen));
    m_painter.setBrush(Qt::NoBrush);
    useStrokeOffset(true);
    return true;
}

bool QtSurface::fillWith(const Brush& brush)
{
    const std::optional<QBrush> qbrush = toQBrush(brush);
    if (!qbrush) {
        fail(SurfaceStatus::InvalidParameter);
        return false;
    }
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(*qbrush);
    useStrokeOffset(false);
    return true;
}

std::vector<QPointF>& QtSurface::qtPoints(std::span<const Point2D> points)
{
    m_points.resize(points.size());
    for (std::size_t i = 0; i < points.size(); ++i)
        m_points[i] = toQPoint(points[i]);
    return m_points;
}

QFont QtSurface::qtFont(const Font& font) const
{
    const QPaintDevice* device = m_painter.device();
    const double dpi = device && device->logicalDpiY() > 0 ? device->logicalDpiY() : 96.0;
    return m_fonts.resolve(font, dpi);
}

// Every call that paints with Qt clears the upper halves of the vector registers afterwards, so
// that the pass goes on at full speed (vector_registers.h).
template <typename Bounds, typename Draw> void QtSurface::paint(Bounds bounds, Draw draw)
{
    if (!needsPatternPicture()) {
        draw(m_painter);
        clearUpperVectorHalves();
        return;
    }
    // The primitive is painted into a picture of the area it covers, which is then drawn.
    const QRect area = pictureArea(bounds());
    if (area.isEmpty()) return;
    QImage picture(area.size(), QImage::Format_ARGB32_Premultiplied);
    picture.setDotsPerMeterX(3780);
    picture.setDotsPerMeterY(3780);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHints(m_painter.renderHints());
    painter.setWorldTransform(m_painter.worldTransform() *
                              QTransform::fromTranslate(-area.x(), -area.y()));
    painter.setPen(m_painter.pen());
    painter.setBrush(m_painter.brush());
    painter.setFont(m_painter.font());
    painter.setLayoutDirection(m_painter.layoutDirection());
    draw(painter);
    painter.end();
    m_painter.save();
    m_painter.resetTransform();
    m_painter.drawImage(area.topLeft(), picture);
    m_painter.restore();
    clearUpperVectorHalves();
}

// --- state --------------------------------------------------------------------------------------

void QtSurface::applyWorldTransform()
{
    QTransform transform = toQTransform(m_world) * m_base;
    if (m_offsetApplied) transform *= QTransform::fromTranslate(m_strokeOffset, m_strokeOffset);
    m_painter.setWorldTransform(transform);
}

void QtSurface::useStrokeOffset(bool offset)
{
    const bool apply = offset && m_strokeOffset != 0;
    if (apply == m_offsetApplied) return;
    m_offsetApplied = apply;
    applyWorldTransform();
}

void QtSurface::setWorldTransform(const geom::Matrix2D& matrix)
{
    m_world = matrix;
    applyWorldTransform();
}

void QtSurface::multiplyWorldTransform(const geom::Matrix2D& matrix, MatrixOrder order)
{
    m_world = multiplied(m_world, matrix, order);
    applyWorldTransform();
}

void QtSurface::scaleWorldTransform(float sx, float sy, MatrixOrder order)
{
    m_world = multiplied(m_world, geom::Matrix2D{sx, 0, 0, sy, 0, 0}, order);
    applyWorldTransform();
}

ContainerState QtSurface::beginContainer()
{
    m_containers.push_back({m_world, m_smoothing});
    return static_cast<ContainerState>(m_containers.size());
}

void QtSurface::endContainer(ContainerState state)
{
    if (state == 0 || state > m_containers.size()) {
        fail(SurfaceStatus::InvalidParameter);
        return;
    }
    const SavedState saved = m_containers[state - 1];
    m_containers.resize(state - 1);
    m_world = saved.world;
    applyWorldTransform();
    setSmoothingMode(saved.smoothing);
}

bool QtSurface::setSmoothingMode(SmoothingMode mode)
{
    m_smoothing = mode;
    const bool smooth = mode != SmoothingMode::HighSpeed;
    m_painter.setRenderHint(QPainter::Antialiasing, smooth);
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
    return true;
}

// --- lines and curves ---------------------------------------------------------------------------

void QtSurface::drawLine(const Pen& pen, Point2D from, Point2D to)
{
    const Point2D ends[] = {from, to};
    drawPolyline(pen, ends);
}

void QtSurface::drawPolyline(const Pen& pen, std::span<const Point2D> points)
{
    if (!usable(points, 2) || !strokeWith(pen)) return;
    if (m_pixelDevice && isLongPolyline(points.size())) {
        if (drawLongPolyline(m_painter, pen, points, m_longLines) == Fidelity::Approximate)
            m_approximated = true;
        clearUpperVectorHalves();
        return;
    }
    std::vector<QPointF>& qpoints = qtPoints(points);
    if (const std::optional<QPainterPath> clipped = clippedToDevice(qpoints)) {
        drawPath(*clipped);
        return;
    }
    paint([&] { return boundsOf(qpoints); },
          [&](QPainter& painter) {
              painter.drawPolyline(qpoints.data(), static_cast<int>(qpoints.size()));
          });
}

void QtSurface::drawLines(const Pen& pen, std::span<const Point2D> endPoints)
{
    if (!usable(endPoints, 0) || !strokeWith(pen)) return;
    std::vector<QLineF> lines;
    lines.reserve(endPoints.size() / 2);
    for (std::size_t i = 0; i + 1 < endPoints.size(); i += 2)
        lines.emplace_back(toQPoint(endPoints[i]), toQPoint(endPoints[i + 1]));
    if (lines.empty()) return;
    paint([&] { return boundsOf(qtPoints(endPoints)); },
          [&](QPainter& painter) {
              painter.drawLines(lines.data(), static_cast<int>(lines.size()));
          });
}

std::optional<QPainterPath> QtSurface::clippedToDevice(std::span<const QPointF> points) const
{
    const QPaintDevice* device = m_painter.device();
    if (!m_pixelDevice || !device) return std::nullopt;
    const QTransform& toDevice = m_painter.worldTransform();
    const QRectF area(0, 0, device->width(), device->height());
    return clippedPolyline(points, m_painter.pen(), toDevice,
                           strokeClipRect(area, m_painter.pen(), toDevice));
}

void QtSurface::drawBezier(const Pen& pen, Point2D p1, Point2D c1, Point2D c2, Point2D p2)
{
    const Point2D points[] = {p1, c1, c2, p2};
    if (!usable(points, 4) || !strokeWith(pen)) return;
    QPainterPath path(toQPoint(p1));
    path.cubicTo(toQPoint(c1), toQPoint(c2), toQPoint(p2));
    drawPath(path);
}

void QtSurface::drawCurve(const Pen& pen, std::span<const Point2D> points, float tension)
{
    if (!usable(points, 2) || !finite(tension) || !strokeWith(pen)) return;
    drawPath(cardinalPath(points, tension, geom::CurveClosure::Open));
}

void QtSurface::drawClosedCurve(const Pen& pen, std::span<const Point2D> points, float tension)
{
    if (!usable(points, 2) || !finite(tension) || !strokeWith(pen)) return;
    drawPath(cardinalPath(points, tension, geom::CurveClosure::Closed));
}

void QtSurface::drawArc(const Pen& pen, const RectF& bounds, float startAngle, float sweepAngle)
{
    if (!usable(bounds) || !finite(startAngle) || !finite(sweepAngle) || !strokeWith(pen)) return;
    drawPath(arcPath(toQRect(bounds), startAngle, sweepAngle));
}

// --- shapes -------------------------------------------------------------------------------------

void QtSurface::drawRectangle(const Pen& pen, const RectF& rect)
{
    if (!usable(rect) || !strokeWith(pen)) return;
    const QRectF box = toQRect(rect);
    paint([&] { return box; }, [&](QPainter& painter) { painter.drawRect(box); });
}

void QtSurface::fillRectangle(const Brush& brush, const RectF& rect)
{
    if (!usable(rect) || !fillWith(brush)) return;
    const QRectF box = toQRect(rect);
    paint([&] { return box; }, [&](QPainter& painter) { painter.drawRect(box); });
}

void QtSurface::drawEllipse(const Pen& pen, const RectF& bounds)
{
    if (!usable(bounds) || !strokeWith(pen)) return;
    const QRectF box = toQRect(bounds);
    paint([&] { return box; }, [&](QPainter& painter) { painter.drawEllipse(box); });
}

void QtSurface::fillEllipse(const Brush& brush, const RectF& bounds)
{
    if (!usable(bounds) || !fillWith(brush)) return;
    const QRectF box = toQRect(bounds);
    paint([&] { return box; }, [&](QPainter& painter) { painter.drawEllipse(box); });
}

void QtSurface::drawPie(const Pen& pen, const RectF& bounds, float startAngle, float sweepAngle)
{
    if (!usable(bounds) || !finite(startAngle) || !finite(sweepAngle) || !strokeWith(pen)) return;
    drawPath(piePath(toQRect(bounds), startAngle, sweepAngle));
}

void QtSurface::fillPie(const Brush& brush, const RectF& bounds, float startAngle, float sweepAngle)
{
    if (!usable(bounds) || !finite(startAngle) || !finite(sweepAngle) || !fillWith(brush)) return;
    drawPath(piePath(toQRect(bounds), startAngle, sweepAngle));
}

void QtSurface::drawPolygon(const Pen& pen, std::span<const Point2D> points)
{
    if (!usable(points, 2) || !strokeWith(pen)) return;
    const std::vector<QPointF>& qpoints = qtPoints(points);
    paint([&] { return boundsOf(qpoints); },
          [&](QPainter& painter) {
              painter.drawPolygon(qpoints.data(), static_cast<int>(qpoints.size()));
          });
}

void QtSurface::fillPolygon(const Brush& brush, std::span<const Point2D> points, FillMode mode)
{
    if (!usable(points, 3) || !fillWith(brush)) return;
    const std::vector<QPointF>& qpoints = qtPoints(points);
    const Qt::FillRule rule = mode == FillMode::Alternate ? Qt::OddEvenFill : Qt::WindingFill;
    paint([&] { return boundsOf(qpoints); },
          [&](QPainter& painter) {
              painter.drawPolygon(qpoints.data(), static_cast<int>(qpoints.size()), rule);
          });
}

void QtSurface::fillClosedCurve(const Brush& brush, std::span<const Point2D> points, float tension,
                                FillMode mode)
{
    if (!usable(points, 3) || !finite(tension) || !fillWith(brush)) return;
    QPainterPath path = cardinalPath(points, tension, geom::CurveClosure::Closed);
    path.setFillRule(mode == FillMode::Alternate ? Qt::OddEvenFill : Qt::WindingFill);
    drawPath(path);
}

// --- text ---------------------------------------------------------------------------------------

void QtSurface::drawString(std::string_view text, const Font& font, const Brush& brush,
                           const RectF& layout, const StringFormat& format)
{
    if (!usable(layout)) return;
    const std::optional<QBrush> qbrush = toQBrush(brush);
    if (!qbrush) {
        fail(SurfaceStatus::InvalidParameter);
        return;
    }
    useStrokeOffset(false);
    m_painter.save();
    m_painter.setFont(qtFont(font));
    m_painter.setPen(QPen(*qbrush, 0));
    m_painter.setBrush(Qt::NoBrush);
    if (format.flags & formatRightToLeft) m_painter.setLayoutDirection(Qt::RightToLeft);
    QRectF box(layout.x, layout.y, layout.width, layout.height);
    if (format.flags & formatVertical) {
        // Lines run downwards, the glyphs turned a quarter clockwise.
        m_painter.translate(layout.x + layout.width, layout.y);
        m_painter.rotate(90);
        box = QRectF(0, 0, layout.height, layout.width);
    }
    const QString qtext = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const int flags = textFlags(format);
    paint(
        [&] { return box.united(QFontMetricsF(m_painter.font()).boundingRect(box, flags, qtext)); },
        [&](QPainter& painter) { painter.drawText(box, flags, qtext); });
    m_painter.restore();
}

RectF QtSurface::measureString(std::string_view text, const Font& font, const RectF& layout,
                               const StringFormat& format)
{
    if (text.empty() || !usable(layout)) return {layout.x, layout.y, 0, 0};
    const bool vertical = (format.flags & formatVertical) != 0;
    const QFontMetricsF metrics(qtFont(font), m_painter.device());
    const QRectF box = vertical ? QRectF(0, 0, layout.height, layout.width)
                                : QRectF(0, 0, layout.width, layout.height);
    const QRectF bounds =
        metrics.boundingRect(box, textFlags(format),
                             QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    const auto width = static_cast<float>(bounds.width());
    const auto height = static_cast<float>(bounds.height());
    return vertical ? RectF{layout.x, layout.y, height, width}
                    : RectF{layout.x, layout.y, width, height};
}

float QtSurface::fontLineHeight(const Font& font)
{
    return static_cast<float>(QFontMetricsF(qtFont(font), m_painter.device()).lineSpacing());
}

// --- images -------------------------------------------------------------------------------------

namespace {

// The decoded file, or a null image. Qt's reader refuses pictures that would need more memory
// than its allocation limit.
QImage readImage(const std::string& path)
{
    QImageReader reader(QString::fromStdString(path));
    reader.setAutoTransform(false);
    return reader.read();
}

} // namespace

bool QtSurface::drawImageFile(const std::string& path, Point2D topLeft)
{
    const Point2D corner[] = {topLeft};
    if (!usable(corner, 1)) return false;
    const QImage image = readImage(path);
    if (image.isNull()) {
        fail(SurfaceStatus::FileNotFound);
        return false;
    }
    useStrokeOffset(false);
    m_painter.drawImage(toQPoint(topLeft), image);
    clearUpperVectorHalves();
    return true;
}

bool QtSurface::drawImageFile(const std::string& path, const RectF& rect)
{
    if (!usable(rect)) return false;
    const QImage image = readImage(path);
    if (image.isNull()) {
        fail(SurfaceStatus::FileNotFound);
        return false;
    }
    // A negative width or height draws the picture mirrored.
    const QImage oriented = image.mirrored(rect.width < 0, rect.height < 0);
    useStrokeOffset(false);
    m_painter.drawImage(toQRect(rect), oriented);
    clearUpperVectorHalves();
    return true;
}

} // namespace render
