// UTF-8 validation and UTF-8 <-> UTF-16 conversion.
#include "xml/utf.h"

#include <cstdint>

namespace xml {
namespace {

struct DecodedCodePoint {
    char32_t value = 0;
    std::size_t length = 0; // 0: malformed
};

std::size_t sequenceLength(unsigned char lead)
{
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0; // continuation byte, overlong lead (C0, C1) or beyond U+10FFFF (F5..FF)
}

DecodedCodePoint decodeAt(std::string_view text, std::size_t offset)
{
    const auto lead = static_cast<unsigned char>(text[offset]);
    const std::size_t length = sequenceLength(lead);
    if (length == 0 || offset + length > text.size()) return {};
    if (length == 1) return {lead, 1};
    char32_t value = lead & (0xFF >> (length + 1));
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[offset + i]);
        if ((next & 0xC0) != 0x80) return {};
        value = (value << 6) | (next & 0x3F);
    }
    static constexpr char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (value < smallest[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return {};
    return {value, length};
}

} // namespace

void appendUtf8(std::string& out, char32_t value)
{
    if (value < 0x80) {
        out += static_cast<char>(value);
    } else if (value < 0x800) {
        out += static_cast<char>(0xC0 | (value >> 6));
        out += static_cast<char>(0x80 | (value & 0x3F));
    } else if (value < 0x10000) {
        out += static_cast<char>(0xE0 | (value >> 12));
        out += static_cast<char>(0x80 | ((value >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (value & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (value >> 18));
        out += static_cast<char>(0x80 | ((value >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((value >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (value & 0x3F));
    }
}

std::optional<std::size_t> findInvalidUtf8(std::string_view text)
{
    std::size_t offset = 0;
    while (offset < text.size()) {
        if (static_cast<unsigned char>(text[offset]) < 0x80) {
            ++offset;
            continue;
        }
        const DecodedCodePoint decoded = decodeAt(text, offset);
        if (decoded.length == 0) return offset;
        offset += decoded.length;
    }
    return std::nullopt;
}

std::string replaceInvalidUtf8(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    std::size_t offset = 0;
    while (offset < text.size()) {
        const DecodedCodePoint decoded = decodeAt(text, offset);
        if (decoded.length == 0) {
            appendUtf8(out, 0xFFFD);
            ++offset;
            continue;
        }
        out.append(text.substr(offset, decoded.length));
        offset += decoded.length;
    }
    return out;
}

std::optional<std::string> utf16ToUtf8(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit >= 0xDC00 && unit <= 0xDFFF) return std::nullopt;
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            if (i + 1 >= text.size()) return std::nullopt;
            const char16_t low = text[i + 1];
            if (low < 0xDC00 || low > 0xDFFF) return std::nullopt;
            appendUtf8(out, 0x10000 + ((char32_t{unit} - 0xD800) << 10) + (low - 0xDC00));
            ++i;
            continue;
        }
        appendUtf8(out, unit);
    }
    return out;
}

std::u16string utf8ToUtf16(std::string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    std::size_t offset = 0;
    while (offset < text.size()) {
        DecodedCodePoint decoded = decodeAt(text, offset);
        if (decoded.length == 0) decoded = {0xFFFD, 1};
        offset += decoded.length;
        if (decoded.value < 0x10000) {
            out += static_cast<char16_t>(decoded.value);
        } else {
            const char32_t above = decoded.value - 0x10000;
            out += static_cast<char16_t>(0xD800 + (above >> 10));
            out += static_cast<char16_t>(0xDC00 + (above & 0x3FF));
        }
    }
    return out;
}

} // namespace xml
