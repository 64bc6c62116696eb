// The PDF surface.
//
// Sections: helpers · page content · state · lines and curves · shapes · text · fonts ·
// images and embedded pictures · the file
#include "desktop/qt/pdf_surface.h"

#include "desktop/qt/font_answers.h"
#include "desktop/qt/offscreen_gui.h"
#include "desktop/qt/qt_geometry.h"
#include "desktop/qt/qt_image_export.h"
#include "desktop/qt/qt_styles.h"
#include "desktop/qt/qt_surface.h"
#include "render/pdf_document.h"
#include "scene/hatch_patterns.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QRawFont>
#include <QPainter>
#include <QPainterPath>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>

#include <fontconfig/fontconfig.h>

namespace desktop {
namespace {

using render::appendPdfName;
using render::appendPdfNumber;
using render::FillMode;
using render::MatrixOrder;
using render::SurfaceStatus;

// --- helpers ------------------------------------------------------------------------------------

constexpr int matrixDecimals = 6;       // transform factors
constexpr int colourDecimals = 3;       // colour components: every 8-bit level comes back
constexpr int glyphDecimals = 1;        // glyph widths and position adjustments, thousandths of em
constexpr double pointsPerPixel = 0.75; // 72 points, 96 pixels per inch
constexpr double miterLimit = 2;        // the pens' miter limit

// String format flags of the text layout.
constexpr std::int32_t formatRightToLeft = 0x1;
constexpr std::int32_t formatVertical = 0x2;
constexpr std::int32_t formatNoWrap = 0x1000;
constexpr std::int32_t formatNoClip = 0x4000;

// Lines a glyph run draws along its glyphs.
constexpr int underline = 1;
constexpr int strikeOut = 2;
constexpr int overline = 4;

std::uint32_t alphaOf(std::uint32_t argb)
{
    return argb >> 24;
}

bool finite(float value)
{
    return std::isfinite(value);
}

constexpr std::uint32_t noColour = 0xFF000000; // never a colour's RGB part: set anew

} // namespace

// How a pen or brush paints in the file: in a colour, in a hatch pattern, or, for gradients, as
// a picture.
struct PdfSurface::Paint {
    enum class Kind { Colour, Hatch, Picture };
    Kind kind = Kind::Colour;
    std::uint32_t colour = 0; // ARGB, for a colour
    render::HatchBrush hatch;

    bool invisible() const { return kind == Kind::Colour && alphaOf(colour) == 0; }
};

namespace {

// None for a brush the surface does not have (an unknown hatch style).
std::optional<PdfSurface::Paint> paintOf(const Brush& brush)
{
    using Kind = PdfSurface::Paint::Kind;
    if (const auto* solid = std::get_if<render::SolidBrush>(&brush))
        return PdfSurface::Paint{Kind::Colour, solid->colour, {}};
    if (const auto* hatch = std::get_if<render::HatchBrush>(&brush)) {
        if (!render::hatchPattern(hatch->style)) return std::nullopt;
        return PdfSurface::Paint{Kind::Hatch, 0, *hatch};
    }
    return PdfSurface::Paint{Kind::Picture, 0, {}};
}

PdfSurface::Paint strokePaintOf(const Pen& pen)
{
    const PdfSurface::Paint plain{PdfSurface::Paint::Kind::Colour, pen.colour, {}};
    if (!pen.fill) return plain;
    return paintOf(*pen.fill).value_or(plain); // an unknown hatch strokes plainly
}

void appendHex16(std::string& out, std::uint32_t value)
{
    static constexpr char digits[] = "0123456789ABCDEF";
    for (int shift = 12; shift >= 0; shift -= 4)
        out += digits[(value >> shift) & 0xF];
}

void appendUtf16Hex(std::string& out, char32_t c)
{
    if (c < 0x10000) {
        appendHex16(out, c);
        return;
    }
    c -= 0x10000;
    appendHex16(out, 0xD800 + (c >> 10));
    appendHex16(out, 0xDC00 + (c & 0x3FF));
}

} // namespace

// --- page content -------------------------------------------------------------------------------

PdfSurface::PdfSurface(int width, int height, const std::string& title, FontAnswers* answers)
    : m_width(std::max(1, width)), m_height(std::max(1, height)), m_title(title),
      m_answers(answers), m_measuring(1, 1, {}, answers),
      m_metricsDevice(1, 1, QImage::Format_ARGB32_Premultiplied), m_pictures(m_width, m_height)
{
    m_metricsDevice.setDotsPerMeterX(3780);
    m_metricsDevice.setDotsPerMeterY(3780);
    m_content.reserve(1 << 16);
    // The page's user space is the figure's pixels, origin top left, y downwards.
    m_content += "0.75 0 0 -0.75 0 ";
    appendPdfNumber(m_content, m_height * pointsPerPixel, 2);
    m_content += " cm\n";
    appendPdfNumber(m_content, miterLimit, 0);
    m_content += " M\n";
}

PdfSurface::~PdfSurface() = default;

bool PdfSurface::usable(std::span<const Point2D> points, std::size_t minimum)
{
    bool ok = points.size() >= minimum;
    for (const Point2D& point : points)
        ok = ok && finite(point.x) && finite(point.y);
    if (!ok) m_status = SurfaceStatus::InvalidParameter;
    return ok;
}

bool PdfSurface::usable(const RectF& rect)
{
    const bool ok = finite(rect.x) && finite(rect.y) && finite(rect.width) && finite(rect.height);
    if (!ok) m_status = SurfaceStatus::InvalidParameter;
    return ok;
}

void PdfSurface::beginElement(Placement placement, Isolation isolation)
{
    // Lines lie half a pixel down and right, as on the picture export, so that a thin line on
    // whole coordinates covers whole pixels.
    geom::Matrix2D m = m_vector.world();
    if (placement == Placement::Stroke) {
        m.dx += 0.5f;
        m.dy += 0.5f;
    }
    const bool translation = m.m11 == 1 && m.m12 == 0 && m.m21 == 0 && m.m22 == 1;
    if (translation || isolation == Isolation::Saved) {
        m_outerState.reset();
        if (isolation == Isolation::Saved) {
            m_outerState = m_state;
            m_content += "q\n";
        }
    }
    if (translation) {
        m_offsetX = m.dx;
        m_offsetY = m.dy;
        m_elementDecimals = render::pdfPixelDecimals;
        m_elementScale = 1;
        return;
    }
    if (!m_outerState) {
        m_outerState = m_state;
        m_content += "q\n";
    }
    for (const float factor : {m.m11, m.m12, m.m21, m.m22}) {
        appendPdfNumber(m_content, factor, matrixDecimals);
        m_content += ' ';
    }
    appendPdfNumber(m_content, m.dx, render::pdfPixelDecimals);
    m_content += ' ';
    appendPdfNumber(m_content, m.dy, render::pdfPixelDecimals);
    m_content += " cm\n";
    m_offsetX = m_offsetY = 0;
    m_elementDecimals = m_vector.userDecimals();
    const double scale = largestScale(m);
    m_elementScale = scale > 0 ? scale : 1;
}

void PdfSurface::endElement()
{
    if (!m_outerState) return;
    m_content += "Q\n";
    m_state = std::move(*m_outerState);
    m_outerState.reset();
}

void PdfSurface::writeCoordinates(double x, double y)
{
    appendPdfNumber(m_content, x + m_offsetX, m_elementDecimals);
    m_content += ' ';
    appendPdfNumber(m_content, y + m_offsetY, m_elementDecimals);
}

void PdfSurface::writePoints(std::span<const Point2D> points)
{
    m_content.reserve(m_content.size() + points.size() * 16);
    for (std::size_t i = 0; i < points.size(); ++i) {
        writeCoordinates(points[i].x, points[i].y);
        m_content += i == 0 ? " m\n" : " l\n";
    }
}

void PdfSurface::writePath(const QPainterPath& path)
{
    // A subpath that ends where it began is closed, as Qt's stroker treats it.
    QPointF start, last;
    const auto closeIfRound = [&] {
        if (last == start) m_content += "h\n";
    };
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element element = path.elementAt(i);
        if (element.type == QPainterPath::MoveToElement && i > 0) closeIfRound();
        writeCoordinates(element.x, element.y);
        switch (element.type) {
        case QPainterPath::MoveToElement:
            start = element;
            m_content += " m\n";
            break;
        case QPainterPath::LineToElement:
            m_content += " l\n";
            break;
        case QPainterPath::CurveToElement:
            m_content += ' ';
            break;
        case QPainterPath::CurveToDataElement:
            const bool lastOfCurve = i + 1 >= path.elementCount() ||
                                     path.elementAt(i + 1).type != QPainterPath::CurveToDataElement;
            m_content += lastOfCurve ? " c\n" : " ";
            break;
        }
        last = element;
    }
    if (path.elementCount() > 1) closeIfRound();
}

