// Tests of the program's command line: every option, and the usage errors that end with status 2.
#include "desktop/app/command_line.h"

#include <QProcess>
#include <QStringList>

#include <gtest/gtest.h>

namespace desktop {
namespace {

LaunchOptions parse(std::vector<std::string> arguments)
{
    return parseCommandLine(arguments);
}

LaunchOptions batchWith(void (*fill)(BatchOptions&))
{
    LaunchOptions options;
    options.mode = LaunchMode::Batch;
    fill(options.batch);
    return options;
}

TEST(CommandLine, ReadsEveryOption)
{
    const auto withMode = [](LaunchMode mode, std::string document = {}) {
        LaunchOptions options;
        options.mode = mode;
        options.documentPath = std::move(document);
        return options;
    };
    const std::pair<std::vector<std::string>, LaunchOptions> cases[] = {
        {{}, withMode(LaunchMode::Console)},
        {{"plot.vexxml"}, withMode(LaunchMode::Document, "plot.vexxml")},
        {{"-ax"}, withMode(LaunchMode::Embedding)},
        {{"--send", "doc.vexxml"}, withMode(LaunchMode::Send, "doc.vexxml")},
        {{"--send=-"}, withMode(LaunchMode::Send, "-")},
        {{"--help"}, withMode(LaunchMode::Help)},
        {{"-h", "whatever"}, withMode(LaunchMode::Help)},
        {{"--version"}, withMode(LaunchMode::Version)},
        {{"--batch"}, batchWith([](BatchOptions&) {})},
        {{"--batch", "-"}, batchWith([](BatchOptions& b) { b.input = "-"; })},
        {{"--batch", "-e", "FIGURE 1", "-e", "cls", "in.kp"}, batchWith([](BatchOptions& b) {
             b.lines = {"FIGURE 1", "cls"};
             b.input = "in.kp";
         })},
        {{"--export", "out.png", "in.kp"}, batchWith([](BatchOptions& b) {
             b.exportPath = "out.png";
             b.input = "in.kp";
         })},
        {{"--export=o.swf", "--fps", "12", "--figure=3", "--yes", "--strict", "--verbose"},
         batchWith([](BatchOptions& b) {
             b.exportPath = "o.swf";
             b.framesPerSecond = 12;
             b.figureId = 3;
             b.answerYes = b.strict = b.verbose = true;
         })},
        {{"--export", "a.gif", "--animate", "in.kp"}, batchWith([](BatchOptions& b) {
             b.exportPath = "a.gif";
             b.animate = true;
             b.input = "in.kp";
         })},
        {{"--export=a.WEBP", "--animate", "--quality", "80"}, batchWith([](BatchOptions& b) {
             b.exportPath = "a.WEBP";
             b.animate = true;
             b.quality = 80;
         })},
        {{"--export", "a.webp", "--quality=0"}, batchWith([](BatchOptions& b) {
             b.exportPath = "a.webp";
             b.quality = 0;
         })},
    };
    for (const auto& [arguments, expected] : cases) {
        const LaunchOptions parsed = parse(arguments);
        EXPECT_EQ(parsed, expected)
            << (arguments.empty() ? "(none)" : arguments.front()) << ": " << parsed.error;
    }
}

TEST(CommandLine, RefusesWrongUsageWithAReasonAndStatusTwo)
{
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--colour"}, "unknown option '--colour'"},
        {{"-e", "FIGURE 1"}, "need --batch or --export"},
        {{"--fps", "30"}, "need --batch or --export"},
        {{"a.vexxml", "b.vexxml"}, "one document at a time"},
        {{"--batch", "a.kp", "b.kp"}, "batch mode takes one INPUT"},
        {{"--batch", "-e"}, "-e needs a value"},
        {{"--export"}, "--export needs a value"},
        {{"--batch", "--figure", "0"}, "'0' is not a figure id"},
        {{"--batch", "--figure", "two"}, "'two' is not a figure id"},
        {{"--batch", "--fps", "-5"}, "'-5' is not a frame rate"},
        {{"--send"}, "--send needs a document"},
        {{"--send", "a.vexxml", "b.vexxml"}, "--send takes one document"},
        {{"--batch", "-ax"}, "unknown option '-ax'"},
        {{"--animate", "in.kp"}, "need --batch or --export"},
        {{"--export", "a.png", "--animate"}, "--animate needs --export OUT with a .gif or .webp"},
        {{"--export", "a.gif", "--quality", "50"}, "--quality needs --export OUT with a .webp"},
        {{"--export", "a.webp", "--quality", "101"}, "it takes 0 to 100"},
        {{"--export", "a.webp", "--quality", "x"}, "'x' is not a WebP quality"},
    };
    for (const auto& [arguments, reason] : cases) {
        const LaunchOptions parsed = parse(arguments);
        EXPECT_EQ(parsed.mode, LaunchMode::UsageError) << arguments.front();
        EXPECT_NE(parsed.error.find(reason), std::string::npos)
            << arguments.front() << ": " << parsed.error;
    }

    // The program itself: the reason and the usage line on standard error, status 2.
    QProcess program;
    program.start(KELVOPLOT_BINARY, QStringList{"--batch", "--figure", "0"});
    ASSERT_TRUE(program.waitForFinished(60000));
    EXPECT_EQ(program.exitCode(), 2);
    EXPECT_TRUE(program.readAllStandardError().contains("is not a figure id"));
}

} // namespace
} // namespace desktop
