// Exact coverage of wide polylines.
//
// Sections: the area accumulator · the outline of a stroke · the mask
#include "render/stroke_coverage.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <future>
#include <limits>
#include <system_error>
#include <thread>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace render {
namespace {

// Lines of at least this many points, whose bounds have at least twice this many rows, are
// covered in two bands at once.
constexpr std::size_t bandedPoints = 2048;
constexpr std::int32_t minimumBandRows = 32;
// The least height of an edge whose slope is finite, however wide the area.
constexpr double minimumHeight = 1e-280;
// How many different points of a line a band takes at once.
constexpr std::size_t blockPoints = 32;

// A level from 0 to 255 rounded half away from zero, as std::lround rounds, without its call:
// the difference to the whole part below is exact.
std::uint8_t roundedLevel(double level)
{
    const auto whole = static_cast<std::int32_t>(level);
    return static_cast<std::uint8_t>(level - whole >= 0.5 ? whole + 1 : whole);
}

// --- the area accumulator -----------------------------------------------------------------------

// Coordinates here are never negative, so truncation is the floor.
std::ptrdiff_t floorOf(double value)
{
    return static_cast<std::ptrdiff_t>(value);
}

// Signed areas of directed edges, kept per pixel so that the running sum along a row is the
// winding of the filled outline over each pixel, weighted by the area it covers. An accumulator
// may keep a band of the area's rows only: each edge is followed row by row from where it
// enters the area exactly as for the whole area, and adds only within the band, so that the
// bands of an area add up the same numbers in the same order as the whole.
//
// A long line's outline is millions of short edges, nearly all inside the area, and most of
// them follow one another within one pixel: those are summed in double precision in an open
// cell, which adds to the pixel's area once the edges move on; other edges within one row take
// a path of their own.
// Indices are signed and the limits kept as doubles, since converting unsigned numbers to and
// from doubles costs several instructions each time.
class AreaAccumulator {
public:
    AreaAccumulator(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height,
                    std::int32_t bandBegin, std::int32_t bandEnd)
        : m_left(left), m_top(top), m_width(width), m_height(height), m_bandBegin(bandBegin),
          m_bandEnd(bandEnd), m_firstRow(bandBegin), m_endRow(bandEnd),
          m_bandTop(static_cast<double>(top) + bandBegin),
          m_bandBottom(static_cast<double>(top) + bandEnd), m_width32(width),
          m_rows(static_cast<std::size_t>(bandEnd - bandBegin)),
          m_stride(static_cast<std::ptrdiff_t>(width) + 2),
          m_area(static_cast<std::size_t>(m_stride) * m_rows, 0.0f)
    {
    }

    // An edge of the outline, in device coordinates.
    [[gnu::always_inline]] void addEdge(DevicePoint from, DevicePoint to)
    {
        const double x0 = from.x - m_left, y0 = from.y - m_top;
        const double x1 = to.x - m_left, y1 = to.y - m_top;
        // Most edges of a long line are short and follow one another within one pixel: they
        // are summed in the open cell (a NaN corner while none is open fails every test).
        const double cellRight = m_cellLeft + 1, cellBottom = m_cellTop + 1;
        if (x0 >= m_cellLeft && x0 <= cellRight && x1 >= m_cellLeft && x1 <= cellRight &&
            y0 >= m_cellTop && y0 <= cellBottom && y1 >= m_cellTop && y1 <= cellBottom) {
            addToCell(x0, y0, x1, y1);
            return;
        }
        const double left = std::min(x0, x1), right = std::max(x0, x1);
        const double top = std::min(y0, y1), bottom = std::max(y0, y1);
        if (left >= 0 && right < m_width && top >= 0 && top < m_height) {
            const double column = static_cast<double>(floorOf(left));
            const double row = static_cast<double>(floorOf(top));
            if (right <= column + 1 && bottom <= row + 1) {
                closeCell();
                m_cellLeft = column;
                m_cellTop = row;
                addToCell(x0, y0, x1, y1);
                return;
            }
            // Inside the area's columns and within one row of the band (which ends above the
            // area's bottom), the row walk of addLine would take one step from the edge's top
            // to its bottom.
            const double height = bottom - top;
            if (top >= m_firstRow && top < m_endRow && height > minimumHeight &&
                bottom <= row + 1) {
                const bool down = y0 < y1;
                addRowPiece(floorOf(top), down ? x0 : x1, down ? x1 : x0, down ? height : -height);
                return;
            }
        }
        clipAndAdd(x0, y0, x1, y1);
    }

