// Base64 encoding and decoding.
#include "xml/base64.h"

#include <algorithm>

namespace xml {
namespace {

constexpr std::string_view alphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr std::size_t charactersPerLine = 64;

int sextetValue(char c)
{
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

bool isSkipped(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

} // namespace

std::string encodeBase64(std::span<const std::uint8_t> bytes)
{
    std::string plain;
    plain.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t available = std::min<std::size_t>(3, bytes.size() - i);
        std::uint32_t group = std::uint32_t{bytes[i]} << 16;
        if (available > 1) group |= std::uint32_t{bytes[i + 1]} << 8;
        if (available > 2) group |= bytes[i + 2];
        for (std::size_t k = 0; k < 4; ++k)
            plain += k <= available ? alphabet[(group >> (18 - 6 * k)) & 0x3F] : '=';
    }
    std::string lines;
    lines.reserve(plain.size() + plain.size() / charactersPerLine * 2 + 2);
    for (std::size_t i = 0; i < plain.size(); i += charactersPerLine) {
        lines.append(plain, i, charactersPerLine);
        lines += "\r\n";
    }
    return lines;
}

std::optional<std::vector<std::uint8_t>> decodeBase64(std::string_view text)
{
    std::vector<std::uint8_t> bytes;
    bytes.reserve(text.size() / 4 * 3);
    std::uint32_t group = 0;
    std::size_t sextets = 0; // in the current group of four
    std::size_t padding = 0;
    for (const char c : text) {
        if (isSkipped(c)) continue;
        if (c == '=') {
            if (sextets < 2) return std::nullopt;
            ++padding;
            if (sextets + padding > 4) return std::nullopt;
            continue;
        }
        const int value = sextetValue(c);
        if (value < 0 || padding > 0) return std::nullopt;
        group = (group << 6) | static_cast<std::uint32_t>(value);
        if (++sextets < 4) continue;
        bytes.push_back(static_cast<std::uint8_t>(group >> 16));
        bytes.push_back(static_cast<std::uint8_t>(group >> 8));
        bytes.push_back(static_cast<std::uint8_t>(group));
        group = 0;
        sextets = 0;
    }
    // A final group of two or three sextets carries one or two bytes, padded or not.
    if (sextets == 1 || (padding > 0 && sextets + padding != 4)) return std::nullopt;
    if (sextets >= 2) {
        group <<= 6 * (4 - sextets);
        bytes.push_back(static_cast<std::uint8_t>(group >> 16));
        if (sextets == 3) bytes.push_back(static_cast<std::uint8_t>(group >> 8));
    }
    return bytes;
}

} // namespace xml