void PdfSurface::writeRgb(std::uint32_t argb, std::string_view operatorName)
{
    for (const int shift : {16, 8, 0}) {
        appendPdfNumber(m_content, ((argb >> shift) & 0xFF) / 255.0, colourDecimals);
        m_content += ' ';
    }
    m_content += operatorName;
    m_content += '\n';
}

void PdfSurface::useAlpha(std::uint32_t alpha)
{
    if (m_state.alpha == alpha) return;
    m_state.alpha = alpha;
    m_alphasUsed[alpha] = true;
    m_content += "/A" + std::to_string(alpha) + " gs\n";
}

void PdfSurface::useStroke(const Pen& pen, const Paint& paint)
{
    if (paint.kind == Paint::Kind::Hatch) {
        useAlpha(0xFF);
        m_content += "/Pattern CS /" + hatchPattern(paint.hatch, Placement::Stroke) + " SCN\n";
        m_state.strokeRgb = noColour;
    } else if (m_state.strokeRgb != (paint.colour & 0xFFFFFF)) {
        m_state.strokeRgb = paint.colour & 0xFFFFFF;
        writeRgb(paint.colour, "RG");
    }
    if (paint.kind == Paint::Kind::Colour) useAlpha(alphaOf(paint.colour));
    // A width of 0 is the thinnest line, one device pixel at any transform.
    const bool cosmetic = !(pen.width > 0);
    const double width = cosmetic ? 1.0 / m_elementScale : pen.width;
    if (m_state.lineWidth != width) {
        m_state.lineWidth = width;
        appendPdfNumber(m_content, width, m_elementDecimals);
        m_content += " w\n";
    }
    if (m_state.ends != pen.ends) {
        m_state.ends = pen.ends;
        m_content += pen.ends == render::LineEnds::Round ? "1 J 1 j\n" : "0 J 0 j\n";
    }
    std::vector<double> dashes = dashLengths(pen);
    if (cosmetic)
        for (double& length : dashes)
            length /= m_elementScale;
    if (m_state.dashes != dashes) {
        m_content += '[';
        for (std::size_t i = 0; i < dashes.size(); ++i) {
            if (i > 0) m_content += ' ';
            appendPdfNumber(m_content, dashes[i], m_elementDecimals);
        }
        m_content += "] 0 d\n";
        m_state.dashes = std::move(dashes);
    }
}

void PdfSurface::useFill(std::uint32_t colour)
{
    if (m_state.fillRgb != (colour & 0xFFFFFF)) {
        m_state.fillRgb = colour & 0xFFFFFF;
        writeRgb(colour, "rg");
    }
    useAlpha(alphaOf(colour));
}

void PdfSurface::useFill(const Paint& paint)
{
    if (paint.kind == Paint::Kind::Colour) {
        useFill(paint.colour);
        return;
    }
    useAlpha(0xFF);
    m_content += "/Pattern cs /" + hatchPattern(paint.hatch, Placement::Fill) + " scn\n";
    m_state.fillRgb = noColour;
}

std::string PdfSurface::hatchPattern(const render::HatchBrush& hatch, Placement placement)
{
    // Hatches repeat every 8 pixels of the user space of the shape's transform, from its origin,
    // as on the picture; a pattern's matrix maps its cell to the page's default space.
    geom::Matrix2D m = m_vector.world();
    if (placement == Placement::Stroke) {
        m.dx += 0.5f;
        m.dy += 0.5f;
    }
    const double pageHeight = m_height * pointsPerPixel;
    std::string matrix;
    const double factors[] = {m.m11 * pointsPerPixel, -m.m12 * pointsPerPixel,
                              m.m21 * pointsPerPixel, -m.m22 * pointsPerPixel,
                              m.dx * pointsPerPixel,  pageHeight - m.dy * pointsPerPixel};
    for (const double factor : factors) {
        appendPdfNumber(matrix, factor, matrixDecimals);
        matrix += ' ';
    }
    matrix.pop_back();
    for (std::size_t i = 0; i < m_patterns.size(); ++i)
        if (m_patterns[i].hatch == hatch && m_patterns[i].matrix == matrix)
            return "P" + std::to_string(i);
    for (const std::uint32_t colour : {hatch.background, hatch.foreground})
        m_alphasUsed[alphaOf(colour)] = true;
    m_patterns.push_back({hatch, matrix});
    return "P" + std::to_string(m_patterns.size() - 1);
}

