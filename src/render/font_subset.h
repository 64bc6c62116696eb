// Font programs for embedding in PDF files, from a font's tables: what the font descriptor
// states (metrics, widths, the PostScript name, whether embedding is allowed), TrueType subsets
// that keep glyph ids and empty the glyphs no text uses, and whole OpenType fonts with CFF
// outlines rebuilt from their tables.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace render {

// A font's tables by four-letter tag ("glyf", "CFF "), as the font holds them.
struct FontTable {
    std::string tag;
    std::string bytes;
};

enum class OutlineFormat { TrueType, Cff };

// What a PDF font descriptor and width array need. Lengths are in thousandths of the em.
struct FontFacts {
    OutlineFormat format = OutlineFormat::TrueType;
    std::string postscriptName; // printable ASCII without PDF delimiters, never empty
    int glyphCount = 0;
    double ascent = 0;
    double descent = 0; // negative below the baseline
    double capHeight = 0;
    double italicAngle = 0;             // degrees, counter-clockwise
    std::int32_t box[4] = {0, 0, 0, 0}; // left, bottom, right, top
    std::vector<double> advances;       // by glyph id, rounded to a tenth
};

// The facts of the font whose tables are given, or none when the tables are missing or damaged,
// or the font forbids embedding (restricted licence, bitmap embedding only): such text is drawn
// as outlines.
std::optional<FontFacts> readFontFacts(std::span<const FontTable> tables);

// A TrueType font holding the glyphs in `used`, glyph 0 and the components of composite glyphs;
// the other glyphs are empty, and every glyph keeps its id. Empty when the glyph data are
// damaged.
std::string subsetTrueType(std::span<const FontTable> tables, std::span<const std::uint16_t> used);

// Whether subsetTrueType can take the glyph data apart: the location table fits the glyphs.
bool trueTypeGlyphsReadable(std::span<const FontTable> tables);

// An OpenType font with CFF outlines built from its tables (CFF, metrics, character map, names).
std::string buildOpenType(std::span<const FontTable> tables);

// A font file of `tables`: the directory sorted by tag, table checksums and the head table's
// checksum adjustment. `version` is 0x00010000 for TrueType outlines, 0x4F54544F for CFF.
std::string writeFontFile(std::uint32_t version, std::vector<FontTable> tables);

// The tables of face `faceIndex` of a font file (a collection holds several faces; a single font
// is face 0), those of fontTableTags that it has; none when the file is no font or is damaged.
std::optional<std::vector<FontTable>> readFontFileTables(std::string_view file, int faceIndex);

// The tables readFontFacts, subsetTrueType and buildOpenType read.
inline constexpr std::string_view fontTableTags[] = {"head", "hhea", "maxp", "hmtx", "loca",
                                                     "glyf", "cvt ", "fpgm", "prep", "OS/2",
                                                     "name", "post", "cmap", "CFF "};

} // namespace render
