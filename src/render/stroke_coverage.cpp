// Exact coverage of wide polylines.
//
// Sections: the area accumulator · the outline of a stroke · the mask
#include "render/stroke_coverage.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstring>
#include <future>
#include <limits>
#include <optional>
#include <system_error>
#include <thread>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace render {
namespace {

// A long line is cut into pieces of consecutive points, each covered over its own bounds, on
// two threads at once; the pieces' areas are then added up in their order. At least this many
// points a piece, and about this many pieces a line.
constexpr std::size_t leastPiecePoints = 4096;
constexpr std::size_t piecesPerLine = 24;
// The pixels all pieces of a line may keep at once (64 MB), when that is more than twice the
// line's area.
constexpr std::size_t pieceCellBudget = std::size_t{16} << 20;
// The least height of an edge whose slope is finite, however wide the area.
constexpr double minimumHeight = 1e-280;
// How many different points of a line are taken at once.
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
// winding of the filled outline over each pixel, weighted by the area it covers. The areas of
// accumulators of parts of one outline add up to those of the whole.
//
// A long line's outline is millions of short edges, most of which follow one another within one
// pixel: those come here summed (see OutlinePath); the other edges are followed row by row, or
// take a path of their own when they lie within one row. Indices are signed and the limits kept as
// doubles, since converting unsigned numbers to and from doubles costs several instructions each
// time.
class AreaAccumulator {
public:
    explicit AreaAccumulator(const PixelArea& area)
        : m_width(area.right - area.left), m_height(area.bottom - area.top), m_area(area),
          m_stride(static_cast<std::ptrdiff_t>(area.right - area.left) + 2),
          m_cells(static_cast<std::size_t>(m_stride) *
                      static_cast<std::size_t>(area.bottom - area.top),
                  0.0f)
    {
    }

    const PixelArea& area() const { return m_area; }
    double width() const { return m_width; }
    double height() const { return m_height; }

    // What a pixel's edges add, summed: `left` for the pixel, `right` for the one after it.
    void addToPixel(std::ptrdiff_t row, std::ptrdiff_t column, double left, double right)
    {
        float* cells = m_cells.data() + row * m_stride + column;
        cells[0] += static_cast<float>(left);
        cells[1] += static_cast<float>(right);
    }

    // An edge in the area's coordinates that does not lie within one pixel of it.
    [[gnu::noinline]] void addOtherEdge(double x0, double y0, double x1, double y1)
    {
        const double left = std::min(x0, x1), right = std::max(x0, x1);
        const double top = std::min(y0, y1), bottom = std::max(y0, y1);
        // Inside the area's columns and within one row of it, the row walk of addLine would
        // take one step from the edge's top to its bottom.
        const double height = bottom - top;
        if (left >= 0 && right < m_width && top >= 0 && top < m_height && height > minimumHeight &&
            bottom <= static_cast<double>(floorOf(top)) + 1) {
            const bool down = y0 < y1;
            addRowPiece(floorOf(top), down ? x0 : x1, down ? x1 : x0, down ? height : -height);
            return;
        }
        clipAndAdd(x0, y0, x1, y1);
    }

    // Whether edges within the rectangle from (left, top) to (any, bottom) of the area's
    // coordinates add nothing: they lie above the area, below it or right of it.
    bool addsNothing(double left, double top, double bottom) const
    {
        return bottom <= 0 || top >= m_height || left >= m_width;
    }

    // A row of the areas: the area's width and one more, for edges at its right side.
    const float* row(std::int32_t row) const
    {
        return m_cells.data() + static_cast<std::ptrdiff_t>(row) * m_stride;
    }
    float* row(std::int32_t row)
    {
        return m_cells.data() + static_cast<std::ptrdiff_t>(row) * m_stride;
    }

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

    void addLine(double x0, double y0, double x1, double y1);
    [[gnu::always_inline]] void addRowPiece(std::ptrdiff_t row, double xa, double xb,
                                            double winding);

