// The program's command line: console, document, embedding mode, or batch with export.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace desktop {

enum class LaunchMode { Console, Document, Embedding, Send, Batch, Help, Version, UsageError };

struct BatchOptions {
    std::vector<std::string> lines;        // -e LINE, in order, run before INPUT
    std::optional<std::string> input;      // a .vexxml document, a command file, or "-" for stdin
    std::optional<std::string> exportPath; // --export OUT
    std::optional<std::uint32_t> figureId; // --figure ID
    std::uint32_t framesPerSecond = 25;    // --fps N
    bool answerYes = false;                // --yes
    bool animate = false;                  // --animate: a .gif or .webp of the figure's movie
    std::optional<int> quality;            // --quality N: lossy WebP
    bool strict = false;                   // --strict: any warning ends the run with status 3
    bool verbose = false;                  // --verbose: a line for every file written

    bool operator==(const BatchOptions&) const = default;
};

struct LaunchOptions {
    LaunchMode mode = LaunchMode::Console;
    std::string documentPath; // Document mode, and Send mode ("-" for standard input)
    BatchOptions batch;       // Batch mode
    std::string error;        // UsageError: what was wrong

    bool operator==(const LaunchOptions&) const = default;
};

// Reads the arguments after the program name.
LaunchOptions parseCommandLine(std::span<const std::string> arguments);

// The --help text and the --version line.
std::string usageText();
std::string versionText();

} // namespace desktop
