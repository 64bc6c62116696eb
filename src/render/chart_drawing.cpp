// Charts.
#include "render/chart_drawing.h"

#include "geom/axis_mapping.h"
#include "scene/finite_runs.h"
#include "scene/object_styles.h"

#include <cmath>
#include <limits>

namespace render {
namespace {

using model::SubObjectKind;

Pen segmentPen(const ObjectContext& context, std::size_t occurrence)
{
    const model::SubObject* pen =
        model::findSubObject(*context.object, SubObjectKind::Pen, static_cast<int>(occurrence));
    return pen ? CreateObjectPen(pen) : context.pen;
}

std::optional<Brush> columnBrush(const ObjectContext& context, std::size_t occurrence)
{
    const model::SubObject* brush =
        model::findSubObject(*context.object, SubObjectKind::Brush, static_cast<int>(occurrence));
    return brush ? CreateObjectBrush(brush, context.rect) : context.brush;
}

void drawLines(DrawingSurface& surface, const ObjectContext& context)
{
    const std::vector<Point2D>& points = context.numbers.p2Points;
    for (std::size_t i = 0; i + 1 < points.size(); ++i)
        if (isFinite(points[i]) && isFinite(points[i + 1]))
            surface.drawLine(segmentPen(context, i), points[i], points[i + 1]);
}

// The device row of the value 0 of the chart's axis system; not finite outside one.
float zeroLine(const ObjectContext& context)
{
    if (!context.axis) return std::numeric_limits<float>::quiet_NaN();
    return geom::mapAxisPoint(context.rect, *context.axis, {0, 0}).y;
}

void drawColumns(DrawingSurface& surface, const ObjectContext& context)
{
    const std::vector<Point2D>& points = context.numbers.p2Points;
    const float base = zeroLine(context);
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        const RectF column{points[i].x, points[i].y, points[i + 1].x - points[i].x,
                           base - points[i].y};
        if (!std::isfinite(column.x) || !std::isfinite(column.y) || !std::isfinite(column.width) ||
            !std::isfinite(column.height))
            continue;
        if (const std::optional<Brush> brush = columnBrush(context, i))
            surface.fillRectangle(*brush, column);
        else
            surface.drawRectangle(segmentPen(context, i), column);
    }
}

} // namespace

std::optional<ChartKind> chartKindOf(const model::PlotObject& chart)
{
    const model::SubObject* p1 = model::findSubObject(chart, SubObjectKind::P1, 0);
    if (!p1 || p1->arguments.empty()) return std::nullopt;
    if (p1->arguments.front() == "line") return ChartKind::Line;
    if (p1->arguments.front() == "column") return ChartKind::Column;
    return std::nullopt;
}

void drawChartObject(DrawingSurface& surface, const ObjectContext& context)
{
    const std::optional<ChartKind> kind = chartKindOf(*context.object);
    if (!kind || context.numbers.p2Points.empty()) return;
    if (*kind == ChartKind::Line)
        drawLines(surface, context);
    else
        drawColumns(surface, context);
}

} // namespace render