    // Adds what the open cell holds to its pixels, when they are in the band, and closes it.
    // The edges summed in a cell depend on the edges alone, never on the band, so that bands
    // add up the same numbers as the whole area.
    void closeCell()
    {
        if (m_cellTop >= m_firstRow && m_cellTop < m_endRow) {
            // Each edge adds its winding times the part of the pixel right of it, and the rest
            // to the next pixel: summed, the winding less its moment, and the moment.
            float* area =
                m_area.data() + (floorOf(m_cellTop) - m_bandBegin) * m_stride + floorOf(m_cellLeft);
            const double moment = 0.5 * m_cellMoment;
            area[0] += static_cast<float>(m_cellWinding - moment);
            area[1] += static_cast<float>(moment);
        }
        m_cellWinding = m_cellMoment = 0;
        m_cellLeft = m_cellTop = std::numeric_limits<double>::quiet_NaN();
    }

    // Whether device rows from y = top to bottom overlap the rows kept.
    bool reachesRows(double top, double bottom) const
    {
        return bottom > m_bandTop && top < m_bandBottom;
    }
    // The coverage of the band's rows, `width` bytes a row from `out` on.
    void writeMask(std::uint8_t* out) const;

private:
    // Only columns left of the area's right edge need what an edge adds, and an edge left of the
    // area adds to all of them: the part beyond the right edge is dropped, the part beyond the
    // left edge runs along it.
    void clipAndAdd(double x0, double y0, double x1, double y1)
    {
        const double right = m_width;
        if (x0 >= right && x1 >= right) return;
        if (x0 > right) {
            y0 += (right - x0) / (x1 - x0) * (y1 - y0);
            x0 = right;
        } else if (x1 > right) {
            y1 = y0 + (right - x0) / (x1 - x0) * (y1 - y0);
            x1 = right;
        }
        if (x0 >= 0 && x1 >= 0) {
            addLine(x0, y0, x1, y1);
        } else if (x0 <= 0 && x1 <= 0) {
            addLine(0, y0, 0, y1);
        } else {
            const double y = y0 + (0 - x0) / (x1 - x0) * (y1 - y0);
            addLine(std::max(x0, 0.0), y0, 0, y);
            addLine(0, y, std::max(x1, 0.0), y1);
        }
    }

    // An edge within the open cell: its winding, and its winding times the sum of its ends'
    // distances from the cell's left side.
    [[gnu::always_inline]] void addToCell(double x0, double y0, double x1, double y1)
    {
        const double winding = y1 - y0;
        m_cellWinding += winding;
        m_cellMoment += winding * ((x0 - m_cellLeft) + (x1 - m_cellLeft));
    }

    void addLine(double x0, double y0, double x1, double y1);
    [[gnu::always_inline]] void addRowPiece(std::ptrdiff_t row, double xa, double xb,
                                            double winding);