// --- state --------------------------------------------------------------------------------------

void PdfSurface::setWorldTransform(const geom::Matrix2D& matrix)
{
    m_vector.setWorld(matrix);
}

void PdfSurface::multiplyWorldTransform(const geom::Matrix2D& matrix, MatrixOrder order)
{
    m_vector.multiplyWorld(matrix, order);
}

void PdfSurface::scaleWorldTransform(float sx, float sy, MatrixOrder order)
{
    m_vector.multiplyWorld(geom::Matrix2D{sx, 0, 0, sy, 0, 0}, order);
}

render::ContainerState PdfSurface::beginContainer()
{
    return m_vector.beginContainer();
}

void PdfSurface::endContainer(render::ContainerState state)
{
    if (!m_vector.endContainer(state)) m_status = SurfaceStatus::InvalidParameter;
}

bool PdfSurface::setSmoothingMode(render::SmoothingMode mode)
{
    m_vector.setSmoothing(mode); // viewers smooth PDF as they like; pictures painted here follow it
    return true;
}

// --- lines and curves ---------------------------------------------------------------------------

void PdfSurface::drawLine(const Pen& pen, Point2D from, Point2D to)
{
    const Point2D ends[] = {from, to};
    drawPolyline(pen, ends);
}

template <typename Write, typename Draw>
void PdfSurface::stroke(const Pen& pen, Write write, Draw painted)
{
    if (!finite(pen.width)) {
        m_status = SurfaceStatus::InvalidParameter;
        return;
    }
    const Paint paint = strokePaintOf(pen);
    if (paint.kind == Paint::Kind::Picture) {
        embedPainted(painted);
        return;
    }
    if (paint.invisible()) return;
    beginElement(Placement::Stroke);
    useStroke(pen, paint);
    write();
    endElement();
}

template <typename Write, typename Draw>
void PdfSurface::fill(const Brush& brush, Write write, Draw painted)
{
    const std::optional<Paint> paint = paintOf(brush);
    if (!paint) {
        m_status = SurfaceStatus::InvalidParameter;
        return;
    }
    if (paint->kind == Paint::Kind::Picture) {
        embedPainted(painted);
        return;
    }
    if (paint->invisible()) return;
    beginElement(Placement::Fill);
    useFill(*paint);
    write();
    endElement();
}

void PdfSurface::drawPolyline(const Pen& pen, std::span<const Point2D> points)
{
    if (!usable(points, 2)) return;
    stroke(
        pen,
        [&] {
            writePoints(points);
            m_content += "S\n";
        },
        [&](render::QtSurface& surface) { surface.drawPolyline(pen, points); });
}

void PdfSurface::drawLines(const Pen& pen, std::span<const Point2D> endPoints)
{
    const std::span<const Point2D> pairs = endPoints.first(endPoints.size() & ~std::size_t{1});
    if (pairs.empty() || !usable(pairs, 2)) return;
    stroke(
        pen,
        [&] {
            for (std::size_t i = 0; i < pairs.size(); i += 2)
                writePoints(pairs.subspan(i, 2));
            m_content += "S\n";
        },
        [&](render::QtSurface& surface) { surface.drawLines(pen, pairs); });
}

template <typename Draw>
void PdfSurface::strokePath(const Pen& pen, const QPainterPath& path, Draw painted)
{
    if (path.isEmpty()) return;
    stroke(
        pen,
        [&] {
            writePath(path);
            m_content += "S\n";
        },
        painted);
}

template <typename Draw>
void PdfSurface::fillPath(const Brush& brush, const QPainterPath& path, Draw painted)
{
    if (path.isEmpty()) return;
    fill(
        brush,
        [&] {
            writePath(path);
            m_content += path.fillRule() == Qt::OddEvenFill ? "f*\n" : "f\n";
        },
        painted);
}

void PdfSurface::drawBezier(const Pen& pen, Point2D p1, Point2D c1, Point2D c2, Point2D p2)
{
    const Point2D points[] = {p1, c1, c2, p2};
    if (!usable(points, 4)) return;
    QPainterPath path(QPointF(p1.x, p1.y));
    path.cubicTo(QPointF(c1.x, c1.y), QPointF(c2.x, c2.y), QPointF(p2.x, p2.y));
    strokePath(pen, path, [&](render::QtSurface& s) { s.drawBezier(pen, p1, c1, c2, p2); });
}

void PdfSurface::drawCurve(const Pen& pen, std::span<const Point2D> points, float tension)
{
    if (!usable(points, 2) || !finite(tension)) return;
    strokePath(pen, render::cardinalPath(points, tension, geom::CurveClosure::Open),
               [&](render::QtSurface& s) { s.drawCurve(pen, points, tension); });
}

void PdfSurface::drawClosedCurve(const Pen& pen, std::span<const Point2D> points, float tension)
{
    if (!usable(points, 2) || !finite(tension)) return;
    strokePath(pen, render::cardinalPath(points, tension, geom::CurveClosure::Closed),
               [&](render::QtSurface& s) { s.drawClosedCurve(pen, points, tension); });
}

void PdfSurface::drawArc(const Pen& pen, const RectF& bounds, float startAngle, float sweepAngle)
{
    if (!usable(bounds) || !finite(startAngle) || !finite(sweepAngle)) return;
    strokePath(pen, render::arcPath(normalisedRect(bounds), startAngle, sweepAngle),
               [&](render::QtSurface& s) { s.drawArc(pen, bounds, startAngle, sweepAngle); });
}

// --- shapes -------------------------------------------------------------------------------------

void PdfSurface::writeRectangle(const RectF& rect)
{
    const QRectF box = normalisedRect(rect);
    writeCoordinates(box.x(), box.y());
    m_content += ' ';
    appendPdfNumber(m_content, box.width(), m_elementDecimals);
    m_content += ' ';
    appendPdfNumber(m_content, box.height(), m_elementDecimals);
    m_content += " re\n";
}

void PdfSurface::drawRectangle(const Pen& pen, const RectF& rect)
{
    if (!usable(rect)) return;
    stroke(
        pen,
        [&] {
            writeRectangle(rect);
            m_content += "S\n";
        },
        [&](render::QtSurface& s) { s.drawRectangle(pen, rect); });
}

