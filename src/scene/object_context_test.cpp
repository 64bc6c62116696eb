// Tests of the per-object working data: the object text and the number lists.
#include "scene/object_context.h"

#include <gtest/gtest.h>

namespace render {
namespace {

TEST(ObjectText, CutsLongTextAtNineHundredNinetyNineCharacters)
{
    model::PlotObject object;
    object.subObjects = {{model::SubObjectKind::Name, {std::string(1200, 'a')}}};
    EXPECT_EQ(objectText(object).size(), 999u);
    object.subObjects[0].arguments[0] = std::string(998, 'a') + "\xC3\xA9\xC3\xA9"; // e acute
    EXPECT_EQ(objectText(object), std::string(998, 'a') + "\xC3\xA9");
    object.subObjects[0].arguments[0] = std::string(998, 'a') + "\xF0\x9F\x98\x80"; // a pair
    EXPECT_EQ(objectText(object), std::string(998, 'a'));
}

TEST(NumberLists, ReadsGroupsAndDropsIncompleteOnes)
{
    model::PlotObject object;
    object.type = model::ObjectType::Poly;
    object.subObjects = {{model::SubObjectKind::P1, {"3", "x", "0x10"}},
                         {model::SubObjectKind::P2, {"1", "10%", "3", "4", "5"}},
                         {model::SubObjectKind::P3, {"1", "2", "3%", "4"}},
                         {model::SubObjectKind::P4, {"50%", "50%", "50%", "50%", "9"}},
                         {model::SubObjectKind::P2, {"7", "7"}}};
    const NumberLists lists = readNumberLists(object, {0, 0, 200, 100}, std::nullopt);
    EXPECT_EQ(lists.p1Values, (std::vector<float>{3, 0, 16}));
    EXPECT_EQ(lists.p1, 3);
    EXPECT_EQ(lists.p2Points, (std::vector<Point2D>{{1, 10}, {3, 4}}));
    EXPECT_EQ(lists.p3Triples, (std::vector<Triple>{{1, 2, 3}})); // the value is no percentage
    EXPECT_EQ(lists.p4Quads, (std::vector<Quad>{{100, 50, 100, 50}}));
    EXPECT_EQ(lists.pt, (Point2D{1, 10}));
    EXPECT_EQ(lists.typedQuad, lists.quad);
}

} // namespace
} // namespace render
