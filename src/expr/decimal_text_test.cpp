// Tests of "%f" formatting and the number rule against the C library.
#include "expr/decimal_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace expr {
namespace {

std::string printfFixed(double value)
{
    char text[400];
    std::snprintf(text, sizeof text, "%f", value);
    return text;
}

std::string fixed(double value)
{
    std::array<char, fixedTextCapacity> text;
    return std::string(text.data(), formatFixed(value, text));
}

TEST(DecimalText, FormatsAsPrintfDoes)
{
    const double inf = std::numeric_limits<double>::infinity();
    const std::pair<double, std::string> cases[] = {
        {0.5, "0.500000"},
        {-3, "-3.000000"},
        {0.0, "0.000000"},
        {-0.0, "-0.000000"},
        {-0.0000001, "-0.000000"},
        {0.0000005, "0.000000"}, // 4.99999999999999977e-07 lies below the tie
        {0.0078125, "0.007812"}, // an exact tie: to even
        {0.0234375, "0.023438"}, // an exact tie: to even, upwards
        {1.23456789, "1.234568"},
        {static_cast<float>(std::exp(1.0)), "2.718282"},
        {4294967295.999999, "4294967295.999999"}, // just below the quick range
        {1e20, "100000000000000000000.000000"},
        // Found by fuzzing: FUNCTION n("tanh(x)|x&1%2") p2(-1E30,1E30) p1(1E25) took over a
        // second, writing values near 1E30 with printf; these go the faster way now.
        {1e30, "1000000000000000019884624838656.000000"},
        {-4294967296.0, "-4294967296.000000"},
        {9007199254740993.0, "9007199254740992.000000"},
        {std::numeric_limits<double>::max(), printfFixed(std::numeric_limits<double>::max())},
        {-1e300, printfFixed(-1e300)},
        {inf, "inf"},
        {-inf, "-inf"},
        {std::numeric_limits<double>::quiet_NaN(), "nan"},
        {-std::numeric_limits<double>::quiet_NaN(), "-nan"},
    };
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(fixed(value), expected) << value;
}

TEST(DecimalText, FormatsRandomDoublesAndFloatsAsPrintfDoes)
{
    std::mt19937_64 random(7);
    for (int i = 0; i < 100000; ++i) {
        const auto bits = random();
        const double wide =
            std::ldexp(static_cast<double>(bits >> 11), -static_cast<int>(bits % 90));
        const float narrow = std::bit_cast<float>(static_cast<std::uint32_t>(bits));
        const double tie =
            static_cast<double>(static_cast<std::int64_t>(bits % 2000001) - 1000000) / 128;
        for (double value : {wide, -wide, static_cast<double>(narrow), tie}) {
            ASSERT_EQ(fixed(value), printfFixed(value)) << value;
            // What the number rule reads back from it.
            if (!std::isfinite(value)) continue;
            const double expected = std::strtod(printfFixed(value).c_str(), nullptr);
            ASSERT_EQ(std::bit_cast<std::uint64_t>(readNumber(fixed(value))),
                      std::bit_cast<std::uint64_t>(expected))
                << value;
        }
        const double readBack =
            std::isfinite(narrow) ? std::strtod(printfFixed(narrow).c_str(), nullptr) : 0.0;
        ASSERT_EQ(std::bit_cast<std::uint64_t>(readBackFixed(narrow)),
                  std::bit_cast<std::uint64_t>(readBack))
            << narrow;
    }
}

TEST(DecimalText, RoundsToMillionthsOnlyInItsRange)
{
    EXPECT_EQ(roundToMillionths(0.5), 500000u);
    EXPECT_EQ(roundToMillionths(-0.0078125), 7812u);
    EXPECT_EQ(roundToMillionths(0.0234375), 23438u);
    EXPECT_EQ(roundToMillionths(1e-300), 0u);
    EXPECT_EQ(roundToMillionths(millionthsRange), std::nullopt);
    EXPECT_EQ(roundToMillionths(std::numeric_limits<double>::quiet_NaN()), std::nullopt);
    EXPECT_EQ(roundToMillionths(-std::numeric_limits<double>::infinity()), std::nullopt);
}

// Found by fuzzing: FUNCTION n("tanh(x)|x&1%2") p2(-1E30,1E30) p1(1E25) wrote and read the text
// of every group value from 2^32 up; it is computed now, and must read as strtod reads it.
TEST(DecimalText, ReadsLargeValuesBackAsTheirTextReads)
{
    const auto readBack = [](double value) {
        return std::bit_cast<std::uint64_t>(std::strtod(printfFixed(value).c_str(), nullptr));
    };
    std::vector<double> values = {millionthsRange,
                                  -millionthsRange,
                                  std::nextafter(2 * millionthsRange, 0.0),
                                  2 * millionthsRange,
                                  millionthsRange + 0.5,
                                  millionthsRange + 1.0 / 1048576,
                                  millionthsRange + 3.0 / 1048576,
                                  1e30,
                                  -std::numeric_limits<double>::max()};
    std::mt19937_64 random(11);
    for (int i = 0; i < 20000; ++i) {
        const auto bits = random();
        const double value = std::ldexp(1.0 + static_cast<double>(bits >> 12) / 4503599627370496.0,
                                        32 + static_cast<int>(bits % (i % 2 == 0 ? 1 : 40)));
        values.push_back(bits & 2048 ? -value : value);
    }
    for (double value : values)
        ASSERT_EQ(std::bit_cast<std::uint64_t>(readBackLargeFixed(value)), readBack(value))
            << printfFixed(value);
}

TEST(DecimalText, ReadsTheLongestNumberPrefix)
{
    const double inf = std::numeric_limits<double>::infinity();
    const std::pair<std::string, double> cases[] = {
        {"20.500000", 20.5},
        {"  \t-3.000000", -3},
        {"12.718282", 12.718282},
        {"2E3", 2000},
        {"2e3x", 2000},
        {"2E", 2},
        {"2E+", 2},
        {"1E-3", 0.001},
        {".5", 0.5},
        {"5.", 5},
        {"3.1415932.718282", 3.1415932},
        {"1E999", inf},
        {"-1E999", -inf},
        {"4E-400", 0},
        {"0.500000EEEE1", 0.5},
        {"inf", 0},
        {"nan", 0},
        {"-", 0},
        {".", 0},
        {"", 0},
        {"X", 0},
        {"0x10", 0},
        {"12345678901234567890123", 12345678901234567890123.0},
        {"0.000000000000000000000000001234", 1.234e-27},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(readNumber(text), expected) << "[" << text << "]";
    EXPECT_TRUE(std::signbit(readNumber("-0.000000")));
    EXPECT_FALSE(std::signbit(readNumber("-")));
}

} // namespace
} // namespace expr