void PdfSurface::fillRectangle(const Brush& brush, const RectF& rect)
{
    if (!usable(rect)) return;
    fill(
        brush,
        [&] {
            writeRectangle(rect);
            m_content += "f\n";
        },
        [&](render::QtSurface& s) { s.fillRectangle(brush, rect); });
}

void PdfSurface::drawEllipse(const Pen& pen, const RectF& bounds)
{
    if (!usable(bounds)) return;
    QPainterPath path;
    path.addEllipse(normalisedRect(bounds));
    strokePath(pen, path, [&](render::QtSurface& s) { s.drawEllipse(pen, bounds); });
}

void PdfSurface::fillEllipse(const Brush& brush, const RectF& bounds)
{
    if (!usable(bounds)) return;
    QPainterPath path;
    path.addEllipse(normalisedRect(bounds));
    fillPath(brush, path, [&](render::QtSurface& s) { s.fillEllipse(brush, bounds); });
}

void PdfSurface::drawPie(const Pen& pen, const RectF& bounds, float startAngle, float sweepAngle)
{
    if (!usable(bounds) || !finite(startAngle) || !finite(sweepAngle)) return;
    strokePath(pen, render::piePath(normalisedRect(bounds), startAngle, sweepAngle),
               [&](render::QtSurface& s) { s.drawPie(pen, bounds, startAngle, sweepAngle); });
}

void PdfSurface::fillPie(const Brush& brush, const RectF& bounds, float startAngle,
                         float sweepAngle)
{
    if (!usable(bounds) || !finite(startAngle) || !finite(sweepAngle)) return;
    fillPath(brush, render::piePath(normalisedRect(bounds), startAngle, sweepAngle),
             [&](render::QtSurface& s) { s.fillPie(brush, bounds, startAngle, sweepAngle); });
}

void PdfSurface::drawPolygon(const Pen& pen, std::span<const Point2D> points)
{
    if (!usable(points, 2)) return;
    stroke(
        pen,
        [&] {
            writePoints(points);
            m_content += "s\n";
        },
        [&](render::QtSurface& surface) { surface.drawPolygon(pen, points); });
}

void PdfSurface::fillPolygon(const Brush& brush, std::span<const Point2D> points, FillMode mode)
{
    if (!usable(points, 3)) return;
    fill(
        brush,
        [&] {
            writePoints(points);
            m_content += mode == FillMode::Alternate ? "f*\n" : "f\n";
        },
        [&](render::QtSurface& surface) { surface.fillPolygon(brush, points, mode); });
}

void PdfSurface::fillClosedCurve(const Brush& brush, std::span<const Point2D> points, float tension,
                                 FillMode mode)
{
    if (!usable(points, 3) || !finite(tension)) return;
    QPainterPath path = render::cardinalPath(points, tension, geom::CurveClosure::Closed);
    path.setFillRule(mode == FillMode::Alternate ? Qt::OddEvenFill : Qt::WindingFill);
    fillPath(brush, path,
             [&](render::QtSurface& s) { s.fillClosedCurve(brush, points, tension, mode); });
}

// --- text ---------------------------------------------------------------------------------------

void PdfSurface::drawString(std::string_view text, const Font& font, const Brush& brush,
                            const RectF& layout, const StringFormat& format)
{
    if (!usable(layout)) return;
    const std::optional<Paint> paint = paintOf(brush);
    if (!paint) {
        m_status = SurfaceStatus::InvalidParameter;
        return;
    }
    // Turned and right-to-left text, and text in a gradient, are painted as on the picture.
    if (paint->kind == Paint::Kind::Picture ||
        (format.flags & (formatRightToLeft | formatVertical))) {
        embedPainted([&](render::QtSurface& surface) {
            surface.drawString(text, font, brush, layout, format);
        });
        return;
    }
    if (paint->invisible() || text.empty()) return;

    const std::vector<GlyphRun> runs = glyphRuns(text, font, layout, format);
    if (runs.empty()) return;
    // What falls outside the rectangle is clipped unless the format says not to.
    const bool clip = !(format.flags & formatNoClip);
    beginElement(Placement::Fill, clip ? Isolation::Saved : Isolation::Shared);
    if (clip) {
        writeRectangle(layout);
        m_content += "W n\n";
    }
    useFill(*paint);
    const Point2D origin{layout.x, layout.y};
    for (const GlyphRun& run : runs) {
        if (run.file.empty()) {
            QPainterPath outlines = run.outlines;
            outlines.translate(origin.x, origin.y);
            writePath(outlines);
            m_content += "f\n";
        } else {
            writeGlyphs(run, *embeddedFont(run.file, run.face), origin);
        }
        writeTextDecorations(run, origin);
    }
    endElement();
}

namespace {

// The start of a question about how `text` is laid out in `font`.
std::string runsQuestion(std::string_view text, const Font& font, const RectF& layout,
                         std::int32_t flags)
{
    std::string question;
    appendFontField(question, "pdf-runs");
    appendFontField(question, font.family);
    appendFontField(question, static_cast<double>(font.size));
    appendFontField(question, font.style);
    appendFontField(question, font.unit);
    appendFontField(question, static_cast<double>(layout.width));
    appendFontField(question, static_cast<double>(layout.height));
    appendFontField(question, flags);
    appendFontField(question, text);
    return question;
}

std::optional<std::uint32_t> wholeNumber(FontFieldReader& reader)
{
    const std::optional<double> number = reader.number();
    if (!number || *number != std::trunc(*number) || *number < 0 || *number > 0x10FFFF)
        return std::nullopt;
    return static_cast<std::uint32_t>(*number);
}

} // namespace

std::vector<PdfSurface::GlyphRun> PdfSurface::glyphRuns(std::string_view text, const Font& font,
                                                        const RectF& layout,
                                                        const StringFormat& format)
{
    const std::string question = runsQuestion(text, font, layout, format.flags);
    if (m_answers)
        if (const std::optional<std::string> known = m_answers->find(question))
            if (std::optional<std::vector<GlyphRun>> runs = parseRuns(*known)) return *runs;
    std::vector<GlyphRun> runs = layOutRuns(text, font, layout, format);
    const bool embedded = std::all_of(runs.begin(), runs.end(),
                                      [](const GlyphRun& run) { return !run.file.empty(); });
    if (m_answers && embedded) {
        std::string answer;
        for (const GlyphRun& run : runs) {
            appendFontField(answer, run.family);
            appendFontField(answer, run.file);
            appendFontField(answer, run.face);
            for (const double value :
                 {run.pixelSize, static_cast<double>(run.decorations), run.underlinePosition,
                  run.lineThickness, run.ascent, run.left, run.width})
                appendFontField(answer, value);
            appendFontField(answer, static_cast<double>(run.glyphs.size()));
            for (const Glyph& glyph : run.glyphs)
                for (const double value : {static_cast<double>(glyph.id), glyph.x, glyph.y,
                                           static_cast<double>(glyph.unicode)})
                    appendFontField(answer, value);
        }
        m_answers->remember(question, std::move(answer));
    }
    return runs;
}

