// The SVG surface.
//
// Sections: numbers and text · state · lines and curves · shapes · text · images · embedded
// pictures
#include "desktop/qt/svg_surface.h"

#include "desktop/qt/offscreen_gui.h"
#include "desktop/qt/qt_geometry.h"
#include "desktop/qt/qt_image_export.h"
#include "desktop/qt/qt_styles.h"
#include "desktop/qt/qt_surface.h"

#include <QByteArray>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QTextLayout>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>

namespace desktop {
namespace {

using render::FillMode;
using render::MatrixOrder;
using render::SurfaceStatus;

// --- numbers and text ---------------------------------------------------------------------------

constexpr int maxUserDecimals = desktop::VectorState::maxUserDecimals;
constexpr int matrixDigits = 7;     // significant digits of transform factors (single precision)
constexpr int fontSizeDecimals = 4; // font sizes in pixels
constexpr double pixelsPerMillimetre = 96.0 / 25.4;

// String format flags of the text layout.
constexpr std::int32_t formatRightToLeft = 0x1;
constexpr std::int32_t formatVertical = 0x2;
constexpr std::int32_t formatNoWrap = 0x1000;
constexpr std::int32_t formatNoClip = 0x4000;

// `value` with at most `decimals` decimals and no trailing zeros ("12.5", "250", "-0.07").
// The value is rounded to whole units of the last decimal and written as integers, the common
// case by far; values too large for that take the general route.
void appendFixed(std::string& out, double value, int decimals)
{
    static constexpr std::array<unsigned long long, maxUserDecimals + 1> powers = {
        1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000};
    const unsigned long long unit = powers[static_cast<std::size_t>(decimals)];
    const double scaled = value * static_cast<double>(unit);
    char buffer[400];
    if (!(std::abs(scaled) < 9e15)) {
        std::to_chars_result written = std::to_chars(buffer, buffer + sizeof buffer, value,
                                                     std::chars_format::fixed, decimals);
        if (written.ec != std::errc{})
            written = std::to_chars(buffer, buffer + sizeof buffer, value,
                                    std::chars_format::scientific, matrixDigits);
        std::string_view text(buffer, written.ptr);
        if (text.find('.') != text.npos && text.find('e') == text.npos) {
            while (text.back() == '0')
                text.remove_suffix(1);
            if (text.back() == '.') text.remove_suffix(1);
        }
        out += text;
        return;
    }
    // Rounded half away from zero to whole units of the last decimal.
    const bool negative = scaled < 0;
    const auto units = static_cast<unsigned long long>(negative ? 0.5 - scaled : scaled + 0.5);
    char* end = buffer;
    if (negative && units != 0) *end++ = '-';
    end = std::to_chars(end, buffer + sizeof buffer, units / unit).ptr;
    unsigned long long fraction = units % unit;
    if (fraction != 0) {
        int digits = decimals;
        for (; fraction % 10 == 0; fraction /= 10)
            --digits;
        *end = '.';
        const auto written = std::to_chars(end + 1, buffer + sizeof buffer, fraction);
        // Leading zeros of the fraction ("0.05"): its digits move right to make room.
        const auto length = static_cast<int>(written.ptr - (end + 1));
        if (length < digits) {
            std::memmove(end + 1 + (digits - length), end + 1, static_cast<std::size_t>(length));
            std::memset(end + 1, '0', static_cast<std::size_t>(digits - length));
        }
        end += 1 + digits;
    }
    out.append(buffer, end);
}

void appendGeneral(std::string& out, double value, int digits)
{
    char buffer[64];
    const std::to_chars_result written = std::to_chars(buffer, buffer + sizeof buffer, value,
                                                       std::chars_format::general, digits);
    out.append(buffer, written.ptr);
}

void appendColour(std::string& out, std::uint32_t argb)
{
    static constexpr char digits[] = "0123456789abcdef";
    out += '#';
    for (int shift = 20; shift >= 0; shift -= 4)
        out += digits[(argb >> shift) & 0xF];
}

std::uint32_t alphaOf(std::uint32_t argb)
{
    return argb >> 24;
}

// Text as XML character data or attribute value; control characters, which XML cannot hold,
// are left out.
void appendEscaped(std::string& out, std::string_view text)
{
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default:
            if (static_cast<unsigned char>(c) >= 0x20) out += c;
        }
    }
}

