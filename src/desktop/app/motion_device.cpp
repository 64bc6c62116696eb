// The motion device through libspnav.
#include "desktop/app/motion_device.h"

#include <QSocketNotifier>

#include <spnav.h>

namespace desktop {

MotionDevice::MotionDevice(StepSink deliver, QObject* parent)
    : QObject(parent), m_deliver(std::move(deliver))
{
}

MotionDevice::~MotionDevice()
{
    if (m_notifier) spnav_close();
}

bool MotionDevice::open()
{
    if (m_notifier) return true;
    if (spnav_open() == -1) return false;
    const int descriptor = spnav_fd();
    if (descriptor < 0) {
        spnav_close();
        return false;
    }
    m_notifier = new QSocketNotifier(descriptor, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &MotionDevice::readEvents);
    return true;
}

void MotionDevice::readEvents()
{
    spnav_event event{};
    while (spnav_poll_event(&event) != 0) {
        if (event.type == SPNAV_EVENT_MOTION)
            handleMotion(event.motion.x, event.motion.y, event.motion.z, event.motion.rx,
                         event.motion.ry, event.motion.rz);
        else if (event.type == SPNAV_EVENT_BUTTON)
            handleButton(event.button.bnum, event.button.press != 0);
    }
}

void MotionDevice::handleMotion(int x, int y, int z, int rotationX, int rotationY, int rotationZ)
{
    const std::vector<figure::MotionStep> steps =
        m_mapper.motion(figure::readingFromDevice(x, y, z, rotationX, rotationY, rotationZ));
    if (!steps.empty()) m_deliver(steps);
}

// Every key event reads both keys' states, as the device reports them.
void MotionDevice::handleButton(int number, bool pressed)
{
    if (number == 0) m_key1Down = pressed;
    else if (number == 1) m_key2Down = pressed;
    else return;
    const std::vector<figure::MotionStep> steps = m_mapper.keys(m_key1Down, m_key2Down);
    if (!steps.empty()) m_deliver(steps);
}

} // namespace desktop
