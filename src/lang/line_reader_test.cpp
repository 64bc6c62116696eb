// Tests of bounded line reading.
#include "lang/line_reader.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace lang {
namespace {

struct Reading {
    LineStatus status;
    std::string line;
    bool operator==(const Reading&) const = default;
};

std::vector<Reading> readAll(const std::string& text, std::size_t maximumBytes)
{
    std::istringstream input(text);
    std::vector<Reading> readings;
    std::string line;
    for (LineStatus status; (status = readLine(input, line, maximumBytes)) != LineStatus::End;)
        readings.push_back({status, line});
    return readings;
}

// A batch input without line breaks (/dev/zero) was once read into one string of any size.
TEST(LineReader, ReadsLinesAndSkipsThoseOverTheMaximum)
{
    struct Case {
        std::string text;
        std::vector<Reading> expected;
    };
    const Case cases[] = {
        {"", {}},
        {"FIGURE 1", {{LineStatus::Read, "FIGURE 1"}}},
        {"a\r\nb\n\nc",
         {{LineStatus::Read, "a"},
          {LineStatus::Read, "b"},
          {LineStatus::Read, ""},
          {LineStatus::Read, "c"}}},
        {"12345678\n123456789\nok\n",
         {{LineStatus::Read, "12345678"}, {LineStatus::TooLong, ""}, {LineStatus::Read, "ok"}}},
        {std::string(1000, '\0'), {{LineStatus::TooLong, ""}}},
        {"cr\r\r\n", {{LineStatus::Read, "cr\r"}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(readAll(c.text, 8), c.expected) << c.text;
}

} // namespace
} // namespace lang
