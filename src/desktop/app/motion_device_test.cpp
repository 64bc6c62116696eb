// Tests of the motion device's event handling with synthetic daemon events.
#include "desktop/app/motion_device.h"

#include <gtest/gtest.h>

namespace desktop {
namespace {

using Steps = std::vector<figure::MotionStep>;

TEST(MotionDevice, DaemonEventsBecomeToolSteps)
{
    std::vector<Steps> delivered;
    MotionDevice device([&](const Steps& steps) { delivered.push_back(steps); });
    device.handleMotion(70, 0, 350, 0, 0, 300); // 2D: two steps left, no z, rotation 0.86
    device.handleMotion(0, 0, 0, 100, 0, 0);    // too little rotation: nothing
    device.handleButton(1, true);               // key 2: reset in 2D
    device.handleButton(1, false);              // key 2 up: nothing
    device.handleButton(0, true);               // key 1: 3D
    device.handleButton(0, false);
    device.handleMotion(-35, 0, 70, 0, -300, 0);
    device.handleButton(5, true); // other buttons do nothing
    const std::vector<Steps> expected = {
        {{1401, -2}, {1411, 1}},
        {{1450, 0}},
        {{1453, -1}, {1455, 2}, {1464, -1}},
    };
    EXPECT_EQ(delivered, expected);
    EXPECT_EQ(device.mode(), figure::MotionMode::ThreeD);
    EXPECT_FALSE(device.isOpen());
}

} // namespace
} // namespace desktop
