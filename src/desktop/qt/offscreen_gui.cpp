// The batch run's application object.
#include "desktop/qt/offscreen_gui.h"

#include <QGuiApplication>

namespace desktop {

void ensureGuiApplication()
{
    if (QGuiApplication::instance()) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "kelvoplot";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);
}

} // namespace desktop