std::optional<std::vector<PdfSurface::GlyphRun>> PdfSurface::parseRuns(std::string_view answer)
{
    FontFieldReader reader(answer);
    std::vector<GlyphRun> runs;
    while (!reader.atEnd()) {
        GlyphRun run;
        const std::optional<std::string_view> family = reader.field(), file = reader.field();
        const std::optional<std::uint32_t> face = wholeNumber(reader);
        if (!family || !file || !face) return std::nullopt;
        run.family = *family;
        run.file = *file;
        run.face = static_cast<int>(*face);
        for (double* value : {&run.pixelSize, &run.underlinePosition, &run.lineThickness,
                              &run.ascent, &run.left, &run.width}) {
            if (value == &run.underlinePosition) {
                const std::optional<std::uint32_t> decorations = wholeNumber(reader);
                if (!decorations) return std::nullopt;
                run.decorations = static_cast<int>(*decorations);
            }
            const std::optional<double> number = reader.number();
            if (!number) return std::nullopt;
            *value = *number;
        }
        const std::optional<std::uint32_t> count = wholeNumber(reader);
        const EmbeddedFont* font = count ? embeddedFont(run.file, run.face) : nullptr;
        if (!font || !font->facts) return std::nullopt; // the font file went: lay out anew
        for (std::uint32_t i = 0; i < *count; ++i) {
            const std::optional<std::uint32_t> id = wholeNumber(reader);
            const std::optional<double> x = reader.number(), y = reader.number();
            const std::optional<std::uint32_t> unicode = wholeNumber(reader);
            if (!id || !x || !y || !unicode) return std::nullopt;
            run.glyphs.push_back({*id, *x, *y, static_cast<char32_t>(*unicode)});
        }
        if (m_answers) m_answers->useFamily(run.family);
        runs.push_back(std::move(run));
    }
    return runs;
}

std::vector<PdfSurface::GlyphRun> PdfSurface::layOutRuns(std::string_view text, const Font& font,
                                                         const RectF& layout,
                                                         const StringFormat& format)
{
    ensureGuiApplication();
    // Lines are laid out as QPainter lays out text in a rectangle: line feeds break lines,
    // carriage returns and tabs are blanks, lines wrap at words and start on whole pixels, and
    // lines that begin below the rectangle are left out unless the format keeps them.
    QString qtext = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    for (QChar& c : qtext) {
        if (c == u'\r' || c == u'\t') c = u' ';
        if (c == u'\n') c = QChar::LineSeparator;
    }
    const QFont qfont = m_fonts.resolve(font, 96.0);
    const QFontMetricsF metrics(qfont, &m_metricsDevice);
    QTextLayout lines(qtext, qfont, &m_metricsDevice);
    QTextOption option;
    option.setAlignment(Qt::AlignLeft);
    lines.setTextOption(option);
    const bool wrap = !(format.flags & formatNoWrap);
    const bool clip = !(format.flags & formatNoClip);
    const qreal lineWidth = wrap ? std::max<qreal>(0, layout.width) : 0x01000000;
    lines.beginLayout();
    qreal height = -metrics.leading();
    for (QTextLine line = lines.createLine(); line.isValid(); line = lines.createLine()) {
        line.setLineWidth(lineWidth);
        height = std::ceil(height + metrics.leading());
        line.setPosition(QPointF(0, height));
        height += line.height();
        if (clip && height >= layout.height) break;
    }
    lines.endLayout();

    const std::u32string codes = qtext.toStdU32String();
    std::vector<GlyphRun> runs;
    for (const QGlyphRun& laid : lines.glyphRuns())
        runs.push_back(recordRun(laid, codes));
    return runs;
}

PdfSurface::GlyphRun PdfSurface::recordRun(const QGlyphRun& laid, const std::u32string& codes)
{
    const QRawFont raw = laid.rawFont();
    GlyphRun run;
    run.family = raw.familyName().toStdString();
    run.pixelSize = raw.pixelSize();
    run.decorations = (laid.underline() ? underline : 0) | (laid.strikeOut() ? strikeOut : 0) |
                      (laid.overline() ? overline : 0);
    run.underlinePosition = raw.underlinePosition();
    run.lineThickness = raw.lineThickness();
    run.ascent = raw.ascent();
    run.left = laid.boundingRect().left();
    run.width = laid.boundingRect().width();
    if (m_answers) m_answers->useFamily(run.family);

    // Each character's own glyph, for copying text out of the file.
    std::map<std::uint32_t, char32_t> characters;
    for (const char32_t code : codes) {
        if (code < 0x20 || code == QChar::LineSeparator) continue;
        const char32_t one[] = {code};
        const QList<quint32> glyphs = raw.glyphIndexesForString(QString::fromUcs4(one, 1));
        if (glyphs.size() == 1 && glyphs.front() != 0) characters.emplace(glyphs.front(), code);
    }
    const QList<quint32> ids = laid.glyphIndexes();
    const QList<QPointF> positions = laid.positions();
    for (qsizetype i = 0; i < ids.size(); ++i) {
        const auto character = characters.find(ids[i]);
        run.glyphs.push_back({ids[i], positions[i].x(), positions[i].y(),
                              character == characters.end() ? 0 : character->second});
    }

    if (const std::optional<FontFile> file = fontFileOf(raw)) {
        const EmbeddedFont* font = embeddedFont(file->path, file->face);
        if (font && font->facts) {
            run.file = file->path;
            run.face = file->face;
            return run;
        }
    }
    // A font that cannot be read or may not be embedded is drawn as outlines.
    for (const Glyph& glyph : run.glyphs) {
        QPainterPath outline = raw.pathForGlyph(glyph.id);
        outline.translate(glyph.x, glyph.y);
        run.outlines.addPath(outline);
    }
    return run;
}

