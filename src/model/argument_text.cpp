// Reading argument text as numbers, colours and keywords.
#include "model/argument_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace model {
namespace {

char lowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// The decimal prefix of `text` (after leading white space): sign, digits, point, fraction and an
// exponent introduced by e or E. Returns the prefix without leading white space.
std::string_view decimalPrefix(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    const std::size_t begin = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
        ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9')
            ++i, ++digits;
    }
    if (digits == 0) return {};
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        const std::size_t exponentDigits = j;
        while (j < text.size() && text[j] >= '0' && text[j] <= '9')
            ++j;
        if (j > exponentDigits) i = j;
    }
    return text.substr(begin, i - begin);
}

} // namespace

std::optional<double> readDecimal(std::string_view text)
{
    std::string_view prefix = decimalPrefix(text);
    if (prefix.empty()) return std::nullopt;
    const bool negative = prefix.front() == '-';
    if (prefix.front() == '+' || prefix.front() == '-') prefix.remove_prefix(1);
    double value = 0;
    const auto result = std::from_chars(prefix.data(), prefix.data() + prefix.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Overflow gives infinity, underflow zero, as the C library's reading does.
        const auto e = prefix.find_first_of("eE");
        const bool negativeExponent =
            e != std::string_view::npos && e + 1 < prefix.size() && prefix[e + 1] == '-';
        value = negativeExponent ? 0.0 : std::numeric_limits<double>::infinity();
    }
    return negative ? -value : value;
}

float parseNumber(std::string_view text)
{
    if (text.empty()) return 0.0f;
    if (text.size() > 2 && text[0] == '0' && text[1] == 'x')
        return static_cast<float>(parseColour(text));
    const std::optional<double> value = readDecimal(text);
    return value ? static_cast<float>(*value) : 0.0f;
}

std::uint32_t parseColour(std::string_view text)
{
    if (text.empty()) return 0;
    if (text.size() > 2 && text[0] == '0' && text[1] == 'x') {
        std::uint64_t value = 0;
        for (std::size_t i = 2; i < text.size(); ++i) {
            const char c = lowerAscii(text[i]);
            int digit;
            if (c >= '0' && c <= '9')
                digit = c - '0';
            else if (c >= 'a' && c <= 'f')
                digit = c - 'a' + 10;
            else
                break;
            // Too many digits saturate, as the C library's unsigned reading does.
            value = std::min<std::uint64_t>(value * 16 + static_cast<std::uint64_t>(digit),
                                            0xFFFFFFFFull);
        }
        return static_cast<std::uint32_t>(value);
    }
    const std::optional<double> value = readDecimal(text);
    if (!value || std::isnan(*value) || *value >= 9.2e18 || *value <= -9.2e18) return 0;
    return static_cast<std::uint32_t>(static_cast<std::int64_t>(*value));
}

std::int32_t truncateToInt32(float value)
{
    if (std::isnan(value) || value >= 2147483648.0f || value < -2147483648.0f)
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

std::uint32_t truncateToUint32(float value)
{
    if (std::isnan(value) || value >= 9.2233720e18f || value < -9.2233720e18f) return 0;
    return static_cast<std::uint32_t>(static_cast<std::int64_t>(value));
}

bool isPercent(std::string_view text)
{
    return !text.empty() && text.back() == '%';
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
    return true;
}

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() &&
           equalsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

} // namespace model
