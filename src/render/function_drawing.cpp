// Sampled functions.
#include "render/function_drawing.h"

#include "geom/axis_mapping.h"
#include "model/object_views.h"
#include "scene/finite_runs.h"
#include "scene/object_projection.h"
#include "scene/object_styles.h"
#include "render/shape_drawing.h"

#include <algorithm>

namespace render {
namespace {

using model::ObjectType;

void drawBrokenPolyline(DrawingSurface& surface, const Pen& pen, std::span<const Point2D> points)
{
    for (const std::span<const Point2D> run : finiteRuns(points))
        if (run.size() >= 2) surface.drawPolyline(pen, run);
}

void drawGridPoints(DrawingSurface& surface, const ObjectContext& context, const SurfaceGrid& grid)
{
    for (const RectF& box : surfaceGridPointBoxes(grid))
        drawFilledEllipse(surface, context, box);
}

void fillGridCells(DrawingSurface& surface, const Brush& brush, const SurfaceGrid& grid)
{
    for (const std::array<Point2D, 5>& cell : surfaceGridCells(grid))
        surface.fillPolygon(brush, cell, FillMode::Alternate);
}

void drawGridLines(DrawingSurface& surface, const Pen& pen, const SurfaceGrid& grid)
{
    for (const std::vector<Point2D>& line : surfaceGridLines(grid))
        drawBrokenPolyline(surface, pen, line);
}

// The points of a function object; `allFinite` is false when unknown.
expr::FunctionPoints checkedFunctionPoints(const ObjectContext& context, FunctionValues values)
{
    const model::PlotObject& object = *context.object;
    expr::FunctionPoints checked{{}, false};
    if (object.type == ObjectType::Function) {
        if (context.axis)
            checked = expr::sampleFunction(values.cache, values.figureId, object,
                                           geom::axisMap(context.rect, *context.axis));
        else
            checked.points = expr::sampleFunction(values.cache, values.figureId, object);
    } else if (object.type == ObjectType::Function3A) {
        checked.points = projectAll(objectProjection(context),
                                    expr::sampleFunction3A(values.cache, values.figureId, object));
    }
    if (context.own2d) {
        for (Point2D& point : checked.points)
            point = context.own2D(point);
        checked.allFinite = false;
    }
    return checked;
}

} // namespace

std::vector<Point2D> functionPoints(const ObjectContext& context, FunctionValues values)
{
    return checkedFunctionPoints(context, values).points;
}

void drawFunctionObject(DrawingSurface& surface, const ObjectContext& context,
                        FunctionValues values)
{
    const expr::FunctionPoints checked = checkedFunctionPoints(context, values);
    if (!checked.allFinite) {
        drawBrokenPolyline(surface, context.strokePen(), checked.points);
    } else if (checked.points.size() >= 2) { // one run: no pass to look for breaks
        surface.drawPolyline(context.strokePen(), checked.points);
    }
}

SurfaceGrid surfaceGrid(const ObjectContext& context, FunctionValues values)
{
    const expr::SurfacePoints sampled =
        expr::sampleSurface(values.cache, values.figureId, *context.object);
    SurfaceGrid grid;
    if (sampled.points.empty() || sampled.nx < 1 || sampled.ny < 1 ||
        sampled.points.size() !=
            static_cast<std::size_t>(sampled.nx) * static_cast<std::size_t>(sampled.ny))
        return grid;
    grid.points = projectAll(objectProjection(context), sampled.points);
    grid.nx = static_cast<std::size_t>(sampled.nx);
    grid.ny = static_cast<std::size_t>(sampled.ny);
    grid.drawingType = sampled.drawingType;
    grid.pointSize = sampled.pointSize;
    return grid;
}

std::vector<RectF> surfaceGridPointBoxes(const SurfaceGrid& grid)
{
    std::vector<RectF> boxes;
    const float size = grid.pointSize;
    for (const Point2D& point : grid.points)
        if (isFinite(point)) boxes.push_back({point.x - size / 2, point.y - size / 2, size, size});
    return boxes;
}

std::vector<std::array<Point2D, 5>> surfaceGridCells(const SurfaceGrid& grid)
{
    std::vector<std::array<Point2D, 5>> cells;
    const auto at = [&](std::size_t i, std::size_t j) { return grid.points[i * grid.ny + j]; };
    for (std::size_t i = 0; i + 1 < grid.nx; ++i)
        for (std::size_t j = 0; j + 1 < grid.ny; ++j) {
            const std::array<Point2D, 5> cell = {at(i, j), at(i + 1, j), at(i + 1, j + 1),
                                                 at(i, j + 1), at(i, j)};
            if (std::all_of(cell.begin(), cell.end(), isFinite)) cells.push_back(cell);
        }
    return cells;
}

std::vector<std::vector<Point2D>> surfaceGridLines(const SurfaceGrid& grid)
{
    std::vector<std::vector<Point2D>> lines;
    lines.reserve(grid.nx + grid.ny);
    for (std::size_t j = 0; j < grid.ny; ++j) {
        std::vector<Point2D>& line = lines.emplace_back(grid.nx);
        for (std::size_t i = 0; i < grid.nx; ++i)
            line[i] = grid.points[i * grid.ny + j];
    }
    for (std::size_t i = 0; i < grid.nx; ++i) {
        const auto first = grid.points.begin() + static_cast<std::ptrdiff_t>(i * grid.ny);
        lines.emplace_back(first, first + static_cast<std::ptrdiff_t>(grid.ny));
    }
    return lines;
}

std::optional<Brush> surfaceCellBrush(const ObjectContext& context)
{
    return CreateObjectBrush(model::brushSpecOf(*context.object, 1), context.rect);
}

void drawSurfaceObject(DrawingSurface& surface, const ObjectContext& context, FunctionValues values)
{
    const SurfaceGrid grid = surfaceGrid(context, values);
    if (grid.points.empty()) return;
    const expr::DrawingType type = grid.drawingType;
    if (type == expr::DrawingType::Points || type == expr::DrawingType::LinesAndPoints)
        drawGridPoints(surface, context, grid);
    if (type != expr::DrawingType::Lines && type != expr::DrawingType::LinesAndPoints) return;
    const std::optional<Brush> cellBrush = surfaceCellBrush(context);
    if (cellBrush) fillGridCells(surface, *cellBrush, grid);
    drawGridLines(surface, context.strokePen(), grid);
}

} // namespace render