    double m_left, m_top, m_width, m_height;
    std::ptrdiff_t m_bandBegin, m_bandEnd; // the rows kept
    double m_firstRow, m_endRow;           // the same as doubles
    double m_bandTop, m_bandBottom;        // the same in device coordinates
    std::int32_t m_width32;
    std::size_t m_rows;
    std::ptrdiff_t m_stride;   // two more than the width: an edge at the right edge adds beyond it
    std::vector<float> m_area; // the band's rows
    // The open cell: its top left corner in the area (NaN while none is open) and the sums of
    // the edges within it.
    double m_cellLeft = std::numeric_limits<double>::quiet_NaN();
    double m_cellTop = std::numeric_limits<double>::quiet_NaN();
    double m_cellWinding = 0, m_cellMoment = 0;
};

inline void AreaAccumulator::addLine(double x0, double y0, double x1, double y1)
{
    if (y0 == y1) return;
    double direction = 1;
    if (y0 > y1) {
        std::swap(x0, x1);
        std::swap(y0, y1);
        direction = -1;
    }
    const double top = std::max(y0, 0.0);
    const double bottom = std::min(y1, m_height);
    if (top >= bottom || bottom <= m_firstRow || top >= m_endRow) return;
    const double slope = (x1 - x0) / (y1 - y0);
    std::ptrdiff_t row = floorOf(top);
    double x = x0 + (top - y0) * slope;
    double rowTop = top;
    for (;;) {
        const double rowBottom = std::min(bottom, static_cast<double>(row) + 1);
        const double xNext = x + (rowBottom - rowTop) * slope;
        if (row >= m_bandBegin) addRowPiece(row, x, xNext, (rowBottom - rowTop) * direction);
        if (rowBottom >= bottom) return;
        x = xNext;
        rowTop = rowBottom;
        if (++row >= m_bandEnd) return;
    }
}

// The piece of an edge inside one row, from xa to xb, spanning `winding` of the row's height
// (negative going up): each pixel gets the part of the row to the right of the piece within it.
inline void AreaAccumulator::addRowPiece(std::ptrdiff_t row, double xa, double xb, double winding)
{
    float* area = m_area.data() + (row - m_bandBegin) * m_stride;
    const double left = std::min(std::max(std::min(xa, xb), 0.0), m_width);
    const double right = std::min(std::max(std::max(xa, xb), 0.0), m_width);
    const std::ptrdiff_t first = floorOf(left);
    const auto leftFloor = static_cast<double>(first);
    if (right <= leftFloor + 1) {
        const double middle = 0.5 * (left + right) - leftFloor;
        area[first] += static_cast<float>(winding * (1 - middle));
        area[first + 1] += static_cast<float>(winding * middle);
        return;
    }
    std::ptrdiff_t last = floorOf(right); // one past the last pixel
    if (static_cast<double>(last) < right) ++last;
    const double perUnit = 1 / (right - left);
    const double firstPart = 1 - (left - leftFloor);
    const double firstArea = 0.5 * perUnit * firstPart * firstPart;
    const double lastPart = right - static_cast<double>(last) + 1;
    const double lastArea = 0.5 * perUnit * lastPart * lastPart;
    area[first] += static_cast<float>(winding * firstArea);
    double done = firstArea; // of the piece's share, what the pixels so far have taken
    for (std::ptrdiff_t column = first + 1; column + 1 < last; ++column) {
        const double next = perUnit * (static_cast<double>(column - first) + 0.5 - (1 - firstPart));
        area[column] += static_cast<float>(winding * (next - done));
        done = next;
    }
    area[last - 1] += static_cast<float>(winding * (1 - done - lastArea));
    area[last] += static_cast<float>(winding * lastArea);
}

void AreaAccumulator::writeMask(std::uint8_t* out) const
{
    const auto width = static_cast<std::size_t>(m_width32);
    for (std::size_t row = 0; row < m_rows; ++row) {
        const float* area = m_area.data() + row * static_cast<std::size_t>(m_stride);
        double winding = 0;
        std::uint8_t level = 0;
        std::size_t column = 0;
        while (column < width) {
            // Most pixels of a stroke's bounds receive no area: the winding and so the level
            // stay what they were, and the run is filled at once.
            const std::size_t runStart = column;
            while (column < width && area[column] == 0.0f)
                ++column;
            std::memset(out + runStart, level, column - runStart);
            if (column == width) break;
            winding += static_cast<double>(area[column]);
            level = roundedLevel(std::min(std::fabs(winding), 1.0) * 255);
            out[column++] = level;
        }
        out += width;
    }
}

// --- the outline of a stroke --------------------------------------------------------------------

DevicePoint operator+(DevicePoint a, DevicePoint b)
{
    return {a.x + b.x, a.y + b.y};
}
DevicePoint operator-(DevicePoint a, DevicePoint b)
{
    return {a.x - b.x, a.y - b.y};
}
DevicePoint operator*(DevicePoint a, double s)
{
    return {a.x * s, a.y * s};
}
double dot(DevicePoint a, DevicePoint b)
{
    return a.x * b.x + a.y * b.y;
}
double cross(DevicePoint a, DevicePoint b)
{
    return a.x * b.y - a.y * b.x;
}

bool nearlyEqual(double a, double b)
{
    return std::fabs(a - b) * 1e12 <= std::min(std::fabs(a), std::fabs(b));
}

// One side of a segment, offset by half the width, running along the segment or against it.
struct SideLine {
    DevicePoint start, end;
    DevicePoint direction; // unit
    DevicePoint vector;    // end - start
};

struct SegmentSides {
    SideLine forward;  // on one side, from the segment's start to its end
    SideLine backward; // on the other side, from its end back to its start
};

class OutlineBuilder {
public:
    OutlineBuilder(AreaAccumulator& accumulator, const StrokeShape& shape)
        : m_area(accumulator), m_half(shape.width / 2),
          m_miterReach(shape.width * shape.miterLimit),
          m_reach(m_half + std::fabs(m_miterReach) + 2),
          m_slightTurn(std::cbrt(8e-6 / (m_half * m_half)))
    {
    }

