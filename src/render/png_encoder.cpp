// PNG writing: a survey of the colours, the filtered rows, one deflate stream, the chunks.
#include "render/png_encoder.h"

#include <libdeflate.h>

#include <algorithm>
#include <array>
#include <cassert>
#include <memory>
#include <new>
#include <string_view>

namespace render {
namespace {

// libdeflate's level 6 makes smaller files than zlib's default level in a fraction of its time;
// higher levels cost several times as much for a few percent.
constexpr int compressionLevel = 6;
constexpr std::size_t maxPaletteColours = 256;
constexpr std::size_t idatPieceBytes = std::size_t{1} << 20;

enum class ColourType : std::uint8_t { Rgb = 2, Palette = 3, Rgba = 6 };
enum class RowFilter : std::uint8_t { None = 0, Up = 2 };

// The distinct colours of a picture in the order they are met, while there are at most 256.
class Palette {
public:
    Palette() { m_slots.fill(emptySlot); }

    // False once the colour would be the 257th.
    bool add(std::uint32_t colour)
    {
        std::size_t slot = slotOf(colour);
        while (m_slots[slot] != emptySlot) {
            if (m_colours[m_slots[slot]] == colour) return true;
            slot = (slot + 1) % slotCount;
        }
        if (m_colours.size() == maxPaletteColours) return false;
        m_slots[slot] = static_cast<std::uint16_t>(m_colours.size());
        m_colours.push_back(colour);
        return true;
    }

    std::uint8_t indexOf(std::uint32_t colour) const
    {
        std::size_t slot = slotOf(colour);
        while (m_colours[m_slots[slot]] != colour)
            slot = (slot + 1) % slotCount;
        return static_cast<std::uint8_t>(m_slots[slot]);
    }

    const std::vector<std::uint32_t>& colours() const { return m_colours; }

private:
    static constexpr std::size_t slotCount = 1024; // a power of two, four times the colours
    static constexpr std::uint16_t emptySlot = 0xFFFF;

    static std::size_t slotOf(std::uint32_t colour)
    {
        return (colour * 2654435761u) >> 22; // the top ten bits of a multiplicative hash
    }

