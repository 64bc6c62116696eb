// The fixed camera of DX figures and the matrix that places a mesh in front of it.
#pragma once

#include "geom/matrix4x4.h"
#include "geom/transform_3d.h"

#include <cstdint>
#include <optional>

namespace geom {

// The camera stands at (0, 0, −4), looks at the origin with +y up, left-handed, and sees a
// vertical field of view of π/4 between the planes z = 1 and z = 50 in front of it.
inline constexpr Point3D meshCameraEye{0, 0, -4};
inline constexpr Point3D meshCameraTarget{0, 0, 0};
inline constexpr Point3D meshCameraUp{0, 1, 0};
inline constexpr float meshCameraFieldOfView = 0.7853982f; // π/4
inline constexpr float meshCameraNear = 1.0f;
inline constexpr float meshCameraFar = 50.0f;

struct MeshCamera {
    Matrix4x4 view;
    Matrix4x4 projection; // aspect ratio of the client area it was made for

    bool operator==(const MeshCamera&) const = default;
};

// The camera for a client area of `width` × `height` pixels; none when either is not positive,
// since such an area has no aspect ratio.
std::optional<MeshCamera> meshCamera(std::int32_t width, std::int32_t height);

// Where a mesh stands: scaled by the transform's scale, turned about x, then y, then z by its eye
// angles, then moved by its world offset. The default transform leaves the mesh as it is.
Matrix4x4 meshGeometryMatrix(const Transform3D& transform);

} // namespace geom
