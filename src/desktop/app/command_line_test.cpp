// Tests of the command line's animation options.
#include "desktop/app/command_line.h"

#include <gtest/gtest.h>

namespace desktop {
namespace {

TEST(CommandLine, TakesAnimationsOnlyAsGifOrWebp)
{
    struct Row {
        std::vector<std::string> arguments;
        LaunchMode mode;
        bool animate;
        std::optional<int> quality;
    };
    const std::vector<Row> rows = {
        {{"--export", "a.gif", "--animate", "in.kp"}, LaunchMode::Batch, true, {}},
        {{"--export=a.WEBP", "--animate", "--quality", "80"}, LaunchMode::Batch, true, 80},
        {{"--export", "a.webp", "--quality=0"}, LaunchMode::Batch, false, 0},
        {{"--export", "a.gif"}, LaunchMode::Batch, false, {}},
        {{"--export", "a.png", "--animate"}, LaunchMode::UsageError, false, {}},
        {{"--export", "a.gif", "--quality", "50"}, LaunchMode::UsageError, false, {}},
        {{"--export", "a.webp", "--quality", "101"}, LaunchMode::UsageError, false, {}},
        {{"--export", "a.webp", "--quality", "x"}, LaunchMode::UsageError, false, {}},
        {{"--animate", "in.kp"}, LaunchMode::UsageError, false, {}},
    };
    for (const Row& row : rows) {
        const LaunchOptions options = parseCommandLine(row.arguments);
        SCOPED_TRACE(row.arguments[0] + " " + row.arguments[1] + ": " + options.error);
        EXPECT_EQ(options.mode, row.mode);
        if (row.mode != LaunchMode::Batch) continue;
        EXPECT_EQ(options.batch.animate, row.animate);
        EXPECT_EQ(options.batch.quality, row.quality);
    }
    EXPECT_NE(usageText().find("--animate"), std::string::npos);
}

} // namespace
} // namespace desktop
