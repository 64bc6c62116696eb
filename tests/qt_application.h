// The one QApplication of the desktop tests (widgets need it; fonts and image plugins need at
// least a QGuiApplication). It runs on the offscreen platform unless another one is asked for,
// and is never destroyed: Qt's objects must not outlive it at process exit.
#pragma once

#include <QApplication>

namespace testing_support {

inline QApplication& qtApplication()
{
    static QApplication* application = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "kelvo_desktop_tests";
        static char* argv[] = {name, nullptr};
        return new QApplication(argc, argv);
    }();
    return *application;
}

} // namespace testing_support
