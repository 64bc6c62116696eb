// PDF objects, streams and the cross-reference table.
#include "render/pdf_document.h"

#include <libdeflate.h>

#include <algorithm>
#include <array>
#include <cassert>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <new>

namespace render {
namespace {

// libdeflate's fastest level: on path data (long runs of similar numbers) it compresses as well
// as levels 2 to 4 in a third of their time, and within 6% of level 6 in a sixth.
constexpr int compressionLevel = 1;
constexpr int maxDecimals = 8;
constexpr double largestNumber = 1e12;
constexpr std::size_t unwritten = static_cast<std::size_t>(-1);

void appendUnsigned(std::string& out, std::size_t value)
{
    char buffer[24];
    out.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

void appendHexByte(std::string& out, unsigned value)
{
    static constexpr char digits[] = "0123456789ABCDEF";
    out += digits[(value >> 4) & 0xF];
    out += digits[value & 0xF];
}

// The code points of UTF-8 text; a malformed sequence gives U+FFFD.
std::vector<char32_t> codePoints(std::string_view text)
{
    std::vector<char32_t> result;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int length = lead < 0x80       ? 1
                           : lead >> 5 == 6  ? 2
                           : lead >> 4 == 14 ? 3
                           : lead >> 3 == 30 ? 4
                                             : 0;
        if (length == 0 || i + static_cast<std::size_t>(length) > text.size()) {
            result.push_back(0xFFFD);
            ++i;
            continue;
        }
        char32_t value = length == 1 ? lead : lead & (0x7Fu >> length);
        bool valid = true;
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            valid = valid && (next & 0xC0) == 0x80;
            value = (value << 6) | (next & 0x3Fu);
        }
        result.push_back(valid && value <= 0x10FFFF ? value : 0xFFFD);
        i += valid ? static_cast<std::size_t>(length) : 1;
    }
    return result;
}

} // namespace

void appendPdfNumber(std::string& out, double value, int decimals)
{
    static constexpr std::array<double, maxDecimals + 1> powers = {1e0, 1e1, 1e2, 1e3, 1e4,
                                                                   1e5, 1e6, 1e7, 1e8};
    decimals = std::clamp(decimals, 0, maxDecimals);
    if (!std::isfinite(value)) value = 0;
    value = std::clamp(value, -largestNumber, largestNumber);
    // Rounded half away from zero to whole units of the last decimal, written as integers;
    // beyond 2^53 units the decimals are dropped.
    double scaled = std::abs(value) * powers[static_cast<std::size_t>(decimals)];
    if (!(scaled < 9e15)) {
        scaled = std::abs(value);
        decimals = 0;
    }
    unsigned long long units = static_cast<unsigned long long>(scaled + 0.5);
    // The fraction's digits, last first, without trailing zeros.
    char fraction[maxDecimals];
    int digits = 0;
    for (int place = 0; place < decimals; ++place, units /= 10) {
        const auto digit = static_cast<char>('0' + units % 10);
        if (digits > 0 || digit != '0') fraction[digits++] = digit;
    }
    char buffer[32];
    char* end = buffer;
    if (value < 0 && (units != 0 || digits != 0)) *end++ = '-';
    end = std::to_chars(end, buffer + sizeof buffer, units).ptr;
    if (digits > 0) {
        *end++ = '.';
        while (digits > 0)
            *end++ = fraction[--digits];
    }
    out.append(buffer, end);
}

void appendPdfTextString(std::string& out, std::string_view text)
{
    const std::vector<char32_t> points = codePoints(text);
    const bool plain =
        std::all_of(points.begin(), points.end(), [](char32_t c) { return c >= 0x20 && c < 0x7F; });
    if (plain) {
        out += '(';
        for (const char32_t c : points) {
            if (c == '(' || c == ')' || c == '\\') out += '\\';
            out += static_cast<char>(c);
        }
        out += ')';
        return;
    }
    out += "<FEFF";
    for (char32_t c : points) {
        if (c >= 0x10000) {
            c -= 0x10000;
            const char32_t high = 0xD800 + (c >> 10), low = 0xDC00 + (c & 0x3FF);
            for (const char32_t unit : {high, low}) {
                appendHexByte(out, unit >> 8);
                appendHexByte(out, unit & 0xFF);
            }
            continue;
        }
        appendHexByte(out, c >> 8);
        appendHexByte(out, c & 0xFF);
    }
    out += '>';
}

