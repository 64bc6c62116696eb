// A point in three dimensions, in single precision like the rest of the geometry.
#pragma once

namespace geom {

struct Point3D {
    float x = 0;
    float y = 0;
    float z = 0;
    bool operator==(const Point3D&) const = default;
};

} // namespace geom
