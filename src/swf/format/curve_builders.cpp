// Curve-mode outline builders.
#include "swf/format/curve_builders.h"
#include "model/argument_text.h"

namespace swf {

std::vector<PathRecord> ellipseOutline(float x, float y, float width, float height)
{
    const float hw = static_cast<float>(model::truncateToInt32(width) / 2);
    const float hh = static_cast<float>(model::truncateToInt32(height) / 2);
    return {
        {x, y + hh, 0, 0}, {0, -hh, hw, 0}, // to the top
        {hw, 0, 0, hh},    {0, hh, -hw, 0}, // right side, then the bottom
        {-hw, 0, 0, -hh},                   // back to the start
    };
}

void appendCurveTriple(std::vector<geom::Point2D>& points, geom::Point2D p0, geom::Point2D p1,
                       geom::Point2D p2)
{
    points.push_back(p0);
    points.push_back({p1.x - p0.x, p1.y - p0.y});
    points.push_back({p2.x - p1.x, p2.y - p1.y});
}

void appendCurveRecords(std::vector<PathRecord>& records, geom::Point2D p0, geom::Point2D p1,
                        geom::Point2D p2)
{
    records.push_back({p0.x, p0.y, 0, 0});
    records.push_back({p1.x - p0.x, p1.y - p0.y, p2.x - p1.x, p2.y - p1.y});
}

std::vector<PathRecord> curveRecordsFromTriples(std::span<const geom::Point2D> triples)
{
    std::vector<PathRecord> records;
    const std::size_t wholeTriples = triples.size() / 3;
    if (wholeTriples == 0) return records;
    records.reserve(wholeTriples + 1);
    records.push_back({triples[0].x, triples[0].y, 0, 0});
    for (std::size_t index = 0; index < wholeTriples; ++index) {
        const geom::Point2D control = triples[3 * index + 1];
        const geom::Point2D anchor = triples[3 * index + 2];
        records.push_back({control.x, control.y, anchor.x, anchor.y});
    }
    return records;
}

} // namespace swf
