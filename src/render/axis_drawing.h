// Axis systems: the lines, tick dots and numbers of AXIS objects, 2D with two P4 and 3D with
// three, and the record each one leaves for the objects drawn after it.
#pragma once

#include "model/figure.h"
#include "scene/axis_record.h"
#include "scene/object_context.h"
#include "render/surface.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace render {

struct AxisLine {
    Point2D from, to;
    bool operator==(const AxisLine&) const = default;
};

struct AxisDot {
    RectF box; // the circle's bounding box
    bool operator==(const AxisDot&) const = default;
};

// The number at a tick, laid out from its top-left corner in a box one unit larger than its
// measured size.
struct AxisLabel {
    std::string text;
    RectF layout;
    bool operator==(const AxisLabel&) const = default;
};

using AxisPart = std::variant<AxisLine, AxisDot, AxisLabel>;

// What the AXIS object of `context` draws, in device coordinates and in drawing order: per axis
// its line, then at every inner tick its dot and, when the numbering asks for one, its number
// (measured on `surface` in the object's font). 2D axes lie on whole pixels and take the
// numbers; 3D axes are projected and have none. Points that project to nowhere are left out.
std::vector<AxisPart> axisParts(DrawingSurface& surface, const ObjectContext& context);

// Draws the axis system with the object's pen, painted with its brush when it has one: dots
// filled with the brush or outlined with the pen, numbers in the brush (none without a brush).
// The object walk registers its axis record afterwards.
void drawAxisObject(DrawingSurface& surface, const ObjectContext& context);

// The text of the number `value` at a tick. Numbering 1 writes the value truncated to a whole
// number; numbering n >= 2 rounds it to n decimals and writes it with n - 1.
std::string axisNumberText(float value, std::int32_t numbering);

// What an AXIS object of `figure` leaves out for the limits of model/limits.h: ticks beyond
// maxAxisTicks and decimals beyond maxAxisNumberDecimals, one message each; empty for other
// objects.
std::vector<std::string> describeAxisLimits(const model::Figure& figure,
                                            const model::PlotObject& axisObject);

} // namespace render
