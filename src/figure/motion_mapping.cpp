// Motion device readings to tool steps.
#include "figure/motion_mapping.h"

#include <algorithm>
#include <cmath>

namespace figure {
namespace {

// Tool step ids: 2D steps from 1401, 3D steps from 1451.
constexpr int moveLeft2D = 1401, moveUp2D = 1402, moveRight2D = 1403, moveDown2D = 1404;
constexpr int rotate2D = 1411, reset2D = 1450;
constexpr int moveLeft3D = 1451, moveUp3D = 1452, moveRight3D = 1453, moveDown3D = 1454;
constexpr int zUp3D = 1455, zDown3D = 1456;
constexpr int rotateXPlus = 1461, rotateYPlus = 1462, rotateXMinus = 1463, rotateYMinus = 1464;
constexpr int rotateZPlus = 1465, rotateZMinus = 1466, reset3D = 1500;

constexpr float deviceFullScale = 350.0f;
constexpr float translationStepsAtFullScale = 10.0f;

int ceilOf(float value)
{
    return static_cast<int>(std::ceil(value));
}

int floorOf(float value)
{
    return static_cast<int>(std::floor(value));
}

void addRotation(std::vector<MotionStep>& steps, float component, int positive, int negative)
{
    if (component > motionRotationThreshold) steps.push_back({positive, 1});
    if (component < -motionRotationThreshold) steps.push_back({negative, -1});
}

} // namespace

std::vector<MotionStep> MotionMapper::motion(const MotionReading& reading) const
{
    const bool threeD = m_mode == MotionMode::ThreeD;
    std::vector<MotionStep> steps;
    if (reading.x > 0) steps.push_back({threeD ? moveLeft3D : moveLeft2D, -ceilOf(reading.x)});
    if (reading.x < 0) steps.push_back({threeD ? moveRight3D : moveRight2D, floorOf(reading.x)});
    if (reading.y > 0) steps.push_back({threeD ? moveUp3D : moveUp2D, ceilOf(reading.y)});
    if (reading.y < 0) steps.push_back({threeD ? moveDown3D : moveDown2D, -floorOf(reading.y)});
    if (threeD) {
        if (reading.z > 0) steps.push_back({zUp3D, ceilOf(reading.z)});
        if (reading.z < 0) steps.push_back({zDown3D, -floorOf(reading.z)});
        addRotation(steps, reading.rotationX, rotateXPlus, rotateXMinus);
        addRotation(steps, reading.rotationY, rotateYPlus, rotateYMinus);
        addRotation(steps, reading.rotationZ, rotateZPlus, rotateZMinus);
    } else {
        addRotation(steps, reading.rotationZ, rotate2D, rotate2D);
    }
    return steps;
}

std::vector<MotionStep> MotionMapper::keys(bool key1Down, bool key2Down)
{
    std::vector<MotionStep> steps;
    if (key1Down) m_mode = m_mode == MotionMode::TwoD ? MotionMode::ThreeD : MotionMode::TwoD;
    if (key2Down) steps.push_back({m_mode == MotionMode::TwoD ? reset2D : reset3D, 0});
    return steps;
}

MotionReading readingFromDevice(int x, int y, int z, int rotationX, int rotationY, int rotationZ)
{
    const auto translation = [](int value) {
        return static_cast<float>(value) / deviceFullScale * translationStepsAtFullScale;
    };
    const auto rotation = [](int value) {
        return std::clamp(static_cast<float>(value) / deviceFullScale, -1.0f, 1.0f);
    };
    return {translation(x),       translation(y),       translation(z),
            rotation(rotationX), rotation(rotationY), rotation(rotationZ)};
}

} // namespace figure