void PdfSurface::writeGlyphs(const GlyphRun& run, EmbeddedFont& font, Point2D origin)
{
    const double size = run.pixelSize;
    if (run.glyphs.empty() || !(size > 0)) return;
    const std::vector<double>& advances = font.facts->advances;
    if (font.resourceName.empty()) { // named in the order the page first uses them
        font.resourceName = "F" + std::to_string(m_fontOrder.size());
        m_fontOrder.push_back(&font);
    }
    m_content += "BT\n/" + font.resourceName + ' ';
    appendPdfNumber(m_content, size, 4);
    m_content += " Tf\n";
    bool open = false; // inside "[<...": a TJ array and a hex string begun
    double drift = 0;  // where the file's glyphs stand less where the layout puts them, in
                       // thousandths of the em
    for (std::size_t i = 0; i < run.glyphs.size(); ++i) {
        const Glyph& glyph = run.glyphs[i];
        if (glyph.id < font.used.size()) {
            font.used[glyph.id] = true;
            if (glyph.unicode != 0 && font.unicode[glyph.id] == 0)
                font.unicode[glyph.id] = glyph.unicode;
        }
        if (!open) {
            // The text matrix flips y back up, since the page's user space runs downwards.
            m_content += "1 0 0 -1 ";
            writeCoordinates(origin.x + glyph.x, origin.y + glyph.y);
            m_content += " Tm\n[<";
            open = true;
            drift = 0;
        }
        appendHex16(m_content, glyph.id);
        if (i + 1 == run.glyphs.size()) break;
        const Glyph& next = run.glyphs[i + 1];
        if (next.y != glyph.y) {
            m_content += ">] TJ\n";
            open = false;
            continue;
        }
        // The layout places glyphs on 64ths of a pixel; the file moves by each glyph's width,
        // corrected once the difference reaches a thousandth of the em.
        const double width = glyph.id < advances.size() ? advances[glyph.id] : 0;
        drift += width - (next.x - glyph.x) * 1000.0 / size;
        if (std::abs(drift) >= 1) {
            const double adjustment = std::round(drift * 10.0) / 10.0;
            m_content += '>';
            appendPdfNumber(m_content, adjustment, glyphDecimals);
            m_content += '<';
            drift -= adjustment;
        }
    }
    if (open) m_content += ">] TJ\n";
    m_content += "ET\n";
}

void PdfSurface::writeTextDecorations(const GlyphRun& run, Point2D origin)
{
    if (run.decorations == 0 || run.glyphs.empty()) return;
    const double baseline = origin.y + run.glyphs.front().y;
    const double thickness = std::max(1.0, run.lineThickness);
    const auto line = [&](double y) {
        writeRectangle({static_cast<float>(origin.x + run.left), static_cast<float>(y),
                        static_cast<float>(run.width), static_cast<float>(thickness)});
        m_content += "f\n";
    };
    if (run.decorations & underline) line(baseline + run.underlinePosition);
    if (run.decorations & strikeOut) line(baseline - run.ascent / 3);
    if (run.decorations & overline) line(baseline - run.ascent);
}

RectF PdfSurface::measureString(std::string_view text, const Font& font, const RectF& layout,
                                const StringFormat& format)
{
    return m_measuring.measureString(text, font, layout, format);
}

float PdfSurface::fontLineHeight(const Font& font)
{
    return m_measuring.fontLineHeight(font);
}

// --- fonts --------------------------------------------------------------------------------------

std::optional<PdfSurface::FontFile> PdfSurface::fontFileOf(const QRawFont& raw)
{
    // The installed file of the family whose header table is the face's own.
    const QByteArray head = raw.fontTable("head");
    const std::string key = raw.familyName().toStdString() + '\0' + head.toStdString();
    if (const auto known = m_fontFiles.find(key); known != m_fontFiles.end()) return known->second;
    std::optional<FontFile> found;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY,
                       reinterpret_cast<const FcChar8*>(raw.familyName().toUtf8().constData()));
    FcObjectSet* objects = FcObjectSetBuild(FC_FILE, FC_INDEX, nullptr);
    FcFontSet* fonts = FcFontList(nullptr, pattern, objects);
    for (int i = 0; fonts && i < fonts->nfont && !found && !head.isEmpty(); ++i) {
        FcChar8* file = nullptr;
        int face = 0;
        if (FcPatternGetString(fonts->fonts[i], FC_FILE, 0, &file) != FcResultMatch) continue;
        FcPatternGetInteger(fonts->fonts[i], FC_INDEX, 0, &face);
        const std::string path = reinterpret_cast<const char*>(file);
        const EmbeddedFont* font = embeddedFont(path, face);
        if (!font) continue;
        const auto table = std::find_if(font->tables.begin(), font->tables.end(),
                                        [](const render::FontTable& t) { return t.tag == "head"; });
        if (table != font->tables.end() && table->bytes == head.toStdString())
            found = FontFile{path, face};
    }
    if (fonts) FcFontSetDestroy(fonts);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    m_fontFiles.emplace(key, found);
    return found;
}

namespace {

// The bytes of the file at `path`, when it is a regular file that can be read: a remembered path
// may name anything by now.
std::optional<std::string> readRegularFile(const std::string& path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    const std::streamoff size = file ? static_cast<std::streamoff>(file.tellg()) : -1;
    if (size < 0) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(size), '\0');
    file.seekg(0);
    if (!file.read(bytes.data(), size)) return std::nullopt;
    return bytes;
}

} // namespace

PdfSurface::EmbeddedFont* PdfSurface::embeddedFont(const std::string& path, int face)
{
    const std::string key = path + '\0' + std::to_string(face);
    if (const auto known = m_embedded.find(key); known != m_embedded.end())
        return known->second.get();
    std::unique_ptr<EmbeddedFont> font;
    const std::optional<std::string> bytes = readRegularFile(path);
    if (std::optional<std::vector<render::FontTable>> tables =
            bytes ? render::readFontFileTables(*bytes, face) : std::nullopt) {
        font = std::make_unique<EmbeddedFont>();
        font->tables = std::move(*tables);
        font->facts = render::readFontFacts(font->tables);
        // A font whose glyph data cannot be taken apart is drawn as outlines as well.
        if (font->facts && font->facts->format == render::OutlineFormat::TrueType &&
            !render::trueTypeGlyphsReadable(font->tables))
            font->facts.reset();
        if (font->facts) {
            font->used.assign(static_cast<std::size_t>(font->facts->glyphCount), false);
            font->unicode.assign(static_cast<std::size_t>(font->facts->glyphCount), 0);
        }
    }
    EmbeddedFont* added = font.get();
    m_embedded.emplace(key, std::move(font));
    return added;
}

