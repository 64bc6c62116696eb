// Tests of the tokenizer, the sub-object grammar and number reading.
#include "lang/tokenizer.h"
#include "model/argument_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace lang {
namespace {

using model::SubObjectKind;
using Strings = std::vector<std::string>;

struct SplitCase {
    std::string text;
    std::string separator;
    QuoteProtection protection;
    Strings expected;
};

TEST(Tokenizer, SplitsAtSeparatorsWithQuoteRules)
{
    const SplitCase cases[] = {
        {"   FIGURE    1   ", " ", QuoteProtection::On, {"FIGURE", "1"}},
        {"a \"b c\" d", " ", QuoteProtection::On, {"a", "b c", "d"}},
        {"n('x y')", " ", QuoteProtection::On, {"n('x y')"}},
        {"p('x y') q", " ", QuoteProtection::On, {"p('x y')", "q"}},
        // One unpaired quote switches protection off; only quotes at token ends are removed.
        {"a \"b c d", " ", QuoteProtection::On, {"a", "b", "c", "d"}},
        {"x \"b\"c\" y", " ", QuoteProtection::On, {"x", "b\"c", "y"}},
        // Both quote kinds pair with each other: a double-quoted apostrophe protects nothing.
        {"say \"don't go\" now", " ", QuoteProtection::On, {"say", "don't", "go", "now"}},
        {"a\tb c", " ", QuoteProtection::On, {"a\tb", "c"}},
        {"a \"b c\" d", " ", QuoteProtection::Off, {"a", "\"b", "c\"", "d"}},
        {"line 1\r\n\r\nline 2\r\n", "\r\n", QuoteProtection::Off, {"line 1", "line 2"}},
        {"one\ntwo\r\nthree", "\r\n", QuoteProtection::Off, {"one\ntwo", "three"}},
        {"", " ", QuoteProtection::On, {}},
        {"      ", " ", QuoteProtection::On, {}},
        {"\"\"\"x\"\"", " ", QuoteProtection::On, {"x"}},
        {"f(\"a b\",\"c d\") g", " ", QuoteProtection::On, {"f(\"a b\",\"c d\")", "g"}},
    };
    for (const SplitCase& c : cases)
        EXPECT_EQ(splitTokens(c.text, c.separator, c.protection), c.expected)
            << "[" << c.text << "]";
}

TEST(Tokenizer, SplitsSubObjectsIntoKeywordAndArguments)
{
    const std::pair<std::string, Strings> cases[] = {
        {"n(\"sin(4*pi*x)\")", {"n", "sin(4*pi*x)"}},
        {"n(0.1*sin(24*pi*x))", {"n", "0.1*sin(24*pi*x)"}},
        {"n(sin(x),cos(x))", {"n", "sin(x)", "cos(x)"}},
        {"n(\"pow(x,2)\")", {"n", "pow(x,2)"}},
        {"p2(-0.1,9)", {"p2", "-0.1", "9"}},
        {"p4(0,0,100%,100%)", {"p4", "0", "0", "100%", "100%"}},
        {"font(\"Times New Roman\",12)", {"font", "Times New Roman", "12"}},
        {"at", {"at"}},
        {"at()", {"at"}},
        {"(1,2)", {"", "1", "2"}},
        {"p4(1,2)tail", {"p4", "1", "2"}},
        {"n('x y')", {"n", "'x y'"}},
        {"n(\"\")", {"n", ""}},
        {"p1(,,)", {"p1"}},
        {"x)y(", {"x)y"}},
        {"FUNCTION(ignored)", {"FUNCTION", "ignored"}},
    };
    for (const auto& [token, expected] : cases)
        EXPECT_EQ(splitSubObject(token), expected) << token;
}

struct SubObjectCase {
    Strings pieces;
    SubObjectKind kind;
    Strings arguments;
    std::string rejectedTopic;
};

TEST(Tokenizer, ParsesSubObjectKindsAndMinimumArgumentCounts)
{
    const Strings eleven(11, "1");
    Strings threeD{"3dtransform"};
    threeD.insert(threeD.end(), eleven.begin(), eleven.end());
    Strings threeDTwelve = threeD;
    threeDTwelve.push_back("1");
    Strings splittr{"SplitTR"};
    splittr.insert(splittr.end(), 19, "0");

    const SubObjectCase cases[] = {
        {{"BRUSH", "solid", "0xFF"}, SubObjectKind::Brush, {"solid", "0xFF"}, ""},
        {{"brush", "SOLID"}, SubObjectKind::Unknown, {}, "BRUSH"},
        {{"brush", "gradient", "1"}, SubObjectKind::Unknown, {}, "BRUSH"},
        {{"brush", "gradient", "1", "2"}, SubObjectKind::Brush, {"gradient", "1", "2"}, ""},
        {{"brush", "hatch"}, SubObjectKind::Brush, {"hatch"}, ""},
        {{"brush", "null"}, SubObjectKind::Brush, {"null"}, ""},
        {{"brush"}, SubObjectKind::Unknown, {}, "BRUSH"},
        {{"pen"}, SubObjectKind::Pen, {}, ""},
        {{"font", "Arial"}, SubObjectKind::Unknown, {}, "FONT"},
        {{"Font", "Arial", "12"}, SubObjectKind::Font, {"Arial", "12"}, ""},
        {{"N", "x"}, SubObjectKind::Name, {"x"}, ""},
        {{"name"}, SubObjectKind::Unknown, {}, "NAME"},
        {{"n"}, SubObjectKind::Unknown, {}, "NAME"},
        {{"p1c", "2"}, SubObjectKind::P1, {"2"}, ""},
        {{"P2C"}, SubObjectKind::P2, {}, ""},
        {{"p3", "1", "2", "3"}, SubObjectKind::P3, {"1", "2", "3"}, ""},
        {{"Rect", "0", "0", "1", "1"}, SubObjectKind::P4, {"0", "0", "1", "1"}, ""},
        {{"P4C", "1"}, SubObjectKind::P4, {"1"}, ""},
        {{"at"}, SubObjectKind::Unknown, {}, "AT"},
        {{"AT", "1", "0", "1"}, SubObjectKind::At, {"1", "0", "1"}, ""},
        {{"split"}, SubObjectKind::Unknown, {}, "SPLIT"},
        {{"splitr", "0"}, SubObjectKind::Unknown, {}, "SPLITR"},
        {{"splitr", "0", "5"}, SubObjectKind::SplitR, {"0", "5"}, ""},
        {splittr, SubObjectKind::Unknown, {}, "SPLITTR"},
        {{"morph", "1"}, SubObjectKind::Morph, {"1"}, ""},
        {{"transform", "1", "0", "0", "1", "0"}, SubObjectKind::Unknown, {}, "TRANSFORM"},
        {threeD, SubObjectKind::Unknown, {}, "3DTRANSFORM"},
        {threeDTwelve, SubObjectKind::Transform3D, Strings(12, "1"), ""},
        {{"4DTRANSFORM", "1"}, SubObjectKind::Unknown, {}, "4DTRANSFORM"},
        {{"foo", "1", "2"}, SubObjectKind::Unknown, {"1", "2"}, ""},
        {{"", "1"}, SubObjectKind::Unknown, {"1"}, ""},
    };
    for (const SubObjectCase& c : cases) {
        std::string rejected;
        const model::SubObject sub = parseSubObject(c.pieces, &rejected);
        EXPECT_EQ(sub.kind, c.kind) << c.pieces[0];
        EXPECT_EQ(sub.arguments, c.arguments) << c.pieces[0];
        EXPECT_EQ(rejected, c.rejectedTopic) << c.pieces[0];
    }
}

TEST(Tokenizer, ReadsNumbersLikeTheLanguageDoes)
{
    const float infinity = std::numeric_limits<float>::infinity();
    const std::pair<std::string, float> cases[] = {
        {"0xFF", 255.0f},
        {"0x", 0.0f},
        {"0x1G", 1.0f},
        {"0xg", 0.0f},
        {"0XFF", 0.0f},
        {"50%", 50.0f},
        {"-3", -3.0f},
        {"abc", 0.0f},
        {"", 0.0f},
        {"  7.5e1x", 75.0f},
        {"1e", 1.0f},
        {"2E3", 2000.0f},
        {".5", 0.5f},
        {"5.", 5.0f},
        {"+2", 2.0f},
        {"-.25", -0.25f},
        {"1e999", infinity},
        {"-1e999", -infinity},
        {"1e-999", 0.0f},
        {"inf", 0.0f},
        {"nan", 0.0f},
        {"0.1", 0.1f},
        {"1,5", 1.0f},
        {"- 3", 0.0f},
        {"0xFFFFFFFF", 4294967296.0f},
        {"16777217", 16777216.0f},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(model::parseNumber(text), expected) << text;
}

TEST(Tokenizer, ReadsColoursWithAllTheirBits)
{
    const std::pair<std::string, std::uint32_t> cases[] = {
        {"0xFFFFAAAA", 0xFFFFAAAAu},
        {"0xff0000", 0xFF0000u},
        {"4294945450", 0xFFFFAAAAu},
        {"16777217", 16777217u},
        {"-1", 0xFFFFFFFFu},
        {"0x123456789", 0xFFFFFFFFu},
        {"abc", 0u},
        {"", 0u},
        {"255.9", 255u},
        {"1e30", 0u},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(model::parseColour(text), expected) << text;
}

TEST(Tokenizer, TruncatesTowardZeroAndKeepsTwosComplementBits)
{
    EXPECT_EQ(model::truncateToUint32(-1.0f), 0xFFFFFFFFu);
    EXPECT_EQ(model::truncateToUint32(2.7f), 2u);
    EXPECT_EQ(model::truncateToUint32(4.0e9f), 4000000000u);
    EXPECT_EQ(model::truncateToUint32(1.0e10f), static_cast<std::uint32_t>(10000000000ull));
    EXPECT_EQ(model::truncateToUint32(std::nanf("")), 0u);
    EXPECT_EQ(model::truncateToInt32(-2.7f), -2);
    EXPECT_EQ(model::truncateToInt32(3.0e9f), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(model::truncateToInt32(std::nanf("")), std::numeric_limits<std::int32_t>::min());
}

} // namespace
} // namespace lang