    double m_width, m_height; // the area's size, as doubles for the tests against coordinates
    PixelArea m_area;
    std::ptrdiff_t m_stride;    // two more than the width: an edge at the right edge adds beyond it
    std::vector<float> m_cells; // row after row
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
    if (top >= bottom) return;
    const double slope = (x1 - x0) / (y1 - y0);
    std::ptrdiff_t row = floorOf(top);
    double x = x0 + (top - y0) * slope;
    double rowTop = top;
    for (;;) {
        const double rowBottom = std::min(bottom, static_cast<double>(row) + 1);
        const double xNext = x + (rowBottom - rowTop) * slope;
        addRowPiece(row, x, xNext, (rowBottom - rowTop) * direction);
        if (rowBottom >= bottom) return;
        x = xNext;
        rowTop = rowBottom;
        ++row;
    }
}

// The piece of an edge inside one row, from xa to xb, spanning `winding` of the row's height
// (negative going up): each pixel gets the part of the row to the right of the piece within it.
inline void AreaAccumulator::addRowPiece(std::ptrdiff_t row, double xa, double xb, double winding)
{
    float* area = m_cells.data() + row * m_stride;
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

// The coverage of rows `begin` to `end` of the summed areas, `width` bytes a row from `out` on.
void writeLevels(const AreaAccumulator& sums, std::int32_t begin, std::int32_t end,
                 std::uint8_t* out)
{
    const auto width = static_cast<std::size_t>(sums.area().right - sums.area().left);
    for (std::int32_t row = begin; row < end; ++row) {
        const float* area = sums.row(row);
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

// The outline followed as a path: it starts at a point, and each point added is joined to the
// one before by an edge. Most edges of a long line are short and follow one another within one
// pixel, the open cell: what they add there is summed in double precision, each point being
// tested once, and goes to the pixel when the path opens another. The open cell's bounds are
// NaN while none is open, failing every test. All of this stays in registers while the code
// that follows a path runs: the accumulator takes only finished sums and other edges.
class OutlinePath {
public:
    explicit OutlinePath(AreaAccumulator& accumulator)
        : m_area(accumulator), m_width(accumulator.width()), m_height(accumulator.height())
    {
    }

    [[gnu::always_inline]] void start(DevicePoint point)
    {
        m_x = point.x;
        m_y = point.y;
        m_inCell = holds(m_x, m_y);
    }
    [[gnu::always_inline]] void to(DevicePoint point)
    {
        const double x = point.x, y = point.y;
        if (m_inCell && holds(x, y)) {
            addToCell(m_x, m_y, x, y);
        } else {
            // Left of the area an edge adds its winding along the area's left side, as if it
            // ran there.
            if (x <= 0 && m_x <= 0)
                addEdge(0, m_y, 0, y);
            else
                addEdge(m_x, m_y, x, y);
            m_inCell = holds(x, y);
        }
        m_x = x;
        m_y = y;
    }

    // The triangle from `from` (where the path is) through `focal` to `to` and back, added as
    // areas of the pixels it lies in, when its ends lie in the open cell and the focal point
    // within a pixel of it; false, adding nothing, otherwise.
    [[gnu::always_inline]] bool wedge(DevicePoint focal, DevicePoint to)
    {
        const double bx = to.x, by = to.y;
        if (!(m_inCell && holds(bx, by))) return false;
        const double ax = m_x, ay = m_y;
        const double fx = focal.x, fy = focal.y;
        // The triangle's share of the pixel's coverage is minus its signed area.
        const double area = 0.5 * ((fx - ax) * (by - ay) - (fy - ay) * (bx - ax));
        if (holds(fx, fy)) {
            m_moment += 2 * area;
            return true;
        }
        // Beyond which sides of the cell the focal point lies, by at most a pixel, and the part
        // of the triangle beyond each: the triangle scaled along its two sides from the focal
        // point.
        const double cellRight = m_cellLeft + 1, cellBottom = m_cellTop + 1;
        const double across = fx > cellRight ? 1 : (fx < m_cellLeft ? -1 : 0);
        const double down = fy > cellBottom ? 1 : (fy < m_cellTop ? -1 : 0);
        const double column = m_cellLeft + across, row = m_cellTop + down;
        if (!(column >= 0 && column < m_width && row >= 0 && row < m_height &&
              std::fabs(fx - (column + 0.5)) <= 0.5 && std::fabs(fy - (row + 0.5)) <= 0.5))
            return false;
        const auto beyond = [&](double focalSide, double fromSide, double toSide) {
            return area * (focalSide * focalSide) / ((focalSide - fromSide) * (focalSide - toSide));
        };
        const double lineX = across > 0 ? cellRight : m_cellLeft;
        const double lineY = down > 0 ? cellBottom : m_cellTop;
        const double sideways = across != 0 ? beyond(fx - lineX, ax - lineX, bx - lineX) : 0;
        const double upDown = down != 0 ? beyond(fy - lineY, ay - lineY, by - lineY) : 0;
        double both = 0;
        if (across != 0 && down != 0) {
            // The corner between the four pixels outside the triangle: the part beyond one side
            // holds the part beyond the other, and that is the part in the focal point's pixel.
            const double c1 = (fx - ax) * (lineY - ay) - (fy - ay) * (lineX - ax);
            const double c2 = (bx - fx) * (lineY - fy) - (by - fy) * (lineX - fx);
            const double c3 = (ax - bx) * (lineY - by) - (ay - by) * (lineX - bx);
            if ((c1 > 0 && c2 > 0 && c3 > 0) || (c1 < 0 && c2 < 0 && c3 < 0)) return false;
            both = std::fabs(sideways) < std::fabs(upDown) ? sideways : upDown;
            addClosedArea(row, column, both);
        }
        if (across != 0) addClosedArea(m_cellTop, column, sideways - both);
        if (down != 0) addClosedArea(row, m_cellLeft, upDown - both);
        m_moment += 2 * (area - sideways - upDown + both);
        return true;
    }

    void finish() { closeCell(); }

private:
    [[gnu::always_inline]] bool holds(double x, double y) const
    {
        return x >= m_cellLeft && x <= m_cellLeft + 1 && y >= m_cellTop && y <= m_cellTop + 1;
    }
    // An edge within the open cell: its winding, and its winding times the sum of its ends'
    // distances from the cell's left side.
    [[gnu::always_inline]] void addToCell(double x0, double y0, double x1, double y1)
    {
        const double height = y1 - y0;
        m_winding += height;
        m_moment += height * ((x0 - m_cellLeft) + (x1 - m_cellLeft));
    }
    // An edge summed in the open cell when it lies within it, opening a cell when it lies
    // within one pixel, added by the accumulator otherwise; then the pixel where it ends is
    // opened, as the path goes on from there.
    [[gnu::always_inline]] void addEdge(double x0, double y0, double x1, double y1)
    {
        if (holds(x0, y0) && holds(x1, y1)) {
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
        }
        m_area.addOtherEdge(x0, y0, x1, y1);
        if (x1 >= 0 && x1 < m_width && y1 >= 0 && y1 < m_height) {
            closeCell();
            m_cellLeft = static_cast<double>(floorOf(x1));
            m_cellTop = static_cast<double>(floorOf(y1));
        }
    }
    // Each edge adds its winding times the part of the pixel right of it, and the rest to the
    // next pixel: summed, the winding less its moment, and the moment.
    [[gnu::always_inline]] void closeCell()
    {
        if (m_cellTop >= 0) {
            const double moment = 0.5 * m_moment;
            m_area.addToPixel(floorOf(m_cellTop), floorOf(m_cellLeft), m_winding - moment, moment);
        }
        m_cellLeft = m_cellTop = std::numeric_limits<double>::quiet_NaN();
        m_winding = m_moment = 0;
    }
    // A closed path within the pixel at (column, row) of signed area `area`: minus that area
    // for the pixel, and back after it.
    [[gnu::always_inline]] void addClosedArea(double row, double column, double area)
    {
        m_area.addToPixel(floorOf(row), floorOf(column), -area, area);
    }

    AreaAccumulator& m_area;
    double m_width, m_height; // the area's size, in pixels
    double m_cellLeft = std::numeric_limits<double>::quiet_NaN();
    double m_cellTop = std::numeric_limits<double>::quiet_NaN();
    double m_winding = 0, m_moment = 0;
    double m_x = 0, m_y = 0; // where the path is, in the area's coordinates
    bool m_inCell = false;   // whether that is in the open cell
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

    // The segments that end at points[begin] to points[end - 1] (begin at least 1), with the
    // join before each and the caps where the line starts or ends.
    void addSegments(std::span<const geom::Point2D> points, const DeviceTransform& toDevice,
                     std::size_t begin, std::size_t end);

private:
    SegmentSides sides(DevicePoint from, DevicePoint to) const
    {
        const DevicePoint vector = to - from;
        const DevicePoint direction = vector * (1 / std::sqrt(dot(vector, vector)));
        const DevicePoint normal = DevicePoint{-direction.y, direction.x} * m_half;
        return {{from + normal, to + normal, direction, vector},
                {to - normal, from - normal, direction * -1, vector * -1}};
    }
    [[gnu::always_inline]] void join(OutlinePath& path, const SideLine& previous,
                                     const SideLine& next, DevicePoint focal);

    AreaAccumulator& m_area;
    double m_half;
    double m_miterReach; // the miter limit times the width
    double m_reach;      // how far from its points the outline of a segment and its joins go
    double m_slightTurn; // the sine of the greatest turn whose miter is left out
};

// From the end of one side to the start of the next around `focal`: through the focal point on
// the inner side of the turn (each side lies left of its own direction, so the inner side is the
// one turning left), through the miter point on the outer side, or, when the miter would reach
// farther than the limit (or the sides are parallel), squared off that far along both sides.
inline void OutlineBuilder::join(OutlinePath& path, const SideLine& previous, const SideLine& next,
                                 DevicePoint focal)
{
    const DevicePoint from = previous.end, to = next.start;
    const double turn = cross(previous.direction, next.direction);
    if (turn > 0) {
        if (!path.wedge(focal, to)) path.to(focal);
        path.to(to);
        return;
    }
    // On the outer side of a slight turn the miter adds a sliver of about half-width squared
    // times the turn cubed over 8, kept below a millionth of a pixel: the side runs straight on.
    if (-turn < m_slightTurn && dot(previous.direction, next.direction) > 0) {
        path.to(to);
        return;
    }
    const double denominator = cross(previous.vector, next.vector);
    if (denominator != 0 && std::isfinite(denominator)) {
        const double along = cross(to - from, next.vector) / denominator;
        const DevicePoint miter = from + previous.vector * along;
        const DevicePoint reach = miter - from;
        if (dot(reach, reach) <= m_miterReach * m_miterReach) {
            path.to(miter);
            path.to(to);
            return;
        }
    }
    path.to(from + previous.direction * m_miterReach);
    path.to(to - next.direction * m_miterReach);
    path.to(to);
}

// The outline runs forward along one side and back along the other; its edges are added in any
// order, since the areas they add only sum. The different points are taken in blocks: a block
// that lies, with the point before it, wholly above, below or right of the accumulator's area
// adds nothing and is passed over; in the others the sides of every segment are computed first,
// in a loop short enough for the processor to overlap their square roots and divisions, then
// the edges are added one side after the other, so that consecutive edges lie side by side and
// mostly within one pixel.
void OutlineBuilder::addSegments(std::span<const geom::Point2D> points,
                                 const DeviceTransform& toDevice, std::size_t begin,
                                 std::size_t end)
{
    const std::size_t count = points.size();
    // The points are placed in the area's coordinates.
    const PixelArea& area = m_area.area();
    const DeviceTransform toArea{
        toDevice.m11,          toDevice.m12, toDevice.m21, toDevice.m22, toDevice.dx - area.left,
        toDevice.dy - area.top};
    // point[0] is the point the next segment starts from; side[i] holds the sides of the
    // segment from point[i - 1] to point[i], side[0] those of the segment before, when known.
    std::array<DevicePoint, blockPoints + 1> point;
    std::array<SegmentSides, blockPoints + 1> side;
    OutlinePath path(m_area);
    geom::Point2D at = points[begin - 1];
    point[0] = toArea.map(at);
    std::size_t before = begin - 1; // the first of the points equal to points[begin - 1]
    while (before > 0 && points[before - 1] == at)
        --before;
    bool first = before == 0; // the line starts at point[0], with a cap
    bool sidesBefore = !first;
    if (sidesBefore) side[0] = sides(toArea.map(points[before - 1]), point[0]);
    std::size_t next = begin;
    while (next < end && points[next] == at)
        ++next;
    while (next < end) {
        std::size_t size = 0;
        double low = point[0].y, high = low, leftmost = point[0].x;
        while (size < blockPoints && next < end) {
            at = points[next];
            const DevicePoint p = toArea.map(at);
            point[++size] = p;
            low = std::min(low, p.y);
            high = std::max(high, p.y);
            leftmost = std::min(leftmost, p.x);
            while (next < end && points[next] == at)
                ++next;
        }
        if (m_area.addsNothing(leftmost - m_reach, low - m_reach, high + m_reach)) {
            // After a block passed over, point[0] is away from the area, and so its join.
            point[0] = point[size];
            first = sidesBefore = false;
            continue;
        }
        // The line ends here when no different point follows, in this part or after it.
        bool ends = false;
        if (next >= end) {
            std::size_t after = end;
            while (after < count && points[after] == at)
                ++after;
            ends = after == count;
        }
        for (std::size_t i = 1; i <= size; ++i)
            side[i] = sides(point[i - 1], point[i]);
        // The forward side with its joins, from the start cap or the join before, then the
        // backward side from the end cap or the last side's end, back to the join before.
        if (first) {
            path.start(side[1].backward.end);
            path.to(side[1].forward.start); // the flat start cap
        } else if (sidesBefore) {
            path.start(side[0].forward.end);
            join(path, side[0].forward, side[1].forward, point[0]);
        } else {
            path.start(side[1].forward.start);
        }
        for (std::size_t i = 1; i <= size; ++i) {
            path.to(side[i].forward.end);
            if (i < size) join(path, side[i].forward, side[i + 1].forward, point[i]);
        }
        if (ends)
            path.to(side[size].backward.start); // the flat end cap
        else
            path.start(side[size].backward.start);
        for (std::size_t i = size; i >= 1; --i) {
            path.to(side[i].backward.end);
            if (i > 1) join(path, side[i].backward, side[i - 1].backward, point[i - 1]);
        }
        if (sidesBefore) join(path, side[1].backward, side[0].backward, point[0]);
        side[0] = side[size];
        point[0] = point[size];
        first = false;
        sidesBefore = true;
    }
    path.finish();
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

// The pixels the stroke of `points` can touch: their device bounds with a margin for the width
// and the miters, unclipped; nothing when no two points differ or the width is not positive.
std::optional<PixelArea> pixelBounds(std::span<const geom::Point2D> points,
                                     const DeviceTransform& toDevice, const StrokeShape& shape)
{
    const auto different = [&](geom::Point2D point) { return point != points[0]; };
    if (!(shape.width > 0) || std::none_of(points.begin(), points.end(), different))
        return std::nullopt;
    const DevicePoint start = toDevice.map(points[0]);
    double minX = start.x, maxX = minX, minY = start.y, maxY = minY;
    const auto include = [&](geom::Point2D point) {
        const DevicePoint p = toDevice.map(point);
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    };
    if (toDevice.m12 == 0 && toDevice.m21 == 0) {
        // Each device coordinate follows one coordinate of the points, rounding included, so
        // the bounds are those of the points' extremes.
        const auto [low, high] = extremes(points);
        include(low);
        include(high);
    } else {
        for (const geom::Point2D& point : points)
            include(point);
    }
    const double margin = shape.width * (0.5 + std::max(shape.miterLimit, 0.5)) + 2;
    // Within the range of pixel indices; beyond it the clipping to an area decides alone.
    constexpr double limit = 1 << 30;
    const auto pixel = [&](double value) {
        return static_cast<std::int32_t>(std::clamp(value, -limit, limit));
    };
    return PixelArea{pixel(std::floor(minX - margin)), pixel(std::floor(minY - margin)),
                     pixel(std::ceil(maxX + margin)), pixel(std::ceil(maxY + margin))};
}

// `bounds` cut to `limits`; nothing when they do not meet.
PixelArea within(const PixelArea& bounds, const PixelArea& limits)
{
    const PixelArea cut{std::clamp(bounds.left, limits.left, limits.right),
                        std::clamp(bounds.top, limits.top, limits.bottom),
                        std::clamp(bounds.right, limits.left, limits.right),
                        std::clamp(bounds.bottom, limits.top, limits.bottom)};
    return cut.empty() ? PixelArea{} : cut;
}

// The pixels of the line's `bounds` a piece of it, of bounds `own`, adds to: its own bounds
// within them, or, where it lies wholly left of them, their first column, along which its edges
// add their winding. Nothing where it lies right of them, above or below.
PixelArea pieceArea(const PixelArea& own, const PixelArea& bounds)
{
    if (own.left >= bounds.right || own.bottom <= bounds.top || own.top >= bounds.bottom) return {};
    const std::int32_t left = std::max(own.left, bounds.left);
    return {left, std::max(own.top, bounds.top),
            std::max(std::min(own.right, bounds.right), left + 1),
            std::min(own.bottom, bounds.bottom)};
}

} // namespace

// --- the mask -----------------------------------------------------------------------------------

PixelArea strokeBounds(std::span<const geom::Point2D> points, const DeviceTransform& toDevice,
                       const StrokeShape& shape, const PixelArea& limits)
{
    const auto bounds = pixelBounds(points, toDevice, shape);
    return bounds ? within(*bounds, limits) : PixelArea{};
}

CoverageMask polylineCoverage(std::span<const geom::Point2D> points,
                              const DeviceTransform& toDevice, const StrokeShape& shape,
                              const PixelArea& area, PixelArea* reach)
{
    // Segments end at points 1 to count - 1; a piece takes those ending at its points.
    const std::size_t count = points.size();
    const std::size_t piecePoints =
        std::max(leastPiecePoints, (count + piecesPerLine - 1) / piecesPerLine);
    const std::size_t pieceCount = count < 2 ? 0 : (count - 1 + piecePoints - 1) / piecePoints;
    const auto pieceBegin = [&](std::size_t piece) { return 1 + piece * piecePoints; };
    const auto pieceEnd = [&](std::size_t piece) {
        return std::min(count, pieceBegin(piece) + piecePoints);
    };
    const auto piecePointsOf = [&](std::size_t piece) {
        return points.subspan(pieceBegin(piece) - 1, pieceEnd(piece) - pieceBegin(piece) + 1);
    };
    // The whole line in one pass over `bounds`, on this thread.
    const auto inOnePass = [&](const PixelArea& bounds) {
        CoverageMask mask{
            bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, {}};
        mask.alpha.resize(static_cast<std::size_t>(mask.width) *
                          static_cast<std::size_t>(mask.height));
        AreaAccumulator sums(bounds);
        OutlineBuilder(sums, shape).addSegments(points, toDevice, 1, count);
        writeLevels(sums, 0, mask.height, mask.alpha.data());
        return mask;
    };
    if (pieceCount < 2 || std::thread::hardware_concurrency() < 2) {
        const auto whole = pixelBounds(points, toDevice, shape);
        if (reach) *reach = whole.value_or(PixelArea{});
        const PixelArea bounds = whole ? within(*whole, area) : PixelArea{};
        if (bounds.empty()) return {};
        return inOnePass(bounds);
    }
    // Each step below is shared by two threads, each taking the next piece (or rows) that is
    // free; which piece adds what depends on the points alone, so the sums and the mask do too.
    const auto onBothThreads = [](auto&& work) {
        std::future<void> other;
        try {
            other = std::async(std::launch::async, [&] { work(); });
        } catch (const std::system_error&) {
            // No thread to be had: this one does it all.
        }
        work();
        if (other.valid()) other.get();
    };
    // The pieces' bounds, whose union is the line's.
    std::vector<std::optional<PixelArea>> ownBounds(pieceCount);
    std::atomic<std::size_t> taken{0};
    onBothThreads([&] {
        for (std::size_t piece; (piece = taken++) < pieceCount;)
            ownBounds[piece] = pixelBounds(piecePointsOf(piece), toDevice, shape);
    });
    std::optional<PixelArea> whole;
    for (const std::optional<PixelArea>& own : ownBounds)
        if (own)
            whole =
                whole ? PixelArea{std::min(whole->left, own->left), std::min(whole->top, own->top),
                                  std::max(whole->right, own->right),
                                  std::max(whole->bottom, own->bottom)}
                      : *own;
    if (reach) *reach = whole.value_or(PixelArea{});
    if (!whole) return {};
    const PixelArea bounds = within(*whole, area);
    if (bounds.empty()) return {};
    // A line that runs back and forth over a large area would have pieces that each keep much
    // of it: beyond a budget it is covered in one pass, in the memory of one area.
    const auto cells = [](const PixelArea& part) {
        return part.empty() ? std::size_t{0}
                            : static_cast<std::size_t>(part.right - part.left + 2) *
                                  static_cast<std::size_t>(part.bottom - part.top);
    };
    std::size_t pieceCells = 0;
    for (const std::optional<PixelArea>& own : ownBounds)
        if (own) pieceCells += cells(pieceArea(*own, bounds));
    if (pieceCells > std::max(2 * cells(bounds), pieceCellBudget)) return inOnePass(bounds);
    // Each piece is covered over its own bounds, which hold its points and the one before, and
    // so its joins.
    std::vector<std::optional<AreaAccumulator>> pieces(pieceCount);
    taken = 0;
    onBothThreads([&] {
        for (std::size_t piece; (piece = taken++) < pieceCount;) {
            if (!ownBounds[piece]) continue;
            const PixelArea pieceBounds = pieceArea(*ownBounds[piece], bounds);
            if (pieceBounds.empty()) continue;
            AreaAccumulator& accumulator = pieces[piece].emplace(pieceBounds);
            OutlineBuilder(accumulator, shape)
                .addSegments(points, toDevice, pieceBegin(piece), pieceEnd(piece));
        }
    });
    // The pieces' areas added in their order, a few rows at a time, then their levels.
    const std::int32_t width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
    CoverageMask mask{bounds.left, bounds.top, width, height, {}};
    mask.alpha.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    AreaAccumulator sums(bounds);
    constexpr std::int32_t rowsAtOnce = 32;
    std::atomic<std::int32_t> rowsTaken{0};
    onBothThreads([&] {
        for (std::int32_t begin; (begin = rowsTaken.fetch_add(rowsAtOnce)) < height;) {
            const std::int32_t end = std::min(height, begin + rowsAtOnce);
            for (const std::optional<AreaAccumulator>& piece : pieces) {
                if (!piece) continue;
                const PixelArea& at = piece->area();
                const std::int32_t from = std::max(begin, at.top - bounds.top);
                const std::int32_t to = std::min(end, at.bottom - bounds.top);
                const std::int32_t columns = at.right - at.left + 1;
                for (std::int32_t row = from; row < to; ++row) {
                    const float* source = piece->row(row - (at.top - bounds.top));
                    float* target = sums.row(row) + (at.left - bounds.left);
                    for (std::int32_t column = 0; column < columns; ++column)
                        target[column] += source[column];
                }
            }
            writeLevels(sums, begin, end,
                        mask.alpha.data() +
                            static_cast<std::size_t>(begin) * static_cast<std::size_t>(width));
        }
    });
    return mask;
}

CoverageMask polylineCoverage(std::span<const geom::Point2D> points,
                              const DeviceTransform& toDevice, const StrokeShape& shape,
                              std::int32_t deviceWidth, std::int32_t deviceHeight)
{
    return polylineCoverage(points, toDevice, shape, PixelArea{0, 0, deviceWidth, deviceHeight});
}

} // namespace render