// --- images and embedded pictures ---------------------------------------------------------------

bool PdfSurface::drawImageFile(const std::string& path, Point2D topLeft)
{
    bool drawn = false;
    embedPainted([&](render::QtSurface& surface) { drawn = surface.drawImageFile(path, topLeft); });
    if (!drawn) m_status = SurfaceStatus::FileNotFound;
    return drawn;
}

bool PdfSurface::drawImageFile(const std::string& path, const RectF& rect)
{
    bool drawn = false;
    embedPainted([&](render::QtSurface& surface) { drawn = surface.drawImageFile(path, rect); });
    if (!drawn) m_status = SurfaceStatus::FileNotFound;
    return drawn;
}

template <typename Draw> void PdfSurface::embedPainted(Draw draw)
{
    const std::optional<PaintedPiece> piece =
        m_pictures.paint(m_vector.world(), m_vector.smoothing(), draw);
    if (!piece) return;
    const QRect& area = piece->area;
    const QImage straight = piece->picture.convertToFormat(QImage::Format_ARGB32);
    ImageObject image{area.width(), area.height(), {}, {}};
    const auto pixels =
        static_cast<std::size_t>(area.width()) * static_cast<std::size_t>(area.height());
    image.rgb.reserve(pixels * 3);
    image.alpha.reserve(pixels);
    bool opaque = true;
    for (int y = 0; y < straight.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(straight.constScanLine(y));
        for (int x = 0; x < straight.width(); ++x) {
            image.rgb += static_cast<char>(qRed(row[x]));
            image.rgb += static_cast<char>(qGreen(row[x]));
            image.rgb += static_cast<char>(qBlue(row[x]));
            image.alpha += static_cast<char>(qAlpha(row[x]));
            opaque = opaque && qAlpha(row[x]) == 0xFF;
        }
    }
    if (opaque) image.alpha.clear();
    useAlpha(0xFF);
    // The image's unit square, its first row at the top of the area.
    m_content += "q\n" + std::to_string(area.width()) + " 0 0 -" + std::to_string(area.height()) +
                 ' ' + std::to_string(area.x()) + ' ' + std::to_string(area.y() + area.height()) +
                 " cm\n/Im" + std::to_string(m_images.size()) + " Do\nQ\n";
    m_images.push_back(std::move(image));
}

// --- the file -----------------------------------------------------------------------------------

namespace {

// Six capital letters that name a subset, from the glyphs it holds.
std::string subsetTag(const std::vector<bool>& used)
{
    std::uint64_t hash = 14695981039346656037ull;
    for (std::size_t glyph = 0; glyph < used.size(); ++glyph)
        if (used[glyph]) hash = (hash ^ glyph) * 1099511628211ull;
    std::string tag;
    for (int i = 0; i < 6; ++i, hash /= 26)
        tag += static_cast<char>('A' + hash % 26);
    return tag;
}

// Widths of the glyphs in use, in runs of consecutive glyph ids: "3 [278 278] 17 [556]".
std::string widthArray(const render::FontFacts& facts, const std::vector<bool>& used)
{
    std::string out = "[";
    for (std::size_t glyph = 0; glyph < used.size(); ++glyph) {
        if (!used[glyph]) continue;
        out += std::to_string(glyph) + " [";
        for (; glyph < used.size() && used[glyph]; ++glyph) {
            appendPdfNumber(out, facts.advances[glyph], glyphDecimals);
            out += ' ';
        }
        out.back() = ']';
        out += ' ';
    }
    out += ']';
    return out;
}

// A character map from glyph ids to the text they show, for copying text out.
std::string toUnicodeMap(const std::vector<bool>& used, const std::vector<char32_t>& unicode)
{
    std::string entries;
    std::size_t count = 0;
    std::string out = "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
                      "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
                      "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
                      "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n";
    const auto flush = [&] {
        if (count == 0) return;
        out += std::to_string(count) + " beginbfchar\n" + entries + "endbfchar\n";
        entries.clear();
        count = 0;
    };
    for (std::size_t glyph = 0; glyph < used.size(); ++glyph) {
        if (!used[glyph] || unicode[glyph] == 0) continue;
        entries += '<';
        appendHex16(entries, static_cast<std::uint32_t>(glyph));
        entries += "> <";
        appendUtf16Hex(entries, unicode[glyph]);
        entries += ">\n";
        if (++count == 100) flush(); // at most 100 entries a block
    }
    flush();
    out += "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";
    return out;
}

// The content of a hatch's 8 x 8 cell: the background, then the foreground's pixels in runs
// along each row (the cell's y runs downwards, as the page's user space does).
std::string hatchCell(const render::HatchBrush& hatch)
{
    const render::HatchBitmap bitmap = *render::hatchPattern(hatch.style);
    const bool translucent = alphaOf(hatch.background) != 0xFF || alphaOf(hatch.foreground) != 0xFF;
    std::string cell;
    const auto useColour = [&](std::uint32_t argb) {
        if (translucent) cell += "/A" + std::to_string(alphaOf(argb)) + " gs\n";
        for (const int shift : {16, 8, 0}) {
            appendPdfNumber(cell, ((argb >> shift) & 0xFF) / 255.0, colourDecimals);
            cell += ' ';
        }
        cell += "rg\n";
    };
    if (alphaOf(hatch.background) != 0) {
        useColour(hatch.background);
        cell += "0 0 8 8 re f\n";
    }
    if (alphaOf(hatch.foreground) == 0) return cell;
    useColour(hatch.foreground);
    for (int row = 0; row < 8; ++row) {
        const unsigned bits = bitmap[static_cast<std::size_t>(row)];
        for (int column = 0; column < 8;) {
            if (!(bits & (0x80u >> column))) {
                ++column;
                continue;
            }
            const int start = column;
            while (column < 8 && (bits & (0x80u >> column)))
                ++column;
            cell += std::to_string(start) + ' ' + std::to_string(row) + ' ' +
                    std::to_string(column - start) + " 1 re\n";
        }
    }
    return cell + "f\n";
}

std::string reference(int object)
{
    return std::to_string(object) + " 0 R";
}

} // namespace