    void addPolyline(std::span<const geom::Point2D> points, const DeviceTransform& toDevice);

private:
    SegmentSides sides(DevicePoint from, DevicePoint to) const
    {
        const DevicePoint vector = to - from;
        const DevicePoint direction = vector * (1 / std::sqrt(dot(vector, vector)));
        const DevicePoint normal = DevicePoint{-direction.y, direction.x} * m_half;
        return {{from + normal, to + normal, direction, vector},
                {to - normal, from - normal, direction * -1, vector * -1}};
    }
    // Whether edges within the reach of the line from a to b can add to the accumulator's rows.
    bool near(DevicePoint a, DevicePoint b) const
    {
        return m_area.reachesRows(std::min(a.y, b.y) - m_reach, std::max(a.y, b.y) + m_reach);
    }
    [[gnu::always_inline]] void join(const SideLine& previous, const SideLine& next,
                                     DevicePoint focal);

    AreaAccumulator& m_area;
    double m_half;
    double m_miterReach; // the miter limit times the width
    double m_reach;      // how far from its points the outline of a segment and its joins go
    double m_slightTurn; // the sine of the greatest turn whose miter is left out
};

// From the end of one side to the start of the next around `focal`: through the focal point on
// the inner side of the turn, through the miter point on the outer side, or, when the miter
// would reach farther than the limit (or the sides are parallel), squared off that far along
// both sides.
inline void OutlineBuilder::join(const SideLine& previous, const SideLine& next, DevicePoint focal)
{
    const DevicePoint from = previous.end, to = next.start;
    if (nearlyEqual(from.x, to.x) && nearlyEqual(from.y, to.y)) return;
    if (dot(to - from, previous.direction) < 0) {
        m_area.addEdge(from, focal);
        m_area.addEdge(focal, to);
        return;
    }
    // On the outer side of a slight turn the miter adds a sliver of about half-width squared
    // times the turn cubed over 8, kept below a millionth of a pixel: the side runs straight on.
    if (std::fabs(cross(previous.direction, next.direction)) < m_slightTurn &&
        dot(previous.direction, next.direction) > 0) {
        m_area.addEdge(from, to);
        return;
    }
    const double denominator = cross(previous.vector, next.vector);
    if (denominator != 0 && std::isfinite(denominator)) {
        const double along = cross(to - from, next.vector) / denominator;
        const DevicePoint miter = from + previous.vector * along;
        const DevicePoint reach = miter - from;
        if (dot(reach, reach) <= m_miterReach * m_miterReach) {
            m_area.addEdge(from, miter);
            m_area.addEdge(miter, to);
            return;
        }
    }
    const DevicePoint ahead = from + previous.direction * m_miterReach;
    const DevicePoint behind = to - next.direction * m_miterReach;
    m_area.addEdge(from, ahead);
    m_area.addEdge(ahead, behind);
    m_area.addEdge(behind, to);
}

// The outline runs forward along one side and back along the other; its edges are added in any
// order, since the areas they add only sum. The line's different points are taken in blocks: a
// block that lies, with the point before it, wholly on one side of the accumulator's rows and
// away from them adds nothing and is passed over; in the others the sides of every segment are
// computed first, in a loop short enough for the processor to overlap their square roots and
// divisions, then the edges are added one side after the other, so that consecutive edges lie
// side by side and mostly within one pixel.
void OutlineBuilder::addPolyline(std::span<const geom::Point2D> points,
                                 const DeviceTransform& toDevice)
{
    const std::size_t count = points.size();
    std::size_t next = 1;
    while (next < count && points[next] == points[0])
        ++next;
    if (next >= count) return;
    // point[0] is the last point of the block before (at first, the line's first point);
    // side[i] holds the sides of the segment from point[i - 1] to point[i].
    std::array<DevicePoint, blockPoints + 1> point;
    std::array<SegmentSides, blockPoints + 1> side;
    point[0] = toDevice.map(points[0]);
    // Whether the block before was taken, so that side[0] holds the sides before point[0].
    bool previousTaken = false;
    for (bool first = true;; first = false) {
        std::size_t size = 0;
        double low = point[0].y, high = low;
        while (size < blockPoints && next < count) {
            const geom::Point2D at = points[next];
            const DevicePoint p = toDevice.map(at);
            point[++size] = p;
            low = std::min(low, p.y);
            high = std::max(high, p.y);
            while (next < count && points[next] == at)
                ++next;
        }
        const bool last = next >= count;
        const bool taken = near({0, low}, {0, high});
        if (taken) {
            for (std::size_t i = 1; i <= size; ++i)
                side[i] = sides(point[i - 1], point[i]);
            // The forward side with its joins, then the backward one. After a block passed
            // over, point[0] is away from the rows, and so its join.
            m_area.closeCell();
            if (first) {
                m_area.addEdge(side[1].backward.end, side[1].forward.start); // the flat start cap
            } else if (previousTaken) {
                join(side[0].forward, side[1].forward, point[0]);
            }
            for (std::size_t i = 1; i <= size; ++i) {
                m_area.addEdge(side[i].forward.start, side[i].forward.end);
                if (i < size) join(side[i].forward, side[i + 1].forward, point[i]);
            }
            if (last) m_area.addEdge(side[size].forward.end, side[size].backward.start); // end cap
            m_area.closeCell();
            if (!first && previousTaken) join(side[1].backward, side[0].backward, point[0]);
            for (std::size_t i = 1; i <= size; ++i) {
                m_area.addEdge(side[i].backward.start, side[i].backward.end);
                if (i < size) join(side[i + 1].backward, side[i].backward, point[i]);
            }
            if (last) return;
            side[0] = side[size];
        } else if (last) {
            return;
        }
        previousTaken = taken;
        point[0] = point[size];
    }
}

// The least and the greatest x and y of `points` (at least one, all finite).
std::pair<geom::Point2D, geom::Point2D> extremes(std::span<const geom::Point2D> points)
{
    geom::Point2D low = points[0], high = low;
    std::size_t i = 0;
#if defined(__SSE2__)
    // Two points at a time, as x, y, x, y.
    __m128 lows = _mm_set_ps(low.y, low.x, low.y, low.x), highs = lows;
    static_assert(sizeof(geom::Point2D) == 2 * sizeof(float));
    for (; i + 2 <= points.size(); i += 2) {
        const __m128 pair = _mm_loadu_ps(&points[i].x);
        lows = _mm_min_ps(lows, pair);
        highs = _mm_max_ps(highs, pair);
    }
    std::array<float, 4> l{}, h{};
    _mm_storeu_ps(l.data(), lows);
    _mm_storeu_ps(h.data(), highs);
    low = {std::min(l[0], l[2]), std::min(l[1], l[3])};
    high = {std::max(h[0], h[2]), std::max(h[1], h[3])};
#endif
    for (; i < points.size(); ++i) {
        low = {std::min(low.x, points[i].x), std::min(low.y, points[i].y)};
        high = {std::max(high.x, points[i].x), std::max(high.y, points[i].y)};
    }
    return {low, high};
}

// The row that parts the points of the line in two halves by where they fall on the device,
// judged from every few points: the first row of the second band. Both bands keep a row or more.
std::int32_t balancedSplit(std::span<const geom::Point2D> points, const DeviceTransform& toDevice,
                           const PixelArea& bounds)
{
    constexpr std::size_t every = 8;
    const std::int32_t height = bounds.bottom - bounds.top;
    std::vector<std::size_t> perRow(static_cast<std::size_t>(height), 0);
    std::size_t counted = 0;
    for (std::size_t i = 0; i < points.size(); i += every) {
        const double y = toDevice.map(points[i]).y - bounds.top;
        if (!(y >= 0 && y < height)) continue;
        ++perRow[static_cast<std::size_t>(y)];
        ++counted;
    }
    std::size_t below = 0;
    std::int32_t row = 1;
    for (; row < height - 1; ++row) {
        below += perRow[static_cast<std::size_t>(row - 1)];
        if (2 * below >= counted) break;
    }
    return row;
}

} // namespace

