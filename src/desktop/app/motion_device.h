// The six-axis motion device, read through libspnav from the spacenavd daemon. Without a daemon
// the program runs as before and says nothing. Its events become tool steps for the figure in
// the foreground.
#pragma once

#include "figure/motion_mapping.h"

#include <QObject>

#include <functional>
#include <vector>

class QSocketNotifier;

namespace desktop {

class MotionDevice : public QObject {
    Q_OBJECT
public:
    using StepSink = std::function<void(const std::vector<figure::MotionStep>&)>;

    explicit MotionDevice(StepSink deliver, QObject* parent = nullptr);
    ~MotionDevice() override;

    // Connects to the daemon; false (quietly) when there is none.
    bool open();
    bool isOpen() const { return m_notifier != nullptr; }

    // One event as the daemon reports it: a motion (values of about -350 to 350), or a button
    // pressed or released (button 0 is key 1, button 1 is key 2).
    void handleMotion(int x, int y, int z, int rotationX, int rotationY, int rotationZ);
    void handleButton(int number, bool pressed);

    figure::MotionMode mode() const { return m_mapper.mode(); }

private:
    void readEvents();

    StepSink m_deliver;
    figure::MotionMapper m_mapper;
    QSocketNotifier* m_notifier = nullptr;
    bool m_key1Down = false;
    bool m_key2Down = false;
};

} // namespace desktop
