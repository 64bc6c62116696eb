// A drawable object of a figure: its type, the keyword as typed and its sub-objects.
#pragma once

#include "model/sub_object.h"

#include <cstdint>
#include <string>
#include <vector>

namespace model {

// Object type codes. 10xx are 2D objects, 11xx objects in a 3D axis system, 12xx the 3D surface,
// 13xx meshes, 14xx 4D objects; 500 draws nothing.
enum class ObjectType : std::int32_t {
    None = -1,
    Null = 500,
    Rectangle = 1001,
    Ellipse = 1002,
    Point = 1003,
    Text = 1004,
    Poly = 1005,
    Image = 1006,
    Axis = 1007,
    Arc = 1008,
    Pie = 1009,
    Bezier = 1010,
    OCurve = 1011,
    CCurve = 1012,
    Function = 1013,
    Chart = 1014,
    Curve = 1015,
    Point3 = 1103,
    Poly3 = 1105,
    Bezier3 = 1110,
    OCurve3 = 1111,
    CCurve3 = 1112,
    Function3A = 1113,
    Chart3 = 1114,
    Curve3 = 1115,
    Cube = 1171,
    Function3D = 1213,
    Mesh = 1301,
    MeshF = 1302,
    MeshB = 1303,
    Tetrahedron = 1401,
    Poly4 = 1405,
};

struct PlotObject {
    ObjectType type = ObjectType::None;
    std::string displayName; // from the object table, for example "Function 2D"
    bool selected = false;
    std::vector<SubObject> subObjects; // in typed order
    std::string keyword;               // exactly as typed; written back by the serialiser
    bool hidden = false;

    bool operator==(const PlotObject&) const = default;
};

enum class SubObjectCreation { Find, FindOrAppend };

// The occurrence-th (from 0) sub-object of `kind` in typed order. With FindOrAppend a missing one
// is appended empty and returned; with Find a missing one gives nullptr.
SubObject* findSubObject(PlotObject& object, SubObjectKind kind, int occurrence,
                         SubObjectCreation creation = SubObjectCreation::Find);
const SubObject* findSubObject(const PlotObject& object, SubObjectKind kind, int occurrence);

// Number of sub-objects of `kind`.
int countSubObjects(const PlotObject& object, SubObjectKind kind);

} // namespace model