bool finite(float value)
{
    return std::isfinite(value);
}

const render::SolidBrush* solidBrush(const Brush& brush)
{
    return std::get_if<render::SolidBrush>(&brush);
}

// The colour a pen strokes with, or none when its fill is a pattern that must be painted.
std::optional<std::uint32_t> strokeColour(const Pen& pen)
{
    if (!pen.fill) return pen.colour;
    if (const render::SolidBrush* solid = solidBrush(*pen.fill)) return solid->colour;
    if (!render::toQBrush(*pen.fill)) return pen.colour; // an unknown hatch strokes plainly
    return std::nullopt;
}

} // namespace

SvgSurface::SvgSurface(int width, int height, const std::string& title, FontAnswers* answers)
    : m_width(std::max(1, width)), m_height(std::max(1, height)), m_answers(answers),
      m_metricsDevice(1, 1, QImage::Format_ARGB32_Premultiplied), m_pictures(m_width, m_height)
{
    m_metricsDevice.setDotsPerMeterX(3780);
    m_metricsDevice.setDotsPerMeterY(3780);
    m_out.reserve(1 << 16);
    m_out += "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n<svg width=\"";
    appendFixed(m_out, m_width / pixelsPerMillimetre, 3);
    m_out += "mm\" height=\"";
    appendFixed(m_out, m_height / pixelsPerMillimetre, 3);
    m_out += "mm\" viewBox=\"0 0 " + std::to_string(m_width) + ' ' + std::to_string(m_height) +
             "\" xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\""
             " version=\"1.2\" baseProfile=\"tiny\">\n<title>";
    appendEscaped(m_out, title);
    m_out += "</title>\n";
}

SvgSurface::~SvgSurface() = default;

std::string SvgSurface::finish()
{
    m_pictures.close();
    m_out += "</svg>\n";
    return std::move(m_out);
}

bool SvgSurface::usable(std::span<const Point2D> points, std::size_t minimum)
{
    bool ok = points.size() >= minimum;
    for (const Point2D& point : points)
        ok = ok && finite(point.x) && finite(point.y);
    if (!ok) m_status = SurfaceStatus::InvalidParameter;
    return ok;
}

bool SvgSurface::usable(const RectF& rect)
{
    const bool ok = finite(rect.x) && finite(rect.y) && finite(rect.width) && finite(rect.height);
    if (!ok) m_status = SurfaceStatus::InvalidParameter;
    return ok;
}

void SvgSurface::writeNumber(double value)
{
    appendFixed(m_out, value, m_vector.userDecimals());
}

void SvgSurface::writeAttribute(std::string_view name, double value)
{
    m_out += ' ';
    m_out += name;
    m_out += "=\"";
    writeNumber(value);
    m_out += '"';
}

void SvgSurface::openElement(std::string_view name, Placement placement)
{
    m_out += '<';
    m_out += name;
    // Lines lie half a pixel down and right, as on the picture export, so that a thin line on
    // whole coordinates covers whole pixels.
    geom::Matrix2D m = m_vector.world();
    if (placement == Placement::Stroke) {
        m.dx += 0.5f;
        m.dy += 0.5f;
    }
    if (m.isIdentity()) return;
    if (m.m11 == 1 && m.m12 == 0 && m.m21 == 0 && m.m22 == 1) {
        m_out += " transform=\"translate(";
        appendFixed(m_out, m.dx, pixelDecimals);
        m_out += ',';
        appendFixed(m_out, m.dy, pixelDecimals);
        m_out += ")\"";
        return;
    }
    m_out += " transform=\"matrix(";
    for (const float factor : {m.m11, m.m12, m.m21, m.m22}) {
        appendGeneral(m_out, factor, matrixDigits);
        m_out += ',';
    }
    appendFixed(m_out, m.dx, pixelDecimals);
    m_out += ',';
    appendFixed(m_out, m.dy, pixelDecimals);
    m_out += ")\"";
}