    std::array<std::uint16_t, slotCount> m_slots{};
    std::vector<std::uint32_t> m_colours;
};

struct Survey {
    bool opaque = true;
    bool fitsPalette = true;
    Palette palette;
};

Survey surveyColours(const PngPixels& picture)
{
    Survey survey;
    const auto width = static_cast<std::size_t>(picture.width);
    const auto height = static_cast<std::size_t>(picture.height);
    for (std::size_t y = 0; y < height; ++y) {
        const std::uint32_t* row = picture.pixels.data() + y * picture.stride;
        std::uint32_t previous = ~row[0];
        for (std::size_t x = 0; x < width; ++x) {
            const std::uint32_t colour = row[x];
            if (colour == previous) continue; // runs of one colour are the common case
            previous = colour;
            survey.opaque = survey.opaque && (colour >> 24) == 0xFF;
            if (survey.fitsPalette) survey.fitsPalette = survey.palette.add(colour);
            if (!survey.fitsPalette && !survey.opaque) return survey;
        }
    }
    return survey;
}

int paletteBitDepth(std::size_t colours)
{
    if (colours <= 2) return 1;
    if (colours <= 4) return 2;
    if (colours <= 16) return 4;
    return 8;
}

// The image data before compression: each row its filter byte, then its bytes.
struct FilteredRows {
    std::unique_ptr<std::uint8_t[]> bytes;
    std::size_t size = 0;
    int bitDepth = 8;
};

FilteredRows indexedRows(const PngPixels& picture, const Palette& palette)
{
    const int depth = paletteBitDepth(palette.colours().size());
    const auto width = static_cast<std::size_t>(picture.width);
    const auto height = static_cast<std::size_t>(picture.height);
    const auto bits = static_cast<std::size_t>(depth);
    const std::size_t rowBytes = (width * bits + 7) / 8;
    const std::size_t size = (rowBytes + 1) * height;
    FilteredRows rows{std::make_unique<std::uint8_t[]>(size), size, depth}; // zeros, for packing
    for (std::size_t y = 0; y < height; ++y) {
        std::uint8_t* row = rows.bytes.get() + y * (rowBytes + 1);
        row[0] = static_cast<std::uint8_t>(RowFilter::None);
        const std::uint32_t* pixels = picture.pixels.data() + y * picture.stride;
        std::uint32_t previous = ~pixels[0];
        std::uint8_t index = 0;
        for (std::size_t x = 0; x < width; ++x) {
            const std::uint32_t colour = pixels[x];
            if (colour != previous) index = palette.indexOf(colour);
            previous = colour;
            // The rows start as zeros, and index 0, the first colour met, is most often the
            // background.
            if (index == 0) continue;
            const std::size_t bit = x * bits;
            row[1 + bit / 8] |= static_cast<std::uint8_t>(index << (8 - bits - bit % 8));
        }
    }
    return rows;
}

// The four bytes of `a` minus those of `b`, each modulo 256, without borrows between them.
std::uint32_t bytewiseDifference(std::uint32_t a, std::uint32_t b)
{
    constexpr std::uint32_t high = 0x80808080u;
    return ((a | high) - (b & ~high)) ^ ((a ^ ~b) & high);
}

// RGB or RGBA rows, each stored as its difference to the row above (the row above the first is
// zero), computed on whole pixels.
FilteredRows truecolourRows(const PngPixels& picture, bool withAlpha)
{
    const auto width = static_cast<std::size_t>(picture.width);
    const auto height = static_cast<std::size_t>(picture.height);
    const std::size_t channels = withAlpha ? 4 : 3;
    const std::size_t rowBytes = width * channels;
    const std::size_t size = (rowBytes + 1) * height;
    FilteredRows rows{std::make_unique_for_overwrite<std::uint8_t[]>(size), size, 8};
    for (std::size_t y = 0; y < height; ++y) {
        std::uint8_t* out = rows.bytes.get() + y * (rowBytes + 1);
        *out++ = static_cast<std::uint8_t>(RowFilter::Up);
        const std::uint32_t* row = picture.pixels.data() + y * picture.stride;
        const std::uint32_t* above = y > 0 ? row - picture.stride : nullptr;
        for (std::size_t x = 0; x < width; ++x) {
            const std::uint32_t difference =
                above ? bytewiseDifference(row[x], above[x]) : row[x];
            *out++ = static_cast<std::uint8_t>(difference >> 16);
            *out++ = static_cast<std::uint8_t>(difference >> 8);
            *out++ = static_cast<std::uint8_t>(difference);
            if (withAlpha) *out++ = static_cast<std::uint8_t>(difference >> 24);
        }
    }
    return rows;
}

struct CompressorDeleter {
    void operator()(libdeflate_compressor* compressor) const
    {
        libdeflate_free_compressor(compressor);
    }
};

// The zlib stream of the rows.
std::span<const std::uint8_t> compressed(const FilteredRows& rows,
                                         std::unique_ptr<std::uint8_t[]>& buffer)
{
    const std::unique_ptr<libdeflate_compressor, CompressorDeleter> compressor(
        libdeflate_alloc_compressor(compressionLevel));
    if (!compressor) throw std::bad_alloc();
    const std::size_t bound = libdeflate_zlib_compress_bound(compressor.get(), rows.size);
    buffer = std::make_unique_for_overwrite<std::uint8_t[]>(bound);
    const std::size_t size = libdeflate_zlib_compress(compressor.get(), rows.bytes.get(),
                                                      rows.size, buffer.get(), bound);
    assert(size > 0 && "the output buffer holds the compression bound");
    return {buffer.get(), size};
}

class ChunkWriter {
public:
    explicit ChunkWriter(std::vector<std::uint8_t>& out) : m_out(out) {}

