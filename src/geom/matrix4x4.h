// A 4 × 4 matrix in the row-vector convention (a point is a row, v' = v · M), with the matrix
// helpers of the mesh scene: rotations, scaling, translation, a left-handed look-at view and a
// left-handed perspective projection.
#pragma once

#include "geom/point3d.h"

#include <array>

namespace geom {

// A point in homogeneous clip coordinates.
struct Point4D {
    float x = 0, y = 0, z = 0, w = 1;
    bool operator==(const Point4D&) const = default;
};

struct Matrix4x4 {
    std::array<std::array<float, 4>, 4> m{{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}};

    bool operator==(const Matrix4x4&) const = default;

    // The point as a row (x, y, z, 1) times this matrix.
    Point4D map(Point3D p) const
    {
        return {p.x * m[0][0] + p.y * m[1][0] + p.z * m[2][0] + m[3][0],
                p.x * m[0][1] + p.y * m[1][1] + p.z * m[2][1] + m[3][1],
                p.x * m[0][2] + p.y * m[1][2] + p.z * m[2][2] + m[3][2],
                p.x * m[0][3] + p.y * m[1][3] + p.z * m[2][3] + m[3][3]};
    }
};

// first · second: the matrix that applies `first`, then `second`.
Matrix4x4 operator*(const Matrix4x4& first, const Matrix4x4& second);

// Turns about the x, y or z axis by `angle` radians; seen from the positive end of the axis
// towards the origin, a positive angle turns clockwise (left-handed).
Matrix4x4 rotationX(float angle);
Matrix4x4 rotationY(float angle);
Matrix4x4 rotationZ(float angle);
Matrix4x4 scaling(float sx, float sy, float sz);
Matrix4x4 translation(float dx, float dy, float dz);

// The view from `eye` towards `target` with `up` pointing up, left-handed: the eye ends at the
// origin looking along +z. `up` must not be parallel to the line of sight.
Matrix4x4 lookAtLH(Point3D eye, Point3D target, Point3D up);

// Perspective with a vertical field of view `fovY` (radians), `aspect` = width ÷ height and the
// near and far planes at z = zNear and z = zFar: visible points end with 0 ≤ z ≤ w and
// −w ≤ x, y ≤ w.
Matrix4x4 perspectiveFovLH(float fovY, float aspect, float zNear, float zFar);

} // namespace geom