void PdfSurface::writeFont(render::PdfDocument& document, const EmbeddedFont& font, int fontObject)
{
    const render::FontFacts& facts = *font.facts;
    const bool trueType = facts.format == render::OutlineFormat::TrueType;
    std::vector<std::uint16_t> glyphs;
    for (std::size_t glyph = 0; glyph < font.used.size(); ++glyph)
        if (font.used[glyph]) glyphs.push_back(static_cast<std::uint16_t>(glyph));
    const int cidFont = document.reserveObject(), descriptor = document.reserveObject();
    const int program = document.reserveObject(), toUnicode = document.reserveObject();
    // A subset's name begins with a tag of its own; a whole font keeps its name.
    std::string name;
    appendPdfName(name, trueType ? subsetTag(font.used) + '+' + facts.postscriptName
                                 : facts.postscriptName);

    if (trueType) {
        const std::string subset = render::subsetTrueType(font.tables, glyphs);
        document.writeStream(program, "/Length1 " + std::to_string(subset.size()), subset);
    } else {
        document.raiseVersion("1.6"); // OpenType font programs
        document.writeStream(program, "/Subtype /OpenType", render::buildOpenType(font.tables));
    }
    std::string text = "<< /Type /FontDescriptor /FontName " + name + " /Flags 4 /FontBBox [";
    for (const std::int32_t side : facts.box)
        text += std::to_string(side) + ' ';
    text.back() = ']';
    const std::pair<const char*, double> metrics[] = {{" /ItalicAngle ", facts.italicAngle},
                                                      {" /Ascent ", facts.ascent},
                                                      {" /Descent ", facts.descent},
                                                      {" /CapHeight ", facts.capHeight}};
    for (const auto& [key, value] : metrics) {
        text += key;
        appendPdfNumber(text, value, glyphDecimals);
    }
    text += std::string(" /StemV 80 ") + (trueType ? "/FontFile2 " : "/FontFile3 ") +
            reference(program) + " >>";
    document.writeObject(descriptor, text);

    document.writeObject(
        cidFont, "<< /Type /Font /Subtype " +
                     std::string(trueType ? "/CIDFontType2" : "/CIDFontType0") + " /BaseFont " +
                     name +
                     " /CIDSystemInfo << /Registry (Adobe) /Ordering (Identity) /Supplement 0 >>"
                     " /FontDescriptor " +
                     reference(descriptor) + " /W " + widthArray(facts, font.used) +
                     (trueType ? " /CIDToGIDMap /Identity" : "") + " >>");
    document.writeStream(toUnicode, "", toUnicodeMap(font.used, font.unicode));
    document.writeObject(fontObject, "<< /Type /Font /Subtype /Type0 /BaseFont " + name +
                                         " /Encoding /Identity-H /DescendantFonts [" +
                                         reference(cidFont) + "] /ToUnicode " +
                                         reference(toUnicode) + " >>");
}

std::string PdfSurface::resources(render::PdfDocument& document)
{
    std::string states, patterns, fonts, images;
    for (std::size_t alpha = 0; alpha < m_alphasUsed.size(); ++alpha) {
        if (!m_alphasUsed[alpha]) continue;
        const int object = document.reserveObject();
        std::string value = "<< /Type /ExtGState /CA ";
        appendPdfNumber(value, static_cast<double>(alpha) / 255.0, colourDecimals);
        value += " /ca ";
        appendPdfNumber(value, static_cast<double>(alpha) / 255.0, colourDecimals);
        document.writeObject(object, value + " >>");
        states += " /A" + std::to_string(alpha) + ' ' + reference(object);
    }
    for (std::size_t i = 0; i < m_patterns.size(); ++i) {
        const int object = document.reserveObject();
        document.writeStream(object,
                             "/Type /Pattern /PatternType 1 /PaintType 1 /TilingType 1 /BBox [0 0 "
                             "8 8] /XStep 8 /YStep 8 /Matrix [" +
                                 m_patterns[i].matrix + "] /Resources << /ExtGState <<" + states +
                                 " >> >>",
                             hatchCell(m_patterns[i].hatch));
        patterns += " /P" + std::to_string(i) + ' ' + reference(object);
    }
    for (std::size_t i = 0; i < m_images.size(); ++i) {
        const ImageObject& image = m_images[i];
        const std::string size = "/Type /XObject /Subtype /Image /Width " +
                                 std::to_string(image.width) + " /Height " +
                                 std::to_string(image.height) + " /BitsPerComponent 8";
        const int object = document.reserveObject();
        std::string mask;
        if (!image.alpha.empty()) {
            const int maskObject = document.reserveObject();
            document.writeStream(maskObject, size + " /ColorSpace /DeviceGray", image.alpha);
            mask = " /SMask " + reference(maskObject);
        }
        document.writeStream(object, size + " /ColorSpace /DeviceRGB" + mask, image.rgb);
        images += " /Im" + std::to_string(i) + ' ' + reference(object);
    }
    for (const EmbeddedFont* font : m_fontOrder) {
        if (std::find(font->used.begin(), font->used.end(), true) == font->used.end()) continue;
        const int object = document.reserveObject();
        writeFont(document, *font, object);
        fonts += " /" + font->resourceName + ' ' + reference(object);
    }
    std::string out = "<<";
    if (!states.empty()) out += " /ExtGState <<" + states + " >>";
    if (!fonts.empty()) out += " /Font <<" + fonts + " >>";
    if (!patterns.empty()) out += " /Pattern <<" + patterns + " >>";
    if (!images.empty()) out += " /XObject <<" + images + " >>";
    return out + " >>";
}

std::string PdfSurface::finish()
{
    m_pictures.close();
    render::PdfDocument document("1.4");
    const int catalog = document.reserveObject(), pages = document.reserveObject();
    const int page = document.reserveObject(), contents = document.reserveObject();
    const int info = document.reserveObject();
    document.writeStream(contents, "", m_content);
    m_content.clear();
    std::string pageText = "<< /Type /Page /Parent " + reference(pages) + " /MediaBox [0 0 ";
    appendPdfNumber(pageText, m_width * pointsPerPixel, 2);
    pageText += ' ';
    appendPdfNumber(pageText, m_height * pointsPerPixel, 2);
    pageText += "] /Resources " + resources(document) + " /Contents " + reference(contents) + " >>";
    document.writeObject(page, pageText);
    document.writeObject(pages, "<< /Type /Pages /Kids [" + reference(page) + "] /Count 1 >>");
    document.writeObject(catalog, "<< /Type /Catalog /Pages " + reference(pages) + " >>");
    std::string infoText = "<< /Title ";
    render::appendPdfTextString(infoText, m_title);
    document.writeObject(info, infoText + " /Producer (Kelvo Plot) >>");
    return document.finish(catalog, info);
}

} // namespace desktop
