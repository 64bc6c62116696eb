// Start-up: reads the command line and runs the console window, a document, or batch mode.
#include "app/batch_runner.h"
#include "app/command_line.h"
#include "app/desktop_app.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const app::LaunchOptions options = app::parseCommandLine(arguments);
    switch (options.mode) {
    case app::LaunchMode::Help:
        std::cout << app::usageText();
        return 0;
    case app::LaunchMode::Version:
        std::cout << app::versionText();
        return 0;
    case app::LaunchMode::UsageError:
        std::cerr << "kelvoplot: " << options.error << "\nTry 'kelvoplot --help'.\n";
        return 2;
    case app::LaunchMode::Batch:
        return app::runBatch(options.batch, std::cin, std::cout, std::cerr);
    case app::LaunchMode::Console:
    case app::LaunchMode::Document:
    case app::LaunchMode::Embedding:
        break;
    }
    return app::runDesktop(argc, argv, options);
}
