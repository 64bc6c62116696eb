// The draw pass's branches for 2D shapes and curves. "Filled" shapes are filled with the brush
// and not outlined when the object has a brush, and outlined with the pen when it has none;
// "brush-stroked" lines are drawn with the pen, painted with the brush when there is one.
#pragma once

#include "scene/object_context.h"
#include "render/surface.h"

#include <vector>

namespace render {

// The rectangle of the rectangle family from the first P4 quad: (x, y, width, height), or in an
// axis system (x1, y1, x2 - x1, y2 - y1) of the mapped corners. In OWN2D figures the position
// and the size pair each go through the own-2D mapping.
RectF shapeRectangle(const ObjectContext& context);

// The P2 points of POLY and CURVE, through the own-2D mapping in OWN2D figures.
std::vector<Point2D> ownPlanePoints(const ObjectContext& context);

// The bounding box of a POINT's circle: diameter tri.value, centred at (tri.x, tri.y) moved by
// the own-2D mapping.
RectF pointBox(const ObjectContext& context);

void drawRectangleObject(DrawingSurface& surface, const ObjectContext& context); // filled
void drawEllipseObject(DrawingSurface& surface, const ObjectContext& context);   // filled
// Brush-stroked arc from pt.x over pt.y degrees, clockwise from 3 o'clock.
void drawArcObject(DrawingSurface& surface, const ObjectContext& context);
void drawPieObject(DrawingSurface& surface, const ObjectContext& context); // filled
// Filled circle of diameter tri.value centred at (tri.x, tri.y).
void drawPointObject(DrawingSurface& surface, const ObjectContext& context);
// Filled polygon through the P2 points; without a brush an open polyline.
void drawPolyObject(DrawingSurface& surface, const ObjectContext& context);
// Brush-stroked cubic Bezier through exactly four P2 points.
void drawBezierObject(DrawingSurface& surface, const ObjectContext& context);
// Brush-stroked open cardinal curve with tension p1.
void drawOpenCurveObject(DrawingSurface& surface, const ObjectContext& context);
// Filled closed cardinal curve with tension p1.
void drawClosedCurveObject(DrawingSurface& surface, const ObjectContext& context);
// Brush-stroked chain of Bezier segments p0 p1 p1 p2, p2 p3 p3 p4, ...
void drawCurveObject(DrawingSurface& surface, const ObjectContext& context);

// The Bezier chain of CURVE and CURVE3, for points already in device coordinates; a segment
// through a point that is not finite is left out.
void drawBezierChain(DrawingSurface& surface, const Pen& pen, std::span<const Point2D> points);

// The filled ellipse of POINT, POINT3 and the points of FUNCTION3D: with the object's brush, or
// outlined with its pen.
void drawFilledEllipse(DrawingSurface& surface, const ObjectContext& context, const RectF& box);
// The filled closed cardinal curve of CCURVE and CCURVE3 through points in device coordinates,
// with tension p1; nothing for no points.
void drawFilledClosedCurve(DrawingSurface& surface, const ObjectContext& context,
                           std::span<const Point2D> points);

} // namespace render
