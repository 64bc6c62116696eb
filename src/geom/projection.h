// The perspective projection of 3D points to device points, set by the twelve numbers of a 3D
// transform (world offset, scale, eye position, eye angles in radians), and the 4D-to-3D step.
#pragma once

#include "geom/matrix2d.h"
#include "geom/point3d.h"
#include "geom/transform_3d.h"

#include <array>
#include <cstddef>
#include <optional>
#include <vector>

namespace geom {

// The state of one projection. The viewport is (left, top, right, bottom) of the layer.
struct Projector3D {
    float eyeX = 0, eyeY = 0, eyeZ = 0, eyeAngleX = 0, eyeAngleY = 0, eyeAngleZ = 0;
    float x = 0, y = 0; // result, device coordinates
    float worldX = 0, worldY = 0, worldZ = 0;
    float scaleX = 1, scaleY = 1, scaleZ = 1;
    std::array<float, 4> viewport{0, 0, 0, 0};

    // From a transform and a viewport; a scale of (0, 0, 0) counts as (1, 1, 1).
    static Projector3D from(const Transform3D& transform,
                            const std::array<float, 4>& viewport);
};

// A projector prepared for many points: the rotation-translation matrix is computed once.
// Every point gets exactly the arithmetic of project3D.
class PerspectiveProjection {
public:
    explicit PerspectiveProjection(const Projector3D& projector);
    Point2D operator()(const Point3D& point) const;

private:
    std::array<float, 16> m_matrix; // rotation by the eye angles, then the eye translation
    float m_worldX, m_worldY, m_worldZ, m_scaleX, m_scaleY, m_scaleZ;
    int m_width, m_height;
    float m_left, m_top;
};

// Projects `point`, writing the device point into the projector's result and returning it.
// A point on the eye plane gives non-finite coordinates; callers skip such points.
Point2D project3D(Projector3D& projector, const Point3D& point);

// Builds a projector from its parts and projects `point` at once.
Point2D project3D(const Transform3D& transform, const std::array<float, 4>& viewport,
                  const Point3D& point);

// A row-major matrix of single-precision numbers.
struct MatrixF {
    std::size_t rows = 0;
    std::size_t columns = 0;
    std::vector<float> values; // rows * columns
    float at(std::size_t row, std::size_t column) const { return values[row * columns + column]; }
};

// The product a * b, summed in single precision in column order of a; nothing when a's columns
// differ from b's rows.
std::optional<MatrixF> multiply(const MatrixF& a, const MatrixF& b);

// The 4D perspective step: (x, y, z, w) -> (x, y, z) * (k / w) with k = 1 / (0.5 tan(pi / 4)).
Point3D project4Dto3D(float x, float y, float z, float w);

} // namespace geom
