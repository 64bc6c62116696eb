// Declared encodings: finding the declaration's encoding and converting single-byte text.
#include "xml/declared_encoding.h"

#include "xml/utf.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace xml {
namespace {

enum class SingleByteEncoding { Latin1, Windows1252 };

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::optional<SingleByteEncoding> singleByteEncodingNamed(std::string_view name)
{
    static constexpr std::string_view latin1Names[] = {"ISO-8859-1", "ISO8859-1", "ISO_8859-1",
                                                       "latin1",     "latin-1",   "l1"};
    static constexpr std::string_view windowsNames[] = {"windows-1252", "cp1252", "x-cp1252"};
    const auto named = [name](std::string_view candidate) {
        return equalsIgnoringCase(name, candidate);
    };
    if (std::any_of(std::begin(latin1Names), std::end(latin1Names), named))
        return SingleByteEncoding::Latin1;
    if (std::any_of(std::begin(windowsNames), std::end(windowsNames), named))
        return SingleByteEncoding::Windows1252;
    return std::nullopt;
}

// Windows-1252 at 0x80 to 0x9F; the five bytes it leaves undefined keep their own value, as
// the system's conversion does.
constexpr std::array<char16_t, 32> windows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::string fromSingleByte(std::string_view bytes, SingleByteEncoding encoding)
{
    std::string text;
    text.reserve(bytes.size() + bytes.size() / 8);
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        char32_t codePoint = value;
        if (encoding == SingleByteEncoding::Windows1252 && value >= 0x80 && value < 0xA0)
            codePoint = windows1252High[value - 0x80u];
        appendUtf8(text, codePoint);
    }
    return text;
}

} // namespace

std::optional<ValueSpan> findEncodingValue(std::string_view declaration)
{
    for (std::size_t key = declaration.find("encoding"); key != std::string_view::npos;
         key = declaration.find("encoding", key + 1)) {
        std::size_t i = key + 8;
        while (i < declaration.size() && (declaration[i] == ' ' || declaration[i] == '='))
            ++i;
        if (i >= declaration.size() || (declaration[i] != '"' && declaration[i] != '\'')) continue;
        const std::size_t end = declaration.find(declaration[i], i + 1);
        if (end != std::string_view::npos) return ValueSpan{i + 1, end};
    }
    return std::nullopt;
}

std::string documentTextAsUtf8(std::string_view bytes)
{
    const std::size_t declarationEnd = bytes.find("?>");
    if (declarationEnd != std::string_view::npos) {
        const std::string_view declaration = bytes.substr(0, declarationEnd);
        if (const std::optional<ValueSpan> value = findEncodingValue(declaration)) {
            const std::string_view name =
                declaration.substr(value->begin, value->end - value->begin);
            if (const std::optional<SingleByteEncoding> encoding = singleByteEncodingNamed(name))
                return fromSingleByte(bytes, *encoding);
        }
    }
    return replaceInvalidUtf8(bytes);
}

} // namespace xml
