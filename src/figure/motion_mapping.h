// The six-axis motion device's events turned into the figure window's tool steps: translation
// moves, rotation above a threshold rotates, the first key switches between 2D and 3D steps and
// the second resets the view.
#pragma once

#include <vector>

namespace figure {

enum class MotionMode { TwoD, ThreeD };

// A tool step as the figure window carries it out: the command id and its parameter.
struct MotionStep {
    int command = 0;
    int parameter = 0;

    bool operator==(const MotionStep&) const = default;
};

// One reading of the device: translation in steps, rotation as components of about -1 to 1.
struct MotionReading {
    float x = 0, y = 0, z = 0;
    float rotationX = 0, rotationY = 0, rotationZ = 0;
};

// Rotation components count only beyond this magnitude.
inline constexpr float motionRotationThreshold = 0.8f;

class MotionMapper {
public:
    MotionMode mode() const { return m_mode; }

    // The steps of one motion reading, in the order x, y, z, then the rotation.
    std::vector<MotionStep> motion(const MotionReading& reading) const;
    // A key event with the keys' states: key 1 down switches the mode, then key 2 down resets the
    // view in the (new) mode.
    std::vector<MotionStep> keys(bool key1Down, bool key2Down);

private:
    MotionMode m_mode = MotionMode::TwoD;
};

// A reading from the values libspnav reports (about -350 to 350 at full deflection): translation
// becomes up to ten steps, rotation a component of -1 to 1.
MotionReading readingFromDevice(int x, int y, int z, int rotationX, int rotationY, int rotationZ);

} // namespace figure
