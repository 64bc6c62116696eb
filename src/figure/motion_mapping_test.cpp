// Tests of the motion device mapping, with synthetic readings and key events.
#include "figure/motion_mapping.h"

#include <gtest/gtest.h>

namespace figure {
namespace {

using Steps = std::vector<MotionStep>;

TEST(MotionMapping, ReadingsBecomeTheStepsOfTheMode)
{
    struct Case {
        MotionMode mode;
        MotionReading reading;
        Steps expected;
    };
    const std::vector<Case> cases = {
        {MotionMode::TwoD, {2.3f, 0, 0, 0, 0, 0}, {{1401, -3}}},
        {MotionMode::TwoD, {-2.3f, 1.2f, 0, 0, 0, 0}, {{1403, -3}, {1402, 2}}},
        {MotionMode::TwoD, {0, -0.5f, 5, 0.9f, -0.9f, 0}, {{1404, 1}}}, // no z, no x/y rotation
        {MotionMode::TwoD, {0, 0, 0, 0, 0, 0.81f}, {{1411, 1}}},
        {MotionMode::TwoD, {0, 0, 0, 0, 0, -0.81f}, {{1411, -1}}},
        {MotionMode::TwoD, {0, 0, 0, 0, 0, 0.8f}, {}}, // not above the threshold
        {MotionMode::ThreeD, {1, -1, 0.2f, 0, 0, 0}, {{1451, -1}, {1454, 1}, {1455, 1}}},
        {MotionMode::ThreeD, {-0.1f, 0, -1.5f, 0, 0, 0}, {{1453, -1}, {1456, 2}}},
        {MotionMode::ThreeD,
         {0, 0, 0, 0.9f, -0.9f, 1},
         {{1461, 1}, {1464, -1}, {1465, 1}}},
        {MotionMode::ThreeD, {0, 0, 0, -1, 0.85f, -0.95f}, {{1463, -1}, {1462, 1}, {1466, -1}}},
    };
    for (const Case& test : cases) {
        MotionMapper mapper;
        if (test.mode == MotionMode::ThreeD) mapper.keys(true, false);
        EXPECT_EQ(mapper.motion(test.reading), test.expected)
            << "x " << test.reading.x << " y " << test.reading.y << " z " << test.reading.z;
    }
}

TEST(MotionMapping, KeysToggleTheModeFirstAndThenReset)
{
    MotionMapper mapper;
    EXPECT_EQ(mapper.mode(), MotionMode::TwoD);
    EXPECT_EQ(mapper.keys(false, true), (Steps{{1450, 0}}));
    EXPECT_EQ(mapper.keys(true, false), Steps{});
    EXPECT_EQ(mapper.mode(), MotionMode::ThreeD);
    EXPECT_EQ(mapper.keys(false, true), (Steps{{1500, 0}}));
    EXPECT_EQ(mapper.keys(true, true), (Steps{{1450, 0}})); // back to 2D, then its reset
    EXPECT_EQ(mapper.keys(false, false), Steps{});
    EXPECT_EQ(mapper.mode(), MotionMode::TwoD);
}

TEST(MotionMapping, DeviceValuesScaleToStepsAndUnitRotation)
{
    const MotionReading reading = readingFromDevice(350, -35, 0, 700, -280, 0);
    EXPECT_FLOAT_EQ(reading.x, 10.0f);
    EXPECT_FLOAT_EQ(reading.y, -1.0f);
    EXPECT_FLOAT_EQ(reading.rotationX, 1.0f); // clamped
    EXPECT_FLOAT_EQ(reading.rotationY, -0.8f);
}

} // namespace
} // namespace figure
