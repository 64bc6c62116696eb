// Shape fills, gradient bands and lines.
#include "swf/play/shape_painting.h"

#include <cmath>

namespace swf {

namespace {

// The gradient square of the movie format spans -16384 to 16384 twips along its x axis.
constexpr double gradientHalfWidth = 16384;

// A linear function of pixel positions: the gradient's x coordinate, in twips.
struct GradientAxis {
    double u = 0, v = 0, w = 0;
    double at(geom::Point2D p) const { return u * p.x + v * p.y + w; }
};

std::optional<GradientAxis> gradientAxisOf(const geom::Matrix2D& m)
{
    // m maps gradient twips to pixels; its inverse's first row gives the gradient's x.
    const double determinant = double{m.m11} * m.m22 - double{m.m21} * m.m12;
    if (std::abs(determinant) < 1e-12) return std::nullopt;
    const double u = m.m22 / determinant, v = -m.m21 / determinant;
    return GradientAxis{u, v, -(u * m.dx + v * m.dy)};
}

// The part of `polygon` where the axis lies on the given side of `limit`.
std::vector<geom::Point2D> clipped(const std::vector<geom::Point2D>& polygon,
                                   const GradientAxis& axis, double limit, bool below)
{
    std::vector<geom::Point2D> result;
    const auto inside = [&](double value) { return below ? value <= limit : value >= limit; };
    for (std::size_t index = 0; index < polygon.size(); ++index) {
        const geom::Point2D a = polygon[index];
        const geom::Point2D b = polygon[(index + 1) % polygon.size()];
        const double va = axis.at(a), vb = axis.at(b);
        if (inside(va)) result.push_back(a);
        if (inside(va) != inside(vb)) {
            const double t = (limit - va) / (vb - va);
            result.push_back({static_cast<float>(a.x + (b.x - a.x) * t),
                              static_cast<float>(a.y + (b.y - a.y) * t)});
        }
    }
    return result;
}

void fillPart(render::DrawingSurface& surface, const render::Brush& brush,
              const std::vector<geom::Point2D>& points)
{
    if (points.size() >= 3) surface.fillPolygon(brush, points, render::FillMode::Alternate);
}

void fillGradient(render::DrawingSurface& surface, const LinearGradientFill& gradient,
                  const std::vector<geom::Point2D>& points)
{
    if (gradient.records.empty()) return;
    // From gradient twips to pixels.
    geom::Matrix2D matrix = matrixOf(gradient.matrix);
    for (float* factor : {&matrix.m11, &matrix.m12, &matrix.m21, &matrix.m22})
        *factor /= static_cast<float>(twipsPerPixel);
    const std::optional<GradientAxis> axis = gradientAxisOf(matrix);
    const GradientRecord& first = gradient.records.front();
    if (!axis) {
        fillPart(surface, render::SolidBrush{argbOf(first.colour)}, points);
        return;
    }
    const auto position = [](std::uint8_t ratio) {
        return -gradientHalfWidth + ratio / 255.0 * 2 * gradientHalfWidth;
    };
    fillPart(surface, render::SolidBrush{argbOf(first.colour)},
             clipped(points, *axis, position(first.ratio), true));
    for (std::size_t index = 1; index < gradient.records.size(); ++index) {
        const GradientRecord& from = gradient.records[index - 1];
        const GradientRecord& to = gradient.records[index];
        const double start = position(from.ratio), end = position(to.ratio);
        if (!(end > start)) continue;
        render::LinearGradientBrush band;
        band.rect = {static_cast<float>(start), -1, static_cast<float>(end - start), 2};
        band.colour1 = argbOf(from.colour);
        band.colour2 = argbOf(to.colour);
        band.transform = matrix;
        fillPart(surface, band, clipped(clipped(points, *axis, start, false), *axis, end, true));
    }
    fillPart(surface, render::SolidBrush{argbOf(gradient.records.back().colour)},
             clipped(points, *axis, position(gradient.records.back().ratio), false));
}

void fillPath(render::DrawingSurface& surface, const FillStyle& fill,
              const std::vector<geom::Point2D>& points)
{
    if (const auto* solid = std::get_if<SolidFill>(&fill)) {
        if (solid->colour.alpha != 0) fillPart(surface, render::SolidBrush{argbOf(solid->colour)}, points);
        return;
    }
    fillGradient(surface, std::get<LinearGradientFill>(fill), points);
}

render::Pen penOf(const LineStyle& line)
{
    render::Pen pen;
    pen.colour = argbOf(line.colour);
    pen.width = static_cast<float>(line.width) / twipsPerPixel;
    pen.ends = render::LineEnds::Round;
    return pen;
}

} // namespace

std::uint32_t argbOf(const Rgba& colour)
{
    return std::uint32_t{colour.alpha} << 24 | std::uint32_t{colour.red} << 16 |
           std::uint32_t{colour.green} << 8 | colour.blue;
}

geom::Matrix2D matrixOf(const SwfMatrix& matrix)
{
    constexpr float unit = 65536.0f;
    geom::Matrix2D result;
    if (matrix.scale) {
        result.m11 = static_cast<float>(matrix.scale->first) / unit;
        result.m22 = static_cast<float>(matrix.scale->second) / unit;
    }
    if (matrix.rotateSkew) {
        result.m12 = static_cast<float>(matrix.rotateSkew->first) / unit;
        result.m21 = static_cast<float>(matrix.rotateSkew->second) / unit;
    }
    result.dx = static_cast<float>(matrix.translateX.value) / twipsPerPixel;
    result.dy = static_cast<float>(matrix.translateY.value) / twipsPerPixel;
    return result;
}

void paintShape(render::DrawingSurface& surface, const ShapeGeometry& geometry)
{
    for (const ShapePath& path : geometry.paths)
        if (path.fillStyle != 0 && path.fillStyle <= geometry.fills.size())
            fillPath(surface, geometry.fills[path.fillStyle - 1], path.points);
    for (const ShapePath& path : geometry.paths) {
        if (path.lineStyle == 0 || path.lineStyle > geometry.lines.size()) continue;
        const LineStyle& line = geometry.lines[path.lineStyle - 1];
        if (line.colour.alpha == 0 || path.points.size() < 2) continue;
        surface.drawPolyline(penOf(line), path.points);
    }
}

} // namespace swf