// --- the mask -----------------------------------------------------------------------------------

PixelArea strokeBounds(std::span<const geom::Point2D> points, const DeviceTransform& toDevice,
                       const StrokeShape& shape, const PixelArea& limits)
{
    const auto different = [&](geom::Point2D point) { return point != points[0]; };
    if (!(shape.width > 0) || std::none_of(points.begin(), points.end(), different)) return {};
    const DevicePoint start = toDevice.map(points[0]);
    double minX = start.x, maxX = minX, minY = start.y, maxY = minY;
    if (toDevice.m12 == 0 && toDevice.m21 == 0) {
        // Each device coordinate follows one coordinate of the points, rounding included, so
        // the bounds are those of the points' extremes.
        const auto [low, high] = extremes(points);
        for (const geom::Point2D corner : {low, high}) {
            const DevicePoint p = toDevice.map(corner);
            minX = std::min(minX, p.x);
            maxX = std::max(maxX, p.x);
            minY = std::min(minY, p.y);
            maxY = std::max(maxY, p.y);
        }
    } else {
        for (const geom::Point2D& point : points) {
            const DevicePoint p = toDevice.map(point);
            minX = std::min(minX, p.x);
            maxX = std::max(maxX, p.x);
            minY = std::min(minY, p.y);
            maxY = std::max(maxY, p.y);
        }
    }
    const double margin = shape.width * (0.5 + std::max(shape.miterLimit, 0.5)) + 2;
    const auto clampTo = [](double value, std::int32_t low, std::int32_t high) {
        return static_cast<std::int32_t>(
            std::clamp(value, static_cast<double>(low), static_cast<double>(high)));
    };
    const PixelArea bounds{clampTo(std::floor(minX - margin), limits.left, limits.right),
                           clampTo(std::floor(minY - margin), limits.top, limits.bottom),
                           clampTo(std::ceil(maxX + margin), limits.left, limits.right),
                           clampTo(std::ceil(maxY + margin), limits.top, limits.bottom)};
    return bounds.empty() ? PixelArea{} : bounds;
}