void SvgSurface::writeStroke(const Pen& pen)
{
    const std::uint32_t colour = *strokeColour(pen);
    m_out += " fill=\"none\" stroke=\"";
    appendColour(m_out, colour);
    m_out += '"';
    if (alphaOf(colour) != 0xFF) {
        m_out += " stroke-opacity=\"";
        appendFixed(m_out, alphaOf(colour) / 255.0, 3);
        m_out += '"';
    }
    const bool cosmetic = !(pen.width > 0);
    m_out += " stroke-width=\"";
    if (cosmetic)
        m_out += '1';
    else
        writeNumber(pen.width);
    m_out += "\" stroke-linecap=\"butt\" stroke-miterlimit=\"2\"";
    if (cosmetic && !m_vector.world().isIdentity())
        m_out += " vector-effect=\"non-scaling-stroke\"";
    const std::vector<double> dashes = dashLengths(pen);
    if (dashes.empty()) return;
    m_out += " stroke-dasharray=\"";
    for (std::size_t i = 0; i < dashes.size(); ++i) {
        if (i > 0) m_out += ',';
        writeNumber(dashes[i]);
    }
    m_out += '"';
}

void SvgSurface::writeFill(std::uint32_t colour, FillMode mode)
{
    m_out += " stroke=\"none\" fill=\"";
    appendColour(m_out, colour);
    m_out += '"';
    if (alphaOf(colour) != 0xFF) {
        m_out += " fill-opacity=\"";
        appendFixed(m_out, alphaOf(colour) / 255.0, 3);
        m_out += '"';
    }
    if (mode == FillMode::Alternate) m_out += " fill-rule=\"evenodd\"";
}

void SvgSurface::writePoints(std::span<const Point2D> points)
{
    m_out.reserve(m_out.size() + points.size() * 16);
    m_out += " points=\"";
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (i > 0) m_out += ' ';
        writeNumber(points[i].x);
        m_out += ',';
        writeNumber(points[i].y);
    }
    m_out += '"';
}

void SvgSurface::writePath(const QPainterPath& path)
{
    m_out += " d=\"";
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element element = path.elementAt(i);
        switch (element.type) {
        case QPainterPath::MoveToElement: m_out += 'M'; break;
        case QPainterPath::LineToElement: m_out += 'L'; break;
        case QPainterPath::CurveToElement: m_out += 'C'; break;
        case QPainterPath::CurveToDataElement: m_out += ' '; break;
        }
        writeNumber(element.x);
        m_out += ' ';
        writeNumber(element.y);
    }
    m_out += '"';
}

// --- state --------------------------------------------------------------------------------------

void SvgSurface::setWorldTransform(const geom::Matrix2D& matrix)
{
    m_vector.setWorld(matrix);
}

void SvgSurface::multiplyWorldTransform(const geom::Matrix2D& matrix, MatrixOrder order)
{
    m_vector.multiplyWorld(matrix, order);
}

void SvgSurface::scaleWorldTransform(float sx, float sy, MatrixOrder order)
{
    m_vector.multiplyWorld(geom::Matrix2D{sx, 0, 0, sy, 0, 0}, order);
}

render::ContainerState SvgSurface::beginContainer()
{
    return m_vector.beginContainer();
}

void SvgSurface::endContainer(render::ContainerState state)
{
    if (!m_vector.endContainer(state)) m_status = SurfaceStatus::InvalidParameter;
}

bool SvgSurface::setSmoothingMode(render::SmoothingMode mode)
{
    m_vector.setSmoothing(mode); // viewers smooth SVG as they like; pictures painted here follow it
    return true;
}

// --- lines and curves ---------------------------------------------------------------------------

void SvgSurface::drawLine(const Pen& pen, Point2D from, Point2D to)
{
    const Point2D ends[] = {from, to};
    drawPolyline(pen, ends);
}

void SvgSurface::drawPolyline(const Pen& pen, std::span<const Point2D> points)
{
    if (!usable(points, 2) || !finite(pen.width)) return;
    if (!strokeColour(pen)) {
        embedPainted([&](render::QtSurface& surface) { surface.drawPolyline(pen, points); });
        return;
    }
    if (alphaOf(*strokeColour(pen)) == 0) return;
    openElement("polyline", Placement::Stroke);
    writeStroke(pen);
    writePoints(points);
    m_out += "/>\n";
}

