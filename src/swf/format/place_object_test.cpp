// Tests of the placement tags: PlaceObject2 of a morph at a ratio, and RemoveObject.
#include "swf/format/place_object.h"

#include <gtest/gtest.h>

#include <vector>

namespace swf {
namespace {

TEST(PlaceObject, WritesMorphPlacementsAndRemovalsByteForByte)
{
    struct Case {
        const char* name;
        void (*append)(ByteBuffer&);
        std::vector<std::uint8_t> expected;
    };
    const Case cases[] = {
        {"PlaceObject2: flags 0x16, depth, id, identity MATRIX, ratio 16383",
         [](ByteBuffer& out) {
             appendPlaceObject2(out, {PlacementKind::New, 5, 5, swfMatrixOf({}), 16383});
         },
         {0x8C, 0x06, 0x16, 5, 0, 5, 0, 0x20, 0, 0, 0, 0, 0xFF, 0x3F}},
        {"PlaceObject2 moving the character at depth 9 without a new one",
         [](ByteBuffer& out) {
             appendPlaceObject2(out, {PlacementKind::Move, 9, std::nullopt, std::nullopt, 0});
         },
         {0x85, 0x06, 0x11, 9, 0, 0, 0}},
        {"RemoveObject: header 0x0144, id and depth",
         [](ByteBuffer& out) {
             appendRemoveObject(out, {5, 5});
         },
         {0x44, 0x01, 5, 0, 5, 0}},
        {"PlaceObject: id, depth, MATRIX",
         [](ByteBuffer& out) {
             appendPlaceObject(out, {3, 3, swfMatrixOf({1, 0, 0, 1, 10, 5})});
         },
         {0x09, 0x01, 3, 0, 3, 0, 0x20, 0x01, 0x90, 0x00, 0xC8}},
    };
    for (const Case& c : cases) {
        ByteBuffer out;
        c.append(out);
        EXPECT_EQ(std::vector<std::uint8_t>(out.bytes().begin(), out.bytes().end()), c.expected)
            << c.name;
    }
}

} // namespace
} // namespace swf
