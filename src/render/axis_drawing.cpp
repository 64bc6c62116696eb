// Axis systems.
//
// Sections: tick counts and numbers · 2D axes · 3D axes · drawing · limit messages
#include "render/axis_drawing.h"
#include "model/argument_text.h"

#include "model/object_views.h"
#include "model/limits.h"
#include "scene/finite_runs.h"
#include "scene/object_projection.h"
#include "render/shape_drawing.h"
#include "render/text_drawing.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

namespace render {
namespace {

// --- tick counts and numbers --------------------------------------------------------------------

// The dots of one axis: k = 1 .. count - 1, the ends of the axis get none.
struct Ticks {
    double wanted = 0;     // the dots the axis asks for
    std::int64_t dots = 0; // the dots drawn: none when more are wanted than maxAxisTicks

    bool overLimit() const { return wanted > static_cast<double>(model::maxAxisTicks); }
};

// The ticks of `count`, a quotient that may not be a usable number.
Ticks ticksOf(double count)
{
    if (!(count >= 2)) return {};
    Ticks ticks{count - 1, 0};
    if (!ticks.overLimit()) ticks.dots = static_cast<std::int64_t>(ticks.wanted);
    return ticks;
}

// 2D axes truncate range / spacing; 3D axes round it to the nearest whole number.
Ticks twoDTicks(const AxisScale& scale)
{
    return ticksOf(std::trunc(static_cast<double>((scale.to - scale.from) / scale.spacing)));
}

Ticks threeDTicks(const AxisScale& scale)
{
    return ticksOf(std::nearbyint(static_cast<double>((scale.to - scale.from) / scale.spacing)));
}

// `value` with `decimals` decimals, as "%.*f" writes it.
std::string fixedText(double value, std::int64_t decimals)
{
    std::array<char, 512> buffer{}; // 39 digits before the point and the most decimals after it
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, static_cast<int>(decimals));
    return result.ec == std::errc{} ? std::string(buffer.data(), result.ptr) : std::string{};
}

double readBack(const std::string& text)
{
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

// The numbering's decimals: rounding with the numbering read as unsigned (past 149 decimals
// every float is exact), writing with one fewer (a negative count writes six, as "%.*f" does).
std::int64_t roundingDecimals(std::int32_t numbering)
{
    return std::min<std::int64_t>(static_cast<std::uint32_t>(numbering),
                                  model::maxAxisNumberDecimals);
}

std::int64_t writtenDecimals(std::int32_t numbering)
{
    const std::int64_t decimals = static_cast<std::int64_t>(numbering) - 1;
    return decimals < 0 ? 6 : std::min(decimals, model::maxAxisNumberDecimals);
}

// The side of a tick dot: four times the pen's width, in whole pixels.
std::int32_t dotSizeOf(const Pen& pen)
{
    return model::truncateToInt32(pen.width * 4.0f);
}

// --- 2D axes ------------------------------------------------------------------------------------

std::int32_t saturatedInt32(std::int64_t value)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

// A whole-pixel point, through the own-2D mapping of whole points in OWN2D figures.
Point2D wholePoint(const ObjectContext& context, std::int64_t x, std::int64_t y)
{
    if (!context.own2d) return {static_cast<float>(x), static_cast<float>(y)};
    const geom::IntPoint2D moved =
        geom::applyOwn2D(context.own2d, geom::IntPoint2D{saturatedInt32(x), saturatedInt32(y)});
    return {static_cast<float>(moved.x), static_cast<float>(moved.y)};
}

// A dot's box on whole pixels; in OWN2D figures its position and its size pair each move.
AxisDot wholeDot(const ObjectContext& context, std::int64_t x, std::int64_t y, std::int64_t size)
{
    const Point2D position = wholePoint(context, x, y);
    const Point2D extent = wholePoint(context, size, size);
    return {{position.x, position.y, extent.x, extent.y}};
}

// What the 2D parts share: the current rectangle, the scales and the dot size.
struct PlaneAxes {
    std::int64_t a = 0, b = 0, c = 0, d = 0;
    std::optional<AxisScale> x, y;
    float xScale = 0, yScale = 0; // pixels per axis unit; 0 for a missing axis
    std::int64_t dot = 0, half = 0;
};

PlaneAxes planeAxes(const ObjectContext& context)
{
    PlaneAxes axes;
    const geom::LayerRect& r = context.rect;
    axes.a = r.left;
    axes.b = r.top;
    axes.c = r.right;
    axes.d = r.bottom;
    axes.x = axisScaleOf(*context.object, 0, r);
    axes.y = axisScaleOf(*context.object, 1, r);
    if (axes.x) axes.xScale = static_cast<float>(axes.c - axes.a) / (axes.x->to - axes.x->from);
    if (axes.y) axes.yScale = static_cast<float>(axes.d - axes.b) / (axes.y->to - axes.y->from);
    axes.dot = dotSizeOf(context.pen);
    axes.half = axes.dot / 2;
    return axes;
}

// The number of `value` with its top-left corner from `corner`, which gets the measured width
// and height of the text; none for numbering 0 and for a value of exactly 0.
template <typename Corner>
std::optional<AxisLabel> label(DrawingSurface& surface, const ObjectContext& context, float value,
                               std::int32_t numbering, Corner corner)
{
    if (numbering == 0 || value == 0.0f) return std::nullopt;
    AxisLabel made{axisNumberText(value, numbering), {}};
    const std::int64_t width = MeasureTextWidth(surface, made.text, context.font, context.format);
    const std::int64_t height = MeasureTextHeight(surface, made.text, context.font, context.format);
    const auto [x, y] = corner(width, height);
    const Point2D position = context.own2D({static_cast<float>(x), static_cast<float>(y)});
    made.layout = {position.x, position.y, static_cast<float>(width) + 1.0f,
                   static_cast<float>(height) + 1.0f};
    return made;
}

void addXAxis(std::vector<AxisPart>& parts, DrawingSurface& surface, const ObjectContext& context,
              const PlaneAxes& axes)
{
    const AxisScale& x = *axes.x;
    const float yFrom = axes.y ? axes.y->from : 0.0f;
    const std::int64_t row =
        model::truncateToInt32(axes.yScale * yFrom + static_cast<float>(axes.d));
    parts.push_back(AxisLine{wholePoint(context, axes.a, row), wholePoint(context, axes.c, row)});
    const Ticks ticks = twoDTicks(x);
    for (std::int64_t k = 1; k <= ticks.dots; ++k) {
        const float step = static_cast<float>(k);
        const std::int64_t xk =
            model::truncateToInt32(axes.xScale * step * x.spacing + static_cast<float>(axes.a)) -
            axes.half;
        parts.push_back(wholeDot(context, xk, row - axes.half, axes.dot));
        const auto corner = [&](std::int64_t width, std::int64_t) {
            const std::int64_t top = row - axes.half + 15;
            return std::array<std::int64_t, 2>{xk - width / 2, top > axes.d ? axes.d - 5 : top};
        };
        if (auto made = label(surface, context, x.spacing * step + x.from, x.numbering, corner))
            parts.push_back(std::move(*made));
    }
}

void addYAxis(std::vector<AxisPart>& parts, DrawingSurface& surface, const ObjectContext& context,
              const PlaneAxes& axes)
{
    const AxisScale& y = *axes.y;
    const float xFrom = axes.x ? axes.x->from : 0.0f;
    const std::int64_t column =
        model::truncateToInt32(static_cast<float>(axes.a) - axes.xScale * xFrom);
    parts.push_back(
        AxisLine{wholePoint(context, column, axes.b), wholePoint(context, column, axes.d)});
    const Ticks ticks = twoDTicks(y);
    for (std::int64_t k = 1; k <= ticks.dots; ++k) {
        const float step = static_cast<float>(k);
        const std::int64_t yk =
            model::truncateToInt32(static_cast<float>(axes.d) - axes.yScale * step * y.spacing) -
            axes.half;
        parts.push_back(wholeDot(context, column - axes.half, yk, axes.dot));
        const auto corner = [&](std::int64_t width, std::int64_t height) {
            const std::int64_t left = column - axes.half - width / 2 - 10;
            return std::array<std::int64_t, 2>{left < 0 ? 0 : left, yk - height / 2};
        };
        if (auto made = label(surface, context, y.spacing * step + y.from, y.numbering, corner))
            parts.push_back(std::move(*made));
    }
}

// --- 3D axes ------------------------------------------------------------------------------------

geom::Point3D onAxis(std::size_t axis, float value)
{
    geom::Point3D point;
    (axis == 0 ? point.x : axis == 1 ? point.y : point.z) = value;
    return point;
}

void addSpaceAxes(std::vector<AxisPart>& parts, const ObjectContext& context,
                  const std::array<AxisScale, 3>& scales)
{
    const geom::PerspectiveProjection project = objectProjection(context);
    const std::int32_t dot = dotSizeOf(context.pen);
    const auto half = static_cast<float>(dot / 2);
    const auto size = static_cast<float>(dot);
    for (std::size_t axis = 0; axis < scales.size(); ++axis) {
        const AxisScale& scale = scales[axis];
        const Point2D from = context.own2D(project(onAxis(axis, scale.from)));
        const Point2D to = context.own2D(project(onAxis(axis, scale.to)));
        if (isFinite(from) && isFinite(to)) parts.push_back(AxisLine{from, to});
        const Ticks ticks = threeDTicks(scale);
        for (std::int64_t k = 1; k <= ticks.dots; ++k) {
            const float value = scale.from + static_cast<float>(k) * scale.spacing;
            const Point2D centre = context.own2D(project(onAxis(axis, value)));
            if (isFinite(centre))
                parts.push_back(AxisDot{{centre.x - half, centre.y - half, size, size}});
        }
    }
}

// --- limit messages -----------------------------------------------------------------------------

constexpr std::array<const char*, 3> axisNames = {"x", "y", "z"};

geom::LayerRect rectOf(const model::Figure& figure, const model::PlotObject& object)
{
    const std::int64_t layerIndex =
        static_cast<std::int64_t>(model::placementOf(object).layerId) - 1;
    if (layerIndex >= 0 && static_cast<std::size_t>(layerIndex) < figure.layers.size())
        return geom::layerRectangle(figure.layers[static_cast<std::size_t>(layerIndex)],
                                    figure.clientWidth, figure.clientHeight);
    return {0, 0, figure.clientWidth, figure.clientHeight};
}

std::string tickMessage(const Ticks& ticks, std::size_t axis)
{
    return std::string("AXIS: the ") + axisNames[axis] + " axis has " + fixedText(ticks.wanted, 0) +
           " ticks, more than the limit of " + std::to_string(model::maxAxisTicks) +
           "; it is drawn without its dots and numbers";
}

std::string decimalsMessage(std::int32_t numbering, std::size_t axis)
{
    return std::string("AXIS: a numbering of ") + std::to_string(numbering) + " asks for " +
           std::to_string(static_cast<std::int64_t>(numbering) - 1) +
           " decimals, more than the limit of " + std::to_string(model::maxAxisNumberDecimals) +
           "; the " + axisNames[axis] + " axis numbers are written with " +
           std::to_string(model::maxAxisNumberDecimals);
}

} // namespace

std::string axisNumberText(float value, std::int32_t numbering)
{
    if (numbering == 1) return std::to_string(model::truncateToInt32(value));
    const auto rounded = static_cast<float>(
        readBack(fixedText(static_cast<double>(value), roundingDecimals(numbering))));
    return fixedText(static_cast<double>(rounded), writtenDecimals(numbering));
}

std::vector<AxisPart> axisParts(DrawingSurface& surface, const ObjectContext& context)
{
    std::vector<AxisPart> parts;
    const model::PlotObject& object = *context.object;
    if (const std::optional<AxisScale> z = axisScaleOf(object, 2, context.rect)) {
        addSpaceAxes(parts, context,
                     {axisScaleOf(object, 0, context.rect).value_or(AxisScale{}),
                      axisScaleOf(object, 1, context.rect).value_or(AxisScale{}), *z});
        return parts;
    }
    const PlaneAxes axes = planeAxes(context);
    if (axes.x) addXAxis(parts, surface, context, axes);
    if (axes.y) addYAxis(parts, surface, context, axes);
    return parts;
}

void drawAxisObject(DrawingSurface& surface, const ObjectContext& context)
{
    const Pen pen = context.strokePen();
    for (const AxisPart& part : axisParts(surface, context)) {
        if (const auto* line = std::get_if<AxisLine>(&part)) {
            surface.drawLine(pen, line->from, line->to);
        } else if (const auto* dot = std::get_if<AxisDot>(&part)) {
            drawFilledEllipse(surface, context, dot->box);
        } else if (context.brush) {
            const auto& number = std::get<AxisLabel>(part);
            surface.drawString(number.text, context.font, *context.brush, number.layout,
                               context.format);
        }
    }
}

std::vector<std::string> describeAxisLimits(const model::Figure& figure,
                                            const model::PlotObject& axisObject)
{
    std::vector<std::string> messages;
    if (axisObject.type != model::ObjectType::Axis) return messages;
    const geom::LayerRect rect = rectOf(figure, axisObject);
    const bool space = axisScaleOf(axisObject, 2, rect).has_value();
    for (std::size_t axis = 0; axis < (space ? 3u : 2u); ++axis) {
        const std::optional<AxisScale> scale =
            axisScaleOf(axisObject, static_cast<int>(axis), rect);
        if (!scale) continue;
        const Ticks ticks = space ? threeDTicks(*scale) : twoDTicks(*scale);
        if (ticks.overLimit())
            messages.push_back(tickMessage(ticks, axis));
        else if (!space &&
                 static_cast<std::int64_t>(scale->numbering) - 1 > model::maxAxisNumberDecimals)
            messages.push_back(decimalsMessage(scale->numbering, axis));
    }
    return messages;
}

} // namespace render