template <typename Draw>
void SvgSurface::strokePath(const Pen& pen, const QPainterPath& path, Draw painted)
{
    if (!finite(pen.width)) {
        m_status = SurfaceStatus::InvalidParameter;
        return;
    }
    if (!strokeColour(pen)) {
        embedPainted(painted);
        return;
    }
    if (alphaOf(*strokeColour(pen)) == 0 || path.isEmpty()) return;
    openElement("path", Placement::Stroke);
    writeStroke(pen);
    writePath(path);
    m_out += "/>\n";
}

template <typename Draw>
void SvgSurface::fillPath(const Brush& brush, const QPainterPath& path, Draw painted)
{
    const std::optional<QBrush> qbrush = render::toQBrush(brush);
    if (!qbrush) {
        m_status = SurfaceStatus::InvalidParameter;
        return;
    }
    const render::SolidBrush* solid = solidBrush(brush);
    if (!solid) {
        embedPainted(painted);
        return;
    }
    if (alphaOf(solid->colour) == 0 || path.isEmpty()) return;
    openElement("path", Placement::Fill);
    writeFill(solid->colour, path.fillRule() == Qt::OddEvenFill ? FillMode::Alternate
                                                                 : FillMode::Winding);
    writePath(path);
    m_out += "/>\n";
}

void SvgSurface::drawBezier(const Pen& pen, Point2D p1, Point2D c1, Point2D c2, Point2D p2)
{
    const Point2D points[] = {p1, c1, c2, p2};
    if (!usable(points, 4)) return;
    QPainterPath path(QPointF(p1.x, p1.y));
    path.cubicTo(QPointF(c1.x, c1.y), QPointF(c2.x, c2.y), QPointF(p2.x, p2.y));
    strokePath(pen, path, [&](render::QtSurface& s) { s.drawBezier(pen, p1, c1, c2, p2); });
}

void SvgSurface::drawCurve(const Pen& pen, std::span<const Point2D> points, float tension)
{
    if (!usable(points, 2) || !finite(tension)) return;
    strokePath(pen, render::cardinalPath(points, tension, geom::CurveClosure::Open),
               [&](render::QtSurface& s) { s.drawCurve(pen, points, tension); });
}

void SvgSurface::drawClosedCurve(const Pen& pen, std::span<const Point2D> points, float tension)
{
    if (!usable(points, 2) || !finite(tension)) return;
    strokePath(pen, render::cardinalPath(points, tension, geom::CurveClosure::Closed),
               [&](render::QtSurface& s) { s.drawClosedCurve(pen, points, tension); });
}

void SvgSurface::drawArc(const Pen& pen, const RectF& bounds, float startAngle, float sweepAngle)
{
    if (!usable(bounds) || !finite(startAngle) || !finite(sweepAngle)) return;
    strokePath(pen, render::arcPath(normalisedRect(bounds), startAngle, sweepAngle),
               [&](render::QtSurface& s) { s.drawArc(pen, bounds, startAngle, sweepAngle); });
}

// --- shapes -------------------------------------------------------------------------------------

bool SvgSurface::plainlyStroked(const Pen& pen) const
{
    return finite(pen.width) && strokeColour(pen).has_value();
}

void SvgSurface::drawRectangle(const Pen& pen, const RectF& rect)
{
    if (!usable(rect)) return;
    if (!plainlyStroked(pen)) {
        QPainterPath path;
        path.addRect(normalisedRect(rect));
        strokePath(pen, path, [&](render::QtSurface& s) { s.drawRectangle(pen, rect); });
        return;
    }
    if (alphaOf(*strokeColour(pen)) == 0) return;
    const QRectF box = normalisedRect(rect);
    openElement("rect", Placement::Stroke);
    writeStroke(pen);
    writeAttribute("x", box.x());
    writeAttribute("y", box.y());
    writeAttribute("width", box.width());
    writeAttribute("height", box.height());
    m_out += "/>\n";
}

