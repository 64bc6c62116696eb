// Charts: a CHART object's P2 points as a line or as columns standing on the axis's zero line,
// each segment or column with the pen and brush of its own occurrence.
#pragma once

#include "scene/object_context.h"
#include "render/surface.h"

#include <optional>
#include <string>

namespace render {

// The first argument of the first P1, compared exactly: "line" or "column"; none otherwise.
enum class ChartKind { Line, Column };
std::optional<ChartKind> chartKindOf(const model::PlotObject& chart);

// "line": a line from point i to point i + 1 with the pen of PEN occurrence i (the object's pen
// when it has fewer). "column": from each point but the last, a column as wide as the step to
// the next point down (or up) to the zero line of the chart's axis system, filled with the brush
// of BRUSH occurrence i (else the object's brush), or outlined with the pen of PEN occurrence i
// when there is no brush at all. Outside an axis system there is no zero line and no columns.
void drawChartObject(DrawingSurface& surface, const ObjectContext& context);

} // namespace render
