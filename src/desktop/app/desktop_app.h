// The desktop program: console window, figure windows and the event loop.
#pragma once

#include "desktop/app/command_line.h"

namespace desktop {

// Runs the console (Console mode), a document with the console hidden (Document mode) or the
// embedding mode with hidden figures; returns the exit status.
int runDesktop(int argc, char** argv, const LaunchOptions& options);

} // namespace desktop
