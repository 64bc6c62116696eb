// The desktop program: the console window, documents, embedding mode and the embedding client.
// kelvoplot starts it for these modes, so that batch runs load neither Qt Widgets nor the
// libraries of the windows.
#include "desktop/app/command_line.h"
#include "desktop/app/desktop_app.h"
#include "desktop/app/embedding_server.h"

#include <exception>
#include <iostream>
#include <string>
#include <vector>

namespace {

int run(int argc, char** argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const desktop::LaunchOptions options = desktop::parseCommandLine(arguments);
    switch (options.mode) {
    case desktop::LaunchMode::Send:
        return desktop::runSend(argc, argv, options.documentPath);
    case desktop::LaunchMode::Console:
    case desktop::LaunchMode::Document:
    case desktop::LaunchMode::Embedding:
        desktop::keepLargeBuffersInHeap();
        return desktop::runDesktop(argc, argv, options);
    case desktop::LaunchMode::Batch:
    case desktop::LaunchMode::Help:
    case desktop::LaunchMode::Version:
    case desktop::LaunchMode::UsageError:
        break;
    }
    std::cerr << "kelvoplot-desktop: this program runs the windows; run kelvoplot for "
                 "batch mode, --help and --version\n";
    return 2;
}

} // namespace

// An exception that nothing else handled ends with a message and status 1, not an abort.
int main(int argc, char** argv)
{
    try {
        return run(argc, argv);
    } catch (const std::exception& error) {
        std::cerr << "kelvoplot-desktop: unexpected error: " << error.what() << "\n";
    } catch (...) {
        std::cerr << "kelvoplot-desktop: unexpected error\n";
    }
    return 1;
}
