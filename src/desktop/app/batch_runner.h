// Batch mode: runs command lines without windows, prints the console's output and exports.
#pragma once

#include "desktop/app/command_line.h"

#include <iosfwd>

namespace desktop {

// Returns the process exit status: 0 done, 1 an input or output failed or the figure is missing,
// 3 a warning or limit message under --strict.
int runBatch(const BatchOptions& options, std::istream& standardInput, std::ostream& output,
             std::ostream& diagnostics);

} // namespace desktop
