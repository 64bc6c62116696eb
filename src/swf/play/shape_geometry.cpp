// Shape records resolved into absolute outlines, interpolated for morphs and flattened.
#include "swf/play/shape_geometry.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace swf {

namespace {

struct Position {
    double x = 0, y = 0; // twips
};

Position lerp(Position a, Position b, double t)
{
    return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
}

// A style change (with or without a move) or an edge, with absolute positions.
struct OutlineStep {
    bool isEdge = false;
    // style change
    std::optional<std::uint32_t> fill0, fill1, line;
    bool moves = false;
    // edge (a straight edge has its control point in its middle and `curved` false)
    Position from, control, to;
    bool curved = false;
};

std::vector<OutlineStep> resolve(const std::vector<ShapeRecord>& records)
{
    std::vector<OutlineStep> steps;
    steps.reserve(records.size());
    Position pen;
    for (const ShapeRecord& record : records) {
        OutlineStep step;
        if (const auto* change = std::get_if<StyleChangeRecord>(&record)) {
            step.fill0 = change->fillStyle0;
            step.fill1 = change->fillStyle1;
            step.line = change->lineStyle;
            if (change->moveTo) {
                step.moves = true;
                pen = {static_cast<double>(change->moveTo->x.value),
                       static_cast<double>(change->moveTo->y.value)};
            }
            step.to = pen;
        } else if (const auto* line = std::get_if<StraightEdgeRecord>(&record)) {
            step.isEdge = true;
            step.from = pen;
            step.to = {pen.x + line->deltaX.value, pen.y + line->deltaY.value};
            step.control = lerp(step.from, step.to, 0.5);
        } else {
            const auto& curve = std::get<CurvedEdgeRecord>(record);
            step.isEdge = true;
            step.curved = true;
            step.from = pen;
            step.control = {pen.x + curve.controlDeltaX.value, pen.y + curve.controlDeltaY.value};
            step.to = {step.control.x + curve.anchorDeltaX.value,
                       step.control.y + curve.anchorDeltaY.value};
        }
        pen = step.to;
        steps.push_back(step);
    }
    return steps;
}

// The start outline with every position moved toward its partner in the end outline.
std::vector<OutlineStep> interpolate(const std::vector<OutlineStep>& start,
                                     const std::vector<OutlineStep>& end, double t)
{
    std::vector<const OutlineStep*> endMoves, endEdges;
    for (const OutlineStep& step : end)
        (step.isEdge ? endEdges : endMoves).push_back(step.isEdge || step.moves ? &step : nullptr);
    std::erase(endMoves, nullptr);
    std::vector<OutlineStep> result;
    result.reserve(start.size());
    std::size_t move = 0, edge = 0;
    Position pen;
    for (OutlineStep step : start) {
        if (!step.isEdge) {
            if (step.moves) {
                const Position target = move < endMoves.size() ? endMoves[move]->to : step.to;
                ++move;
                pen = lerp(step.to, target, t);
            }
            step.to = pen;
        } else {
            const OutlineStep* partner = edge < endEdges.size() ? endEdges[edge] : &step;
            ++edge;
            step.from = pen;
            step.control = lerp(step.control, partner->control, t);
            step.to = lerp(step.to, partner->to, t);
            step.curved = step.curved || partner->curved;
            pen = step.to;
        }
        result.push_back(step);
    }
    return result;
}

geom::Point2D pixels(Position p)
{
    return {static_cast<float>(p.x / twipsPerPixel), static_cast<float>(p.y / twipsPerPixel)};
}

// Pieces for a curve: enough that the flattened curve stays within a tenth of a pixel of the
// true one, at most `limit`.
std::size_t piecesFor(const OutlineStep& curve, std::size_t limit)
{
    const double dx = curve.from.x - 2 * curve.control.x + curve.to.x;
    const double dy = curve.from.y - 2 * curve.control.y + curve.to.y;
    const double deviationPixels = std::hypot(dx, dy) / 4 / twipsPerPixel;
    const double pieces = std::ceil(std::sqrt(deviationPixels / 0.1));
    if (!(pieces > 1)) return 1;
    return std::min(limit, static_cast<std::size_t>(std::min(pieces, 1e6)));
}

void appendCurve(std::vector<geom::Point2D>& points, const OutlineStep& curve, std::size_t pieces)
{
    for (std::size_t piece = 1; piece <= pieces; ++piece) {
        const double t = static_cast<double>(piece) / static_cast<double>(pieces);
        const double u = 1 - t;
        points.push_back(pixels({u * u * curve.from.x + 2 * u * t * curve.control.x + t * t * curve.to.x,
                                 u * u * curve.from.y + 2 * u * t * curve.control.y + t * t * curve.to.y}));
    }
}

std::vector<ShapePath> flatten(const std::vector<OutlineStep>& steps)
{
    std::size_t curves = 0;
    for (const OutlineStep& step : steps)
        if (step.isEdge && step.curved) ++curves;
    const std::size_t pieceLimit =
        curves == 0 ? 1 : std::clamp<std::size_t>(maxFlattenedShapePoints / curves, 1, 16);

    std::vector<ShapePath> paths;
    std::uint32_t fill0 = 0, fill1 = 0, line = 0;
    bool open = false; // the last path may take further edges
    for (const OutlineStep& step : steps) {
        if (!step.isEdge) {
            fill0 = step.fill0.value_or(fill0);
            fill1 = step.fill1.value_or(fill1);
            line = step.line.value_or(line);
            open = false;
            continue;
        }
        if (!open) {
            ShapePath path;
            path.fillStyle = fill1 != 0 ? fill1 : fill0;
            path.lineStyle = line;
            path.points.push_back(pixels(step.from));
            paths.push_back(std::move(path));
            open = true;
        }
        std::vector<geom::Point2D>& points = paths.back().points;
        if (step.curved)
            appendCurve(points, step, piecesFor(step, pieceLimit));
        else
            points.push_back(pixels(step.to));
    }
    return paths;
}

std::uint8_t mix(std::uint8_t a, std::uint8_t b, double t)
{
    return static_cast<std::uint8_t>(std::lround(a + (b - a) * t));
}

Rgba mix(const Rgba& a, const Rgba& b, double t)
{
    return {mix(a.red, b.red, t), mix(a.green, b.green, t), mix(a.blue, b.blue, t),
            mix(a.alpha, b.alpha, t)};
}

std::int32_t mix(std::int32_t a, std::int32_t b, double t)
{
    return static_cast<std::int32_t>(std::lround(a + (static_cast<double>(b) - a) * t));
}

std::optional<FixedPair> mix(const std::optional<FixedPair>& a, const std::optional<FixedPair>& b,
                             double t, std::int32_t absent)
{
    if (!a && !b) return std::nullopt;
    const FixedPair from = a.value_or(FixedPair{absent, absent});
    const FixedPair to = b.value_or(FixedPair{absent, absent});
    return FixedPair{mix(from.first, to.first, t), mix(from.second, to.second, t)};
}

SwfMatrix mix(const SwfMatrix& a, const SwfMatrix& b, double t)
{
    SwfMatrix result;
    result.scale = mix(a.scale, b.scale, t, 65536);
    result.rotateSkew = mix(a.rotateSkew, b.rotateSkew, t, 0);
    result.translateX = {mix(a.translateX.value, b.translateX.value, t)};
    result.translateY = {mix(a.translateY.value, b.translateY.value, t)};
    return result;
}

FillStyle fillAt(const MorphFillStyle& style, double t)
{
    if (const auto* solid = std::get_if<MorphSolidFill>(&style))
        return SolidFill{mix(solid->startColour, solid->endColour, t)};
    const auto& gradient = std::get<MorphLinearGradientFill>(style);
    LinearGradientFill result{mix(gradient.startMatrix, gradient.endMatrix, t), {}};
    for (const MorphGradientRecord& record : gradient.records)
        result.records.push_back({mix(record.startRatio, record.endRatio, t),
                                  mix(record.startColour, record.endColour, t)});
    return result;
}

} // namespace

std::size_t ShapeGeometry::pointCount() const
{
    std::size_t count = 0;
    for (const ShapePath& path : paths)
        count += path.points.size();
    return count;
}

ShapeGeometry shapeGeometryOf(const DefineShape3& shape)
{
    return {shape.fillStyles, shape.lineStyles, flatten(resolve(shape.records))};
}

ShapeGeometry morphGeometryAt(const DefineMorphShape& morph, std::uint16_t ratio)
{
    const double t = ratio / 65535.0;
    ShapeGeometry geometry;
    for (const MorphFillStyle& style : morph.fillStyles)
        geometry.fills.push_back(fillAt(style, t));
    for (const MorphLineStyle& style : morph.lineStyles)
        geometry.lines.push_back(
            {static_cast<std::uint16_t>(mix(style.startWidth, style.endWidth, t)),
             mix(style.startColour, style.endColour, t)});
    geometry.paths =
        flatten(interpolate(resolve(morph.startRecords), resolve(morph.endRecords), t));
    return geometry;
}

} // namespace swf
