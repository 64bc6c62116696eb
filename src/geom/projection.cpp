// 3D and 4D projection arithmetic, in single precision.
#include "geom/projection.h"

#include <algorithm>
#include <cmath>

namespace geom {
namespace {

MatrixF rotationMatrix(float angleX, float angleY, float angleZ)
{
    const float sa = std::sin(angleX), ca = std::cos(angleX);
    const float sb = std::sin(angleY), cb = std::cos(angleY);
    const float sc = std::sin(angleZ), cc = std::cos(angleZ);
    return MatrixF{4,
                   4,
                   {cc * cb, sc * cb, -sb, 0,                                   //
                    sb * sa * cc - sc * ca, sb * sa * sc + cc * ca, cb * sa, 0, //
                    sb * ca * cc + sc * sa, sb * ca * sc - cc * sa, cb * ca, 0, //
                    0, 0, 0, 1}};
}

MatrixF translationMatrix(float x, float y, float z)
{
    return MatrixF{4, 4, {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1}};
}

} // namespace

Projector3D Projector3D::from(const Transform3D& transform, const std::array<float, 4>& viewport)
{
    Projector3D projector;
    projector.eyeX = transform.eyeX;
    projector.eyeY = transform.eyeY;
    projector.eyeZ = transform.eyeZ;
    projector.eyeAngleX = transform.angleX;
    projector.eyeAngleY = transform.angleY;
    projector.eyeAngleZ = transform.angleZ;
    projector.worldX = transform.worldX;
    projector.worldY = transform.worldY;
    projector.worldZ = transform.worldZ;
    const bool allZero = transform.scaleX == 0 && transform.scaleY == 0 && transform.scaleZ == 0;
    projector.scaleX = allZero ? 1 : transform.scaleX;
    projector.scaleY = allZero ? 1 : transform.scaleY;
    projector.scaleZ = allZero ? 1 : transform.scaleZ;
    projector.viewport = viewport;
    return projector;
}

std::optional<MatrixF> multiply(const MatrixF& a, const MatrixF& b)
{
    if (a.columns != b.rows) return std::nullopt;
    MatrixF product{a.rows, b.columns, std::vector<float>(a.rows * b.columns, 0.0f)};
    for (std::size_t i = 0; i < a.rows; ++i)
        for (std::size_t j = 0; j < b.columns; ++j) {
            float sum = 0;
            for (std::size_t k = 0; k < a.columns; ++k)
                sum += a.at(i, k) * b.at(k, j);
            product.values[i * b.columns + j] = sum;
        }
    return product;
}

int viewportExtent(float value)
{
    return std::isfinite(value) && std::fabs(value) < 2.0e9f ? static_cast<int>(value) : 0;
}

PerspectiveProjection::PerspectiveProjection(const Projector3D& projector)
    : m_worldX(projector.worldX), m_worldY(projector.worldY), m_worldZ(projector.worldZ),
      m_scaleX(projector.scaleX), m_scaleY(projector.scaleY), m_scaleZ(projector.scaleZ),
      m_width(viewportExtent(projector.viewport[2])),
      m_height(viewportExtent(projector.viewport[3])), m_left(projector.viewport[0]),
      m_top(projector.viewport[1])
{
    const MatrixF m =
        *multiply(rotationMatrix(projector.eyeAngleX, projector.eyeAngleY, projector.eyeAngleZ),
                  translationMatrix(projector.eyeX, projector.eyeY, projector.eyeZ));
    std::copy(m.values.begin(), m.values.end(), m_matrix.begin());
}

Point2D PerspectiveProjection::operator()(const Point3D& point) const
{
    const float q[4] = {(point.x + m_worldX) * m_scaleX, (point.y + m_worldY) * m_scaleY,
                        (point.z + m_worldZ) * m_scaleZ, 1.0f};
    float r[3];
    for (std::size_t j = 0; j < 3; ++j) {
        float sum = 0; // the same order of sums as the general matrix product
        for (std::size_t k = 0; k < 4; ++k)
            sum += q[k] * m_matrix[k * 4 + j];
        r[j] = sum;
    }
    const float width = static_cast<float>(m_width);
    const float factor = width / r[2];
    const float x = width - (static_cast<float>(m_width / 2) + r[0] * factor);
    const float y = static_cast<float>(m_height / 2) + r[1] * factor;
    return {x + m_left, y + m_top};
}

Point2D project3D(Projector3D& projector, const Point3D& point)
{
    const Point2D result = PerspectiveProjection(projector)(point);
    projector.x = result.x;
    projector.y = result.y;
    return result;
}

Point2D project3D(const Transform3D& transform, const std::array<float, 4>& viewport,
                  const Point3D& point)
{
    Projector3D projector = Projector3D::from(transform, viewport);
    return project3D(projector, point);
}

Point3D project4Dto3D(float x, float y, float z, float w)
{
    const float quarterPi = 3.14159265f / 4.0f;
    const float k = 1.0f / (0.5f * std::tan(quarterPi));
    const float s = k / w;
    return {x * s, y * s, z * s};
}

} // namespace geom