void appendPdfName(std::string& out, std::string_view text)
{
    static constexpr std::string_view delimiters = "()<>[]{}/%#";
    out += '/';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte > 0x20 && byte < 0x7F && delimiters.find(c) == delimiters.npos) {
            out += c;
        } else if (byte != 0) {
            out += '#';
            appendHexByte(out, byte);
        }
    }
}

void LibdeflateCompressorDeleter::operator()(libdeflate_compressor* compressor) const
{
    libdeflate_free_compressor(compressor);
}

PdfDocument::PdfDocument(std::string_view version)
    : m_compressor(libdeflate_alloc_compressor(compressionLevel))
{
    if (!m_compressor) throw std::bad_alloc();
    m_out.reserve(1 << 16);
    m_out += "%PDF-";
    m_out += version;
    // A comment of bytes above 127 tells file transfer programs that the file is binary.
    m_out += "\n%\xE2\xE3\xCF\xD3\n";
}

int PdfDocument::reserveObject()
{
    m_offsets.push_back(unwritten);
    return static_cast<int>(m_offsets.size());
}

void PdfDocument::beginObject(int number)
{
    assert(number >= 1 && static_cast<std::size_t>(number) <= m_offsets.size() &&
           "the object number was reserved");
    assert(m_offsets[static_cast<std::size_t>(number - 1)] == unwritten &&
           "each object is written once");
    m_offsets[static_cast<std::size_t>(number - 1)] = m_out.size();
    appendUnsigned(m_out, static_cast<std::size_t>(number));
    m_out += " 0 obj\n";
}

void PdfDocument::writeObject(int number, std::string_view value)
{
    beginObject(number);
    m_out += value;
    m_out += "\nendobj\n";
}

void PdfDocument::writeStream(int number, std::string_view entries,
                              std::span<const std::uint8_t> data)
{
    const std::size_t bound = libdeflate_zlib_compress_bound(m_compressor.get(), data.size());
    if (m_compressed.size() < bound) m_compressed.resize(bound);
    const std::size_t size = libdeflate_zlib_compress(m_compressor.get(), data.data(), data.size(),
                                                      m_compressed.data(), bound);
    beginObject(number);
    m_out += "<< ";
    m_out += entries;
    m_out += " /Filter /FlateDecode /Length ";
    appendUnsigned(m_out, size);
    m_out += " >>\nstream\n";
    m_out.append(reinterpret_cast<const char*>(m_compressed.data()), size);
    m_out += "\nendstream\nendobj\n";
}

void PdfDocument::writeStream(int number, std::string_view entries, std::string_view data)
{
    writeStream(number, entries,
                std::span(reinterpret_cast<const std::uint8_t*>(data.data()), data.size()));
}

void PdfDocument::raiseVersion(std::string_view version)
{
    // The header's version is "1.x" at a fixed place, so offsets stay as they are.
    constexpr std::size_t versionStart = 5;
    if (version.size() == 3 && m_out.compare(versionStart, 3, version) < 0)
        m_out.replace(versionStart, 3, version);
}

std::string PdfDocument::finish(int root, int info)
{
    const std::size_t xref = m_out.size();
    m_out += "xref\n0 ";
    appendUnsigned(m_out, m_offsets.size() + 1);
    m_out += "\n0000000000 65535 f \n";
    for (const std::size_t offset : m_offsets) {
        assert(offset != unwritten && "every reserved object was written");
        char entry[24];
        std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", offset);
        m_out += entry;
    }
    m_out += "trailer\n<< /Size ";
    appendUnsigned(m_out, m_offsets.size() + 1);
    m_out += " /Root ";
    appendUnsigned(m_out, static_cast<std::size_t>(root));
    m_out += " 0 R /Info ";
    appendUnsigned(m_out, static_cast<std::size_t>(info));
    m_out += " 0 R >>\nstartxref\n";
    appendUnsigned(m_out, xref);
    m_out += "\n%%EOF\n";
    return std::move(m_out);
}

} // namespace render
