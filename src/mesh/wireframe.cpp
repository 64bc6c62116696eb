// Projecting a wireframe: clip coordinates, clipping against the six planes of the view volume,
// and the viewport mapping.
#include "mesh/wireframe.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace mesh {
namespace {

using geom::Point4D;

bool isFinite(const Point4D& p)
{
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z) && std::isfinite(p.w);
}

// Signed distances of a clip-space point to the six planes of the view volume, positive inside:
// −w ≤ x ≤ w, −w ≤ y ≤ w, 0 ≤ z ≤ w.
std::array<float, 6> planeDistances(const Point4D& p)
{
    return {p.w + p.x, p.w - p.x, p.w + p.y, p.w - p.y, p.z, p.w - p.z};
}

Point4D lerp(const Point4D& a, const Point4D& b, float t)
{
    return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, a.z + (b.z - a.z) * t,
            a.w + (b.w - a.w) * t};
}

// Cuts the segment a–b to the view volume (Liang–Barsky in homogeneous coordinates); false when
// nothing of it is inside.
bool clipSegment(Point4D& a, Point4D& b)
{
    const std::array<float, 6> da = planeDistances(a), db = planeDistances(b);
    float enter = 0, leave = 1;
    for (std::size_t plane = 0; plane < 6; ++plane) {
        if (da[plane] < 0 && db[plane] < 0) return false;
        if (da[plane] < 0)
            enter = std::max(enter, da[plane] / (da[plane] - db[plane]));
        else if (db[plane] < 0)
            leave = std::min(leave, da[plane] / (da[plane] - db[plane]));
    }
    if (enter > leave) return false;
    const Point4D from = a;
    if (enter > 0) a = lerp(from, b, enter);
    if (leave < 1) b = lerp(from, b, leave);
    return true;
}

geom::Point2D toPixels(const Point4D& p, const Viewport& viewport)
{
    return {viewport.left + (p.x / p.w + 1) * 0.5f * viewport.width,
            viewport.top + (1 - p.y / p.w) * 0.5f * viewport.height};
}

} // namespace

std::vector<geom::Point2D> projectWireFrame(const WireFrame& wire, const geom::Matrix4x4& toClip,
                                            const Viewport& viewport)
{
    // Every point once: its clip coordinates, and its pixel when it lies inside the view volume,
    // so that the common edge with both ends inside needs no clipping.
    const std::size_t count = wire.points.size();
    std::vector<Point4D> clip(count);
    std::vector<geom::Point2D> pixels(count);
    std::vector<std::uint8_t> inside(count);
    for (std::size_t i = 0; i < count; ++i) {
        clip[i] = toClip.map(wire.points[i]);
        const std::array<float, 6> d = planeDistances(clip[i]);
        inside[i] = isFinite(clip[i]) && clip[i].w > 0 && d[0] >= 0 && d[1] >= 0 && d[2] >= 0 &&
                    d[3] >= 0 && d[4] >= 0 && d[5] >= 0;
        if (inside[i]) pixels[i] = toPixels(clip[i], viewport);
    }

    std::vector<geom::Point2D> lines;
    lines.reserve(wire.edges.size() * 2);
    for (const WireEdge& edge : wire.edges) {
        if (inside[edge.from] && inside[edge.to]) {
            lines.push_back(pixels[edge.from]);
            lines.push_back(pixels[edge.to]);
            continue;
        }
        Point4D a = clip[edge.from], b = clip[edge.to];
        if (!isFinite(a) || !isFinite(b) || !clipSegment(a, b)) continue;
        if (a.w <= 0 || b.w <= 0) continue; // a projection that sees behind its eye
        lines.push_back(toPixels(a, viewport));
        lines.push_back(toPixels(b, viewport));
    }
    return lines;
}

} // namespace mesh
