// Start-up: reads the command line and runs batch mode, or hands the windows (console, document,
// embedding mode, embedding client) to the desktop program beside this one. This program links
// the batch code alone, so that a batch run loads no more of Qt than it paints with.
#include "desktop/app/batch_runner.h"
#include "desktop/app/command_line.h"

#include <malloc.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

namespace {

// Replaces this process with kelvoplot-desktop from this program's folder, with the same
// arguments; returns only when that fails.
int runDesktopProgram(char** argv)
{
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::filesystem::path program = self.parent_path() / "kelvoplot-desktop";
    if (!error) execv(program.c_str(), argv);
    std::cerr << "kelvoplot: the desktop program " << program.string() << " could not be started: "
              << (error ? error.message() : std::strerror(errno)) << "\n";
    return 1;
}

int run(int argc, char** argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const desktop::LaunchOptions options = desktop::parseCommandLine(arguments);
    switch (options.mode) {
    case desktop::LaunchMode::Help:
        std::cout << desktop::usageText();
        return 0;
    case desktop::LaunchMode::Version:
        std::cout << desktop::versionText();
        return 0;
    case desktop::LaunchMode::UsageError:
        std::cerr << "kelvoplot: " << options.error << "\nTry 'kelvoplot --help'.\n";
        return 2;
    case desktop::LaunchMode::Batch: {
        // An export allocates and frees picture-sized buffers one after another. Kept in the
        // heap rather than mapped and unmapped each time, they reuse pages already touched
        // instead of faulting in fresh zeroed ones.
        mallopt(M_MMAP_THRESHOLD, 32 << 20);
        mallopt(M_TRIM_THRESHOLD, 64 << 20);
        mallopt(M_TOP_PAD, 8 << 20);
        const int status = desktop::runBatch(options.batch, std::cin, std::cout, std::cerr);
        // Batch mode ends without the teardown of Qt and of static objects: the files are
        // written and closed, and the teardown costs more than a small export.
        std::cout.flush();
        std::cerr.flush();
        std::fflush(nullptr);
        std::_Exit(status);
    }
    case desktop::LaunchMode::Send:
    case desktop::LaunchMode::Console:
    case desktop::LaunchMode::Document:
    case desktop::LaunchMode::Embedding:
        break;
    }
    return runDesktopProgram(argv);
}

} // namespace

// Every failure the program knows of has its own message; anything else still ends with one
// and status 1 rather than an abort.
int main(int argc, char** argv)
{
    try {
        return run(argc, argv);
    } catch (const std::exception& error) {
        std::cerr << "kelvoplot: unexpected error: " << error.what() << "\n";
    } catch (...) {
        std::cerr << "kelvoplot: unexpected error\n";
    }
    return 1;
}
