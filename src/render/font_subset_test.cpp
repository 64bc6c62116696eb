// Tests of font facts and TrueType subsets, on small fonts built here table by table.
#include "render/font_subset.h"

#include <gtest/gtest.h>

#include <map>

namespace render {
namespace {

void appendU16(std::string& out, unsigned value)
{
    out += static_cast<char>((value >> 8) & 0xFF);
    out += static_cast<char>(value & 0xFF);
}

unsigned u16(std::string_view bytes, std::size_t at)
{
    return static_cast<unsigned char>(bytes[at]) << 8 | static_cast<unsigned char>(bytes[at + 1]);
}

unsigned u32(std::string_view bytes, std::size_t at)
{
    return u16(bytes, at) << 16 | u16(bytes, at + 2);
}

// A simple glyph: a header of one contour and `marker` bytes to recognise it by.
std::string simpleGlyph(char marker)
{
    std::string glyph;
    appendU16(glyph, 1);
    glyph.append(8, '\0');
    glyph.append(6, marker);
    return glyph;
}

// A composite glyph of `components`, each with word arguments, the second with a scale.
std::string compositeGlyph(std::initializer_list<unsigned> components)
{
    std::string glyph;
    appendU16(glyph, 0xFFFF); // -1 contours
    glyph.append(8, '\0');
    std::size_t i = 0;
    for (const unsigned component : components) {
        const bool last = ++i == components.size();
        const unsigned flags = 0x0001 | (i == 2 ? 0x0008 : 0) | (last ? 0 : 0x0020);
        appendU16(glyph, flags);
        appendU16(glyph, component);
        glyph.append(i == 2 ? 6 : 4, '\0');
    }
    return glyph;
}

// A TrueType font of five glyphs: 2 is built from 1 and 3, 4 stands alone.
std::vector<FontTable> smallFont(unsigned fsType = 0)
{
    const std::string glyphs[] = {simpleGlyph('0'), simpleGlyph('1'), compositeGlyph({1, 3}),
                                  simpleGlyph('3'), simpleGlyph('4')};
    std::string glyf, loca, hmtx;
    for (const std::string& glyph : glyphs) {
        appendU16(loca, static_cast<unsigned>(glyf.size() / 2));
        glyf += glyph;
        appendU16(hmtx, 500 + static_cast<unsigned>(hmtx.size()) * 25); // advances 500, 600, ...
        appendU16(hmtx, 0);
    }
    appendU16(loca, static_cast<unsigned>(glyf.size() / 2));
    std::string head(54, '\0');
    head[18] = 0x04; // 1024 units per em
    std::string hhea(36, '\0');
    hhea[4] = 0x03; // ascender 768
    hhea[35] = 5;   // five horizontal metrics
    std::string maxp(6, '\0');
    maxp[5] = 5;
    std::string os2(10, '\0');
    os2[8] = static_cast<char>(fsType >> 8);
    os2[9] = static_cast<char>(fsType & 0xFF);
    std::string name;
    for (const unsigned field : {0u, 1u, 18u, 3u, 1u, 0x409u, 6u, 8u, 0u})
        appendU16(name, field);
    for (const char c : std::string_view("Tiny"))
        appendU16(name, static_cast<unsigned char>(c));
    return {{"head", head}, {"hhea", hhea}, {"maxp", maxp}, {"hmtx", hmtx},
            {"loca", loca}, {"glyf", glyf}, {"OS/2", os2},  {"name", name}};
}

// The tables of a font file, by tag.
std::map<std::string, std::string> tablesOf(const std::string& file)
{
    std::map<std::string, std::string> tables;
    for (std::size_t i = 0; i < u16(file, 4); ++i) {
        const std::size_t record = 12 + 16 * i;
        tables[file.substr(record, 4)] = file.substr(u32(file, record + 8), u32(file, record + 12));
    }
    return tables;
}

TEST(FontSubset, ReadsFactsUnlessEmbeddingIsForbiddenOrTablesAreMissing)
{
    const std::optional<FontFacts> plain = readFontFacts(smallFont());
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->postscriptName, "Tiny");
    EXPECT_EQ(plain->glyphCount, 5);
    EXPECT_EQ(plain->ascent, 750);
    EXPECT_EQ(plain->advances, (std::vector<double>{488.3, 585.9, 683.6, 781.3, 878.9}));

