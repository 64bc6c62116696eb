// Sampled functions: FUNCTION and FUNCTION3A drawn as one polyline through their samples,
// FUNCTION3D as a grid of points, filled cells and lines.
#pragma once

#include "expr/function_result_cache.h"
#include "expr/sampler.h"
#include "scene/object_context.h"
#include "render/surface.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace render {

// Where function objects get their values: the cache that keeps them from one drawing to the
// next, and the figure they are kept for.
struct FunctionValues {
    expr::FunctionResultCache& cache;
    std::int32_t figureId = 0;
};

// The device points of a FUNCTION object (its samples through its 2D axis system when it is in
// one) or a FUNCTION3A object (its samples projected), then moved by the own-2D mapping in OWN2D
// figures. Empty when the object yields no samples.
std::vector<Point2D> functionPoints(const ObjectContext& context, FunctionValues values);

// One polyline through all the points, drawn with the pen painted by the brush; it is broken
// where a point is not finite.
void drawFunctionObject(DrawingSurface& surface, const ObjectContext& context,
                        FunctionValues values);

// A FUNCTION3D object's grid, projected to the device: point k = i * ny + j for the i-th x
// sample and the j-th y sample.
struct SurfaceGrid {
    std::vector<Point2D> points;
    std::size_t nx = 0, ny = 0;
    expr::DrawingType drawingType = expr::DrawingType::Lines;
    float pointSize = 3.0f; // device units

    bool operator==(const SurfaceGrid&) const = default;
};

SurfaceGrid surfaceGrid(const ObjectContext& context, FunctionValues values);

// The circles at the grid points (drawing types 1 and 2): boxes of the point size centred on
// every finite point.
std::vector<RectF> surfaceGridPointBoxes(const SurfaceGrid& grid);

// The cells of the grid as closed polygons of five points (the four corners and the first
// again), in grid order; cells with a corner that is not finite are left out.
std::vector<std::array<Point2D, 5>> surfaceGridCells(const SurfaceGrid& grid);

// The grid lines: one along x for each y sample, then one along y for each x sample.
std::vector<std::vector<Point2D>> surfaceGridLines(const SurfaceGrid& grid);

// The brush the cells are filled with: the object's second BRUSH; none without one.
std::optional<Brush> surfaceCellBrush(const ObjectContext& context);

// Points (drawing types 1 and 2): a circle of the point size at every grid point, filled with
// the first BRUSH or outlined with the pen. Lines (types 0 and 2): every cell filled with the
// second BRUSH when there is one, in grid order, then one polyline along x for each y sample and
// one along y for each x sample, with the pen painted by the first BRUSH. Cells and circles at
// points that are not finite are left out, and lines are broken there.
void drawSurfaceObject(DrawingSurface& surface, const ObjectContext& context,
                       FunctionValues values);

} // namespace render
