// The application object of a batch run, made when painting or fonts first need one.
#pragma once

namespace desktop {

// Makes a QGuiApplication on the offscreen platform unless the process has one. The object is
// never destroyed: its teardown would take longer than a small export, and a batch run ends soon
// after.
void ensureGuiApplication();

} // namespace desktop
