// Field rules of the insert dialogs.
#include "figure/form_field.h"

#include "expr/expression.h"
#include "lang/tokenizer.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <vector>

namespace figure {
namespace {

std::vector<std::string> words(std::string_view text)
{
    return lang::splitTokens(text, " ", lang::QuoteProtection::Off);
}

bool holdsQuote(std::string_view text)
{
    return text.find_first_of("\"'") != std::string_view::npos;
}

std::optional<std::string> numberProblem(std::string_view text, bool percent)
{
    if (text.empty()) return "Enter a number";
    if (readFieldNumber(text, percent)) return std::nullopt;
    return percent ? "Not a number (digits, a point, an optional %)"
                   : "Not a number (digits and a point)";
}

std::optional<std::string> axisScaleProblem(std::string_view text)
{
    const std::vector<std::string> values = words(text);
    if (values.size() < 2 || values.size() > 4)
        return "Enter from, to, spacing and precision separated by blanks";
    double read[4] = {0, 0, 1, 0};
    for (std::size_t i = 0; i < values.size(); ++i) {
        const std::optional<double> value = readFieldNumber(values[i]);
        if (!value) return "\"" + values[i] + "\" is not a number";
        read[i] = *value;
    }
    if (read[1] <= read[0]) return "The range is empty: \"to\" must be above \"from\"";
    if (read[2] <= 0) return "The spacing must be above 0";
    if (read[3] < 0 || read[3] != std::trunc(read[3]))
        return "The precision is a whole number from 0";
    return std::nullopt;
}

std::optional<std::string> pointListProblem(std::string_view text, std::size_t groupSize)
{
    const std::vector<std::string> values = words(text);
    for (const std::string& value : values)
        if (!readFieldNumber(value, true)) return "\"" + value + "\" is not a number";
    if (values.size() < groupSize)
        return "Enter at least one point of " + std::to_string(groupSize) + " numbers";
    return std::nullopt;
}

std::optional<std::string> colourProblem(std::string_view text)
{
    if (text.size() > 2 && text.substr(0, 2) == "0x") {
        if (text.size() > 10) return "A colour has at most 8 hexadecimal digits";
        for (const char c : text.substr(2))
            if (!std::isxdigit(static_cast<unsigned char>(c))) return "Not a hexadecimal colour";
        return std::nullopt;
    }
    const std::optional<double> value = readFieldNumber(text);
    if (!value || *value < 0 || *value > 4294967295.0 || *value != std::trunc(*value))
        return "Enter a colour as 0xRRGGBB";
    return std::nullopt;
}

} // namespace

std::optional<double> readFieldNumber(std::string_view text, bool percent)
{
    if (percent && !text.empty() && text.back() == '%') text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty() ||
        !(std::isdigit(static_cast<unsigned char>(text.back())) || text.back() == '.'))
        return std::nullopt;
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value,
                                        std::chars_format::fixed | std::chars_format::scientific);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return std::nullopt;
    if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max())
        return std::nullopt;
    return value;
}

std::optional<std::string> fieldProblem(FieldRule rule, std::string_view text,
                                        std::size_t groupSize)
{
    switch (rule) {
    case FieldRule::Number:
    case FieldRule::RangeEnd:
        return numberProblem(text, false);
    case FieldRule::Coordinate:
        return numberProblem(text, true);
    case FieldRule::OptionalCoordinate:
        return text.empty() ? std::nullopt : numberProblem(text, true);
    case FieldRule::PositiveNumber: {
        if (auto problem = numberProblem(text, false)) return problem;
        if (*readFieldNumber(text) <= 0) return "The step must be above 0";
        return std::nullopt;
    }
    case FieldRule::Whole: {
        const std::optional<double> value = readFieldNumber(text);
        if (!value || *value < 0 || *value != std::trunc(*value) || *value > 4294967295.0)
            return "Enter a whole number from 0";
        return std::nullopt;
    }
    case FieldRule::AxisScale:
        return axisScaleProblem(text);
    case FieldRule::OptionalAxisScale:
        return words(text).empty() ? std::nullopt : axisScaleProblem(text);
    case FieldRule::PointList:
        return pointListProblem(text, groupSize);
    case FieldRule::Matrix: {
        const std::vector<std::string> values = words(text);
        for (const std::string& value : values)
            if (!readFieldNumber(value)) return "\"" + value + "\" is not a number";
        if (values.size() != 6) return "Enter six numbers: m11 m12 m21 m22 dx dy";
        return std::nullopt;
    }
    case FieldRule::Expression:
        if (words(text).empty()) return "Enter an expression";
        if (holdsQuote(text)) return "An expression cannot hold quotes";
        if (text.size() > expr::maxExpressionBytes)
            return "The expression has " + std::to_string(text.size()) +
                   " bytes, more than the limit of " + std::to_string(expr::maxExpressionBytes);
        return std::nullopt;
    case FieldRule::Text:
        if (holdsQuote(text)) return "The text cannot hold quotes";
        return std::nullopt;
    case FieldRule::FilePath:
        if (words(text).empty()) return "Choose a file";
        if (holdsQuote(text)) return "The file name cannot hold quotes";
        return std::nullopt;
    case FieldRule::Colour:
        return colourProblem(text);
    case FieldRule::Choice:
    case FieldRule::Check:
        return std::nullopt;
    }
    return std::nullopt;
}

std::string threeDecimals(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.3f", value);
    return buffer;
}

std::string shownArgument(std::string_view argument)
{
    const bool percent = !argument.empty() && argument.back() == '%';
    const std::optional<double> value = readFieldNumber(argument, percent);
    if (!value) return std::string(argument);
    return threeDecimals(*value) + (percent ? "%" : "");
}

} // namespace figure
