// Tokenizer, sub-object grammar and number reading of the command language.
#include "lang/tokenizer.h"

#include "model/argument_text.h"

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
    if (model::equalsIgnoringCase(arguments[0], "SOLID")) return 2;
    if (model::equalsIgnoringCase(arguments[0], "GRADIENT")) return 3;
    return 1;
}

} // namespace

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
        if (!model::equalsIgnoringCase(keyword, entry.keyword)) continue;
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

} // namespace lang
