// The application object that desktop tests paint with; the same one the widget tests use.
#pragma once

#include "qt_application.h"

namespace testing_support {

inline QGuiApplication& guiApplication()
{
    return qtApplication();
}

} // namespace testing_support
