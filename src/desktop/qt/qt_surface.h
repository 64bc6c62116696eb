// The drawing surface that paints with a QPainter it is given, so that widgets, images, SVG and
// PDF generators and printers are all drawn the same way. World transforms are relative to the
// painter's transform when the surface was made. On pixel devices lines are drawn half a pixel
// down and right, so that a thin line on whole coordinates covers whole pixels (pixel centres
// lie on whole coordinates for lines, as the command language's pictures expect), while fills
// keep their edges on whole coordinates.
#pragma once

#include "desktop/qt/qt_font.h"
#include "desktop/qt/qt_long_polyline.h"
#include "render/surface.h"

#include <QPainter>
#include <QPainterPath>
#include <QPointF>

#include <optional>
#include <vector>

namespace render {

class QtSurface : public DrawingSurface {
public:
    explicit QtSurface(QPainter& painter);

    // How long polylines are drawn on pixel devices: a window keeps their coverage from one
    // paint to the next, and while the user works draws the points a viewer can tell apart
    // where nothing is kept. By default every point is drawn anew, as exports do.
    void setLongPolylineOptions(const LongPolylineOptions& options) { m_longLines = options; }
    // Whether some long polyline was drawn with fewer points than it has.
    bool approximated() const { return m_approximated; }

    void setWorldTransform(const geom::Matrix2D& matrix) override;
    geom::Matrix2D worldTransform() const override { return m_world; }
    void multiplyWorldTransform(const geom::Matrix2D& matrix, MatrixOrder order) override;
    void scaleWorldTransform(float sx, float sy, MatrixOrder order) override;
    ContainerState beginContainer() override;
    void endContainer(ContainerState state) override;
    bool setSmoothingMode(SmoothingMode mode) override;

    void drawLine(const Pen& pen, Point2D from, Point2D to) override;
    void drawPolyline(const Pen& pen, std::span<const Point2D> points) override;
    void drawLines(const Pen& pen, std::span<const Point2D> endPoints) override;
    void drawBezier(const Pen& pen, Point2D p1, Point2D c1, Point2D c2, Point2D p2) override;
    void drawCurve(const Pen& pen, std::span<const Point2D> points, float tension) override;
    void drawClosedCurve(const Pen& pen, std::span<const Point2D> points, float tension) override;
    void drawArc(const Pen& pen, const RectF& bounds, float startAngle, float sweepAngle) override;

    void drawRectangle(const Pen& pen, const RectF& rect) override;
    void fillRectangle(const Brush& brush, const RectF& rect) override;
    void drawEllipse(const Pen& pen, const RectF& bounds) override;
    void fillEllipse(const Brush& brush, const RectF& bounds) override;
    void drawPie(const Pen& pen, const RectF& bounds, float startAngle, float sweepAngle) override;
    void fillPie(const Brush& brush, const RectF& bounds, float startAngle,
                 float sweepAngle) override;
    void drawPolygon(const Pen& pen, std::span<const Point2D> points) override;
    void fillPolygon(const Brush& brush, std::span<const Point2D> points, FillMode mode) override;
    void fillClosedCurve(const Brush& brush, std::span<const Point2D> points, float tension,
                         FillMode mode) override;

    void drawString(std::string_view text, const Font& font, const Brush& brush,
                    const RectF& layout, const StringFormat& format) override;
    RectF measureString(std::string_view text, const Font& font, const RectF& layout,
                        const StringFormat& format) override;
    float fontLineHeight(const Font& font) override;

    bool drawImageFile(const std::string& path, Point2D topLeft) override;
    bool drawImageFile(const std::string& path, const RectF& rect) override;

    SurfaceStatus lastStatus() const override { return m_status; }

private:
    struct SavedState {
        geom::Matrix2D world;
        SmoothingMode smoothing;
    };

    void applyWorldTransform();
    // The world transform, with the half-pixel offset of lines or without it.
    void useStrokeOffset(bool offset);
    // Sets the painter up to stroke with `pen` or fill with `brush`; false (and a status) when
    // the style or the coordinates cannot be drawn.
    bool strokeWith(const Pen& pen);
    bool fillWith(const Brush& brush);
    bool usable(std::span<const Point2D> points, std::size_t minimum);
    bool usable(const RectF& rect);
    // The points as Qt points, in a buffer the surface keeps for the next call.
    std::vector<QPointF>& qtPoints(std::span<const Point2D> points);
    QFont qtFont(const Font& font) const;
    // Paints with `draw` on the painter, or, where the device cannot keep the pen's or brush's
    // pattern, on a picture of the area `bounds()` covers, which is then drawn instead.
    template <typename Bounds, typename Draw> void paint(Bounds bounds, Draw draw);
    bool needsPatternPicture() const;
    QRect pictureArea(const QRectF& userBounds) const; // device pixels
    void drawPath(const QPainterPath& path);
    // On pixel devices, a polyline (user coordinates) that reaches far beyond the device, cut to
    // what the painter's pen can touch; nothing when it is drawn as it is.
    std::optional<QPainterPath> clippedToDevice(std::span<const QPointF> points) const;
    void fail(SurfaceStatus status) { m_status = status; }

    QPainter& m_painter;
    QTransform m_base;
    bool m_pixelDevice = false; // an image or a window rather than SVG, PDF or a printer
    LongPolylineOptions m_longLines;
    bool m_approximated = false;
    qreal m_strokeOffset = 0; // device pixels; 0.5 on pixel devices
    bool m_offsetApplied = false;
    bool m_patternsAsPictures = false; // hatches and gradients become pictures (SVG)
    geom::Matrix2D m_world;
    SmoothingMode m_smoothing = SmoothingMode::HighSpeed;
    std::vector<SavedState> m_containers;
    QtFontResolver m_fonts;
    std::vector<QPointF> m_points;
    SurfaceStatus m_status = SurfaceStatus::Ok;
};

} // namespace render
