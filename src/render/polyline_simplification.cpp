// Sleeve fitting: from each kept point, the directions that pass within the tolerance of every
// point since form a cone; a point outside the cone starts the next segment.
#include "render/polyline_simplification.h"

#include <cmath>

namespace render {

namespace {

struct Vector {
    double x = 0, y = 0;
};

Vector minus(DevicePoint a, DevicePoint b)
{
    return {a.x - b.x, a.y - b.y};
}
double cross(Vector a, Vector b)
{
    return a.x * b.y - a.y * b.x;
}
double dot(Vector a, Vector b)
{
    return a.x * b.x + a.y * b.y;
}

class Simplifier {
public:
    Simplifier(std::span<const geom::Point2D> points, const DeviceTransform& toDevice,
               const SimplificationTolerance& tolerance)
        : m_points(points), m_toDevice(toDevice), m_tolerance(tolerance),
          m_cosMaxTurn(std::cos(tolerance.maxTurn))
    {
    }

    std::vector<geom::Point2D> run()
    {
        if (m_points.size() < 3) return {m_points.begin(), m_points.end()};
        keep(0);
        for (std::size_t i = 1; i < m_points.size();) {
            if (fits(i)) {
                m_candidate = i++;
            } else if (m_candidate == m_anchor) {
                keep(i++); // the first point after the anchor always makes a segment
            } else {
                keep(m_candidate); // starts the next segment; point i is tried again from there
            }
        }
        if (m_anchor + 1 != m_points.size()) keep(m_points.size() - 1);
        return std::move(m_kept);
    }

private:
    void keep(std::size_t index)
    {
        const DevicePoint point = m_toDevice.map(m_points[index]);
        if (!m_kept.empty()) {
            const Vector along = minus(point, m_anchorPoint);
            const double length = std::sqrt(dot(along, along));
            m_hasDirection = length > 0;
            if (m_hasDirection) m_direction = {along.x / length, along.y / length};
        }
        m_kept.push_back(m_points[index]);
        m_anchor = m_candidate = index;
        m_anchorPoint = point;
        m_hasCone = false;
        m_farthest2 = 0;
    }

    // Whether the segment from the anchor to point i passes close to every point since the
    // anchor; if so the cone narrows to what point i allows. Distances stay squared where they
    // can: this runs for every point of the line.
    bool fits(std::size_t i)
    {
        const Vector v = minus(m_toDevice.map(m_points[i]), m_anchorPoint);
        const double d2 = dot(v, v);
        const double e = m_tolerance.distance;
        const double e2 = e * e;
        if (d2 <= e2) return m_farthest2 <= e2; // close to the anchor: any direction passes
        if (d2 < m_farthest2 && foldsBack(d2)) return false;
        if (m_hasCone && (cross(m_right, v) < 0 || cross(v, m_left) < 0)) return false;
        if (m_hasDirection) {
            const double along = dot(v, m_direction);
            if (along < 0 || along * along < m_cosMaxTurn * m_cosMaxTurn * d2) return false;
        }
        narrowCone(v, std::sqrt(d2 - e2));
        if (d2 > m_farthest2) m_farthest2 = d2;
        return true;
    }

    bool foldsBack(double d2) const
    {
        const double reach = std::sqrt(m_farthest2) - m_tolerance.distance;
        return reach > 0 && d2 < reach * reach;
    }

    // The two directions that pass at the tolerance from the end of v (|v| * the unit vectors,
    // since only their orientation counts): v turned by +-asin(e / |v|).
    void narrowCone(Vector v, double tangent)
    {
        const double e = m_tolerance.distance;
        const Vector left{v.x * tangent - v.y * e, v.y * tangent + v.x * e};
        const Vector right{v.x * tangent + v.y * e, v.y * tangent - v.x * e};
        if (!m_hasCone) {
            m_left = left;
            m_right = right;
            m_hasCone = true;
            return;
        }
        if (cross(m_left, left) < 0) m_left = left;
        if (cross(m_right, right) > 0) m_right = right;
    }

    std::span<const geom::Point2D> m_points;
    DeviceTransform m_toDevice;
    SimplificationTolerance m_tolerance;
    double m_cosMaxTurn;
    std::vector<geom::Point2D> m_kept;
    std::size_t m_anchor = 0, m_candidate = 0;
    DevicePoint m_anchorPoint;
    bool m_hasCone = false;
    Vector m_left, m_right; // counter-clockwise and clockwise bounds of the cone
    bool m_hasDirection = false;
    Vector m_direction;     // of the last kept segment, unit length
    double m_farthest2 = 0; // squared distance of the farthest point since the anchor
};

} // namespace

std::vector<geom::Point2D> simplifyPolyline(std::span<const geom::Point2D> points,
                                            const DeviceTransform& toDevice,
                                            const SimplificationTolerance& tolerance)
{
    return Simplifier(points, toDevice, tolerance).run();
}

} // namespace render
