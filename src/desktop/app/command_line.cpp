// Command-line parsing.
#include "desktop/app/command_line.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace desktop {
namespace {

std::optional<std::uint32_t> readWholeNumber(const std::string& text)
{
    std::uint32_t value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc{} || result.ptr != text.data() + text.size()) return std::nullopt;
    return value;
}

LaunchOptions usageError(std::string message)
{
    LaunchOptions options;
    options.mode = LaunchMode::UsageError;
    options.error = std::move(message);
    return options;
}

// Splits "--name=value" into name and value; other arguments are returned unchanged.
std::pair<std::string, std::optional<std::string>> splitInlineValue(const std::string& argument)
{
    if (argument.rfind("--", 0) != 0) return {argument, std::nullopt};
    const std::size_t equals = argument.find('=');
    if (equals == std::string::npos) return {argument, std::nullopt};
    return {argument.substr(0, equals), argument.substr(equals + 1)};
}

} // namespace

LaunchOptions parseCommandLine(std::span<const std::string> arguments)
{
    LaunchOptions options;
    bool batch = false;
    std::vector<std::string> positional;

    for (std::size_t i = 0; i < arguments.size(); ++i) {
        auto [name, inlineValue] = splitInlineValue(arguments[i]);
        auto takeValue = [&]() -> std::optional<std::string> {
            if (inlineValue) return inlineValue;
            if (i + 1 < arguments.size()) return arguments[++i];
            return std::nullopt;
        };

        if (name == "--help" || name == "-h") return LaunchOptions{LaunchMode::Help, {}, {}, {}};
        if (name == "--version") return LaunchOptions{LaunchMode::Version, {}, {}, {}};
        if (name == "--send") {
            const std::optional<std::string> value = takeValue();
            if (!value) return usageError("--send needs a document, or - for standard input");
            if (arguments.size() != (inlineValue ? 1u : 2u))
                return usageError("--send takes one document and nothing else");
            options.mode = LaunchMode::Send;
            options.documentPath = *value;
            return options;
        }
        if (name == "--batch") {
            batch = true;
        } else if (name == "--yes") {
            options.batch.answerYes = true;
        } else if (name == "--animate") {
            options.batch.animate = true;
        } else if (name == "--strict") {
            options.batch.strict = true;
        } else if (name == "--verbose") {
            options.batch.verbose = true;
        } else if (name == "-e" || name == "--export" || name == "--figure" || name == "--fps" ||
                   name == "--quality") {
            const std::optional<std::string> value = takeValue();
            if (!value) return usageError(name + " needs a value");
            if (name == "-e") {
                options.batch.lines.push_back(*value);
            } else if (name == "--export") {
                options.batch.exportPath = *value;
                batch = true;
            } else if (name == "--figure") {
                const auto id = readWholeNumber(*value);
                if (!id || *id == 0)
                    return usageError("--figure: '" + *value + "' is not a figure id");
                options.batch.figureId = *id;
            } else if (name == "--quality") {
                const auto quality = readWholeNumber(*value);
                if (!quality || *quality > 100)
                    return usageError("--quality: '" + *value +
                                      "' is not a WebP quality; it takes 0 to 100");
                options.batch.quality = static_cast<int>(*quality);
            } else {
                // Any whole number is taken, as the options dialog takes it; the movie writer
                // refuses rates outside 1 to 255 with a message that names the limit.
                const auto rate = readWholeNumber(*value);
                if (!rate)
                    return usageError("--fps: '" + *value +
                                      "' is not a frame rate; movies take 1 to 255 frames per "
                                      "second");
                options.batch.framesPerSecond = *rate;
            }
        } else if (name == "-ax" && !batch && positional.empty() && arguments.size() == 1) {
            options.mode = LaunchMode::Embedding;
            return options;
        } else if (name.size() > 1 && name[0] == '-') {
            return usageError("unknown option '" + name + "'");
        } else {
            positional.push_back(arguments[i]);
        }
    }

    const bool batchOnly = !options.batch.lines.empty() || options.batch.figureId ||
                           options.batch.answerYes || options.batch.framesPerSecond != 25 ||
                           options.batch.strict || options.batch.verbose || options.batch.animate ||
                           options.batch.quality;
    if (!batch) {
        if (batchOnly)
            return usageError("-e, --figure, --fps, --yes, --strict, --verbose, --animate and "
                              "--quality need --batch or --export");
        if (positional.size() > 1) return usageError("one document at a time");
        if (positional.empty()) return options;
        options.mode = LaunchMode::Document;
        options.documentPath = positional.front();
        return options;
    }
    if (positional.size() > 1) return usageError("batch mode takes one INPUT");
    const std::string out = options.batch.exportPath.value_or("");
    const auto endsWith = [&](std::string_view extension) {
        return out.size() >= extension.size() &&
               std::equal(extension.rbegin(), extension.rend(), out.rbegin(), [](char a, char b) {
                   return a == std::tolower(static_cast<unsigned char>(b));
               });
    };
    if (options.batch.animate && !endsWith(".gif") && !endsWith(".webp"))
        return usageError("--animate needs --export OUT with a .gif or .webp OUT");
    if (options.batch.quality && !endsWith(".webp"))
        return usageError("--quality needs --export OUT with a .webp OUT");
    options.mode = LaunchMode::Batch;
    if (!positional.empty()) options.batch.input = positional.front();
    return options;
}

std::string usageText()
{
    return "Usage: kelvoplot [DOCUMENT | -ax]\n"
           "       kelvoplot --send DOCUMENT|-\n"
           "       kelvoplot --batch [options] [INPUT]\n"
           "       kelvoplot --export OUT [options] [INPUT]\n"
           "\n"
           "Interactive plotting driven by a small plotting language.\n"
           "\n"
           "  (no arguments)   open the console window\n"
           "  DOCUMENT         open a .vexxml document; the console stays hidden\n"
           "  -ax              embedding mode: figures stay hidden\n"
           "  --send DOCUMENT  hand a document (- for standard input) to the running program,\n"
           "                   which runs it, and exit\n"
           "\n"
           "Batch mode runs command lines without windows and prints the console's output:\n"
           "  -e LINE          run one command line (repeatable, before INPUT)\n"
           "  INPUT            a .vexxml document, any other file (one command per line),\n"
           "                   or - for standard input\n"
           "  --export OUT     write a figure to OUT; the format comes from the extension:\n"
           "                   png jpg jpeg bmp gif webp svg pdf swf vexxml (implies --batch)\n"
           "  --animate        write the figure's movie as an animated .gif or .webp that\n"
           "                   ends on the complete figure and loops\n"
           "  --quality N      lossy WebP at quality 0 to 100 (default: lossless)\n"
           "  --figure ID      the figure to export (default: the first figure)\n"
           "  --fps N          frame rate of SWF movies and animations, 1 to 255 (default 25)\n"
           "  --yes            answer Yes to the program's questions (default No)\n"
           "  --strict         exit with status 3 after any warning; nothing is exported\n"
           "                   when the command lines gave one\n"
           "  --verbose        name every file written, with its format, size and bytes\n"
           "  -h, --help       show this help\n"
           "      --version    show the version\n"
           "\n"
           "Batch mode writes warnings about command lines to standard error as\n"
           "FILE:LINE: warning: ... (lines of -e count as -e:N).\n"
           "\n"
           "Exit status: 0 done, 1 an input or output could not be read or written or the\n"
           "figure does not exist, 2 wrong usage, 3 a warning under --strict.\n";
}

std::string versionText()
{
    return std::string("kelvoplot (Kelvo Plot) ") + KELVO_VERSION + "\n";
}

} // namespace desktop
