// One QApplication for the desktop tests, created on first use (tests run offscreen).
#pragma once

#include <QApplication>

namespace testing_support {

inline QApplication& qtApplication()
{
    if (auto* existing = qobject_cast<QApplication*>(QCoreApplication::instance()))
        return *existing;
    static int argc = 1;
    static char name[] = "kelvo_desktop_tests";
    static char* argv[] = {name, nullptr};
    // Never destroyed: a QApplication destroyed by the exit handlers meets windows still open
    // after Qt's thread storage is gone, and the test program crashes after passing.
    static QApplication* application = new QApplication(argc, argv);
    return *application;
}

} // namespace testing_support
