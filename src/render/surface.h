// The drawing surface: every drawing operation the program needs, behind one narrow interface.
// QtSurface paints with QPainter (windows, images, SVG, PDF, printers); RecordingSurface logs
// every call for tests. Coordinates are device units, origin top left, y downwards; the world
// transform applies to everything drawn after it is set.
#pragma once

#include "geom/matrix2d.h"
#include "scene/style.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace render {

using geom::Point2D;

enum class SmoothingMode { HighSpeed, HighQuality, AntiAlias8x4 };
enum class MatrixOrder { Prepend, Append }; // Prepend: the new matrix applies first
enum class FillMode { Alternate, Winding };

// Status left by the last failing primitive; drawing goes on after a failure.
enum class SurfaceStatus { Ok, InvalidParameter, FileNotFound, OutOfMemory, NotSupported };

using ContainerState = std::uint32_t;

class DrawingSurface {
public:
    virtual ~DrawingSurface() = default;

    // --- state ---
    virtual void setWorldTransform(const geom::Matrix2D& matrix) = 0;
    virtual geom::Matrix2D worldTransform() const = 0;
    virtual void multiplyWorldTransform(const geom::Matrix2D& matrix, MatrixOrder order) = 0;
    virtual void scaleWorldTransform(float sx, float sy, MatrixOrder order) = 0;
    // Containers nest; ending one restores the transform and smoothing of its beginning.
    virtual ContainerState beginContainer() = 0;
    virtual void endContainer(ContainerState state) = 0;
    // False when the surface refuses the mode (the caller then asks for HighQuality).
    virtual bool setSmoothingMode(SmoothingMode mode) = 0;

    // --- lines and curves ---
    virtual void drawLine(const Pen& pen, Point2D from, Point2D to) = 0;
    virtual void drawPolyline(const Pen& pen, std::span<const Point2D> points) = 0; // open
    // Separate lines, one for each pair of end points (a wireframe); a trailing odd point is
    // ignored. Surfaces that can draw many lines in one go override it.
    virtual void drawLines(const Pen& pen, std::span<const Point2D> endPoints)
    {
        for (std::size_t i = 0; i + 1 < endPoints.size(); i += 2)
            drawLine(pen, endPoints[i], endPoints[i + 1]);
    }
    virtual void drawBezier(const Pen& pen, Point2D p1, Point2D c1, Point2D c2, Point2D p2) = 0;
    // Cardinal splines through the points; tension 0 gives straight segments.
    virtual void drawCurve(const Pen& pen, std::span<const Point2D> points, float tension) = 0;
    virtual void drawClosedCurve(const Pen& pen, std::span<const Point2D> points,
                                 float tension) = 0;
    // Arcs and pies: angles in degrees, clockwise in device space from the positive x axis.
    virtual void drawArc(const Pen& pen, const RectF& bounds, float startAngle,
                         float sweepAngle) = 0;

    // --- shapes ---
    virtual void drawRectangle(const Pen& pen, const RectF& rect) = 0;
    virtual void fillRectangle(const Brush& brush, const RectF& rect) = 0;
    virtual void drawEllipse(const Pen& pen, const RectF& bounds) = 0;
    virtual void fillEllipse(const Brush& brush, const RectF& bounds) = 0;
    virtual void drawPie(const Pen& pen, const RectF& bounds, float startAngle,
                         float sweepAngle) = 0;
    virtual void fillPie(const Brush& brush, const RectF& bounds, float startAngle,
                         float sweepAngle) = 0;
    virtual void drawPolygon(const Pen& pen, std::span<const Point2D> points) = 0; // closed
    virtual void fillPolygon(const Brush& brush, std::span<const Point2D> points,
                             FillMode mode) = 0;
    virtual void fillClosedCurve(const Brush& brush, std::span<const Point2D> points, float tension,
                                 FillMode mode) = 0;

    // --- text ---
    // Draws `text` laid out in `layout` (wrapping at its width unless the format says no wrap).
    virtual void drawString(std::string_view text, const Font& font, const Brush& brush,
                            const RectF& layout, const StringFormat& format) = 0;
    // The bounding box of `text` laid out in `layout`, in device units.
    virtual RectF measureString(std::string_view text, const Font& font, const RectF& layout,
                                const StringFormat& format) = 0;
    // Height of one line of `font` in pixels (the font's line spacing).
    virtual float fontLineHeight(const Font& font) = 0;

    // --- images ---
    // Decodes the image file and draws it at its natural size, or stretched into `rect`.
    // False (and a status) when the file cannot be read or decoded.
    virtual bool drawImageFile(const std::string& path, Point2D topLeft) = 0;
    virtual bool drawImageFile(const std::string& path, const RectF& rect) = 0;

    // --- status ---
    virtual SurfaceStatus lastStatus() const = 0;
};

} // namespace render
