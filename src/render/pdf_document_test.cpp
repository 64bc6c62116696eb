// Tests of the PDF object writer: number syntax, strings, and a file whose cross-reference
// table finds every object.
#include "render/pdf_document.h"

#include <gtest/gtest.h>

#include <libdeflate.h>

#include <charconv>

namespace render {
namespace {

TEST(PdfDocument, WritesNumbersWithoutExponentsOrTrailingZeros)
{
    struct Case {
        double value;
        int decimals;
        const char* expected;
    };
    const Case cases[] = {
        {12.5, 2, "12.5"},
        {250, 2, "250"},
        {-0.07, 2, "-0.07"},
        {0.004, 2, "0"},
        {-0.004, 2, "0"},
        {0.005, 2, "0.01"},
        {1.0 / 3, 4, "0.3333"},
        {1e20, 2, "1000000000000"},
        {-1e300, 0, "-1000000000000"},
        {0.5, 0, "1"},
        {0.000123, 8, "0.000123"},
        {2.675, 9, "2.675"},
    };
    for (const Case& c : cases) {
        std::string out;
        appendPdfNumber(out, c.value, c.decimals);
        EXPECT_EQ(out, c.expected) << c.value << " at " << c.decimals;
    }
}

TEST(PdfDocument, EscapesTextStringsAndNames)
{
    struct Case {
        std::string_view text;
        std::string_view asString;
        std::string_view asName;
    };
    const Case cases[] = {
        {"Figure 1", "(Figure 1)", "/Figure#201"},
        {"a(b)\\c", "(a\\(b\\)\\\\c)", "/a#28b#29\\c"},
        {"\xC3\xA9", "<FEFF00E9>", "/#C3#A9"},
        {"\xF0\x9F\x98\x80", "<FEFFD83DDE00>", "/#F0#9F#98#80"},
    };
    for (const Case& c : cases) {
        std::string text, name;
        appendPdfTextString(text, c.text);
        appendPdfName(name, c.text);
        EXPECT_EQ(text, c.asString);
        EXPECT_EQ(name, c.asName);
    }
}

std::size_t numberAfter(const std::string& file, std::string_view key, std::size_t from = 0)
{
    const std::size_t at = file.find(key, from);
    EXPECT_NE(at, std::string::npos) << key;
    std::size_t value = 0;
    std::from_chars(file.data() + at + key.size(), file.data() + file.size(), value);
    return value;
}

TEST(PdfDocument, CrossReferenceTableFindsEveryObjectWrittenInAnyOrder)
{
    PdfDocument document("1.4");
    const int catalog = document.reserveObject(), stream = document.reserveObject();
    const int info = document.reserveObject();
    const std::string content = "0 0 m 10 10 l S\n" + std::string(5000, ' ') + "BT ET\n";
    document.writeStream(stream, "/Type /Test", content);
    document.writeObject(info, "<< /Title (t) >>");
    document.writeObject(catalog, "<< /Type /Catalog >>");
    document.raiseVersion("1.6");
    document.raiseVersion("1.5"); // never lowers
    const std::string file = document.finish(catalog, info);

    EXPECT_EQ(file.substr(0, 9), "%PDF-1.6\n");
    const std::size_t xref = numberAfter(file, "startxref\n");
    ASSERT_EQ(file.substr(xref, 9), "xref\n0 4\n");
    const std::size_t entries = xref + 9;
    EXPECT_EQ(file.substr(entries, 20), "0000000000 65535 f \n");
    for (int object = 1; object <= 3; ++object) {
        const std::string entry = file.substr(entries + 20 * static_cast<std::size_t>(object), 20);
        ASSERT_EQ(entry.substr(10), " 00000 n \n");
        const std::size_t offset = std::stoul(entry.substr(0, 10));
        EXPECT_EQ(file.substr(offset, std::to_string(object).size() + 6),
                  std::to_string(object) + " 0 obj")
            << "object " << object;
    }
    EXPECT_NE(file.find("/Size 4 /Root 1 0 R /Info 3 0 R"), std::string::npos);
    EXPECT_EQ(file.substr(file.size() - 6), "%%EOF\n");

    // The stream's length covers exactly its compressed bytes, which give the content back.
    const std::size_t length = numberAfter(file, "/Length ");
    const std::size_t data = file.find("stream\n") + 7;
    EXPECT_EQ(file.substr(data + length, 10), "\nendstream");
    std::string inflated(content.size(), '\0');
    libdeflate_decompressor* decompressor = libdeflate_alloc_decompressor();
    const libdeflate_result result = libdeflate_zlib_decompress(
        decompressor, file.data() + data, length, inflated.data(), inflated.size(), nullptr);
    libdeflate_free_decompressor(decompressor);
    EXPECT_EQ(result, LIBDEFLATE_SUCCESS);
    EXPECT_EQ(inflated, content);
}

} // namespace
} // namespace render
