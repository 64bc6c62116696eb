// Tests of the placement and transform views of an object.
#include "model/object_views.h"

#include "lang/object_builder.h"

#include <gtest/gtest.h>

namespace model {
namespace {

PlotObject build(std::string_view line)
{
    PlotObject object;
    std::vector<std::string> rejected;
    lang::buildObject(line, object, rejected);
    return object;
}

TEST(ObjectViews, ReadsThePlacementWithDefaults)
{
    const std::pair<std::string, Placement> cases[] = {
        {"RECTANGLE at(1)", {1, 0, 0, 0}},
        {"RECTANGLE at(2,1,3,4)", {2, 1, 3, 4}},
        {"RECTANGLE at(1,2.9) at(5,5,5,5)", {1, 2, 0, 0}}, // the first AT, truncated
        {"RECTANGLE p4(1,2,3,4)", {0, 0, 0, 0}},
        {"RECTANGLE at(1,-1,x)", {1, -1, 0, 0}},
    };
    for (const auto& [line, expected] : cases)
        EXPECT_EQ(placementOf(build(line)), expected) << line;
}

TEST(ObjectViews, ReadsTheTransformInBothReadings)
{
    const PlotObject six = build("POLY at(1) transform(1,0,0,1,20,30)");
    EXPECT_EQ(transformMatrixOf(six), (Matrix2D{1, 0, 0, 1, 20, 30}));
    EXPECT_EQ(own2DTransformOf(six), (Own2DTransform{1, 0, 0, 1, 20, 0, 0}));

    const PlotObject seven = build("POLY at(1) transform(10,5,2,3,90,100,110)");
    EXPECT_EQ(own2DTransformOf(seven), (Own2DTransform{10, 5, 2, 3, 90, 100, 110}));

    const PlotObject none = build("POLY at(1)");
    EXPECT_EQ(transformMatrixOf(none), std::nullopt);
    EXPECT_EQ(own2DTransformOf(none), std::nullopt);

    // Fewer than six numbers: the sub-object is refused when the line is read.
    EXPECT_EQ(transformMatrixOf(build("POLY at(1) transform(1,2,3)")), std::nullopt);
}

TEST(ObjectViews, ReadsThe3DTransformWithItsScaleRule)
{
    const Transform3D given =
        transform3DOf(build("POLY3 at(1) 3dtransform(1,2,3,4,5,6,7,8,9,0.1,0.2,0.3)"));
    EXPECT_EQ(given, (Transform3D{1, 2, 3, 4, 5, 6, 7, 8, 9, 0.1f, 0.2f, 0.3f}));
    const Transform3D zeroScale =
        transform3DOf(build("POLY3 at(1) 3dtransform(1,2,3,0,0,0,7,8,9,0,0,0)"));
    EXPECT_EQ(zeroScale, (Transform3D{1, 2, 3, 1, 1, 1, 7, 8, 9, 0, 0, 0}));
    EXPECT_EQ(transform3DOf(build("POLY3 at(1)")), Transform3D{});
}

} // namespace
} // namespace model
