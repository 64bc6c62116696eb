// Tests of what the movie canvas refuses: content beyond the movie's byte limit, and nothing
// added after a refusal.
#include "swf/export/movie_canvas.h"

#include "render/recording_surface.h"
#include "swf_tag_reading.h"

#include <gtest/gtest.h>

namespace swf {
namespace {

TEST(MovieCanvas, StopsAddingOnceTheTagsOutgrowTheirLimit)
{
    const std::vector<model::Frame> frames(2);
    SwfTagList tags(frames.size());
    render::RecordingSurface measuring;
    MovieCanvas canvas(tags, frames, twipsRectFromPixels(0, 0, 400, 300), measuring, 400);
    std::vector<PathRecord> line;
    for (int point = 0; point < 50; ++point)
        line.push_back({static_cast<float>(point), static_cast<float>(point % 2)});
    const ShapeOutline outline{line, EdgeMode::Polyline};

    canvas.placeShape(0, outline, {}, {}, Transience::Stays);
    EXPECT_EQ(canvas.refusal(), std::nullopt) << tags.frame(0).size() << " bytes";
    canvas.placeShape(1, outline, {}, {}, Transience::Stays);
    EXPECT_EQ(canvas.refusal(), MovieRefusal::TooLarge);
    const std::uint32_t written = tags.frame(1).size();
    canvas.placeShape(1, outline, {}, {}, Transience::Stays);
    canvas.placeText(1, "text", {0, 0}, {}, {});
    EXPECT_EQ(tags.frame(1).size(), written) << "nothing is added after a refusal";
}

} // namespace
} // namespace swf
