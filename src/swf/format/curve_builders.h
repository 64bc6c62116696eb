// Builders of curve-mode outlines: the ellipse of four quadratic curves, a curve through three
// points, and lists of (start, control delta, anchor delta) triples.
#pragma once

#include "geom/matrix2d.h"
#include "swf/format/shape_records.h"

#include <span>
#include <vector>

namespace swf {

// The ellipse in the rectangle (x, y, width, height), in pixels: width and height are truncated
// to integers and halved (hw, hh); four curves run clockwise from the middle of the left side,
// each with its control point at a corner.
std::vector<PathRecord> ellipseOutline(float x, float y, float width, float height);

// The triple of the quadratic curve from p0 through the control point p1 to p2: p0, p1 − p0,
// p2 − p1, appended as three points.
void appendCurveTriple(std::vector<geom::Point2D>& points, geom::Point2D p0, geom::Point2D p1,
                       geom::Point2D p2);

// The same curve appended as two records: the start (p0) and the curve.
void appendCurveRecords(std::vector<PathRecord>& records, geom::Point2D p0, geom::Point2D p1,
                        geom::Point2D p2);

// Records from points taken three at a time (position, control delta, anchor delta): the first
// triple gives the start and a curve, each later one only its curve. A last incomplete triple is
// ignored.
std::vector<PathRecord> curveRecordsFromTriples(std::span<const geom::Point2D> triples);

} // namespace swf
