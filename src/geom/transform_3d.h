// The twelve numbers of a 3D transform: world offset, scale, eye position and eye angles.
#pragma once

namespace geom {

struct Transform3D {
    float worldX = 0, worldY = 0, worldZ = 0;
    float scaleX = 1, scaleY = 1, scaleZ = 1;
    float eyeX = 0, eyeY = 0, eyeZ = 0;
    float angleX = 0, angleY = 0, angleZ = 0; // radians

    bool operator==(const Transform3D&) const = default;
};

} // namespace geom
