// Tests of the GIF writer: files read back with giflib's decoder.
#include "render/gif_encoder.h"

#include <gif_lib.h>

#include <gtest/gtest.h>

#include <cstring>

namespace render {
namespace {

struct Reading {
    std::span<const std::uint8_t> bytes;
    std::size_t offset = 0;
};

int readBytes(GifFileType* file, GifByteType* into, int length)
{
    auto* reading = static_cast<Reading*>(file->UserData);
    const std::size_t count =
        std::min(static_cast<std::size_t>(length), reading->bytes.size() - reading->offset);
    std::memcpy(into, reading->bytes.data() + reading->offset, count);
    reading->offset += count;
    return static_cast<int>(count);
}

// A picture whose indices follow a seeded sequence, so that strings rarely repeat.
std::vector<std::uint8_t> noise(std::size_t count, unsigned colours, std::uint32_t seed)
{
    std::vector<std::uint8_t> indices(count);
    for (std::uint8_t& index : indices) {
        seed = seed * 1664525u + 1013904223u;
        index = static_cast<std::uint8_t>((seed >> 24) % colours);
    }
    return indices;
}

struct Case {
    const char* name;
    int width, height;
    std::vector<GifColour> palette;
    std::vector<GifPicture> pictures;
};

TEST(GifEncoder, GiflibReadsBackEveryPictureWithItsPlaceDelayAndIndices)
{
    const std::vector<std::uint8_t> one(1, 0);
    const std::vector<std::uint8_t> blank(400 * 300, 2); // codes grow to 12 bits on one colour
    const std::vector<std::uint8_t> mixed = noise(300 * 300, 256, 7); // the table fills often
    const std::vector<std::uint8_t> few = noise(64 * 50, 5, 3);
    const std::vector<GifColour> grey = {{0, 0, 0}, {128, 128, 128}, {255, 255, 255}};
    std::vector<GifColour> full(256);
    for (std::size_t i = 0; i < full.size(); ++i)
        full[i] = {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i), 7};
    const std::vector<Case> cases = {
        {"one pixel of one colour", 1, 1, {{9, 8, 7}}, {{0, 0, 1, 1, 4, one}}},
        {"one colour over a large picture", 400, 300, grey, {{0, 0, 400, 300, 0, blank}}},
        {"five colours in a rectangle",
         100,
         80,
         std::vector<GifColour>(full.begin(), full.begin() + 5),
         {{10, 20, 64, 50, 65535, few}}},
        // Over 200,000 pixels: compressed on several threads where there are cores.
        {"many pictures of 256 colours",
         300,
         300,
         full,
         {{0, 0, 300, 300, 4, mixed},
          {0, 0, 400, 300, 4, blank},
          {5, 6, 64, 50, 2, few},
          {0, 0, 300, 300, 4, mixed}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<std::uint8_t> file =
            encodeGifAnimation(c.width, c.height, c.palette, c.pictures);
        Reading reading{file};
        int error = 0;
        GifFileType* gif = DGifOpen(&reading, readBytes, &error);
        ASSERT_NE(gif, nullptr) << GifErrorString(error);
        ASSERT_EQ(DGifSlurp(gif), GIF_OK) << GifErrorString(gif->Error);
        EXPECT_EQ(gif->SWidth, c.width);
        EXPECT_EQ(gif->SHeight, c.height);
        ASSERT_NE(gif->SColorMap, nullptr);
        for (std::size_t i = 0; i < c.palette.size(); ++i) {
            const GifColorType got = gif->SColorMap->Colors[i];
            EXPECT_EQ((GifColour{got.Red, got.Green, got.Blue}), c.palette[i]) << "colour " << i;
        }
        ASSERT_EQ(gif->ImageCount, static_cast<int>(c.pictures.size()));
        for (std::size_t i = 0; i < c.pictures.size(); ++i) {
            const GifPicture& want = c.pictures[i];
            const SavedImage& got = gif->SavedImages[i];
            const GifImageDesc& place = got.ImageDesc;
            EXPECT_EQ(std::vector<int>({place.Left, place.Top, place.Width, place.Height}),
                      std::vector<int>({want.left, want.top, want.width, want.height}));
            GraphicsControlBlock control;
            ASSERT_EQ(DGifSavedExtensionToGCB(gif, static_cast<int>(i), &control), GIF_OK);
            EXPECT_EQ(control.DelayTime, want.delayCs) << "picture " << i;
            EXPECT_EQ(control.DisposalMode, DISPOSE_DO_NOT);
            EXPECT_TRUE(std::equal(want.indices.begin(), want.indices.end(), got.RasterBits))
                << "picture " << i;
        }
        const ExtensionBlock* loop = gif->SavedImages[0].ExtensionBlocks;
        ASSERT_GE(gif->SavedImages[0].ExtensionBlockCount, 2);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(loop[0].Bytes), 11), "NETSCAPE2.0");
        EXPECT_EQ(std::vector<int>(loop[1].Bytes, loop[1].Bytes + 3), std::vector<int>({1, 0, 0}));
        DGifCloseFile(gif, &error);
    }
}

} // namespace
} // namespace render