void SvgSurface::fillRectangle(const Brush& brush, const RectF& rect)
{
    if (!usable(rect)) return;
    const render::SolidBrush* solid = solidBrush(brush);
    if (!solid || alphaOf(solid->colour) == 0) {
        QPainterPath path;
        path.addRect(normalisedRect(rect));
        fillPath(brush, path, [&](render::QtSurface& s) { s.fillRectangle(brush, rect); });
        return;
    }
    const QRectF box = normalisedRect(rect);
    openElement("rect", Placement::Fill);
    writeFill(solid->colour, FillMode::Winding);
    writeAttribute("x", box.x());
    writeAttribute("y", box.y());
    writeAttribute("width", box.width());
    writeAttribute("height", box.height());
    m_out += "/>\n";
}

void SvgSurface::drawEllipse(const Pen& pen, const RectF& bounds)
{
    if (!usable(bounds)) return;
    if (!plainlyStroked(pen)) {
        QPainterPath path;
        path.addEllipse(normalisedRect(bounds));
        strokePath(pen, path, [&](render::QtSurface& s) { s.drawEllipse(pen, bounds); });
        return;
    }
    if (alphaOf(*strokeColour(pen)) == 0) return;
    const QRectF box = normalisedRect(bounds);
    openElement("ellipse", Placement::Stroke);
    writeStroke(pen);
    writeAttribute("cx", box.center().x());
    writeAttribute("cy", box.center().y());
    writeAttribute("rx", box.width() / 2);
    writeAttribute("ry", box.height() / 2);
    m_out += "/>\n";
}

void SvgSurface::fillEllipse(const Brush& brush, const RectF& bounds)
{
    if (!usable(bounds)) return;
    const render::SolidBrush* solid = solidBrush(brush);
    if (!solid || alphaOf(solid->colour) == 0) {
        QPainterPath path;
        path.addEllipse(normalisedRect(bounds));
        fillPath(brush, path, [&](render::QtSurface& s) { s.fillEllipse(brush, bounds); });
        return;
    }
    const QRectF box = normalisedRect(bounds);
    openElement("ellipse", Placement::Fill);
    writeFill(solid->colour, FillMode::Winding);
    writeAttribute("cx", box.center().x());
    writeAttribute("cy", box.center().y());
    writeAttribute("rx", box.width() / 2);
    writeAttribute("ry", box.height() / 2);
    m_out += "/>\n";
}

void SvgSurface::drawPie(const Pen& pen, const RectF& bounds, float startAngle, float sweepAngle)
{
    if (!usable(bounds) || !finite(startAngle) || !finite(sweepAngle)) return;
    strokePath(pen, render::piePath(normalisedRect(bounds), startAngle, sweepAngle),
               [&](render::QtSurface& s) { s.drawPie(pen, bounds, startAngle, sweepAngle); });
}

void SvgSurface::fillPie(const Brush& brush, const RectF& bounds, float startAngle,
                         float sweepAngle)
{
    if (!usable(bounds) || !finite(startAngle) || !finite(sweepAngle)) return;
    fillPath(brush, render::piePath(normalisedRect(bounds), startAngle, sweepAngle),
             [&](render::QtSurface& s) { s.fillPie(brush, bounds, startAngle, sweepAngle); });
}

void SvgSurface::drawPolygon(const Pen& pen, std::span<const Point2D> points)
{
    if (!usable(points, 2) || !finite(pen.width)) return;
    if (!strokeColour(pen)) {
        embedPainted([&](render::QtSurface& surface) { surface.drawPolygon(pen, points); });
        return;
    }
    if (alphaOf(*strokeColour(pen)) == 0) return;
    openElement("polygon", Placement::Stroke);
    writeStroke(pen);
    writePoints(points);
    m_out += "/>\n";
}

void SvgSurface::fillPolygon(const Brush& brush, std::span<const Point2D> points, FillMode mode)
{
    if (!usable(points, 3)) return;
    const render::SolidBrush* solid = solidBrush(brush);
    if (!solid) {
        if (!render::toQBrush(brush)) {
            m_status = SurfaceStatus::InvalidParameter;
            return;
        }
        embedPainted(
            [&](render::QtSurface& surface) { surface.fillPolygon(brush, points, mode); });
        return;
    }
    if (alphaOf(solid->colour) == 0) return;
    openElement("polygon", Placement::Fill);
    writeFill(solid->colour, mode);
    writePoints(points);
    m_out += "/>\n";
}

