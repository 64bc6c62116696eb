// The axis systems drawn so far in one draw pass, through which later objects are mapped: axis
// id n is the n-th record.
#pragma once

#include "geom/axis_mapping.h"
#include "geom/layer_rect.h"
#include "geom/transform_3d.h"
#include "model/plot_object.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace render {

struct AxisRanges3D {
    float zTo = 0, xTo = 0, yFrom = 0, zFrom = 0;
    bool operator==(const AxisRanges3D&) const = default;
};

struct AxisRecord {
    bool is3D = false;
    geom::AxisWindow window;       // the 2D ranges, for the axis mapping
    geom::Transform3D transform3D; // the 3D axis system's transform
    AxisRanges3D ranges3D;

    bool operator==(const AxisRecord&) const = default;
};

// One axis of an AXIS object, from one P4(from,to,spacing,numbering).
struct AxisScale {
    float from = 0, to = 0;
    float spacing = 0;          // between tick dots, in axis units
    std::int32_t numbering = 0; // 0 no numbers, 1 whole numbers, n: n - 1 decimals

    bool operator==(const AxisScale&) const = default;
};

// The occurrence-th P4 of an AXIS object (0 the x axis, 1 y, 2 z), read like a quad in `rect`:
// from and spacing may be percentages of its right edge, to and numbering of its bottom edge.
// None when there is no such P4; all 0 when it has fewer than four arguments.
std::optional<AxisScale> axisScaleOf(const model::PlotObject& axisObject, int occurrence,
                                     const geom::LayerRect& rect);

// The record an AXIS object makes in `rect`: 2D from its first two P4 (x from, x to; y from,
// y to), 3D when it has a third P4, with `transform3D` and the 3D ranges. A missing P4 leaves
// its values 0.
AxisRecord axisRecordOf(const model::PlotObject& axisObject, const geom::LayerRect& rect,
                        const geom::Transform3D& transform3D);

// An AXIS whose own axis id is 0 appends its record; one placed with axis id k replaces record
// k - 1, and is appended when there is no such record yet.
void registerAxisRecord(std::vector<AxisRecord>& records, std::int32_t ownAxisId,
                        const AxisRecord& record);

} // namespace render
