// The SVG surface: writes each primitive as one SVG element, numbers through std::to_chars with
// two decimals of a pixel (more in user units under a scaling transform), so that a figure of a
// million samples is written in milliseconds. Text is laid out with Qt's font metrics at 96 dpi,
// exactly as the picture export lays it out, and written as text elements; what SVG Tiny cannot
// hold as a style (hatch and gradient brushes) and image files are painted with the picture
// export's surface and embedded as PNG pictures of the area they cover.
#pragma once

#include "desktop/qt/font_answers.h"
#include "desktop/qt/picture_canvas.h"
#include "desktop/qt/qt_font.h"
#include "render/surface.h"

#include <QImage>
#include <QSizeF>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class QPainter;
class QPainterPath;

namespace render {
class QtSurface;
}

namespace desktop {

using render::Brush;
using render::Font;
using render::Pen;
using render::Point2D;
using render::RectF;
using render::StringFormat;

class SvgSurface : public render::DrawingSurface {
public:
    // A picture of `width` x `height` pixels (96 per inch) with `title`. With `answers`, what
    // the fonts answer is looked up there first and added to it, so that text measured by an
    // earlier export needs no font machinery.
    SvgSurface(int width, int height, const std::string& title, FontAnswers* answers = nullptr);
    ~SvgSurface() override;

    // The document: everything drawn so far, closed.
    std::string finish();

    void setWorldTransform(const geom::Matrix2D& matrix) override;
    geom::Matrix2D worldTransform() const override { return m_vector.world(); }
    void multiplyWorldTransform(const geom::Matrix2D& matrix, render::MatrixOrder order) override;
    void scaleWorldTransform(float sx, float sy, render::MatrixOrder order) override;
    render::ContainerState beginContainer() override;
    void endContainer(render::ContainerState state) override;
    bool setSmoothingMode(render::SmoothingMode mode) override;

    void drawLine(const Pen& pen, Point2D from, Point2D to) override;
    void drawPolyline(const Pen& pen, std::span<const Point2D> points) override;
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
    void fillPolygon(const Brush& brush, std::span<const Point2D> points,
                     render::FillMode mode) override;
    void fillClosedCurve(const Brush& brush, std::span<const Point2D> points, float tension,
                         render::FillMode mode) override;

    void drawString(std::string_view text, const Font& font, const Brush& brush,
                    const RectF& layout, const StringFormat& format) override;
    RectF measureString(std::string_view text, const Font& font, const RectF& layout,
                        const StringFormat& format) override;
    float fontLineHeight(const Font& font) override;

    bool drawImageFile(const std::string& path, Point2D topLeft) override;
    bool drawImageFile(const std::string& path, const RectF& rect) override;

    render::SurfaceStatus lastStatus() const override { return m_status; }

private:
    static constexpr int pixelDecimals = 2; // coordinates are written to a hundredth of a pixel

    bool usable(std::span<const Point2D> points, std::size_t minimum);
    bool usable(const RectF& rect);
    enum class Placement { Stroke, Fill };
    // Opens an element with its transform: the world transform, for strokes moved by half a
    // pixel.
    void openElement(std::string_view name, Placement placement);
    // True when the pen strokes in one colour, which SVG holds as a style.
    bool plainlyStroked(const Pen& pen) const;
    void writeStroke(const Pen& pen);
    void writeFill(std::uint32_t colour, render::FillMode mode);
    void writePoints(std::span<const Point2D> points);
    void writePath(const QPainterPath& path);
    // The path stroked or filled, or, for a patterned pen or brush, `painted` embedded.
    template <typename Draw> void strokePath(const Pen& pen, const QPainterPath& path, Draw painted);
    template <typename Draw> void fillPath(const Brush& brush, const QPainterPath& path, Draw painted);
    // A coordinate in the user space of the current transform.
    void writeNumber(double value);
    void writeAttribute(std::string_view name, double value);
    // Paints `draw` on the picture surface and embeds what it covered as a PNG picture.
    template <typename Draw> void embedPainted(Draw draw);
    QFont qtFont(const Font& font) const;

    // The font attributes a text element is written with.
    struct FontFace {
        std::string family;
        double pointSize = 0;
        int weight = 0;
        bool italic = false, underline = false, strikeOut = false;
    };
    // A line of laid out text: its characters and where its baseline starts.
    struct LaidLine {
        int start = 0, length = 0;
        double x = 0, y = 0, ascent = 0;
    };
    // The answer to `question` read by `parse`: remembered, or written by `compute` with the
    // application object made (and then remembered).
    template <typename Parse, typename Compute>
    auto answered(const std::string& question, Parse parse, Compute compute);
    FontFace fontFace(const Font& font);
    double lineSpacing(const Font& font);
    QSizeF textBounds(const Font& font, const QSizeF& box, int flags, const QString& text);
    std::vector<LaidLine> laidLines(const Font& font, const QString& text, double lineWidth,
                                    bool clip, double height);

    int m_width;
    int m_height;
    std::string m_out;
    VectorState m_vector{pixelDecimals};
    render::QtFontResolver m_fonts;
    FontAnswers* m_answers;
    QImage m_metricsDevice; // fonts measure as on the exported picture
    PictureCanvas m_pictures; // where embedded pictures are painted
    render::SurfaceStatus m_status = render::SurfaceStatus::Ok;
};

} // namespace desktop
