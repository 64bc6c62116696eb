// A point of 3D space, in single precision.
#pragma once

namespace geom {

struct Point3D {
    float x = 0;
    float y = 0;
    float z = 0;
    bool operator==(const Point3D&) const = default;
};

} // namespace geom
