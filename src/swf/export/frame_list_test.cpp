// Tests of the frame lists SPLIT, SPLITR and SPLITTR give, and of the SPLITTR step.
#include "swf/export/frame_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace swf {
namespace {

using model::SubObjectKind;

std::vector<std::string> numbers(std::size_t count, const std::string& first,
                                 const std::string& second)
{
    std::vector<std::string> arguments(count, "1");
    arguments[0] = first;
    arguments[1] = second;
    return arguments;
}

struct FrameListCase {
    std::vector<model::SubObject> subObjects;
    FigureTransforms transforms = FigureTransforms::Matrix;
    FrameList expected; // in a figure of 10 frames, for an object whose AT names frame 2
};

TEST(FrameList, TakesSplitListsAndRangesThatNameFrames)
{
    const std::vector<FrameListCase> cases = {
        {{}, FigureTransforms::Matrix, {2}},
        {{{SubObjectKind::Split, {"1", "3", "12", "-1", "2.7", "10"}}},
         FigureTransforms::Matrix,
         {1, 3, 2}},
        {{{SubObjectKind::Split, {"12"}}}, FigureTransforms::Matrix, {2}},
        {{{SubObjectKind::SplitR, {"3", "4"}}}, FigureTransforms::Matrix, {3, 4, 5, 6}},
        {{{SubObjectKind::SplitR, {"8", "5"}}}, FigureTransforms::Matrix, {8, 9}},
        {{{SubObjectKind::SplitR, {"-2", "4"}}}, FigureTransforms::Matrix, {0, 1}},
        {{{SubObjectKind::SplitR, {"20", "5"}}}, FigureTransforms::Matrix, {2}},
        {{{SubObjectKind::SplitR, {"7", "2000000000"}}}, FigureTransforms::Matrix, {7, 8, 9}},
        // counts beyond the 32-bit range truncate as the processor does, to a negative count
        {{{SubObjectKind::SplitR, {"7", "4000000000"}}}, FigureTransforms::Matrix, {2}},
        {{{SubObjectKind::SplitR, {"3", "4", "5"}}}, FigureTransforms::Matrix, {2}},
        {{{SubObjectKind::Split, {"1"}}, {SubObjectKind::SplitR, {"5", "2"}}},
         FigureTransforms::Matrix,
         {5, 6}},
        {{{SubObjectKind::SplitTR, numbers(22, "4", "3")}}, FigureTransforms::Matrix, {4, 5, 6}},
        {{{SubObjectKind::SplitTR, numbers(23, "4", "3")}}, FigureTransforms::Matrix, {2}},
        {{{SubObjectKind::SplitTR, numbers(23, "4", "3")}}, FigureTransforms::Own2D, {4, 5, 6}},
        {{{SubObjectKind::SplitTR, numbers(22, "4", "3")}}, FigureTransforms::Own2D, {2}},
        {{{SubObjectKind::SplitR, {"1", "2"}}, {SubObjectKind::SplitTR, numbers(22, "6", "2")}},
         FigureTransforms::Matrix,
         {6, 7}},
    };
    for (const FrameListCase& c : cases) {
        model::PlotObject object;
        object.subObjects = c.subObjects;
        EXPECT_EQ(objectFrameList(object, 10, c.transforms, 2), c.expected)
            << c.subObjects.size() << " sub-objects, first with "
            << (c.subObjects.empty() ? 0 : c.subObjects[0].arguments.size()) << " arguments";
    }
}

TEST(FrameList, SplitTrStepsAddAndMultiplyAsTheyAccumulate)
{
    std::vector<std::string> arguments;
    for (int value = 0; value <= 21; ++value)
        arguments.push_back(std::to_string(value));
    model::PlotObject object;
    object.subObjects = {{SubObjectKind::SplitTR, arguments}};
    const std::optional<AnimationStep> step = animationStepOf(object, FigureTransforms::Matrix);
    ASSERT_TRUE(step.has_value());
    EXPECT_FALSE(animationStepOf(object, FigureTransforms::Own2D).has_value());

    geom::Own2DTransform own{1, 1, 1, 1, 1, 1, 1};
    advance(own, *step);
    advance(own, *step);
    EXPECT_EQ(own, (geom::Own2DTransform{5, 7, 16, 25, 13, 15, 17}));

    geom::Transform3D transform;
    advance(transform, *step);
    EXPECT_EQ(transform, (geom::Transform3D{9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20}));
    advance(transform, *step);
    EXPECT_EQ(transform, (geom::Transform3D{18, 20, 22, 144, 169, 196, 30, 32, 34, 36, 38, 40}));
}

} // namespace
} // namespace swf
