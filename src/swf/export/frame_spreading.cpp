// Outlines of lines and curves, and their pieces over frames.
#include "swf/export/frame_spreading.h"

#include "swf/format/curve_builders.h"

#include <algorithm>

namespace swf {

std::vector<PathRecord> polylineOutline(std::span<const geom::Point2D> points)
{
    std::vector<PathRecord> records;
    records.reserve(points.size());
    for (const geom::Point2D& point : points)
        records.push_back({point.x, point.y, 0, 0});
    return records;
}

std::vector<PathRecord> segmentOutline(std::span<const geom::Point2D> points)
{
    std::vector<PathRecord> records;
    if (points.size() < 2) return records;
    records.reserve(2 * (points.size() - 1));
    for (std::size_t segment = 0; segment + 1 < points.size(); ++segment) {
        records.push_back({points[segment].x, points[segment].y, 0, 0});
        records.push_back({points[segment + 1].x, points[segment + 1].y, 0, 0});
    }
    return records;
}

std::vector<PathRecord> quadraticOutline(std::span<const geom::Point2D> points)
{
    std::vector<geom::Point2D> triples;
    for (std::size_t start = 0; start + 2 < points.size(); start += 2)
        appendCurveTriple(triples, points[start], points[start + 1], points[start + 2]);
    return curveRecordsFromTriples(triples);
}

std::optional<std::uint32_t> spreadFrame(std::size_t start, std::size_t pointCount,
                                         const FrameList& frames)
{
    if (frames.empty() || pointCount < 2) return std::nullopt;
    const std::size_t per = (pointCount - 1) / frames.size();
    if (per == 0) return std::nullopt;
    return frames[std::min(start / per, frames.size() - 1)];
}

std::vector<ProgressiveChunk> progressiveChunks(std::size_t pointCount, const FrameList& frames)
{
    std::vector<ProgressiveChunk> chunks;
    if (frames.empty() || pointCount == 0) return chunks;
    const float share = static_cast<float>(pointCount - 1) / static_cast<float>(frames.size());
    if (share == 0.0f) return chunks;
    std::size_t start = 0;
    for (std::size_t index = 0; index < frames.size(); ++index) {
        std::size_t last = pointCount - 1;
        if (index + 1 < frames.size()) {
            const float end = static_cast<float>(start) + share + 1.0f;
            last = start;
            while (last + 1 < pointCount && static_cast<float>(last + 1) < end)
                ++last;
        }
        const ProgressiveChunk chunk{frames[index], start, last, index > 0};
        if (last - start + (chunk.repeatsFirst ? 2 : 1) >= 2) chunks.push_back(chunk);
        start = last;
    }
    return chunks;
}

std::vector<geom::Point2D> chunkPoints(std::span<const geom::Point2D> points,
                                       const ProgressiveChunk& chunk)
{
    std::vector<geom::Point2D> chunkPoints;
    chunkPoints.reserve(chunk.last - chunk.first + 2);
    if (chunk.repeatsFirst) chunkPoints.push_back(points[chunk.first]);
    chunkPoints.insert(chunkPoints.end(), points.begin() + static_cast<std::ptrdiff_t>(chunk.first),
                       points.begin() + static_cast<std::ptrdiff_t>(chunk.last) + 1);
    return chunkPoints;
}

} // namespace swf
