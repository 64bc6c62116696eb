// Tests of the embedding frames: encoding, reading in pieces, and streams that break the framing.
#include "lang/embedding_frames.h"

#include <gtest/gtest.h>

#include <vector>

namespace lang {
namespace {

std::vector<EmbeddingFrame> readAll(FrameReader& reader, std::string_view bytes, std::size_t piece)
{
    std::vector<EmbeddingFrame> frames;
    for (std::size_t at = 0; at < bytes.size(); at += piece) {
        reader.append(bytes.substr(at, piece));
        while (auto frame = reader.next())
            frames.push_back(std::move(*frame));
    }
    return frames;
}

TEST(EmbeddingFrames, ReadBackWhateverPiecesTheBytesArriveIn)
{
    const std::vector<EmbeddingFrame> sent = {
        {FrameKind::Register, 4242, {}},
        {FrameKind::Handshake, 0, {}},
        documentFrame("<?xml version=\"1.0\"?><root/>", "<svg/>"),
        documentFrame(""),
        {FrameKind::Answer, registrationAnswer, {}},
    };
    std::string stream;
    for (const EmbeddingFrame& frame : sent)
        stream += encodeFrame(frame);
    EXPECT_EQ(stream.substr(0, 12), std::string("\0\0\0\0\x92\x10\0\0\0\0\0\0", 12));
    for (std::size_t piece : {std::size_t{1}, std::size_t{5}, std::size_t{13}, stream.size()}) {
        FrameReader reader;
        EXPECT_EQ(readAll(reader, stream, piece), sent) << "pieces of " << piece;
        EXPECT_EQ(reader.bufferedBytes(), 0u);
        EXPECT_FALSE(reader.failed());
    }
}

TEST(EmbeddingFrames, BrokenStreamsFailWithTheReason)
{
    struct Case {
        EmbeddingFrame header;
        std::string error;
    };
    const std::vector<Case> cases = {
        {{static_cast<FrameKind>(7), 0, {}}, "unknown frame kind 7"},
        {{FrameKind::Register, 1, "x"}, "frame kind 0 takes no payload"},
        {{FrameKind::Document, 9, "abc"}, "a document length of 9 bytes is more than the frame's "
                                          "payload of 3"},
    };
    for (const Case& test : cases) {
        FrameReader reader;
        reader.append(encodeFrame(test.header));
        EXPECT_EQ(reader.next(), std::nullopt);
        EXPECT_EQ(reader.error(), test.error);
        reader.append(encodeFrame({FrameKind::Handshake, 0, {}}));
        EXPECT_EQ(reader.next(), std::nullopt) << "a failed stream reads nothing more";
    }
    // An oversized payload fails on its header, before any of it is kept.
    FrameReader reader;
    reader.append(std::string("\3\0\0\0\0\0\0\0\1\0\0\x05", 12));
    EXPECT_EQ(reader.next(), std::nullopt);
    EXPECT_EQ(reader.error(), "a frame payload of 83886081 bytes is more than the limit of "
                              "67108864 bytes");
    EXPECT_EQ(reader.bufferedBytes(), 0u);
}

TEST(EmbeddingFrames, ATruncatedFrameWaitsForTheRest)
{
    const std::string bytes = encodeFrame(documentFrame("<doc/>"));
    FrameReader reader;
    reader.append(std::string_view(bytes).substr(0, bytes.size() - 1));
    EXPECT_EQ(reader.next(), std::nullopt);
    EXPECT_FALSE(reader.failed());
    reader.append(bytes.substr(bytes.size() - 1));
    EXPECT_EQ(reader.next(), documentFrame("<doc/>"));
}

} // namespace
} // namespace lang
