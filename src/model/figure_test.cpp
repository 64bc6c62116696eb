// Tests of the figure model: id allocation, sub-object lookup and written names.
#include "model/figure.h"

#include <gtest/gtest.h>

namespace model {
namespace {

TEST(FigureList, LowestUnusedIdReusesFreedIdsSmallestFirst)
{
    struct Case {
        std::vector<std::uint32_t> ids;
        std::vector<std::uint32_t> removed;
        std::uint32_t expected;
    };
    const Case cases[] = {
        {{}, {}, 1},           {{1, 2, 3}, {2}, 2},    {{2, 3}, {}, 1},
        {{3, 1, 2, 5}, {}, 4}, {{1, 2, 3}, {1, 2}, 1}, {{7}, {}, 1},
    };
    for (const Case& c : cases) {
        FigureList list;
        for (std::uint32_t id : c.ids)
            list.append(id);
        for (std::uint32_t id : c.removed)
            EXPECT_TRUE(list.remove(id));
        EXPECT_EQ(list.lowestUnusedFigureId(), c.expected);
    }
}

TEST(FigureList, FindsTheFirstFigureWithAnIdAndKeepsOrderOnRemoval)
{
    FigureList list;
    Figure& one = list.append(1);
    list.append(2);
    list.append(3);
    EXPECT_EQ(list.findFigure(1), &one);
    EXPECT_EQ(list.findFigure(9), nullptr);
    EXPECT_TRUE(list.remove(2));
    EXPECT_FALSE(list.remove(2));
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list.at(0).id, 1u);
    EXPECT_EQ(list.at(1).id, 3u);
    EXPECT_EQ(list.findFigure(1), &one); // records do not move
}

TEST(PlotObject, FindsSubObjectsByKindAndOccurrence)
{
    PlotObject object;
    object.subObjects = {{SubObjectKind::P1, {"1"}},
                         {SubObjectKind::Pen, {"2"}},
                         {SubObjectKind::P1, {"2"}},
                         {SubObjectKind::P1, {"3"}}};
    EXPECT_EQ(findSubObject(object, SubObjectKind::P1, 0)->arguments[0], "1");
    EXPECT_EQ(findSubObject(object, SubObjectKind::P1, 2)->arguments[0], "3");
    EXPECT_EQ(findSubObject(object, SubObjectKind::P1, 3), nullptr);
    EXPECT_EQ(findSubObject(object, SubObjectKind::P1, -1), nullptr);
    EXPECT_EQ(countSubObjects(object, SubObjectKind::P1), 3);

    SubObject* created =
        findSubObject(object, SubObjectKind::Brush, 0, SubObjectCreation::FindOrAppend);
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(*created, (SubObject{SubObjectKind::Brush, {}}));
    EXPECT_EQ(object.subObjects.size(), 5u);
    EXPECT_EQ(
        findSubObject(object, SubObjectKind::Pen, 0, SubObjectCreation::FindOrAppend)->arguments[0],
        "2");
    EXPECT_EQ(object.subObjects.size(), 5u);
}

TEST(SubObject, WrittenNamesAreLowerCaseAndUnknownForRejectedKinds)
{
    const std::pair<SubObjectKind, std::string_view> cases[] = {
        {SubObjectKind::Name, "n"},
        {SubObjectKind::Brush, "brush"},
        {SubObjectKind::At, "at"},
        {SubObjectKind::Transform3D, "3dtransform"},
        {SubObjectKind::P4, "p4"},
        {SubObjectKind::SplitTR, "splittr"},
        {SubObjectKind::Transform4D, "4dtransform"},
        {SubObjectKind::Unknown, "unknown"},
        {static_cast<SubObjectKind>(99), "unknown"},
    };
    for (const auto& [kind, name] : cases)
        EXPECT_EQ(writtenName(kind), name);
}

} // namespace
} // namespace model