    struct Case {
        const char* name;
        std::vector<FontTable> tables;
        bool readable;
    };
    std::vector<FontTable> noOutlines = smallFont(), shortHead = smallFont();
    noOutlines.erase(noOutlines.begin() + 5);
    shortHead[0].bytes.resize(20);
    const Case cases[] = {
        {"restricted licence", smallFont(0x0002), false},
        {"bitmaps only", smallFont(0x0200), false},
        {"editable", smallFont(0x0008), true},
        {"no outlines", noOutlines, false},
        {"short header", shortHead, false},
        {"no tables", {}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(readFontFacts(c.tables).has_value(), c.readable) << c.name;
}

TEST(FontSubset, KeepsGlyphIdsAndTheComponentsOfCompositeGlyphs)
{
    struct Case {
        std::vector<std::uint16_t> used;
        std::vector<int> kept; // glyphs whose data stay
        unsigned glyphCount;   // glyphs after the last kept one are left out
    };
    const Case cases[] = {
        {{2}, {0, 1, 2, 3}, 4},
        {{4}, {0, 4}, 5},
        {{}, {0}, 1},
        {{1, 400}, {0, 1}, 2}, // ids beyond the font are ignored
    };
    const std::vector<FontTable> font = smallFont();
    for (const Case& c : cases) {
        const std::string file = subsetTrueType(font, c.used);
        ASSERT_FALSE(file.empty());
        std::uint32_t sum = 0;
        for (std::size_t at = 0; at < file.size(); at += 4)
            sum += u32(file, at);
        EXPECT_EQ(sum, 0xB1B0AFBAu) << "checksum adjustment";
        std::map<std::string, std::string> tables = tablesOf(file);
        EXPECT_EQ(u16(tables["maxp"], 4), c.glyphCount);
        EXPECT_EQ(u16(tables["head"], 50), 1u) << "long offsets";
        EXPECT_EQ(tables["hmtx"].size(), 4 * c.glyphCount);
        const std::string& loca = tables["loca"];
        ASSERT_EQ(loca.size(), 4 * (c.glyphCount + 1));
        for (unsigned glyph = 0; glyph < c.glyphCount; ++glyph) {
            const std::string data = tables["glyf"].substr(
                u32(loca, 4 * glyph), u32(loca, 4 * glyph + 4) - u32(loca, 4 * glyph));
            const bool kept = std::find(c.kept.begin(), c.kept.end(), glyph) != c.kept.end();
            const std::string expected = !kept        ? ""
                                         : glyph == 2 ? compositeGlyph({1, 3})
                                                      : simpleGlyph(static_cast<char>('0' + glyph));
            EXPECT_EQ(data.substr(0, expected.size()), expected) << "glyph " << glyph;
            EXPECT_EQ(data.size(), (expected.size() + 3) / 4 * 4) << "glyph " << glyph;
        }
    }
}

TEST(FontSubset, ReadsTheTablesOfAFontFileOrOfOneFaceOfACollection)
{
    const std::vector<FontTable> font = smallFont();
    const std::string single = writeFontFile(0x00010000, font);
    // A collection of two faces: the same font twice, its offsets moved past the header.
    std::string collection = "ttcf";
    collection += std::string("\0\1\0\0\0\0\0\2", 8);
    const std::size_t header = 12 + 8;
    for (std::size_t face = 0; face < 2; ++face) {
        const std::size_t start = header + face * single.size();
        for (int shift = 24; shift >= 0; shift -= 8)
            collection += static_cast<char>((start >> shift) & 0xFF);
    }
    for (std::size_t face = 0; face < 2; ++face) {
        std::string copy = single;
        for (std::size_t i = 0; i < u16(single, 4); ++i) { // table offsets within the file
            const std::size_t at = 12 + 16 * i + 8;
            const unsigned offset =
                u32(single, at) + static_cast<unsigned>(header + face * single.size());
            for (int k = 0; k < 4; ++k)
                copy[at + static_cast<std::size_t>(k)] =
                    static_cast<char>((offset >> (24 - 8 * k)) & 0xFF);
        }
        collection += copy;
    }
    std::string truncated = single.substr(0, single.size() - 40);
    struct Case {
        const char* name;
        std::string file;
        int face;
        bool readable;
    };
    const Case cases[] = {
        {"a single font", single, 0, true},
        {"its second face", single, 1, false},
        {"a collection's first face", collection, 0, true},
        {"its second face", collection, 1, true},
        {"its third face", collection, 2, false},
        {"a table past the end", truncated, 0, false},
        {"no font", "GIF89a", 0, false},
    };
    for (const Case& c : cases) {
        const std::optional<std::vector<FontTable>> tables = readFontFileTables(c.file, c.face);
        ASSERT_EQ(tables.has_value(), c.readable) << c.name;
        if (!tables) continue;
        std::map<std::string, std::string> read, original;
        for (const FontTable& table : *tables)
            read[table.tag] = table.bytes;
        for (const FontTable& table : font)
            original[table.tag] = table.bytes;
        original["head"] = read["head"]; // its checksum adjustment is the file's own
        EXPECT_EQ(read, original) << c.name;
    }
}

TEST(FontSubset, RefusesGlyphDataWhoseLocationsRunBackwards)
{
    std::vector<FontTable> font = smallFont();
    EXPECT_TRUE(trueTypeGlyphsReadable(font));
    font[4].bytes[5] = 0; // the third glyph starts before the second
    EXPECT_FALSE(trueTypeGlyphsReadable(font));
    EXPECT_EQ(subsetTrueType(font, std::vector<std::uint16_t>{1}), "");
    font[4].bytes.resize(4); // too few locations
    EXPECT_FALSE(trueTypeGlyphsReadable(font));
    EXPECT_EQ(subsetTrueType(font, std::vector<std::uint16_t>{1}), "");
}

} // namespace
} // namespace render
