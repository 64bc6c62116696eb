// The content of each object type.
//
// Sections: styles and outlines · shapes in the AT frame · lines and curves · functions ·
// axis systems and surfaces · by type
#include "swf/export/object_content.h"

#include "render/axis_drawing.h"
#include "scene/finite_runs.h"
#include "render/projected_drawing.h"
#include "render/shape_drawing.h"
#include "render/text_drawing.h"
#include "swf/format/curve_builders.h"
#include "swf/export/frame_spreading.h"

#include <array>
#include <optional>
#include <variant>
#include <vector>

namespace swf {

namespace {

using geom::Point2D;
using model::ObjectType;
using render::ObjectContext;
using render::RectF;

// --- styles and outlines ------------------------------------------------------------------------

// Shapes the screen fills take the brush (none: not filled) and are outlined with the pen.
ShapeStyle filledStyle(const ObjectContext& context)
{
    return {context.brush, context.pen};
}

// Lines the screen draws with the pen painted by the brush take no fill and that pen.
ShapeStyle strokedStyle(const ObjectContext& context)
{
    return {std::nullopt, context.strokePen()};
}

std::vector<PathRecord> rectangleOutline(const RectF& rect)
{
    const float right = rect.x + rect.width;
    const float bottom = rect.y + rect.height;
    const std::array<Point2D, 5> corners = {Point2D{rect.x, rect.y},
                                            {right, rect.y},
                                            {right, bottom},
                                            {rect.x, bottom},
                                            {rect.x, rect.y}};
    return polylineOutline(corners);
}

std::vector<PathRecord> circleOutline(const RectF& box)
{
    return ellipseOutline(box.x, box.y, box.width, box.height);
}

// Each run of finite points of a line that the screen breaks where a point is not finite.
void placeBrokenLine(MovieCanvas& canvas, std::uint32_t frame, std::span<const Point2D> points,
                     const ShapeStyle& style, const geom::Matrix2D& matrix, Transience transience)
{
    for (const std::span<const Point2D> run : render::finiteRuns(points))
        if (run.size() >= 2)
            canvas.placeShape(frame, {polylineOutline(run), EdgeMode::Polyline}, style, matrix,
                              transience);
}

// --- shapes in the AT frame ---------------------------------------------------------------------

void placeInAtFrame(MovieCanvas& canvas, const MovieObject& object,
                    const std::vector<PathRecord>& outline, EdgeMode mode)
{
    canvas.placeShape(object.atFrame, {outline, mode}, filledStyle(object.context), object.matrix,
                      Transience::Stays);
}

// Text fields cannot turn or scale with the object's matrix; they start where it moves the
// text's corner.
void emitText(MovieCanvas& canvas, const MovieObject& object)
{
    const ObjectContext& context = object.context;
    canvas.placeText(object.atFrame, context.text, object.matrix.map(render::textPosition(context)),
                     context.strokePen(), context.font);
}

// --- lines and curves ---------------------------------------------------------------------------

enum class LineKind { Segments, QuadraticPieces };

bool hasMorph(const ObjectContext& context)
{
    return model::findSubObject(*context.object, model::SubObjectKind::Morph, 0) != nullptr;
}

// In one frame: one shape, or a morph record when the object has MORPH.
void emitLineInOneFrame(MovieCanvas& canvas, const MovieObject& object,
                        std::span<const Point2D> points, LineKind kind, const ShapeStyle& style)
{
    const bool curve = kind == LineKind::QuadraticPieces;
    std::vector<PathRecord> outline = curve ? quadraticOutline(points) : segmentOutline(points);
    if (outline.empty()) return;
    const EdgeMode mode = curve ? EdgeMode::Curve : EdgeMode::Polyline;
    const std::uint32_t frame = object.frames.front();
    if (hasMorph(object.context)) {
        canvas.offerMorph({frame, points.size(), std::move(outline), mode, style, object.matrix});
        return;
    }
    canvas.placeShape(frame, {outline, mode}, style, object.matrix, Transience::Stays);
}

// Over several frames: each segment, or each quadratic piece, a shape of its own in the frame
// its first point falls in; the shapes stay, so the line grows.
void emitLineOverFrames(MovieCanvas& canvas, const MovieObject& object,
                        std::span<const Point2D> points, LineKind kind, const ShapeStyle& style)
{
    const bool curve = kind == LineKind::QuadraticPieces;
    const std::size_t piecePoints = curve ? 3 : 2;
    for (std::size_t start = 0; start + piecePoints <= points.size(); start += piecePoints - 1) {
        const std::optional<std::uint32_t> frame = spreadFrame(start, points.size(), object.frames);
        if (!frame || canvas.refusal()) return;
        const std::span<const Point2D> piece = points.subspan(start, piecePoints);
        if (curve)
            canvas.placeShape(*frame, {quadraticOutline(piece), EdgeMode::Curve}, style,
                              object.matrix, Transience::Stays);
        else
            canvas.placeShape(*frame, {polylineOutline(piece), EdgeMode::Polyline}, style,
                              object.matrix, Transience::Stays);
    }
}

// Points that are not finite have no place in an outline and are left out.
void emitLine(MovieCanvas& canvas, const MovieObject& object, std::span<const Point2D> drawn,
              LineKind kind, const ShapeStyle& style)
{
    const std::vector<Point2D> points = render::finitePoints(drawn);
    if (object.frames.size() == 1)
        emitLineInOneFrame(canvas, object, points, kind, style);
    else
        emitLineOverFrames(canvas, object, points, kind, style);
}

// --- functions ----------------------------------------------------------------------------------

void emitGrowingFunction(MovieCanvas& canvas, const MovieObject& object,
                         render::FunctionValues functions)
{
    const std::vector<Point2D> points = render::functionPoints(object.context, functions);
    const ShapeStyle style = strokedStyle(object.context);
    for (const ProgressiveChunk& chunk : progressiveChunks(points.size(), object.frames)) {
        if (canvas.refusal()) return;
        placeBrokenLine(canvas, chunk.frame, chunkPoints(points, chunk), style, object.matrix,
                        Transience::Stays);
    }
}

// --- axis systems and surfaces ------------------------------------------------------------------

void emitAxis(MovieCanvas& canvas, const ObjectContext& context, std::uint32_t frame,
              const geom::Matrix2D& matrix, Transience transience)
{
    const render::Pen pen = context.strokePen();
    for (const render::AxisPart& part : render::axisParts(canvas.measuringSurface(), context)) {
        if (const auto* line = std::get_if<render::AxisLine>(&part)) {
            const std::array<Point2D, 2> ends = {line->from, line->to};
            canvas.placeShape(frame, {polylineOutline(ends), EdgeMode::Polyline},
                              {std::nullopt, pen}, matrix, transience);
        } else if (const auto* dot = std::get_if<render::AxisDot>(&part)) {
            canvas.placeShape(frame, {circleOutline(dot->box), EdgeMode::Curve},
                              {context.brush, pen}, matrix, transience);
        } else if (context.brush) { // the screen writes no numbers without a brush
            const auto& number = std::get<render::AxisLabel>(part);
            canvas.placeText(frame, number.text, matrix.map({number.layout.x, number.layout.y}),
                             pen, context.font);
        }
    }
}

void emitSurface(MovieCanvas& canvas, const ObjectContext& context, std::uint32_t frame,
                 const geom::Matrix2D& matrix, Transience transience,
                 render::FunctionValues functions)
{
    const render::SurfaceGrid grid = render::surfaceGrid(context, functions);
    const expr::DrawingType type = grid.drawingType;
    if (type == expr::DrawingType::Points || type == expr::DrawingType::LinesAndPoints)
        for (const RectF& box : render::surfaceGridPointBoxes(grid))
            canvas.placeShape(frame, {circleOutline(box), EdgeMode::Curve}, filledStyle(context),
                              matrix, transience);
    if (type != expr::DrawingType::Lines && type != expr::DrawingType::LinesAndPoints) return;
    const ShapeStyle lineStyle = strokedStyle(context);
    // Cells are outlined with the pen of the grid lines, which cover those outlines anyway.
    if (const std::optional<render::Brush> cellBrush = render::surfaceCellBrush(context))
        for (const std::array<Point2D, 5>& cell : render::surfaceGridCells(grid))
            canvas.placeShape(frame, {polylineOutline(cell), EdgeMode::Polyline},
                              {cellBrush, lineStyle.pen}, matrix, transience);
    for (const std::vector<Point2D>& line : render::surfaceGridLines(grid))
        placeBrokenLine(canvas, frame, line, lineStyle, matrix, transience);
}

} // namespace

// --- by type ------------------------------------------------------------------------------------

bool isAnimatedType(model::ObjectType type)
{
    return type == ObjectType::Function || type == ObjectType::Function3A ||
           type == ObjectType::Function3D || type == ObjectType::Axis;
}

void emitWholeObject(MovieCanvas& canvas, const render::ObjectContext& context, std::uint32_t frame,
                     const geom::Matrix2D& matrix, Transience transience,
                     render::FunctionValues functions)
{
    switch (context.object->type) {
    case ObjectType::Function:
    case ObjectType::Function3A:
        placeBrokenLine(canvas, frame, render::functionPoints(context, functions),
                        strokedStyle(context), matrix, transience);
        break;
    case ObjectType::Function3D:
        emitSurface(canvas, context, frame, matrix, transience, functions);
        break;
    case ObjectType::Axis:
        emitAxis(canvas, context, frame, matrix, transience);
        break;
    default:
        break; // only the animated types are drawn whole
    }
}

void emitObjectContent(MovieCanvas& canvas, const MovieObject& object,
                       render::FunctionValues functions)
{
    const ObjectContext& context = object.context;
    switch (context.object->type) {
    case ObjectType::Rectangle:
        placeInAtFrame(canvas, object, rectangleOutline(render::shapeRectangle(context)),
                       EdgeMode::Polyline);
        break;
    case ObjectType::Ellipse:
        placeInAtFrame(canvas, object, circleOutline(render::shapeRectangle(context)),
                       EdgeMode::Curve);
        break;
    case ObjectType::Point:
        placeInAtFrame(canvas, object, circleOutline(render::pointBox(context)), EdgeMode::Curve);
        break;
    case ObjectType::Point3:
        if (const std::optional<RectF> box = render::point3Box(context))
            placeInAtFrame(canvas, object, circleOutline(*box), EdgeMode::Curve);
        break;
    case ObjectType::Text:
        emitText(canvas, object);
        break;
    case ObjectType::Poly:
        emitLine(canvas, object, render::ownPlanePoints(context), LineKind::Segments,
                 filledStyle(context));
        break;
    case ObjectType::Poly3:
        emitLine(canvas, object, render::projectedTriples(context), LineKind::Segments,
                 filledStyle(context));
        break;
    case ObjectType::Curve:
        emitLine(canvas, object, render::ownPlanePoints(context), LineKind::QuadraticPieces,
                 strokedStyle(context));
        break;
    case ObjectType::Curve3:
        emitLine(canvas, object, render::projectedTriples(context), LineKind::QuadraticPieces,
                 strokedStyle(context));
        break;
    case ObjectType::Function:
    case ObjectType::Function3A:
        emitGrowingFunction(canvas, object, functions);
        break;
    case ObjectType::Axis:
    case ObjectType::Function3D:
        emitWholeObject(canvas, context, object.atFrame, object.matrix, Transience::Stays,
                        functions);
        break;
    default:
        break; // images, arcs, pies, Bezier and cardinal curves, charts, meshes, POLY4: none
    }
}

} // namespace swf