CoverageMask polylineCoverage(std::span<const geom::Point2D> points,
                              const DeviceTransform& toDevice, const StrokeShape& shape,
                              const PixelArea& area)
{
    const PixelArea bounds = strokeBounds(points, toDevice, shape, area);
    if (bounds.empty()) return {};
    const std::int32_t width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
    CoverageMask mask{bounds.left, bounds.top, width, height, {}};
    mask.alpha.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    const auto coverBand = [&](std::int32_t begin, std::int32_t end) {
        AreaAccumulator accumulator(bounds.left, bounds.top, width, height, begin, end);
        OutlineBuilder(accumulator, shape).addPolyline(points, toDevice);
        accumulator.closeCell();
        accumulator.writeMask(mask.alpha.data() +
                              static_cast<std::size_t>(begin) * static_cast<std::size_t>(width));
    };
    // A long line is covered in two bands of rows at once; each band follows the whole outline,
    // which costs less than the rows it leaves to the other. The bands split the line's points
    // evenly, as their edges are most of the work.
    const bool inBands = points.size() >= bandedPoints && height >= 2 * minimumBandRows &&
                         std::thread::hardware_concurrency() > 1;
    if (!inBands) {
        coverBand(0, height);
        return mask;
    }
    const std::int32_t middle = balancedSplit(points, toDevice, bounds);
    std::future<void> lower;
    try {
        lower = std::async(std::launch::async, coverBand, middle, height);
    } catch (const std::system_error&) {
        coverBand(0, height); // no thread to be had
        return mask;
    }
    coverBand(0, middle);
    lower.get();
    return mask;
}

CoverageMask polylineCoverage(std::span<const geom::Point2D> points,
                              const DeviceTransform& toDevice, const StrokeShape& shape,
                              std::int32_t deviceWidth, std::int32_t deviceHeight)
{
    return polylineCoverage(points, toDevice, shape, PixelArea{0, 0, deviceWidth, deviceHeight});
}

} // namespace render
