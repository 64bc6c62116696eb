// Tests of the console's command history.
#include "desktop/console/command_history.h"

#include <gtest/gtest.h>

namespace desktop {
namespace {

TEST(CommandHistory, BrowsesUpAndDownLikeTheConsole)
{
    using Step = std::pair<char, std::optional<std::string>>; // U up, D down, E escape
    struct Case {
        std::vector<std::string> entered;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        {{"one", "two", "three"},
         {{'U', "three"}, {'U', "two"}, {'D', "three"}, {'D', ""}, {'D', std::nullopt}}},
        {{}, {{'U', std::nullopt}, {'D', ""}, {'D', std::nullopt}}},
        {{"a", "b"}, {{'U', "b"}, {'U', "a"}, {'U', std::nullopt}, {'D', "b"}}},
        {{"a", "b"}, {{'U', "b"}, {'U', "a"}, {'E', std::nullopt}, {'U', "b"}}},
        {{"x", "", "x"}, {{'U', "x"}, {'U', ""}, {'U', "x"}}},
    };
    for (const Case& c : cases) {
        CommandHistory history;
        for (const std::string& line : c.entered)
            history.enter(line);
        for (const auto& [key, expected] : c.steps) {
            if (key == 'E') {
                history.reset();
                continue;
            }
            EXPECT_EQ(key == 'U' ? history.up() : history.down(), expected) << key;
        }
    }
}

} // namespace
} // namespace desktop
