// The fixed camera of DX figures and the geometry matrix of a mesh.
#include "geom/mesh_camera.h"

namespace geom {

std::optional<MeshCamera> meshCamera(std::int32_t width, std::int32_t height)
{
    if (width <= 0 || height <= 0) return std::nullopt;
    const float aspect = static_cast<float>(width) / static_cast<float>(height);
    return MeshCamera{
        lookAtLH(meshCameraEye, meshCameraTarget, meshCameraUp),
        perspectiveFovLH(meshCameraFieldOfView, aspect, meshCameraNear, meshCameraFar)};
}

Matrix4x4 meshGeometryMatrix(const Transform3D& transform)
{
    Matrix4x4 matrix = scaling(transform.scaleX, transform.scaleY, transform.scaleZ);
    matrix = matrix * rotationX(transform.angleX);
    matrix = matrix * rotationY(transform.angleY);
    matrix = matrix * rotationZ(transform.angleZ);
    return matrix * translation(transform.worldX, transform.worldY, transform.worldZ);
}

} // namespace geom
