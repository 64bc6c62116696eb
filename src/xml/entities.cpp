// Encoding and decoding of XML entities.
#include "xml/entities.h"

#include "xml/utf.h"

#include <array>
#include <cstdint>
#include <optional>
#include <utility>

namespace xml {
namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isHexDigit(char c)
{
    return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int hexValue(char c)
{
    if (isDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return c - 'A' + 10;
}

// Length of a numeric character reference ("&#65;", "&#x41;") at the start of `text`, or 0.
std::size_t numericReferenceLength(std::string_view text)
{
    if (text.size() < 4 || text[0] != '&' || text[1] != '#') return 0;
    std::size_t i = 2;
    const bool hexadecimal = text[i] == 'x' || text[i] == 'X';
    if (hexadecimal) ++i;
    const std::size_t digitsStart = i;
    while (i < text.size() && (hexadecimal ? isHexDigit(text[i]) : isDigit(text[i])))
        ++i;
    if (i == digitsStart || i >= text.size() || text[i] != ';') return 0;
    return i + 1;
}

// The code point of a numeric reference of `length` bytes, when it names a valid character.
std::optional<char32_t> numericReferenceValue(std::string_view reference)
{
    const bool hexadecimal = reference[2] == 'x' || reference[2] == 'X';
    std::uint32_t value = 0;
    for (std::size_t i = hexadecimal ? 3 : 2; i + 1 < reference.size(); ++i) {
        value =
            value * (hexadecimal ? 16 : 10) +
            static_cast<std::uint32_t>(hexadecimal ? hexValue(reference[i]) : reference[i] - '0');
        if (value > 0x10FFFF) return std::nullopt;
    }
    if (value == 0 || (value >= 0xD800 && value <= 0xDFFF)) return std::nullopt;
    return static_cast<char32_t>(value);
}

constexpr std::array<std::pair<std::string_view, char>, 5> namedEntities = {{
    {"&amp;", '&'},
    {"&lt;", '<'},
    {"&gt;", '>'},
    {"&quot;", '"'},
    {"&apos;", '\''},
}};

} // namespace

std::string encodeEntities(std::string_view text, EntityContext context)
{
    const bool attribute = context == EntityContext::Attribute;
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '&') {
            const std::size_t reference = numericReferenceLength(text.substr(i));
            if (reference > 0) {
                out.append(text.substr(i, reference));
                i += reference - 1;
            } else {
                out += "&amp;";
            }
        } else if (c == '<') {
            out += "&lt;";
        } else if (c == '>') {
            out += "&gt;";
        } else if (c == '"' && attribute) {
            out += "&quot;";
        } else if (c == '\'' && attribute) {
            out += "&apos;";
        } else {
            out += c;
        }
    }
    return out;
}

std::string decodeEntities(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] != '&') {
            out += text[i++];
            continue;
        }
        const std::string_view rest = text.substr(i);
        bool decoded = false;
        for (const auto& [entity, character] : namedEntities) {
            if (!rest.starts_with(entity)) continue;
            out += character;
            i += entity.size();
            decoded = true;
            break;
        }
        if (decoded) continue;
        const std::size_t reference = numericReferenceLength(rest);
        const std::optional<char32_t> value =
            reference > 0 ? numericReferenceValue(rest.substr(0, reference)) : std::nullopt;
        if (value) {
            appendUtf8(out, *value);
            i += reference;
        } else {
            out += text[i++];
        }
    }
    return out;
}

} // namespace xml
