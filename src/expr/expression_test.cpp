// Tests of grouping and evaluating expressions: the worked example, the documented edge cases and
// the choices made for limits and values that are not finite.
#include "expr/expression.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace expr {
namespace {

constexpr float inf = std::numeric_limits<float>::infinity();

std::vector<std::string> groupTexts(std::string_view text)
{
    std::vector<std::string> texts;
    const Expression expression = parseExpression(text);
    for (const ExpressionGroup& group : expression.groups())
        texts.push_back(group.text);
    return texts;
}

double valueAt(std::string_view text, float x, float y = 0, float z = 0)
{
    Expression expression = parseExpression(text);
    return evaluateAt(x, y, z, expression);
}

double sinf(double value)
{
    return static_cast<double>(std::sin(static_cast<float>(value)));
}

TEST(Expression, WorkedExample)
{
    Expression expression = parseExpression("x*(y^2)");
    EXPECT_EQ(evaluateAt(0.5f, -3.0f, 0, expression), 4.5);
    const std::vector<ExpressionGroup> expected = {{0, "y^2", 9.0}, {1, "x*EEEE0", 4.5}};
    EXPECT_EQ(std::vector<ExpressionGroup>(expression.groups().begin(), expression.groups().end()),
              expected);
}

TEST(Expression, GroupsInnermostFirst)
{
    using Texts = std::vector<std::string>;
    const std::pair<std::string, Texts> cases[] = {
        {"sin(2*pi*x) + sin(7.6*pi*x)", {"2*pi*x", "7.6*pi*x", "sinEEEE0 + sinEEEE1"}},
        {"((x))", {"x", "EEEE0", "EEEE1"}},
        {"()", {"", "EEEE0"}},
        {"x)+(2", {"x)+(2"}}, // a ")" before any "(" ends grouping
        {"(x+(2", {"(x+(2"}}, // no ")" at all
        {"(x)+y)", {"x", "EEEE0+y)"}},
        {std::string("x\0+(1)", 6), {"x"}}, // the text ends at a NUL byte
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(groupTexts(text), expected) << text;
}

TEST(Expression, EvaluatesTextually)
{
    struct Case {
        std::string text;
        float x, y;
        double expected;
    };
    const Case cases[] = {
        {"1+2*3", 0, 0, 9},
        {"2*(1+3)", 0, 0, 8},
        {"-x", 0.5f, 0, -0.5},
        {"x*-2", 7, 0, -2},
        {"x%2", 3, 0, 3},
        {"x&2", 3, 0, 3},
        {"x|2", 3, 0, 3},
        {"x", 0.0000004f, 0, 0},
        {"x", 1.23456789f, 0, 1.234568},
        {"2x", 0.5f, 0, 20.5},
        {"2x", -0.5f, 0, 2},
        {"x2", 0.5f, 0, 0.5000002},
        {"1e-3", 0, 0, 12.718282 + (0 - 3.0)},
        {"2E3", 0, 0, 2000},
        {"sin x", 0.5f, 0, sinf(0.5)},
        {"sinx", 0.5f, 0, sinf(0.5)},
        {"sin 2*x", 0.5f, 0, sinf(2) * 0.5},
        {"sin(x)^2", 0.5f, 0, std::pow(static_cast<double>(static_cast<float>(sinf(0.5))), 2.0)},
        {"sinh(1)", 0, 0, static_cast<double>(std::sinh(1.0f))},
        {"log10(100)", 0, 0, 2},
        {"atan(1)", 0, 0, static_cast<double>(std::atan(1.0f))},
        {"exp(x)", 2, 0, static_cast<double>(std::exp(2.0f))},
        {"X", 5, 0, 0},
        {"t", 5, 0, 0},
        {"pi", 0, 0, 3.141593},
        {"e", 0, 0, 2.718282},
        {"pie", 0, 0, 3.1415932},
        {"x)", 0.25f, 0, 0.25},
        {"(2", 0, 0, 0},
        {"xy", 1.5f, 2, 1.5000002},
        {"y^2", 0, -3, 9},
        {"sqrt(x)", -1, 0, std::numeric_limits<double>::quiet_NaN()},
        {"1/x", 0, 0, std::numeric_limits<double>::infinity()},
    };
    for (const Case& c : cases) {
        const double value = valueAt(c.text, c.x, c.y);
        if (std::isnan(c.expected))
            EXPECT_TRUE(std::isnan(value)) << c.text;
        else
            EXPECT_EQ(value, c.expected) << c.text << " at x=" << c.x << " y=" << c.y;
    }
}

TEST(Expression, WritesGroupsThatAreNotFiniteAsNumbers)
{
    // Infinities are written "1E999" and "-1E999" and read back as themselves; NaN is written
    // "nan", which reads as 0.
    const std::pair<std::string, double> cases[] = {
        {"(1/0)+1", inf}, {"-(1/0)", -inf}, {"2(1/0)", inf}, {"2(0-(1/0))", 2},
        {"(0/0)+1", 1},   {"3(0/0)", 3},    {"(x/0)", inf}, // the last group is returned as it is
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(valueAt(text, 1), expected) << text;
    EXPECT_EQ(valueAt("x+1", inf), 1); // a variable's "inf" holds no digits
    EXPECT_EQ(valueAt("2x", -inf), 2);
}

TEST(Expression, ResolvesPlaceholdersByTheirWholeIndex)
{
    Expression expression = parseExpression("(1)+(2)+(3)+(4)+(5)+(6)+(7)+(8)+(9)+(10)+(11)+(12)");
    ASSERT_EQ(expression.groups().size(), 13u);
    EXPECT_EQ(expression.groups().back().text,
              "EEEE0+EEEE1+EEEE2+EEEE3+EEEE4+EEEE5+EEEE6+EEEE7+EEEE8+EEEE9+EEEE10+EEEE11");
    EXPECT_EQ(evaluateAt(0, 0, 0, expression), 78);
    // Group 12 multiplies group 1 (7) by group 11 (27).
    EXPECT_EQ(valueAt("(5)+(7)+(9)+(11)+(13)+(15)+(17)+(19)+(21)+(23)+(25)+(27)+(EEEE1*EEEE11)", 0),
              192 + 7 * 27);
    EXPECT_EQ(valueAt("(7)+EEEE01", 0), 7); // not the placeholder of group 0
}

TEST(Expression, LaterGroupsReadTheValueOfThePreviousEvaluation)
{
    Expression expression = parseExpression("EEEE0+1");
    EXPECT_EQ(evaluateAt(0, 0, 0, expression), 1);
    EXPECT_EQ(evaluateAt(0, 0, 0, expression), 2);
    EXPECT_EQ(evaluateAt(0, 0, 0, expression), 3);
}

TEST(Expression, CutsOperandsToTheirLimitAfterEverySubstitution)
{
    const std::string tabs(95, '\t');
    // 95 tabs and "1234.500000" are cut to 99 bytes: the number rule reads "1234".
    EXPECT_EQ(valueAt(tabs + "x", 1234.5f), 1234);
    EXPECT_EQ(valueAt(tabs.substr(0, 80) + "x", 1234.5f), 1234.5);
    // The function name counts: "sin" leaves 96 bytes, "1234.5" cut to "1".
    EXPECT_EQ(valueAt("sin" + tabs + "x", 1234.5f), sinf(1));
    // Group texts keep their first 99 bytes.
    const std::string longGroup = "(" + std::string(98, ' ') + "7+1)";
    EXPECT_EQ(parseExpression(longGroup).groups()[0].text, std::string(98, ' ') + "7");
    EXPECT_EQ(valueAt(longGroup, 0), 7);
}

TEST(Expression, IgnoresTextPastTheExpressionLimit)
{
    EXPECT_EQ(parseExpression(std::string(maxExpressionBytes - 3, ' ') + "(2)").groups().size(),
              2u);
    EXPECT_EQ(parseExpression(std::string(maxExpressionBytes - 2, ' ') + "(2)").groups().size(),
              1u);
    // Ten thousand "()" grow as they turn into placeholders; the working text stays in its limit.
    std::string pairs;
    for (int i = 0; i < 5000; ++i)
        pairs += "()";
    const Expression expression = parseExpression(pairs);
    EXPECT_EQ(expression.groups().back().text.size(), maxOperandBytes);
}

TEST(Expression, ListsAndGridsGiveThePointByPointValues)
{
    const std::vector<float> x = {-1, 0.5f, 2, 1e-7f, -0.0000004f};
    const std::vector<float> y = {3, -2, 0.25f};
    for (std::string_view text : {"x*(y^2)", "sin(4*pi*x)+2y", "EEEE0+x"}) {
        Expression pointwise = parseExpression(text);
        Expression grid = parseExpression(text);
        std::vector<float> results(x.size() * y.size());
        evaluateGrid(grid, x, y, results);
        for (std::size_t i = 0; i < x.size(); ++i)
            for (std::size_t j = 0; j < y.size(); ++j)
                EXPECT_EQ(results[i * y.size() + j],
                          static_cast<float>(evaluateAt(x[i], y[j], 0, pointwise)))
                    << text;
        EXPECT_EQ(grid.groups().back().value, pointwise.groups().back().value) << text;
    }
}

} // namespace
} // namespace expr