void SvgSurface::fillClosedCurve(const Brush& brush, std::span<const Point2D> points,
                                 float tension, FillMode mode)
{
    if (!usable(points, 3) || !finite(tension)) return;
    QPainterPath path = render::cardinalPath(points, tension, geom::CurveClosure::Closed);
    path.setFillRule(mode == FillMode::Alternate ? Qt::OddEvenFill : Qt::WindingFill);
    fillPath(brush, path,
             [&](render::QtSurface& s) { s.fillClosedCurve(brush, points, tension, mode); });
}

// --- text ---------------------------------------------------------------------------------------

QFont SvgSurface::qtFont(const Font& font) const
{
    return m_fonts.resolve(font, 96.0);
}

namespace {

// The start of a question about `font`: its kind, then the font as the figure asks for it.
std::string fontQuestion(std::string_view kind, const Font& font)
{
    std::string question;
    appendFontField(question, kind);
    appendFontField(question, font.family);
    appendFontField(question, static_cast<double>(font.size));
    appendFontField(question, font.style);
    appendFontField(question, font.unit);
    return question;
}

std::string_view utf8View(const QByteArray& bytes)
{
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

// Whole numbers of an answer, as written from ints.
std::optional<int> wholeNumber(FontFieldReader& reader)
{
    const std::optional<double> number = reader.number();
    if (!number || *number != std::trunc(*number) || std::fabs(*number) > 1e9) return std::nullopt;
    return static_cast<int>(*number);
}

} // namespace

template <typename Parse, typename Compute>
auto SvgSurface::answered(const std::string& question, Parse parse, Compute compute)
{
    if (m_answers)
        if (const std::optional<std::string> known = m_answers->find(question))
            if (auto value = parse(*known)) return *value;
    ensureGuiApplication();
    std::string computed = compute();
    if (m_answers) m_answers->remember(question, computed);
    return *parse(computed);
}

SvgSurface::FontFace SvgSurface::fontFace(const Font& font)
{
    const auto parse = [](std::string_view answer) -> std::optional<FontFace> {
        FontFieldReader reader(answer);
        const std::optional<std::string_view> family = reader.field();
        const std::optional<double> pointSize = reader.number();
        const std::optional<int> weight = wholeNumber(reader);
        const std::optional<int> styles = wholeNumber(reader);
        if (!family || !pointSize || !weight || !styles || !reader.atEnd()) return std::nullopt;
        return FontFace{std::string(*family), *pointSize, *weight, (*styles & 1) != 0,
                        (*styles & 2) != 0, (*styles & 4) != 0};
    };
    const auto compute = [&] {
        const QFont qfont = qtFont(font);
        std::string answer;
        appendFontField(answer, utf8View(qfont.family().toUtf8()));
        appendFontField(answer, qfont.pointSizeF());
        appendFontField(answer, qfont.weight());
        appendFontField(answer, (qfont.italic() ? 1 : 0) + (qfont.underline() ? 2 : 0) +
                                    (qfont.strikeOut() ? 4 : 0));
        return answer;
    };
    FontFace face = answered(fontQuestion("face", font), parse, compute);
    if (m_answers) m_answers->useFamily(face.family);
    return face;
}

double SvgSurface::lineSpacing(const Font& font)
{
    const auto parse = [](std::string_view answer) -> std::optional<double> {
        FontFieldReader reader(answer);
        const std::optional<double> spacing = reader.number();
        return reader.atEnd() ? spacing : std::nullopt;
    };
    const auto compute = [&] {
        std::string answer;
        appendFontField(answer, QFontMetricsF(qtFont(font), &m_metricsDevice).lineSpacing());
        return answer;
    };
    return answered(fontQuestion("spacing", font), parse, compute);
}

// The size of `text` laid out in a box of `box` with Qt's alignment `flags`.
QSizeF SvgSurface::textBounds(const Font& font, const QSizeF& box, int flags, const QString& text)
{
    std::string question = fontQuestion("bounds", font);
    appendFontField(question, box.width());
    appendFontField(question, box.height());
    appendFontField(question, flags);
    appendFontField(question, utf8View(text.toUtf8()));
    const auto parse = [](std::string_view answer) -> std::optional<QSizeF> {
        FontFieldReader reader(answer);
        const std::optional<double> width = reader.number();
        const std::optional<double> height = reader.number();
        if (!width || !height || !reader.atEnd()) return std::nullopt;
        return QSizeF(*width, *height);
    };
    const auto compute = [&] {
        const QFontMetricsF metrics(qtFont(font), &m_metricsDevice);
        const QRectF bounds = metrics.boundingRect(QRectF(QPointF(0, 0), box), flags, text);
        std::string answer;
        appendFontField(answer, bounds.width());
        appendFontField(answer, bounds.height());
        return answer;
    };
    return answered(question, parse, compute);
}

// Lines are laid out as QPainter lays out text in a rectangle: line feeds break lines (the text
// holds them as line separators), lines wrap at words within `lineWidth` and start on whole
// pixels, and with `clip` the lines that begin below `height` are left out.
std::vector<SvgSurface::LaidLine> SvgSurface::laidLines(const Font& font, const QString& text,
                                                        double lineWidth, bool clip,
                                                        double height)
{
    std::string question = fontQuestion("lines", font);
    appendFontField(question, lineWidth);
    appendFontField(question, clip ? 1 : 0);
    appendFontField(question, height);
    appendFontField(question, utf8View(text.toUtf8()));
    const auto parse = [](std::string_view answer) -> std::optional<std::vector<LaidLine>> {
        FontFieldReader reader(answer);
        std::vector<LaidLine> lines;
        while (!reader.atEnd()) {
            const std::optional<int> start = wholeNumber(reader);
            const std::optional<int> length = wholeNumber(reader);
            const std::optional<double> x = reader.number(), y = reader.number(),
                                        ascent = reader.number();
            if (!start || !length || !x || !y || !ascent) return std::nullopt;
            lines.push_back({*start, *length, *x, *y, *ascent});
        }
        return lines;
    };
    const auto compute = [&] {
        const QFont qfont = qtFont(font);
        const QFontMetricsF metrics(qfont, &m_metricsDevice);
        QTextLayout layout(text, qfont, &m_metricsDevice);
        QTextOption option;
        option.setAlignment(Qt::AlignLeft);
        layout.setTextOption(option);
        layout.beginLayout();
        qreal bottom = -metrics.leading();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(lineWidth);
            bottom = std::ceil(bottom + metrics.leading());
            line.setPosition(QPointF(0, bottom));
            bottom += line.height();
            if (clip && bottom >= height) break;
        }
        layout.endLayout();
        std::string answer;
        for (int i = 0; i < layout.lineCount(); ++i) {
            const QTextLine line = layout.lineAt(i);
            appendFontField(answer, line.textStart());
            appendFontField(answer, line.textLength());
            appendFontField(answer, line.x());
            appendFontField(answer, line.y());
            appendFontField(answer, line.ascent());
        }
        return answer;
    };
    return answered(question, parse, compute);
}

