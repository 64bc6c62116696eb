// The fast evaluator against the literal reference: generated expressions and sample values must
// give identical bits (any NaN equals any NaN). KELVO_DIFF_CASES sets the number of expressions
// (default 1000); KELVO_DIFF_SEED the seed. Each expression is evaluated point by point with
// evaluateAt, as a list with evaluateList and as a 3 x 3 grid with evaluateGrid.
#include "expr/expression.h"

#include "reference_evaluator.h"

#include <gtest/gtest.h>

#include <bit>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <random>
#include <sstream>
#include <string>

namespace expr {
namespace {

std::uint64_t environmentNumber(const char* name, std::uint64_t fallback)
{
    const char* text = std::getenv(name);
    return text ? std::strtoull(text, nullptr, 10) : fallback;
}

bool sameBits(double a, double b)
{
    if (std::isnan(a) && std::isnan(b)) return true;
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

// Escapes an expression so that a failure message shows every byte.
std::string printable(std::string_view text)
{
    std::string result;
    for (unsigned char c : text) {
        if (c >= 32 && c < 127 && c != '\\') {
            result += static_cast<char>(c);
        } else {
            char code[8];
            std::snprintf(code, sizeof code, "\\x%02x", c);
            result += code;
        }
    }
    return result;
}

class ExpressionGenerator {
public:
    explicit ExpressionGenerator(std::uint64_t seed) : m_random(seed) {}

    std::string expression()
    {
        const int kind = below(1000);
        if (kind == 0) return hugeExpression();
        if (kind < 60) return wideExpression();
        if (kind < 120) return junk(1 + below(40));
        return sum(below(4));
    }

    float sample()
    {
        static constexpr float specials[] = {0.0f,
                                             -0.0f,
                                             0.5f,
                                             -3.0f,
                                             1.23456789f,
                                             0.0000004f,
                                             0.0000005f,
                                             -0.0000004f,
                                             -1e-7f,
                                             4.9999997e-7f,
                                             1e-30f,
                                             -1e-30f,
                                             1e10f,
                                             -1e10f,
                                             1e30f,
                                             -1e30f,
                                             8.6e9f,
                                             9.1e12f,
                                             3.4028235e38f,
                                             -3.4028235e38f,
                                             1.0f / 128,
                                             3.0f / 128,
                                             -5.0f / 128,
                                             0.0078125f,
                                             2.5f,
                                             0.1f,
                                             100.0f,
                                             std::numeric_limits<float>::infinity(),
                                             -std::numeric_limits<float>::infinity(),
                                             std::numeric_limits<float>::quiet_NaN(),
                                             -std::numeric_limits<float>::quiet_NaN(),
                                             std::numeric_limits<float>::denorm_min()};
        switch (below(6)) {
        case 0:
            return specials[below(std::size(specials))];
        case 1:
            return static_cast<float>(below(2001) - 1000) / 128.0f; // ties at the sixth decimal
        case 2:
            return std::bit_cast<float>(static_cast<std::uint32_t>(m_random()));
        case 3:
            return static_cast<float>(below(2001) - 1000) / 1000.0f;
        default: {
            std::uniform_real_distribution<float> range(-10.0f, 10.0f);
            return range(m_random);
        }
        }
    }

private:
    int below(std::size_t bound) { return static_cast<int>(m_random() % bound); }

    template <std::size_t n> std::string pick(const char* const (&choices)[n])
    {
        return choices[below(n)];
    }

    std::string digits(int count)
    {
        std::string text;
        for (int i = 0; i < count; ++i)
            text += static_cast<char>('0' + below(10));
        return text;
    }

    std::string number()
    {
        static const char* const fixed[] = {"2",   "0.5", "10",   "1e",   "2E3",   "1E999", "3E",
                                            "007", ".5",  "5.",   "0",    "1.5E2", "4E400", "1e5",
                                            "128", "3.",  "0.25", "1E-3", "2e+1",  "9E18"};
        switch (below(4)) {
        case 0:
            return digits(1 + below(30));
        case 1:
            return digits(1 + below(8)) + "." + digits(below(8));
        default:
            return pick(fixed);
        }
    }

    std::string atom()
    {
        static const char* const names[] = {"x", "y", "z", "e", "pi", "X", "t", "p", "i", "E"};
        static const char* const shapes[] = {
            "2x",     "x2",     "xy",     "px",     "EEEEx",      "ex",     "xe",
            "x.5",    "x E3",   "xE2",    "10x",    "0x",         "2pi",    "pie",
            "exp",    "xyz",    "zyx",    "2.5x",   "x)",         "(2",     "EEEE1",
            "EEEE12", "EEEE0x", "EEEEE0", "EEEE00", "EEEE1EEEE0", "2EEEE0", "EEEEpi",
            "EEEEe",  "sinx",   "sin x",  "x#",     "y\t",        " z "};
        switch (below(8)) {
        case 0:
            return number();
        case 1:
        case 2:
            return pick(names);
        case 3:
            return pick(shapes);
        case 4:
            return std::string(static_cast<std::size_t>(below(60)), ' ') + pick(names);
        case 5:
            return longOperand();
        default:
            return "EEEE" + std::to_string(below(16));
        }
    }

    // Operands whose text reaches the 99-byte limit once values are written into it.
    std::string longOperand()
    {
        static const char* const tails[] = {"x", "y", "xyz", "2x", "EEEE0", "e", "pi", "x E3"};
        const std::string name = below(2) ? function() : "";
        const auto filler = static_cast<std::size_t>(30 + below(70));
        std::string text = below(2) ? std::string(filler, below(2) ? ' ' : '\t')
                                    : digits(static_cast<int>(filler));
        return name + text + pick(tails) + (below(2) ? digits(below(30)) : "");
    }

    std::string function()
    {
        static const char* const names[] = {"sin",   "sinh", "asin", "cos",  "cosh",
                                            "acos",  "tan",  "tanh", "atan", "log",
                                            "log10", "exp",  "sqrt", "SIN",  "si"};
        return pick(names);
    }

    std::string blanks()
    {
        static const char* const choices[] = {"", "", "", " ", "  ", "\t", "\n"};
        return pick(choices);
    }

    std::string junk(int count)
    {
        static const char junkCharacters[] = "#$@!~`;:.,?'\"[]{}<>_=\\Ee0123456789.xyzpi ()";
        std::string text;
        for (int i = 0; i < count; ++i) {
            if (below(8) == 0)
                text += static_cast<char>(0x80 + below(128));
            else if (below(50) == 0)
                text += std::string(1, '\0');
            else
                text += junkCharacters[below(sizeof junkCharacters - 1)];
        }
        return text;
    }

    std::string term(int depth)
    {
        std::string text;
        switch (below(depth > 0 ? 7 : 4)) {
        case 0:
        case 1:
            text = atom();
            break;
        case 2:
            text = function() + (below(2) ? " " : "") + atom();
            break;
        case 3:
            text = atom() + atom();
            break;
        case 4:
            text = "(" + sum(depth - 1) + ")";
            break;
        case 5:
            text = function() + "(" + sum(depth - 1) + ")";
            break;
        default:
            text = "(" + sum(depth - 1) + ")^" + atom();
            break;
        }
        if (below(40) == 0) text += below(2) ? "(" : ")";
        if (below(30) == 0) text += junk(1 + below(3));
        return blanks() + text + blanks();
    }

    std::string sum(int depth)
    {
        static const char* const operators[] = {"+", "-", "*", "/", "^", "&", "|", "%"};
        std::string text = below(8) == 0 ? "" : term(depth);
        const int more = below(4);
        for (int i = 0; i < more; ++i)
            text += pick(operators) + term(depth);
        if (below(10) == 0) text += pick(operators);
        return text;
    }

    // Many groups: placeholders past group 10, and top levels longer than 99 bytes.
    std::string wideExpression()
    {
        std::string text;
        const int terms = 8 + below(14);
        for (int i = 0; i < terms; ++i) {
            if (i > 0) text += "+-*/^"[below(5)];
            text += (below(2) ? "(" : function() + "(") + sum(1) + ")";
        }
        return text;
    }

    // Near or past the 9,999-byte limit of the whole text.
    std::string hugeExpression()
    {
        std::string text;
        while (text.size() < 9950 + static_cast<std::size_t>(below(100)))
            text += below(3) == 0 ? "()" : "(x+" + digits(1 + below(4)) + ")*";
        return text;
    }

    std::mt19937_64 m_random;
};

struct Points {
    std::vector<float> x, y, z;
};

std::string describe(std::string_view text, float x, float y, float z)
{
    std::ostringstream stream;
    stream.precision(9);
    stream << "expression [" << printable(text) << "] at x=" << x << " y=" << y << " z=" << z;
    return stream.str();
}

bool sameGroupValues(const Expression& fast, const testing_support::ReferenceExpression& reference)
{
    for (std::size_t g = 0; g < reference.groups.size(); ++g)
        if (!sameBits(fast.groups()[g].value, reference.groups[g].value)) return false;
    return true;
}

// One point at a time through evaluateAt; every group's value is compared too.
int comparePointByPoint(std::string_view text, const Points& points)
{
    testing_support::ReferenceExpression reference(text);
    Expression fast = parseExpression(text);
    for (std::size_t i = 0; i < points.x.size(); ++i) {
        const double expected = reference.evaluateAt(points.x[i], points.y[i], points.z[i]);
        const double actual = evaluateAt(points.x[i], points.y[i], points.z[i], fast);
        if (sameBits(actual, expected) && sameGroupValues(fast, reference)) continue;
        ADD_FAILURE() << describe(text, points.x[i], points.y[i], points.z[i]) << ": fast "
                      << actual << ", reference " << expected;
        return 1;
    }
    return 0;
}

// A list through evaluateList, as evaluateSamples runs it.
int compareList(std::string_view text, const Points& points)
{
    testing_support::ReferenceExpression reference(text);
    Expression fast = parseExpression(text);
    std::vector<float> results(points.x.size());
    evaluateList(fast, points.x, points.y, points.z, results);
    for (std::size_t i = 0; i < points.x.size(); ++i) {
        const auto expected =
            static_cast<float>(reference.evaluateAt(points.x[i], points.y[i], points.z[i]));
        if (sameBits(results[i], expected)) continue;
        ADD_FAILURE() << "list: " << describe(text, points.x[i], points.y[i], points.z[i])
                      << ": fast " << results[i] << ", reference " << expected;
        return 1;
    }
    if (sameGroupValues(fast, reference)) return 0;
    ADD_FAILURE() << "list: expression [" << printable(text) << "] leaves other group values";
    return 1;
}

// A grid through evaluateGrid on the first points' x and y.
int compareGrid(std::string_view text, const Points& points, std::size_t side)
{
    testing_support::ReferenceExpression reference(text);
    Expression fast = parseExpression(text);
    const std::vector<float> x(points.x.begin(), points.x.begin() + side);
    const std::vector<float> y(points.y.begin(), points.y.begin() + side);
    std::vector<float> results(side * side);
    evaluateGrid(fast, x, y, results);
    for (std::size_t i = 0; i < side; ++i)
        for (std::size_t j = 0; j < side; ++j) {
            const auto expected = static_cast<float>(reference.evaluateAt(x[i], y[j], 0));
            if (sameBits(results[i * side + j], expected)) continue;
            ADD_FAILURE() << "grid: " << describe(text, x[i], y[j], 0) << ": fast "
                          << results[i * side + j] << ", reference " << expected;
            return 1;
        }
    return 0;
}

TEST(EvaluatorDifferential, FastEvaluatorGivesTheReferenceBits)
{
    const std::uint64_t expressions = environmentNumber("KELVO_DIFF_CASES", 1000);
    const std::uint64_t seed = environmentNumber("KELVO_DIFF_SEED", 1);
    const auto start = std::chrono::steady_clock::now();
    ExpressionGenerator generator(seed);
    std::uint64_t cases = 0;
    int failures = 0;
    for (std::uint64_t n = 0; n < expressions && failures < 10; ++n) {
        const std::string text = generator.expression();
        {
            const testing_support::ReferenceExpression reference(text);
            const Expression fast = parseExpression(text);
            ASSERT_EQ(fast.groups().size(), reference.groups.size()) << printable(text);
            for (std::size_t g = 0; g < reference.groups.size(); ++g)
                ASSERT_EQ(fast.groups()[g].text, reference.groups[g].text) << printable(text);
        }
        // Now and then more points than one block of the list evaluation holds.
        const std::size_t count = n % 100 == 0 ? 300 : 8;
        Points points;
        for (std::size_t i = 0; i < count; ++i) {
            points.x.push_back(generator.sample());
            points.y.push_back(generator.sample());
            points.z.push_back(generator.sample());
        }
        const std::size_t side = 3;
        failures += comparePointByPoint(text, points);
        failures += compareList(text, points);
        failures += compareGrid(text, points, side);
        cases += 2 * count + side * side;
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("[ differential ] %llu expressions, %llu evaluations compared, %.1f s\n",
                static_cast<unsigned long long>(expressions),
                static_cast<unsigned long long>(cases), seconds);
}

} // namespace
} // namespace expr
