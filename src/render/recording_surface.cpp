// The recording surface and the text form of its records.
#include "render/recording_surface.h"

#include <array>
#include <charconv>
#include <cstdio>

namespace render {
namespace {

std::string number(float value)
{
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

std::string hex(std::uint32_t colour)
{
    std::array<char, 16> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%08X", colour);
    return buffer.data();
}

std::string describe(Point2D point)
{
    return "(" + number(point.x) + "," + number(point.y) + ")";
}

std::string describe(const RectF& rect)
{
    return "[" + number(rect.x) + "," + number(rect.y) + "," + number(rect.width) + "," +
           number(rect.height) + "]";
}

std::string describe(const geom::Matrix2D& m)
{
    return "(" + number(m.m11) + "," + number(m.m12) + "," + number(m.m21) + "," + number(m.m22) +
           "," + number(m.dx) + "," + number(m.dy) + ")";
}

std::string describe(std::span<const Point2D> points)
{
    std::string text;
    for (const Point2D& point : points)
        text += " " + describe(point);
    return text;
}

std::string_view nameOf(SurfaceOperation operation)
{
    static constexpr std::array<std::string_view, 23> names = {"setWorldTransform",
                                                               "multiplyWorldTransform",
                                                               "scaleWorldTransform",
                                                               "beginContainer",
                                                               "endContainer",
                                                               "setSmoothingMode",
                                                               "drawLine",
                                                               "drawPolyline",
                                                               "drawBezier",
                                                               "drawCurve",
                                                               "drawClosedCurve",
                                                               "drawArc",
                                                               "drawRectangle",
                                                               "fillRectangle",
                                                               "drawEllipse",
                                                               "fillEllipse",
                                                               "drawPie",
                                                               "fillPie",
                                                               "drawPolygon",
                                                               "fillPolygon",
                                                               "fillClosedCurve",
                                                               "drawString",
                                                               "drawImage"};
    return names[static_cast<std::size_t>(operation)];
}

std::string_view nameOf(SmoothingMode mode)
{
    switch (mode) {
    case SmoothingMode::HighSpeed:
        return "highSpeed";
    case SmoothingMode::HighQuality:
        return "highQuality";
    case SmoothingMode::AntiAlias8x4:
        return "antiAlias8x4";
    }
    return "?";
}

std::string_view nameOf(MatrixOrder order)
{
    return order == MatrixOrder::Prepend ? "prepend" : "append";
}

std::string_view nameOf(FillMode mode)
{
    return mode == FillMode::Alternate ? "alternate" : "winding";
}

// The parts of a record after its operation's name.
std::string arguments(const SurfaceRecord& r)
{
    using Op = SurfaceOperation;
    std::string text;
    switch (r.operation) {
    case Op::SetWorldTransform:
        return " " + describe(r.matrix);
    case Op::MultiplyWorldTransform:
        return " " + describe(r.matrix) + " " + std::string(nameOf(r.order));
    case Op::ScaleWorldTransform:
        return " " + number(r.matrix.m11) + "," + number(r.matrix.m22) + " " +
               std::string(nameOf(r.order));
    case Op::BeginContainer:
    case Op::EndContainer:
        return " " + std::to_string(r.container);
    case Op::SetSmoothingMode:
        return " " + std::string(nameOf(r.smoothing));
    case Op::DrawString:
        return " \"" + r.text + "\" " + describe(*r.font) + " " + describe(*r.brush) + " " +
               describe(*r.rect) + " flags=" + std::to_string(r.format->flags);
    case Op::DrawImage:
        return " \"" + r.text + "\"" + (r.rect ? " " + describe(*r.rect) : describe(r.points));
    default:
        break;
    }
    if (r.pen) text += " " + describe(*r.pen);
    if (r.brush) text += " " + describe(*r.brush);
    if (r.rect) text += " " + describe(*r.rect);
    if (r.operation == Op::DrawArc || r.operation == Op::DrawPie || r.operation == Op::FillPie)
        text += " " + number(r.startAngle) + " " + number(r.sweepAngle);
    if (r.operation == Op::DrawCurve || r.operation == Op::DrawClosedCurve ||
        r.operation == Op::FillClosedCurve)
        text += " tension=" + number(r.tension);
    if (r.operation == Op::FillPolygon || r.operation == Op::FillClosedCurve)
        text += " " + std::string(nameOf(r.fillMode));
    return text + describe(r.points);
}

} // namespace

std::string describe(const Pen& pen)
{
    std::string text = "pen(" + hex(pen.colour) + " w" + number(pen.width);
    if (pen.dashStyle != 0) text += " dash" + std::to_string(pen.dashStyle);
    if (pen.fill) text += " fill=" + describe(*pen.fill);
    return text + ")";
}

std::string describe(const Brush& brush)
{
    if (const auto* solid = std::get_if<SolidBrush>(&brush))
        return "solid(" + hex(solid->colour) + ")";
    if (const auto* hatch = std::get_if<HatchBrush>(&brush))
        return "hatch(" + std::to_string(hatch->style) + " " + hex(hatch->foreground) + " " +
               hex(hatch->background) + ")";
    const auto& gradient = std::get<LinearGradientBrush>(brush);
    std::string text = "gradient(" + describe(gradient.rect) + " " + hex(gradient.colour1) + " " +
                       hex(gradient.colour2) + " " + number(gradient.angle);
    if (gradient.transform) text += " matrix" + describe(*gradient.transform);
    return text + ")";
}

std::string describe(const Font& font)
{
    if (font == Font{}) return "font(default)";
    return "font(" + font.family + " " + number(font.size) + " style" + std::to_string(font.style) +
           " unit" + std::to_string(font.unit) + ")";
}

std::string describe(const SurfaceRecord& record)
{
    return std::string(static_cast<std::size_t>(record.depth) * 2, ' ') +
           std::string(nameOf(record.operation)) + arguments(record);
}

std::vector<std::string> RecordingSurface::descriptions() const
{
    std::vector<std::string> lines;
    lines.reserve(m_records.size());
    for (const SurfaceRecord& record : m_records)
        lines.push_back(describe(record));
    return lines;
}

SurfaceRecord& RecordingSurface::add(SurfaceOperation operation)
{
    SurfaceRecord& record = m_records.emplace_back();
    record.operation = operation;
    record.depth = static_cast<int>(m_containers.size());
    return record;
}

// --- state --------------------------------------------------------------------------------------

void RecordingSurface::setWorldTransform(const geom::Matrix2D& matrix)
{
    add(SurfaceOperation::SetWorldTransform).matrix = matrix;
    m_world = matrix;
}

void RecordingSurface::multiplyWorldTransform(const geom::Matrix2D& matrix, MatrixOrder order)
{
    SurfaceRecord& record = add(SurfaceOperation::MultiplyWorldTransform);
    record.matrix = matrix;
    record.order = order;
    m_world = order == MatrixOrder::Prepend ? geom::Matrix2D::product(matrix, m_world)
                                            : geom::Matrix2D::product(m_world, matrix);
}

void RecordingSurface::scaleWorldTransform(float sx, float sy, MatrixOrder order)
{
    const geom::Matrix2D scale{sx, 0, 0, sy, 0, 0};
    SurfaceRecord& record = add(SurfaceOperation::ScaleWorldTransform);
    record.matrix = scale;
    record.order = order;
    m_world = order == MatrixOrder::Prepend ? geom::Matrix2D::product(scale, m_world)
                                            : geom::Matrix2D::product(m_world, scale);
}

ContainerState RecordingSurface::beginContainer()
{
    const auto state = static_cast<ContainerState>(m_containers.size() + 1);
    add(SurfaceOperation::BeginContainer).container = state;
    m_containers.push_back({m_world, m_smoothing});
    return state;
}

void RecordingSurface::endContainer(ContainerState state)
{
    if (state == 0 || state > m_containers.size()) {
        m_status = SurfaceStatus::InvalidParameter;
        return;
    }
    const SavedState saved = m_containers[state - 1];
    m_containers.resize(state - 1);
    m_world = saved.world;
    m_smoothing = saved.smoothing;
    add(SurfaceOperation::EndContainer).container = state;
}

bool RecordingSurface::setSmoothingMode(SmoothingMode mode)
{
    add(SurfaceOperation::SetSmoothingMode).smoothing = mode;
    m_smoothing = mode;
    return true;
}

// --- lines and curves ---------------------------------------------------------------------------

void RecordingSurface::drawLine(const Pen& pen, Point2D from, Point2D to)
{
    SurfaceRecord& record = add(SurfaceOperation::DrawLine);
    record.pen = pen;
    record.points = {from, to};
}

void RecordingSurface::drawPolyline(const Pen& pen, std::span<const Point2D> points)
{
    SurfaceRecord& record = add(SurfaceOperation::DrawPolyline);
    record.pen = pen;
    record.points.assign(points.begin(), points.end());
}

void RecordingSurface::drawBezier(const Pen& pen, Point2D p1, Point2D c1, Point2D c2, Point2D p2)
{
    SurfaceRecord& record = add(SurfaceOperation::DrawBezier);
    record.pen = pen;
    record.points = {p1, c1, c2, p2};
}

void RecordingSurface::drawCurve(const Pen& pen, std::span<const Point2D> points, float tension)
{
    SurfaceRecord& record = add(SurfaceOperation::DrawCurve);
    record.pen = pen;
    record.points.assign(points.begin(), points.end());
    record.tension = tension;
}

void RecordingSurface::drawClosedCurve(const Pen& pen, std::span<const Point2D> points,
                                       float tension)
{
    SurfaceRecord& record = add(SurfaceOperation::DrawClosedCurve);
    record.pen = pen;
    record.points.assign(points.begin(), points.end());
    record.tension = tension;
}

void RecordingSurface::drawArc(const Pen& pen, const RectF& bounds, float startAngle,
                               float sweepAngle)
{
    SurfaceRecord& record = add(SurfaceOperation::DrawArc);
    record.pen = pen;
    record.rect = bounds;
    record.startAngle = startAngle;
    record.sweepAngle = sweepAngle;
}

// --- shapes -------------------------------------------------------------------------------------

void RecordingSurface::drawRectangle(const Pen& pen, const RectF& rect)
{
    SurfaceRecord& record = add(SurfaceOperation::DrawRectangle);
    record.pen = pen;
    record.rect = rect;
}

void RecordingSurface::fillRectangle(const Brush& brush, const RectF& rect)
{
    SurfaceRecord& record = add(SurfaceOperation::FillRectangle);
    record.brush = brush;
    record.rect = rect;
}

void RecordingSurface::drawEllipse(const Pen& pen, const RectF& bounds)
{
    SurfaceRecord& record = add(SurfaceOperation::DrawEllipse);
    record.pen = pen;
    record.rect = bounds;
}

void RecordingSurface::fillEllipse(const Brush& brush, const RectF& bounds)
{
    SurfaceRecord& record = add(SurfaceOperation::FillEllipse);
    record.brush = brush;
    record.rect = bounds;
}

void RecordingSurface::drawPie(const Pen& pen, const RectF& bounds, float startAngle,
                               float sweepAngle)
{
    SurfaceRecord& record = add(SurfaceOperation::DrawPie);
    record.pen = pen;
    record.rect = bounds;
    record.startAngle = startAngle;
    record.sweepAngle = sweepAngle;
}

void RecordingSurface::fillPie(const Brush& brush, const RectF& bounds, float startAngle,
                               float sweepAngle)
{
    SurfaceRecord& record = add(SurfaceOperation::FillPie);
    record.brush = brush;
    record.rect = bounds;
    record.startAngle = startAngle;
    record.sweepAngle = sweepAngle;
}

void RecordingSurface::drawPolygon(const Pen& pen, std::span<const Point2D> points)
{
    SurfaceRecord& record = add(SurfaceOperation::DrawPolygon);
    record.pen = pen;
    record.points.assign(points.begin(), points.end());
}

void RecordingSurface::fillPolygon(const Brush& brush, std::span<const Point2D> points,
                                   FillMode mode)
{
    SurfaceRecord& record = add(SurfaceOperation::FillPolygon);
    record.brush = brush;
    record.points.assign(points.begin(), points.end());
    record.fillMode = mode;
}

void RecordingSurface::fillClosedCurve(const Brush& brush, std::span<const Point2D> points,
                                       float tension, FillMode mode)
{
    SurfaceRecord& record = add(SurfaceOperation::FillClosedCurve);
    record.brush = brush;
    record.points.assign(points.begin(), points.end());
    record.tension = tension;
    record.fillMode = mode;
}

// --- text ---------------------------------------------------------------------------------------

void RecordingSurface::drawString(std::string_view text, const Font& font, const Brush& brush,
                                  const RectF& layout, const StringFormat& format)
{
    SurfaceRecord& record = add(SurfaceOperation::DrawString);
    record.text = std::string(text);
    record.font = font;
    record.brush = brush;
    record.rect = layout;
    record.format = format;
}

RectF RecordingSurface::measureString(std::string_view text, const Font&, const RectF& layout,
                                      const StringFormat&)
{
    std::size_t lines = text.empty() ? 0 : 1, longest = 0, current = 0;
    for (const char c : text) {
        if (c == '\n') {
            ++lines;
            current = 0;
            continue;
        }
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++current; // count characters
        longest = std::max(longest, current);
    }
    return {layout.x, layout.y, static_cast<float>(longest) * characterAdvance,
            static_cast<float>(lines) * lineHeight};
}

float RecordingSurface::fontLineHeight(const Font&)
{
    return lineHeight;
}

// --- images -------------------------------------------------------------------------------------

bool RecordingSurface::drawImageFile(const std::string& path, Point2D topLeft)
{
    SurfaceRecord& record = add(SurfaceOperation::DrawImage);
    record.text = path;
    record.points = {topLeft};
    return true;
}

bool RecordingSurface::drawImageFile(const std::string& path, const RectF& rect)
{
    SurfaceRecord& record = add(SurfaceOperation::DrawImage);
    record.text = path;
    record.rect = rect;
    return true;
}

} // namespace render
