// Tests of the removal pass: what each frame removes, in which order.
#include "swf/export/removal_pass.h"

#include "swf_tag_reading.h"

#include <gtest/gtest.h>

namespace swf {
namespace {

struct RemovalCase {
    std::uint32_t frame;
    std::vector<std::string> removals;
    SwfDisplayList remaining;
};

TEST(RemovalPass, RemovesTransientsAndClearsFramesBackToFront)
{
    // Frame 0 has its clear flag set (it never clears), frame 1 keeps, frame 2 clears.
    const std::vector<model::Frame> frames = {{0, 1, 1, 0}, {40, 0, 1, 0}, {40, 1, 1, 0}};
    const SwfDisplayList placed = {{1, 0, Transience::Stays},
                                   {2, 0, Transience::Transient},
                                   {3, 1, Transience::Transient},
                                   {4, 2, Transience::Stays},
                                   {5, 1, Transience::Stays}};
    const std::vector<RemovalCase> cases = {
        {0, {}, placed},
        {1, {"RemoveObject 2"}, {placed[0], placed[2], placed[3], placed[4]}},
        {2, {"RemoveObject 5", "RemoveObject 3", "RemoveObject 2", "RemoveObject 1"}, {placed[3]}},
        // a frame beyond the figure's frames does not clear
        {3, {"RemoveObject 3", "RemoveObject 2"}, {placed[0], placed[3], placed[4]}},
    };
    for (const RemovalCase& c : cases) {
        SwfDisplayList displayList = placed;
        ByteBuffer tags;
        appendRemovalPass(tags, displayList, frames, c.frame);
        EXPECT_EQ(testing_support::tagLines(tags), c.removals) << "frame " << c.frame;
        EXPECT_EQ(displayList, c.remaining) << "frame " << c.frame;
    }
}

} // namespace
} // namespace swf
