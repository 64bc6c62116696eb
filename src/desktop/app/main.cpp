// Start-up: reads the command line and runs the console window, a document, or batch mode.
#include "desktop/app/batch_runner.h"
#include "desktop/app/command_line.h"
#include "desktop/app/desktop_app.h"
#include "desktop/app/embedding_server.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv)
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
    case desktop::LaunchMode::Send:
        return desktop::runSend(argc, argv, options.documentPath);
    case desktop::LaunchMode::Batch: {
        const int status = desktop::runBatch(options.batch, std::cin, std::cout, std::cerr);
        // Batch mode ends without the teardown of Qt and of static objects: the files are
        // written and closed, and the teardown costs more than a small export.
        std::cout.flush();
        std::cerr.flush();
        std::fflush(nullptr);
        std::_Exit(status);
    }
    case desktop::LaunchMode::Console:
    case desktop::LaunchMode::Document:
    case desktop::LaunchMode::Embedding:
        break;
    }
    return desktop::runDesktop(argc, argv, options);
}
