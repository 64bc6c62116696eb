// GIF writing: LZW compression and the file around it.
#include "render/gif_encoder.h"

#include <algorithm>
#include <cassert>
#include <future>
#include <string_view>
#include <thread>

namespace render {

namespace {

constexpr int maxCodeBits = 12;
// The code at which the table counts as full and a clear code starts it again.
constexpr std::uint32_t fullTable = 4095;
constexpr std::size_t maxBlockBytes = 255;
// Pictures are compressed on one thread when they have fewer pixels than this together.
constexpr std::size_t pixelsPerThread = 100'000;
constexpr std::size_t maxThreads = 8;

// Codes packed from the lowest bit up into blocks of at most 255 bytes, each after its length.
class BlockWriter {
public:
    explicit BlockWriter(std::vector<std::uint8_t>& out) : m_out(out) {}

    void put(std::uint32_t code, int bits)
    {
        m_pending |= std::uint64_t{code} << m_pendingBits;
        m_pendingBits += bits;
        while (m_pendingBits >= 8) {
            byte(static_cast<std::uint8_t>(m_pending & 0xFF));
            m_pending >>= 8;
            m_pendingBits -= 8;
        }
    }

    // Writes the last bits and the empty block that ends the data.
    void finish()
    {
        if (m_pendingBits > 0) byte(static_cast<std::uint8_t>(m_pending & 0xFF));
        if (m_blockBytes > 0) m_out[m_blockStart] = static_cast<std::uint8_t>(m_blockBytes);
        m_out.push_back(0);
    }

private:
    void byte(std::uint8_t value)
    {
        if (m_blockBytes == 0) {
            m_blockStart = m_out.size();
            m_out.push_back(0); // the length, set when the block is complete
        }
        m_out.push_back(value);
        if (++m_blockBytes == maxBlockBytes) {
            m_out[m_blockStart] = static_cast<std::uint8_t>(maxBlockBytes);
            m_blockBytes = 0;
        }
    }

    std::vector<std::uint8_t>& m_out;
    std::uint64_t m_pending = 0;
    int m_pendingBits = 0;
    std::size_t m_blockStart = 0;
    std::size_t m_blockBytes = 0;
};

// The LZW string table as a direct table: the code of (prefix code, next index) at
// prefix * 256 + index, 0 for none (no string gets a code that low). Kept from one picture to
// the next, clearing only the entries it made.
class LzwCompressor {
public:
    LzwCompressor() : m_codes(std::size_t{1} << maxCodeBits << 8, 0) {}

    void compress(std::vector<std::uint8_t>& out, std::span<const std::uint8_t> indices,
                  int minCodeSize)
    {
        assert(minCodeSize >= 2 && minCodeSize <= 8 && "a GIF code size is 2 to 8 bits");
        out.push_back(static_cast<std::uint8_t>(minCodeSize));
        BlockWriter writer(out);
        const std::uint32_t clearCode = 1u << minCodeSize;
        const std::uint32_t endCode = clearCode + 1;
        int codeBits = minCodeSize + 1;
        std::uint32_t nextCode = endCode + 1;
        // A code is written in the bits of the codes made so far; the next code to make
        // decides when they grow, as decoders expect.
        const auto put = [&](std::uint32_t code) {
            writer.put(code, codeBits);
            if (nextCode >= (1u << codeBits) && codeBits < maxCodeBits) ++codeBits;
        };
        put(clearCode);
        if (!indices.empty()) {
            std::uint32_t prefix = indices[0];
            for (std::size_t i = 1; i < indices.size(); ++i) {
                const std::size_t entry = std::size_t{prefix} << 8 | indices[i];
                if (m_codes[entry] != 0) {
                    prefix = m_codes[entry];
                    continue;
                }
                put(prefix);
                prefix = indices[i];
                if (nextCode >= fullTable) {
                    put(clearCode);
                    clearTable();
                    codeBits = minCodeSize + 1;
                    nextCode = endCode + 1;
                } else {
                    m_codes[entry] = static_cast<std::uint16_t>(nextCode++);
                    m_made.push_back(entry);
                }
            }
            put(prefix);
        }
        put(endCode);
        writer.finish();
        clearTable();
    }

private:
    void clearTable()
    {
        for (std::size_t entry : m_made)
            m_codes[entry] = 0;
        m_made.clear();
    }

