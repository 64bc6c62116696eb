// Arcs of an ellipse given by the angles of the drawing surface: degrees, clockwise on screen,
// each angle naming the point where a ray from the centre meets the ellipse.
#pragma once

namespace geom {

// Start and sweep in degrees of the ellipse's parameter (x = cos t, y = sin t scaled to the half
// axes), still clockwise on screen. A sweep beyond a full turn is one full turn.
struct ArcParameters {
    double start = 0;
    double sweep = 0;
    bool operator==(const ArcParameters&) const = default;
};

// The parameter angles of the arc from startAngle over sweepAngle on the ellipse inscribed in a
// width x height box. A circle, or a box without area, keeps its angles.
ArcParameters arcParameters(double width, double height, double startAngle, double sweepAngle);

} // namespace geom