void SvgSurface::drawString(std::string_view text, const Font& font, const Brush& brush,
                            const RectF& layout, const StringFormat& format)
{
    if (!usable(layout)) return;
    if (!render::toQBrush(brush)) {
        m_status = SurfaceStatus::InvalidParameter;
        return;
    }
    const render::SolidBrush* solid = solidBrush(brush);
    // Turned and right-to-left text, and text in a pattern, are painted as on the picture.
    if (!solid || (format.flags & (formatRightToLeft | formatVertical))) {
        embedPainted([&](render::QtSurface& surface) {
            surface.drawString(text, font, brush, layout, format);
        });
        return;
    }
    if (alphaOf(solid->colour) == 0 || text.empty()) return;

    // Carriage returns and tabs are blanks.
    QString qtext = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    for (QChar& c : qtext) {
        if (c == u'\r' || c == u'\t') c = u' ';
        if (c == u'\n') c = QChar::LineSeparator;
    }
    const bool wrap = !(format.flags & formatNoWrap);
    const bool clip = !(format.flags & formatNoClip);
    const double lineWidth = wrap ? std::max<double>(0, layout.width) : 0x01000000;
    const FontFace face = fontFace(font);
    for (const LaidLine& line : laidLines(font, qtext, lineWidth, clip, layout.height)) {
        QString part = qtext.mid(line.start, line.length);
        openElement("text", Placement::Fill);
        m_out += " fill=\"";
        appendColour(m_out, solid->colour);
        m_out += '"';
        if (alphaOf(solid->colour) != 0xFF) {
            m_out += " fill-opacity=\"";
            appendFixed(m_out, alphaOf(solid->colour) / 255.0, 3);
            m_out += '"';
        }
        writeAttribute("x", layout.x + line.x);
        writeAttribute("y", layout.y + line.y + line.ascent);
        m_out += " font-family=\"";
        appendEscaped(m_out, face.family);
        m_out += "\" font-size=\"";
        appendFixed(m_out, face.pointSize * 96.0 / 72.0, fontSizeDecimals);
        m_out += "\" font-weight=\"" + std::to_string(face.weight) + '"';
        if (face.italic) m_out += " font-style=\"italic\"";
        if (face.underline || face.strikeOut)
            m_out += face.underline && face.strikeOut ? " text-decoration=\"underline "
                                                        "line-through\""
                     : face.underline                 ? " text-decoration=\"underline\""
                                                      : " text-decoration=\"line-through\"";
        m_out += " xml:space=\"preserve\">";
        appendEscaped(m_out, part.replace(QChar::LineSeparator, u' ').toStdString());
        m_out += "</text>\n";
    }
}

