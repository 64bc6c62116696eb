// Tokenizer, sub-object grammar and number reading of the command language.
#include "lang/tokenizer.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

namespace lang {
namespace {

struct QuotedSpan {
    std::size_t start;
    std::size_t end; // inclusive
};

std::vector<QuotedSpan> findQuotedSpans(std::string_view text)
{
    std::vector<std::size_t> quotes;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == '"' || text[i] == '\'') quotes.push_back(i);
    std::vector<QuotedSpan> spans;
    if (quotes.size() % 2 != 0) return spans; // unbalanced: nothing is protected
    for (std::size_t i = 0; i < quotes.size(); i += 2)
        spans.push_back({quotes[i], quotes[i + 1]});
    return spans;
}

bool insideSpan(const std::vector<QuotedSpan>& spans, std::size_t position)
{
    for (const QuotedSpan& span : spans) {
        if (position < span.start) return false; // spans are in order of position
        if (position <= span.end) return true;
    }
    return false;
}

std::string stripDoubleQuotes(std::string token)
{
    std::size_t begin = 0;
    while (begin < token.size() && token[begin] == '"')
        ++begin;
    std::size_t end = token.size();
    while (end > begin && token[end - 1] == '"')
        --end;
    return token.substr(begin, end - begin);
}

char lowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

struct MinimumArguments {
    std::string_view keyword;
    model::SubObjectKind kind;
    std::size_t minimum;
    std::string_view topic; // shown when there are too few arguments
};

// Keywords in the order they are compared.
constexpr std::array<MinimumArguments, 22> subObjectKeywords = {{
    {"BRUSH", model::SubObjectKind::Brush, 1, "BRUSH"},
    {"PEN", model::SubObjectKind::Pen, 0, "PEN"},
    {"FONT", model::SubObjectKind::Font, 2, "FONT"},
    {"NAME", model::SubObjectKind::Name, 1, "NAME"},
    {"N", model::SubObjectKind::Name, 1, "NAME"},
    {"P1C", model::SubObjectKind::P1, 0, ""},
    {"P1", model::SubObjectKind::P1, 0, ""},
    {"P2C", model::SubObjectKind::P2, 0, ""},
    {"P2", model::SubObjectKind::P2, 0, ""},
    {"P3C", model::SubObjectKind::P3, 0, ""},
    {"P3", model::SubObjectKind::P3, 0, ""},
    {"P4C", model::SubObjectKind::P4, 0, ""},
    {"P4", model::SubObjectKind::P4, 0, ""},
    {"RECT", model::SubObjectKind::P4, 0, ""},
    {"AT", model::SubObjectKind::At, 1, "AT"},
    {"SPLIT", model::SubObjectKind::Split, 1, "SPLIT"},
    {"SPLITR", model::SubObjectKind::SplitR, 2, "SPLITR"},
    {"SPLITTR", model::SubObjectKind::SplitTR, 20, "SPLITTR"},
    {"MORPH", model::SubObjectKind::Morph, 1, "MORPH"},
    {"TRANSFORM", model::SubObjectKind::Transform, 6, "TRANSFORM"},
    {"3DTRANSFORM", model::SubObjectKind::Transform3D, 12, "3DTRANSFORM"},
    {"4DTRANSFORM", model::SubObjectKind::Transform4D, 16, "4DTRANSFORM"},
}};

std::size_t brushMinimum(std::span<const std::string> arguments)
{
    if (arguments.empty()) return 1;
    if (equalsIgnoringCase(arguments[0], "SOLID")) return 2;
    if (equalsIgnoringCase(arguments[0], "GRADIENT")) return 3;
    return 1;
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

std::vector<std::string> splitTokens(std::string_view text, std::string_view separator,
                                     QuoteProtection protection)
{
    std::vector<std::string> tokens;
    if (separator.empty()) {
        if (!text.empty()) tokens.emplace_back(text);
        return tokens;
    }
    const bool protect = protection == QuoteProtection::On;
    const std::vector<QuotedSpan> spans =
        protect ? findQuotedSpans(text) : std::vector<QuotedSpan>{};

    // A token that contains a protected separator keeps the place where it began.
    constexpr std::size_t noStart = std::string_view::npos;
    std::size_t position = 0;
    std::size_t tokenStart = noStart;
    for (;;) {
        const std::size_t found = text.find(separator, position);
        if (found == std::string_view::npos) break;
        if (protect && insideSpan(spans, found)) {
            if (tokenStart == noStart) tokenStart = position;
            position = found + separator.size();
            continue;
        }
        const std::size_t begin = tokenStart == noStart ? position : tokenStart;
        if (found > begin) tokens.emplace_back(text.substr(begin, found - begin));
        tokenStart = noStart;
        position = found + separator.size();
    }
    const std::size_t begin = tokenStart == noStart ? position : tokenStart;
    if (begin < text.size()) tokens.emplace_back(text.substr(begin));

    if (protect)
        for (std::string& token : tokens)
            token = stripDoubleQuotes(std::move(token));
    return tokens;
}

std::vector<std::string> splitSubObject(std::string_view token)
{
    const std::size_t open = token.find('(');
    const std::size_t close = token.rfind(')');
    if (open == std::string_view::npos || close == std::string_view::npos)
        return {std::string(token)};
    std::vector<std::string> pieces{std::string(token.substr(0, open))};
    if (close > open) {
        std::vector<std::string> arguments =
            splitTokens(token.substr(open + 1, close - open - 1), ",", QuoteProtection::On);
        pieces.insert(pieces.end(), std::make_move_iterator(arguments.begin()),
                      std::make_move_iterator(arguments.end()));
    }
    return pieces;
}

model::SubObject parseSubObject(std::span<const std::string> pieces, std::string* rejectedTopic)
{
    model::SubObject result;
    if (pieces.empty()) return result;
    const std::string_view keyword = pieces[0];
    const std::span<const std::string> arguments = pieces.subspan(1);

    for (const MinimumArguments& entry : subObjectKeywords) {
        if (!equalsIgnoringCase(keyword, entry.keyword)) continue;
        const std::size_t minimum =
            entry.kind == model::SubObjectKind::Brush ? brushMinimum(arguments) : entry.minimum;
        if (arguments.size() < minimum) {
            if (rejectedTopic) *rejectedTopic = std::string(entry.topic);
            return model::SubObject{};
        }
        result.kind = entry.kind;
        break;
    }
    result.arguments.assign(arguments.begin(), arguments.end());
    return result;
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

} // namespace lang
