// The writer against the table of tags and their expected bytes that the reader's tests share.
#include "swf/format/place_object.h"

#include "swf_golden_tags.h"

#include <gtest/gtest.h>

#include <vector>

namespace swf {
namespace {

TEST(GoldenTags, TheWriterWritesEachTagByteForByte)
{
    for (const testing_support::GoldenTag& tag : testing_support::goldenTags()) {
        ByteBuffer out;
        tag.append(out);
        EXPECT_EQ(std::vector<std::uint8_t>(out.bytes().begin(), out.bytes().end()), tag.bytes)
            << tag.name;
    }
}

} // namespace
} // namespace swf
