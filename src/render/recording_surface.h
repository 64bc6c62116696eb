// A drawing surface that draws nothing and logs every drawing and state call as a comparable
// record. Text is measured with fixed metrics so that layouts are exact in tests.
#pragma once

#include "render/surface.h"

#include <optional>
#include <string>
#include <vector>

namespace render {

enum class SurfaceOperation {
    SetWorldTransform,
    MultiplyWorldTransform,
    ScaleWorldTransform,
    BeginContainer,
    EndContainer,
    SetSmoothingMode,
    DrawLine,
    DrawPolyline,
    DrawBezier,
    DrawCurve,
    DrawClosedCurve,
    DrawArc,
    DrawRectangle,
    FillRectangle,
    DrawEllipse,
    FillEllipse,
    DrawPie,
    FillPie,
    DrawPolygon,
    FillPolygon,
    FillClosedCurve,
    DrawString,
    DrawImage,
};

// One call. Only the fields the operation has are set; the others keep their defaults.
struct SurfaceRecord {
    SurfaceOperation operation = SurfaceOperation::DrawLine;
    int depth = 0; // containers open when the call was made
    std::optional<Pen> pen;
    std::optional<Brush> brush;
    std::optional<Font> font;
    std::optional<StringFormat> format;
    std::vector<Point2D> points;
    std::optional<RectF> rect;
    float startAngle = 0, sweepAngle = 0; // arcs and pies
    float tension = 0;                    // cardinal curves
    FillMode fillMode = FillMode::Alternate;
    std::string text; // the string drawn, or the image file
    geom::Matrix2D matrix;
    MatrixOrder order = MatrixOrder::Prepend;
    SmoothingMode smoothing = SmoothingMode::HighSpeed;
    ContainerState container = 0;

    bool operator==(const SurfaceRecord&) const = default;
};

// One line per record, numbers in their shortest exact form, for example
// "fillRectangle solid(FFFF0000) [10,10,100,50]"; calls inside containers are indented.
std::string describe(const SurfaceRecord& record);
std::string describe(const Pen& pen);
std::string describe(const Brush& brush);
std::string describe(const Font& font);

class RecordingSurface : public DrawingSurface {
public:
    // Fixed text metrics: every character advances this far, every line is this high.
    static constexpr float characterAdvance = 7;
    static constexpr float lineHeight = 12;

    const std::vector<SurfaceRecord>& records() const { return m_records; }
    std::vector<std::string> descriptions() const;
    void clear() { m_records.clear(); }

    void setWorldTransform(const geom::Matrix2D& matrix) override;
    geom::Matrix2D worldTransform() const override { return m_world; }
    void multiplyWorldTransform(const geom::Matrix2D& matrix, MatrixOrder order) override;
    void scaleWorldTransform(float sx, float sy, MatrixOrder order) override;
    ContainerState beginContainer() override;
    void endContainer(ContainerState state) override;
    bool setSmoothingMode(SmoothingMode mode) override;

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

    SurfaceRecord& add(SurfaceOperation operation);

    std::vector<SurfaceRecord> m_records;
    std::vector<SavedState> m_containers;
    geom::Matrix2D m_world;
    SmoothingMode m_smoothing = SmoothingMode::HighSpeed;
    SurfaceStatus m_status = SurfaceStatus::Ok;
};

} // namespace render