    std::vector<std::uint16_t> m_codes;
    std::vector<std::size_t> m_made; // the entries of m_codes that hold a code
};

void putWord(std::vector<std::uint8_t>& out, int value)
{
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void putText(std::vector<std::uint8_t>& out, std::string_view text)
{
    out.insert(out.end(), text.begin(), text.end());
}

// The graphic control extension (shown for delayCs, then left in place), the image descriptor
// and the image data of each picture.
void appendPictures(std::vector<std::uint8_t>& out, std::span<const GifPicture> pictures,
                    int minCodeSize)
{
    LzwCompressor compressor;
    for (const GifPicture& picture : pictures) {
        constexpr std::uint8_t leaveInPlace = 1 << 2;
        out.insert(out.end(), {0x21, 0xF9, 4, leaveInPlace});
        putWord(out, picture.delayCs);
        out.insert(out.end(), {0, 0, 0x2C});
        for (int value : {picture.left, picture.top, picture.width, picture.height})
            putWord(out, value);
        out.push_back(0); // no local palette, not interlaced
        compressor.compress(out, picture.indices, minCodeSize);
    }
}

// Consecutive runs of pictures with about the same number of pixels each, one per thread.
std::vector<std::span<const GifPicture>> shares(std::span<const GifPicture> pictures)
{
    std::size_t pixels = 0;
    for (const GifPicture& picture : pictures)
        pixels += picture.indices.size();
    const std::size_t count = std::min<std::size_t>(
        {std::thread::hardware_concurrency(), pixels / pixelsPerThread, maxThreads});
    if (count <= 1) return {pictures};
    std::vector<std::span<const GifPicture>> runs;
    std::size_t first = 0, done = 0;
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        done += pictures[i].indices.size();
        if (done * count >= pixels * (runs.size() + 1) || i + 1 == pictures.size()) {
            runs.push_back(pictures.subspan(first, i + 1 - first));
            first = i + 1;
        }
    }
    return runs;
}

} // namespace

void appendGifImageData(std::vector<std::uint8_t>& out, std::span<const std::uint8_t> indices,
                        int minCodeSize)
{
    LzwCompressor().compress(out, indices, minCodeSize);
}

std::vector<std::uint8_t> encodeGifAnimation(int width, int height,
                                             std::span<const GifColour> palette,
                                             std::span<const GifPicture> pictures)
{
    assert(!palette.empty() && palette.size() <= 256 && "a GIF palette has 1 to 256 colours");
    int indexBits = 1;
    while ((std::size_t{1} << indexBits) < palette.size())
        ++indexBits;
    std::vector<std::uint8_t> out;
    putText(out, "GIF89a");
    putWord(out, width);
    putWord(out, height);
    // A global palette of 2^indexBits colours, eight bits per primary, background index 0.
    out.insert(out.end(), {static_cast<std::uint8_t>(0xF0 | (indexBits - 1)), 0, 0});
    for (std::size_t i = 0; i < std::size_t{1} << indexBits; ++i) {
        const GifColour colour = i < palette.size() ? palette[i] : GifColour{};
        out.insert(out.end(), {colour.red, colour.green, colour.blue});
    }
    out.insert(out.end(), {0x21, 0xFF, 11});
    putText(out, "NETSCAPE2.0");
    out.insert(out.end(), {3, 1, 0, 0, 0}); // loop for ever

    const int minCodeSize = std::max(2, indexBits);
    const std::vector<std::span<const GifPicture>> runs = shares(pictures);
    std::vector<std::future<std::vector<std::uint8_t>>> compressed;
    for (std::size_t i = 1; i < runs.size(); ++i)
        compressed.push_back(std::async(std::launch::async, [&runs, i, minCodeSize] {
            std::vector<std::uint8_t> bytes;
            appendPictures(bytes, runs[i], minCodeSize);
            return bytes;
        }));
    if (!runs.empty()) appendPictures(out, runs[0], minCodeSize);
    for (auto& run : compressed) {
        const std::vector<std::uint8_t> bytes = run.get();
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    out.push_back(0x3B);
    return out;
}

} // namespace render
