// The QGuiApplication that desktop tests paint with: fonts and image plugins need one. It runs
// on the offscreen platform unless another one is asked for.
#pragma once

#include <QGuiApplication>

namespace testing_support {

inline QGuiApplication& guiApplication()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "kelvo_desktop_tests";
    static char* argv[] = {name, nullptr};
    static QGuiApplication application(argc, argv);
    return application;
}

} // namespace testing_support
