// The 4 × 4 matrix helpers of the mesh scene.
#include "geom/matrix4x4.h"

#include <cmath>

namespace geom {
namespace {

Point3D minus(Point3D a, Point3D b)
{
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

Point3D cross(Point3D a, Point3D b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

float dot(Point3D a, Point3D b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

Point3D normalised(Point3D v)
{
    const float length = std::sqrt(dot(v, v));
    if (length == 0) return v;
    return {v.x / length, v.y / length, v.z / length};
}

} // namespace

Matrix4x4 operator*(const Matrix4x4& first, const Matrix4x4& second)
{
    Matrix4x4 product;
    for (std::size_t row = 0; row < 4; ++row) {
        for (std::size_t column = 0; column < 4; ++column) {
            float sum = 0;
            for (std::size_t k = 0; k < 4; ++k)
                sum += first.m[row][k] * second.m[k][column];
            product.m[row][column] = sum;
        }
    }
    return product;
}

Matrix4x4 rotationX(float angle)
{
    const float c = std::cos(angle), s = std::sin(angle);
    return {{{{1, 0, 0, 0}, {0, c, s, 0}, {0, -s, c, 0}, {0, 0, 0, 1}}}};
}

Matrix4x4 rotationY(float angle)
{
    const float c = std::cos(angle), s = std::sin(angle);
    return {{{{c, 0, -s, 0}, {0, 1, 0, 0}, {s, 0, c, 0}, {0, 0, 0, 1}}}};
}

Matrix4x4 rotationZ(float angle)
{
    const float c = std::cos(angle), s = std::sin(angle);
    return {{{{c, s, 0, 0}, {-s, c, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}}};
}

Matrix4x4 scaling(float sx, float sy, float sz)
{
    return {{{{sx, 0, 0, 0}, {0, sy, 0, 0}, {0, 0, sz, 0}, {0, 0, 0, 1}}}};
}

Matrix4x4 translation(float dx, float dy, float dz)
{
    return {{{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {dx, dy, dz, 1}}}};
}

Matrix4x4 lookAtLH(Point3D eye, Point3D target, Point3D up)
{
    const Point3D zAxis = normalised(minus(target, eye));
    const Point3D xAxis = normalised(cross(up, zAxis));
    const Point3D yAxis = cross(zAxis, xAxis);
    return {{{{xAxis.x, yAxis.x, zAxis.x, 0},
              {xAxis.y, yAxis.y, zAxis.y, 0},
              {xAxis.z, yAxis.z, zAxis.z, 0},
              {-dot(xAxis, eye), -dot(yAxis, eye), -dot(zAxis, eye), 1}}}};
}

Matrix4x4 perspectiveFovLH(float fovY, float aspect, float zNear, float zFar)
{
    const float yScale = 1.0f / std::tan(fovY / 2);
    const float xScale = yScale / aspect;
    const float depth = zFar / (zFar - zNear);
    return {{{{xScale, 0, 0, 0}, {0, yScale, 0, 0}, {0, 0, depth, 1}, {0, 0, -zNear * depth, 0}}}};
}

} // namespace geom