RectF SvgSurface::measureString(std::string_view text, const Font& font, const RectF& layout,
                                const StringFormat& format)
{
    if (text.empty() || !usable(layout)) return {layout.x, layout.y, 0, 0};
    const bool vertical = (format.flags & formatVertical) != 0;
    int flags = Qt::AlignTop;
    flags |= (format.flags & formatRightToLeft) ? Qt::AlignRight : Qt::AlignLeft;
    if (!(format.flags & formatNoWrap)) flags |= Qt::TextWordWrap;
    if (format.flags & formatNoClip) flags |= Qt::TextDontClip;
    const QSizeF box = vertical ? QSizeF(layout.height, layout.width)
                                : QSizeF(layout.width, layout.height);
    const QSizeF bounds = textBounds(font, box, flags,
                                     QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    const auto width = static_cast<float>(bounds.width());
    const auto height = static_cast<float>(bounds.height());
    return vertical ? RectF{layout.x, layout.y, height, width}
                    : RectF{layout.x, layout.y, width, height};
}

float SvgSurface::fontLineHeight(const Font& font)
{
    return static_cast<float>(lineSpacing(font));
}

// --- images -------------------------------------------------------------------------------------

bool SvgSurface::drawImageFile(const std::string& path, Point2D topLeft)
{
    bool drawn = false;
    embedPainted(
        [&](render::QtSurface& surface) { drawn = surface.drawImageFile(path, topLeft); });
    if (!drawn) m_status = SurfaceStatus::FileNotFound;
    return drawn;
}

bool SvgSurface::drawImageFile(const std::string& path, const RectF& rect)
{
    bool drawn = false;
    embedPainted([&](render::QtSurface& surface) { drawn = surface.drawImageFile(path, rect); });
    if (!drawn) m_status = SurfaceStatus::FileNotFound;
    return drawn;
}

// --- embedded pictures --------------------------------------------------------------------------

template <typename Draw> void SvgSurface::embedPainted(Draw draw)
{
    const std::optional<PaintedPiece> piece = m_pictures.paint(m_vector.world(), m_vector.smoothing(), draw);
    if (!piece) return;
    const QRect& area = piece->area;
    const QByteArray png = render::encodePngImage(piece->picture);
    m_out += "<image x=\"" + std::to_string(area.x()) + "\" y=\"" + std::to_string(area.y()) +
             "\" width=\"" + std::to_string(area.width()) + "\" height=\"" +
             std::to_string(area.height()) +
             "\" preserveAspectRatio=\"none\" xlink:href=\"data:image/png;base64,";
    m_out += png.toBase64().toStdString();
    m_out += "\"/>\n";
}

} // namespace desktop
