// The expression evaluator written the slow, literal way, for tests and benchmarks to hold the
// product's evaluator to: groups are found by rescanning the whole text, every value is written
// into the operand text with snprintf("%f") and the text is read back with strtod.
#pragma once

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace testing_support {

struct ReferenceGroup {
    std::string text;
    double value = 0;
};

class ReferenceExpression {
public:
    static constexpr std::size_t maxExpressionBytes = 9999;
    static constexpr std::size_t maxTextBytes = 99;

    explicit ReferenceExpression(std::string_view text)
    {
        text = text.substr(0, text.find('\0'));
        std::string working(text.substr(0, maxExpressionBytes));
        for (;;) {
            std::size_t open = std::string::npos, close = std::string::npos;
            for (std::size_t i = 0; i < working.size(); ++i) {
                if (working[i] == '(') open = i;
                if (working[i] == ')') {
                    close = i;
                    break;
                }
            }
            if (close == std::string::npos || open == std::string::npos) break;
            groups.push_back({working.substr(open + 1, close - open - 1).substr(0, maxTextBytes)});
            working = working.substr(0, open) + "EEEE" + std::to_string(groups.size() - 1) +
                      working.substr(close + 1);
            working = working.substr(0, maxExpressionBytes);
        }
        groups.push_back({working.substr(0, maxTextBytes)});
    }

    double evaluateAt(float x, float y, float z)
    {
        for (ReferenceGroup& group : groups)
            group.value = evaluateGroup(group.text, x, y, z);
        return groups.back().value;
    }

    std::vector<ReferenceGroup> groups;

private:
    static std::string formatFixed(double value)
    {
        char text[400];
        std::snprintf(text, sizeof text, "%f", value);
        return text;
    }

    static std::string groupValueText(double value)
    {
        if (std::isnan(value)) return "nan";
        if (std::isinf(value)) return value > 0 ? "1E999" : "-1E999";
        return formatFixed(value);
    }

    // Replaces text[position, position + length) and cuts the result to `limit` bytes.
    static void replaceAt(std::string& text, std::size_t position, std::size_t length,
                          const std::string& value, std::size_t limit)
    {
        text = text.substr(0, position) + value + text.substr(position + length);
        if (text.size() > limit) text.resize(limit);
    }

    static void replaceFirst(std::string& text, const std::string& name, const std::string& value,
                             std::size_t limit)
    {
        const std::size_t position = text.find(name);
        if (position != std::string::npos) replaceAt(text, position, name.size(), value, limit);
    }

    // The first "EEEE<index>" that is not followed by another digit.
    static void replacePlaceholder(std::string& text, std::size_t index, const std::string& value,
                                   std::size_t limit)
    {
        const std::string name = "EEEE" + std::to_string(index);
        for (std::size_t position = text.find(name); position != std::string::npos;
             position = text.find(name, position + 1)) {
            const std::size_t after = position + name.size();
            if (after < text.size() && text[after] >= '0' && text[after] <= '9') continue;
            replaceAt(text, position, name.size(), value, limit);
            return;
        }
    }

    static bool isDigit(char c) { return c >= '0' && c <= '9'; }

    // The number rule: the longest decimal prefix after blanks, read by strtod; 0 without one.
    static double readNumber(const std::string& text)
    {
        std::size_t i = 0;
        while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
            ++i;
        const std::size_t begin = i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        std::size_t digits = 0;
        for (; i < text.size() && isDigit(text[i]); ++i)
            ++digits;
        if (i < text.size() && text[i] == '.')
            for (++i; i < text.size() && isDigit(text[i]); ++i)
                ++digits;
        if (digits == 0) return 0.0;
        if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
            std::size_t j = i + 1;
            if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
            if (j < text.size() && isDigit(text[j])) {
                while (j < text.size() && isDigit(text[j]))
                    ++j;
                i = j;
            }
        }
        const std::string number = text.substr(begin, i - begin);
        return std::strtod(number.c_str(), nullptr);
    }

    static float applyFunction(const std::string& name, float value)
    {
        if (name == "sin") return std::sin(value);
        if (name == "sinh") return std::sinh(value);
        if (name == "asin") return std::asin(value);
        if (name == "cos") return std::cos(value);
        if (name == "cosh") return std::cosh(value);
        if (name == "acos") return std::acos(value);
        if (name == "tan") return std::tan(value);
        if (name == "tanh") return std::tanh(value);
        if (name == "atan") return std::atan(value);
        if (name == "log") return std::log(value);
        if (name == "log10") return std::log10(value);
        if (name == "exp") return std::exp(value);
        return std::sqrt(value);
    }

    double evaluateOperand(std::string text, float x, float y, float z) const
    {
        while (!text.empty() && text.front() == ' ')
            text.erase(0, 1);
        while (!text.empty() && text.back() == ' ')
            text.pop_back();
        static const char* const names[] = {"sinh", "sin",  "asin",  "cosh", "cos", "acos", "tanh",
                                            "tan",  "atan", "log10", "log",  "exp", "sqrt"};
        std::string name;
        for (const char* candidate : names)
            if (text.rfind(candidate, 0) == 0) {
                name = candidate;
                break;
            }
        std::string rest = text.substr(name.size());
        const std::size_t limit = maxTextBytes - name.size();
        replaceFirst(rest, "x", formatFixed(x), limit);
        replaceFirst(rest, "y", formatFixed(y), limit);
        replaceFirst(rest, "z", formatFixed(z), limit);
        replaceFirst(rest, "e", formatFixed(static_cast<float>(std::exp(1.0))), limit);
        replaceFirst(rest, "pi", formatFixed(static_cast<float>(3.14159265358979323846)), limit);
        if (rest.find("EEEE") != std::string::npos)
            for (std::size_t j = 0; j < groups.size(); ++j)
                replacePlaceholder(rest, j, groupValueText(groups[j].value), limit);
        const double value = readNumber(rest);
        if (name.empty()) return value;
        return static_cast<double>(applyFunction(name, static_cast<float>(value)));
    }

    double evaluateGroup(const std::string& text, float x, float y, float z) const
    {
        std::vector<std::string> operands(1);
        std::vector<char> operators;
        for (char c : text) {
            if (std::string_view("+-*/^&|%").find(c) != std::string_view::npos) {
                operators.push_back(c);
                operands.emplace_back();
            } else {
                operands.back() += c;
            }
        }
        double value = evaluateOperand(operands[0], x, y, z);
        for (std::size_t i = 0; i < operators.size(); ++i) {
            const float r = static_cast<float>(evaluateOperand(operands[i + 1], x, y, z));
            switch (operators[i]) {
            case '+':
                value = value + r;
                break;
            case '-':
                value = value + (0 - static_cast<double>(r));
                break;
            case '*':
                value = value * r;
                break;
            case '/':
                value = value / r;
                break;
            case '^':
                value = std::pow(value, static_cast<double>(r));
                break;
            default:
                break;
            }
        }
        return value;
    }
};

// The sample loops of evaluateSamples, without a cache, on the reference evaluator.
inline void referenceEvaluateList(std::string_view text, const std::vector<float>& x,
                                  std::vector<float>& results)
{
    ReferenceExpression expression(text);
    for (std::size_t i = 0; i < x.size(); ++i)
        results[i] = static_cast<float>(expression.evaluateAt(x[i], 0, 0));
}

inline void referenceEvaluateGrid(std::string_view text, const std::vector<float>& x,
                                  const std::vector<float>& y, std::vector<float>& results)
{
    ReferenceExpression expression(text);
    for (std::size_t i = 0; i < x.size(); ++i)
        for (std::size_t j = 0; j < y.size(); ++j)
            results[i * y.size() + j] = static_cast<float>(expression.evaluateAt(x[i], y[j], 0));
}

} // namespace testing_support