    void chunk(std::string_view type, std::span<const std::uint8_t> data)
    {
        appendWord(static_cast<std::uint32_t>(data.size()));
        const std::size_t typeStart = m_out.size();
        m_out.insert(m_out.end(), type.begin(), type.end());
        m_out.insert(m_out.end(), data.begin(), data.end());
        appendWord(libdeflate_crc32(0, m_out.data() + typeStart, m_out.size() - typeStart));
    }

private:
    void appendWord(std::uint32_t word)
    {
        for (int shift = 24; shift >= 0; shift -= 8)
            m_out.push_back(static_cast<std::uint8_t>(word >> shift));
    }

    std::vector<std::uint8_t>& m_out;
};

void putWord(std::uint8_t* at, std::uint32_t word)
{
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<std::uint8_t>(word >> (24 - 8 * i));
}

std::array<std::uint8_t, 13> headerChunk(const PngPixels& picture, int bitDepth, ColourType type)
{
    std::array<std::uint8_t, 13> header{};
    putWord(&header[0], static_cast<std::uint32_t>(picture.width));
    putWord(&header[4], static_cast<std::uint32_t>(picture.height));
    header[8] = static_cast<std::uint8_t>(bitDepth);
    header[9] = static_cast<std::uint8_t>(type);
    return header; // deflate compression, adaptive filtering, no interlace: all zero
}

void writePalette(ChunkWriter& writer, const Palette& palette)
{
    std::vector<std::uint8_t> entries;
    std::vector<std::uint8_t> alphas;
    std::size_t lastTranslucent = 0;
    for (const std::uint32_t colour : palette.colours()) {
        entries.push_back(static_cast<std::uint8_t>(colour >> 16));
        entries.push_back(static_cast<std::uint8_t>(colour >> 8));
        entries.push_back(static_cast<std::uint8_t>(colour));
        alphas.push_back(static_cast<std::uint8_t>(colour >> 24));
        if (alphas.back() != 0xFF) lastTranslucent = alphas.size();
    }
    writer.chunk("PLTE", entries);
    // Entries past the last translucent one are opaque without being listed.
    if (lastTranslucent > 0)
        writer.chunk("tRNS", std::span<const std::uint8_t>(alphas).first(lastTranslucent));
}

} // namespace

std::vector<std::uint8_t> encodePng(const PngPixels& picture)
{
    assert(picture.width > 0 && picture.height > 0 && "a PNG picture has pixels");
    const Survey survey = surveyColours(picture);
    const ColourType type = survey.fitsPalette ? ColourType::Palette
                            : survey.opaque    ? ColourType::Rgb
                                               : ColourType::Rgba;
    const FilteredRows rows = type == ColourType::Palette
                                  ? indexedRows(picture, survey.palette)
                                  : truecolourRows(picture, type == ColourType::Rgba);
    std::unique_ptr<std::uint8_t[]> buffer;
    const std::span<const std::uint8_t> stream = compressed(rows, buffer);

    std::vector<std::uint8_t> file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    file.reserve(stream.size() + 1024);
    ChunkWriter writer(file);
    writer.chunk("IHDR", headerChunk(picture, rows.bitDepth, type));
    if (picture.dotsPerMetre > 0) {
        std::array<std::uint8_t, 9> physical{};
        putWord(&physical[0], static_cast<std::uint32_t>(picture.dotsPerMetre));
        putWord(&physical[4], static_cast<std::uint32_t>(picture.dotsPerMetre));
        physical[8] = 1; // the unit is the metre
        writer.chunk("pHYs", physical);
    }
    if (type == ColourType::Palette) writePalette(writer, survey.palette);
    for (std::size_t start = 0; start < stream.size(); start += idatPieceBytes)
        writer.chunk("IDAT", stream.subspan(start, std::min(idatPieceBytes, stream.size() - start)));
    writer.chunk("IEND", {});
    return file;
}

} // namespace render
