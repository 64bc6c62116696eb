// 3D and 4D objects.
#include "render/projected_drawing.h"

#include "scene/finite_runs.h"
#include "scene/object_projection.h"
#include "render/shape_drawing.h"

#include <algorithm>

namespace render {

std::vector<Point2D> projectedTriples(const ObjectContext& context)
{
    std::vector<geom::Point3D> points;
    points.reserve(context.numbers.p3Triples.size());
    for (const Triple& triple : context.numbers.p3Triples)
        points.push_back({triple.x, triple.y, triple.value});
    return projectAll(objectProjection(context), points);
}

std::vector<Point2D> projectedQuads4D(const ObjectContext& context)
{
    std::vector<geom::Point3D> points;
    points.reserve(context.numbers.p4Quads.size());
    for (const Quad& quad : context.numbers.p4Quads)
        points.push_back(geom::project4Dto3D(quad.x1, quad.y1, quad.x2, quad.y2));
    return projectAll(objectProjection(context), points);
}

std::optional<RectF> point3Box(const ObjectContext& context)
{
    const Quad& quad = context.numbers.quad;
    const Point2D centre = objectProjection(context)({quad.x1, quad.y1, quad.x2});
    if (!isFinite(centre)) return std::nullopt;
    const float size = quad.y2;
    return RectF{centre.x - size / 2, centre.y - size / 2, size, size};
}

void drawPoint3Object(DrawingSurface& surface, const ObjectContext& context)
{
    if (const std::optional<RectF> box = point3Box(context))
        drawFilledEllipse(surface, context, *box);
}

void drawPoly3Object(DrawingSurface& surface, const ObjectContext& context)
{
    const std::vector<Point2D> points = projectedTriples(context);
    if (context.brush) {
        surface.fillPolygon(*context.brush, finitePoints(points), FillMode::Alternate);
        return;
    }
    for (const std::span<const Point2D> run : finiteRuns(points))
        if (run.size() >= 2) surface.drawPolyline(context.pen, run);
}

void drawBezier3Object(DrawingSurface& surface, const ObjectContext& context)
{
    const std::vector<Point2D> points = projectedTriples(context);
    if (points.size() < 4 || !std::all_of(points.begin(), points.begin() + 4, isFinite)) return;
    surface.drawBezier(context.strokePen(), points[0], points[1], points[2], points[3]);
}

void drawOpenCurve3Object(DrawingSurface& surface, const ObjectContext& context)
{
    const std::vector<Point2D> points = projectedTriples(context);
    const Pen pen = context.strokePen();
    for (const std::span<const Point2D> run : finiteRuns(points))
        surface.drawCurve(pen, run, context.numbers.p1);
}

void drawClosedCurve3Object(DrawingSurface& surface, const ObjectContext& context)
{
    drawFilledClosedCurve(surface, context, finitePoints(projectedTriples(context)));
}

void drawCurve3Object(DrawingSurface& surface, const ObjectContext& context)
{
    drawBezierChain(surface, context.strokePen(), projectedTriples(context));
}

void drawPoly4Object(DrawingSurface& surface, const ObjectContext& context)
{
    for (const Point2D& point : projectedQuads4D(context))
        if (isFinite(point)) surface.drawEllipse(context.pen, {point.x - 2, point.y - 2, 4, 4});
}

} // namespace render
