// The objects of 3D and 4D space: POINT3, POLY3, BEZIER3, OCURVE3, CCURVE3, CURVE3 and POLY4,
// projected to the device (4D points first to 3D) and drawn like their 2D forms. Points that
// project to nowhere (on the eye plane, or with w = 0) are left out.
#pragma once

#include "scene/object_context.h"
#include "render/surface.h"

#include <optional>
#include <vector>

namespace render {

// The P3 triples as 3D points (x, y, z), projected.
std::vector<Point2D> projectedTriples(const ObjectContext& context);

// The P4 quads as 4D points (x, y, z, w), through the 4D step, projected.
std::vector<Point2D> projectedQuads4D(const ObjectContext& context);

// The bounding box of POINT3's circle: the first quad read as (x, y, z, size), the point
// projected and the circle of diameter size centred there; none when it projects to nowhere.
std::optional<RectF> point3Box(const ObjectContext& context);

// First quad as (x, y, z, size): a filled circle of diameter size centred on the point.
void drawPoint3Object(DrawingSurface& surface, const ObjectContext& context);
// A filled polygon, or without a brush an open polyline.
void drawPoly3Object(DrawingSurface& surface, const ObjectContext& context);
// The first four triples as a brush-stroked cubic Bezier; fewer draw nothing.
void drawBezier3Object(DrawingSurface& surface, const ObjectContext& context);
// A brush-stroked open cardinal curve with tension p1.
void drawOpenCurve3Object(DrawingSurface& surface, const ObjectContext& context);
// A filled closed cardinal curve with tension p1.
void drawClosedCurve3Object(DrawingSurface& surface, const ObjectContext& context);
// The brush-stroked Bezier chain p0 p1 p1 p2, p2 p3 p3 p4, ...
void drawCurve3Object(DrawingSurface& surface, const ObjectContext& context);
// A circle outline of diameter 4 around every point, with the pen; no lines join them.
void drawPoly4Object(DrawingSurface& surface, const ObjectContext& context);

} // namespace render
