// The geometric values that figure records and object views hold: points, the 2D affine matrix
// (row-vector convention: x' = m11*x + m21*y + dx, y' = m12*x + m22*y + dy), the point reading of
// TRANSFORM and the twelve numbers of a 3D transform. geom/ computes with them.
#pragma once

namespace model {

struct Point2D {
    float x = 0;
    float y = 0;
    bool operator==(const Point2D&) const = default;
};

struct Matrix2D {
    float m11 = 1, m12 = 0, m21 = 0, m22 = 1, dx = 0, dy = 0;

    bool operator==(const Matrix2D&) const = default;

    bool isIdentity() const { return *this == Matrix2D{}; }

    Point2D map(Point2D p) const
    {
        return {m11 * p.x + m21 * p.y + dx, m12 * p.x + m22 * p.y + dy};
    }

    // The matrix that applies `first`, then `second`.
    static Matrix2D product(const Matrix2D& first, const Matrix2D& second)
    {
        return {first.m11 * second.m11 + first.m12 * second.m21,
                first.m11 * second.m12 + first.m12 * second.m22,
                first.m21 * second.m11 + first.m22 * second.m21,
                first.m21 * second.m12 + first.m22 * second.m22,
                first.dx * second.m11 + first.dy * second.m21 + second.dx,
                first.dx * second.m12 + first.dy * second.m22 + second.dy};
    }
};

struct Transform3D {
    float worldX = 0, worldY = 0, worldZ = 0;
    float scaleX = 1, scaleY = 1, scaleZ = 1;
    float eyeX = 0, eyeY = 0, eyeZ = 0;
    float angleX = 0, angleY = 0, angleZ = 0; // radians

    bool operator==(const Transform3D&) const = default;
};

// The point reading of TRANSFORM: dx, dy, sx, sy, angle, cx, cy.
struct Own2DTransform {
    float dx = 0, dy = 0; // translation, device units
    float sx = 1, sy = 1; // world scale about the device origin, applied by the surface
    float angle = 0;      // 180 turns by one radian, clockwise on screen
    float cx = 0, cy = 0; // centre of the rotation

    bool operator==(const Own2DTransform&) const = default;
};

} // namespace model
