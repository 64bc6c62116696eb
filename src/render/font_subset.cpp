// Reading font tables and writing subset font files.
//
// Sections: reading big-endian fields · facts · glyph data · writing font files
#include "render/font_subset.h"

#include <algorithm>
#include <cmath>

namespace render {
namespace {

// --- reading big-endian fields ------------------------------------------------------------------

// Fields of a table, zero past its end, so that a short table reads as zeros rather than
// beyond its bytes; callers check lengths where a zero would mislead.
class Fields {
public:
    explicit Fields(std::string_view bytes) : m_bytes(bytes) {}

    std::size_t size() const { return m_bytes.size(); }
    std::uint32_t u8(std::size_t at) const
    {
        return at < m_bytes.size() ? static_cast<unsigned char>(m_bytes[at]) : 0u;
    }
    std::uint16_t u16(std::size_t at) const
    {
        return static_cast<std::uint16_t>(u8(at) << 8 | u8(at + 1));
    }
    std::int16_t i16(std::size_t at) const { return static_cast<std::int16_t>(u16(at)); }
    std::uint32_t u32(std::size_t at) const
    {
        return static_cast<std::uint32_t>(u16(at)) << 16 | u16(at + 2);
    }

private:
    std::string_view m_bytes;
};

const std::string* findTable(std::span<const FontTable> tables, std::string_view tag)
{
    for (const FontTable& table : tables)
        if (table.tag == tag && !table.bytes.empty()) return &table.bytes;
    return nullptr;
}

Fields fieldsOf(std::span<const FontTable> tables, std::string_view tag)
{
    const std::string* bytes = findTable(tables, tag);
    return Fields(bytes ? std::string_view(*bytes) : std::string_view());
}

void putU16(std::string& out, std::size_t at, std::uint32_t value)
{
    out[at] = static_cast<char>((value >> 8) & 0xFF);
    out[at + 1] = static_cast<char>(value & 0xFF);
}

void putU32(std::string& out, std::size_t at, std::uint32_t value)
{
    putU16(out, at, value >> 16);
    putU16(out, at + 2, value & 0xFFFF);
}

void appendU16(std::string& out, std::uint32_t value)
{
    out += static_cast<char>((value >> 8) & 0xFF);
    out += static_cast<char>(value & 0xFF);
}

void appendU32(std::string& out, std::uint32_t value)
{
    appendU16(out, value >> 16);
    appendU16(out, value & 0xFFFF);
}

// --- facts --------------------------------------------------------------------------------------

constexpr std::size_t headLength = 54;
constexpr std::size_t hheaLength = 36;
constexpr std::uint16_t restrictedLicence = 0x0002; // the low four bits of OS/2 fsType
constexpr std::uint16_t bitmapOnly = 0x0200;
constexpr std::size_t maxNameLength = 63;

bool embeddingForbidden(const Fields& os2)
{
    if (os2.size() < 10) return false;
    const std::uint16_t fsType = os2.u16(8);
    return (fsType & 0x000F) == restrictedLicence || (fsType & bitmapOnly) != 0;
}

// The name record `nameId` in printable ASCII without PDF delimiters, from the Windows Unicode
// or the Macintosh Roman record.
std::string nameOf(const Fields& name, std::uint16_t nameId)
{
    static constexpr std::string_view delimiters = "()<>[]{}/%# ";
    const std::size_t count = name.u16(2), strings = name.u16(4);
    for (std::size_t i = 0; i < count && 6 + 12 * i + 12 <= name.size(); ++i) {
        const std::size_t record = 6 + 12 * i;
        const std::uint16_t platform = name.u16(record);
        if (name.u16(record + 6) != nameId || (platform != 3 && platform != 1)) continue;
        const std::size_t length = name.u16(record + 8);
        const std::size_t start = strings + name.u16(record + 10);
        if (start + length > name.size()) continue;
        const std::size_t step = platform == 3 ? 2 : 1;
        std::string text;
        for (std::size_t at = start; at + step <= start + length; at += step) {
            const std::uint32_t c = step == 2 ? name.u16(at) : name.u8(at);
            if (c > 0x20 && c < 0x7F && delimiters.find(static_cast<char>(c)) == delimiters.npos &&
                text.size() < maxNameLength)
                text += static_cast<char>(c);
        }
        if (!text.empty()) return text;
    }
    return {};
}

double thousandths(double units, double unitsPerEm)
{
    return std::round(units * 10000.0 / unitsPerEm) / 10.0;
}

} // namespace

std::optional<FontFacts> readFontFacts(std::span<const FontTable> tables)
{
    const Fields head = fieldsOf(tables, "head"), hhea = fieldsOf(tables, "hhea");
    const Fields maxp = fieldsOf(tables, "maxp"), hmtx = fieldsOf(tables, "hmtx");
    const Fields os2 = fieldsOf(tables, "OS/2");
    if (head.size() < headLength || hhea.size() < hheaLength || maxp.size() < 6)
        return std::nullopt;
    if (embeddingForbidden(os2)) return std::nullopt;
    FontFacts facts;
    if (findTable(tables, "glyf") && findTable(tables, "loca"))
        facts.format = OutlineFormat::TrueType;
    else if (findTable(tables, "CFF "))
        facts.format = OutlineFormat::Cff;
    else
        return std::nullopt;
    const double unitsPerEm = head.u16(18);
    const std::size_t metrics = hhea.u16(34);
    facts.glyphCount = maxp.u16(4);
    if (unitsPerEm < 16 || metrics == 0 || facts.glyphCount == 0 || hmtx.size() < 4 * metrics)
        return std::nullopt;

    facts.box[0] = static_cast<std::int32_t>(thousandths(head.i16(36), unitsPerEm));
    facts.box[1] = static_cast<std::int32_t>(thousandths(head.i16(38), unitsPerEm));
    facts.box[2] = static_cast<std::int32_t>(thousandths(head.i16(40), unitsPerEm));
    facts.box[3] = static_cast<std::int32_t>(thousandths(head.i16(42), unitsPerEm));
    facts.ascent = thousandths(hhea.i16(4), unitsPerEm);
    facts.descent = thousandths(hhea.i16(6), unitsPerEm);
    const bool hasCapHeight = os2.size() >= 90 && os2.u16(0) >= 2;
    facts.capHeight = hasCapHeight ? thousandths(os2.i16(88), unitsPerEm) : facts.ascent;
    const Fields post = fieldsOf(tables, "post");
    if (post.size() >= 8) facts.italicAngle = static_cast<std::int32_t>(post.u32(4)) / 65536.0;
    facts.advances.resize(static_cast<std::size_t>(facts.glyphCount));
    for (std::size_t glyph = 0; glyph < facts.advances.size(); ++glyph)
        facts.advances[glyph] = thousandths(hmtx.u16(4 * std::min(glyph, metrics - 1)), unitsPerEm);

    facts.postscriptName = nameOf(fieldsOf(tables, "name"), 6);
    if (facts.postscriptName.empty()) facts.postscriptName = nameOf(fieldsOf(tables, "name"), 1);
    if (facts.postscriptName.empty()) facts.postscriptName = "Font";
    return facts;
}

// --- glyph data ---------------------------------------------------------------------------------

namespace {

// Composite glyph flags.
constexpr std::uint16_t argumentsAreWords = 0x0001;
constexpr std::uint16_t hasScale = 0x0008;
constexpr std::uint16_t moreComponents = 0x0020;
constexpr std::uint16_t hasXYScale = 0x0040;
constexpr std::uint16_t hasTwoByTwo = 0x0080;

// Where each glyph's data starts in the glyph table, one more entry than glyphs; empty when the
// location table is short or its offsets run backwards or past the glyph table.
std::vector<std::uint32_t> glyphOffsets(const Fields& loca, bool longOffsets, std::size_t count,
                                        std::size_t glyfSize)
{
    const std::size_t entry = longOffsets ? 4 : 2;
    if (loca.size() < entry * (count + 1)) return {};
    std::vector<std::uint32_t> offsets(count + 1);
    for (std::size_t i = 0; i <= count; ++i) {
        offsets[i] = longOffsets ? loca.u32(4 * i) : 2u * loca.u16(2 * i);
        if (offsets[i] > glyfSize || (i > 0 && offsets[i] < offsets[i - 1])) return {};
    }
    return offsets;
}

// The glyphs a composite glyph is built from.
std::vector<std::uint16_t> componentsOf(std::string_view glyph)
{
    const Fields data(glyph);
    std::vector<std::uint16_t> components;
    if (data.size() < 10 || data.i16(0) >= 0) return components;
    std::size_t at = 10;
    for (;;) {
        if (at + 4 > data.size()) break;
        const std::uint16_t flags = data.u16(at);
        components.push_back(data.u16(at + 2));
        at += 4 + ((flags & argumentsAreWords) ? 4 : 2);
        at += (flags & hasTwoByTwo) ? 8 : (flags & hasXYScale) ? 4 : (flags & hasScale) ? 2 : 0;
        if (!(flags & moreComponents)) break;
    }
    return components;
}

// --- writing font files -------------------------------------------------------------------------

std::uint32_t checksum(std::string_view bytes)
{
    std::uint32_t sum = 0;
    const Fields data(bytes);
    for (std::size_t at = 0; at < bytes.size(); at += 4)
        sum += data.u32(at);
    return sum;
}

std::vector<FontTable> tablesNamed(std::span<const FontTable> tables,
                                   std::initializer_list<std::string_view> tags)
{
    std::vector<FontTable> chosen;
    for (const std::string_view tag : tags)
        if (const std::string* bytes = findTable(tables, tag))
            chosen.push_back({std::string(tag), *bytes});
    return chosen;
}

} // namespace

std::string writeFontFile(std::uint32_t version, std::vector<FontTable> tables)
{
    std::sort(tables.begin(), tables.end(),
              [](const FontTable& a, const FontTable& b) { return a.tag < b.tag; });
    const auto count = static_cast<std::uint32_t>(tables.size());
    std::uint32_t power = 1, log = 0;
    while (power * 2 <= count) {
        power *= 2;
        ++log;
    }
    std::string out;
    appendU32(out, version);
    appendU16(out, count);
    appendU16(out, power * 16);
    appendU16(out, log);
    appendU16(out, count * 16 - power * 16);
    std::size_t offset = 12 + 16 * tables.size();
    std::size_t headOffset = 0;
    for (const FontTable& table : tables) {
        out += table.tag.substr(0, 4);
        appendU32(out, checksum(table.bytes));
        appendU32(out, static_cast<std::uint32_t>(offset));
        appendU32(out, static_cast<std::uint32_t>(table.bytes.size()));
        if (table.tag == "head") headOffset = offset;
        offset += (table.bytes.size() + 3) & ~std::size_t{3};
    }
    for (const FontTable& table : tables) {
        out += table.bytes;
        out.append((4 - table.bytes.size() % 4) % 4, '\0');
    }
    if (headOffset != 0) putU32(out, headOffset + 8, 0xB1B0AFBAu - checksum(out));
    return out;
}

namespace {

// Where each glyph's data starts, from the font's tables; empty when they are damaged.
std::vector<std::uint32_t> glyphOffsetsOf(std::span<const FontTable> tables)
{
    const std::string* glyf = findTable(tables, "glyf");
    const Fields head = fieldsOf(tables, "head"), maxp = fieldsOf(tables, "maxp");
    if (!glyf || head.size() < headLength || maxp.size() < 6) return {};
    return glyphOffsets(fieldsOf(tables, "loca"), head.i16(50) != 0, maxp.u16(4), glyf->size());
}

} // namespace

bool trueTypeGlyphsReadable(std::span<const FontTable> tables)
{
    return !glyphOffsetsOf(tables).empty();
}

std::string subsetTrueType(std::span<const FontTable> tables, std::span<const std::uint16_t> used)
{
    const std::vector<std::uint32_t> offsets = glyphOffsetsOf(tables);
    if (offsets.empty()) return {};
    const std::string* glyf = findTable(tables, "glyf");
    const std::size_t count = offsets.size() - 1;
    const auto glyphData = [&](std::size_t glyph) {
        return std::string_view(*glyf).substr(offsets[glyph], offsets[glyph + 1] - offsets[glyph]);
    };

    std::vector<bool> kept(count, false);
    std::vector<std::uint16_t> pending(used.begin(), used.end());
    pending.push_back(0);
    while (!pending.empty()) {
        const std::uint16_t glyph = pending.back();
        pending.pop_back();
        if (glyph >= count || kept[glyph]) continue;
        kept[glyph] = true;
        for (const std::uint16_t component : componentsOf(glyphData(glyph)))
            pending.push_back(component);
    }

    // Glyphs after the last one kept are left out altogether: the ids before them stay.
    std::size_t keptCount = count;
    while (keptCount > 1 && !kept[keptCount - 1])
        --keptCount;
    std::string newGlyf, newLoca;
    for (std::size_t glyph = 0; glyph < keptCount; ++glyph) {
        appendU32(newLoca, static_cast<std::uint32_t>(newGlyf.size()));
        if (!kept[glyph]) continue;
        newGlyf += glyphData(glyph);
        newGlyf.append((4 - newGlyf.size() % 4) % 4, '\0');
    }
    appendU32(newLoca, static_cast<std::uint32_t>(newGlyf.size()));

    std::vector<FontTable> out =
        tablesNamed(tables, {"head", "hhea", "maxp", "hmtx", "cvt ", "fpgm", "prep"});
    const std::size_t metrics = std::min<std::size_t>(fieldsOf(tables, "hhea").u16(34), keptCount);
    for (FontTable& table : out) {
        if (table.tag == "head") {
            putU32(table.bytes, 8, 0);  // the checksum adjustment, computed again
            putU16(table.bytes, 50, 1); // long offsets in the location table
        } else if (table.tag == "maxp") {
            putU16(table.bytes, 4, static_cast<std::uint32_t>(keptCount));
        } else if (table.tag == "hhea" && table.bytes.size() >= hheaLength) {
            putU16(table.bytes, 34, static_cast<std::uint32_t>(metrics));
        } else if (table.tag == "hmtx") {
            table.bytes.resize(
                std::min(table.bytes.size(), 4 * metrics + 2 * (keptCount - metrics)));
        }
    }
    out.push_back({"glyf", std::move(newGlyf)});
    out.push_back({"loca", std::move(newLoca)});
    return writeFontFile(0x00010000u, std::move(out));
}

std::optional<std::vector<FontTable>> readFontFileTables(std::string_view file, int faceIndex)
{
    const Fields data(file);
    std::size_t start = 0;
    if (data.u32(0) == 0x74746366u) { // 'ttcf': a collection, its faces' offsets after 12 bytes
        if (faceIndex < 0 || static_cast<std::size_t>(faceIndex) >= data.u32(8))
            return std::nullopt;
        start = data.u32(12 + 4 * static_cast<std::size_t>(faceIndex));
    } else if (faceIndex != 0) {
        return std::nullopt;
    }
    const std::uint32_t version = data.u32(start);
    if (version != 0x00010000u && version != 0x4F54544Fu && version != 0x74727565u) // 'OTTO' 'true'
        return std::nullopt;
    const std::size_t count = data.u16(start + 4);
    if (start + 12 + 16 * count > file.size()) return std::nullopt;
    std::vector<FontTable> tables;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t record = start + 12 + 16 * i;
        const std::string tag(file.substr(record, 4));
        if (std::find(std::begin(fontTableTags), std::end(fontTableTags), tag) ==
            std::end(fontTableTags))
            continue;
        const std::size_t offset = data.u32(record + 8), length = data.u32(record + 12);
        if (offset > file.size() || length > file.size() - offset) return std::nullopt;
        tables.push_back({tag, std::string(file.substr(offset, length))});
    }
    return tables;
}

std::string buildOpenType(std::span<const FontTable> tables)
{
    std::vector<FontTable> out = tablesNamed(
        tables, {"CFF ", "head", "hhea", "hmtx", "maxp", "cmap", "OS/2", "name", "post"});
    for (FontTable& table : out)
        if (table.tag == "head" && table.bytes.size() >= headLength) putU32(table.bytes, 8, 0);
    return writeFontFile(0x4F54544Fu, std::move(out)); // 'OTTO'
}

} // namespace render
