// Tests of writeSwfFile: the bytes of a small movie, the timeline's frames in the file, the
// refused rates, frame counts and sizes, and files that are replaced only by complete movies.
#include "swf/export/file_writer.h"

#include "swf/format/movie_limits.h"
#include "swf/format/place_object.h"
#include "swf/read/reader.h"
#include "swf_sample_movies.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include <unistd.h>

namespace swf {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testing_support::framesWithDelays;

class FileWriter : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_folder = std::filesystem::path(::testing::TempDir()) /
                   ("kelvo_swf_" + std::to_string(::getpid()) + "_" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(m_folder);
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }

    std::string path(const std::string& name) const { return (m_folder / name).string(); }

    static Bytes contents(const std::string& file)
    {
        std::ifstream in(file, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }

    std::filesystem::path m_folder;
};

const TwipsRect frame400x300 = twipsRectFromPixels(0, 0, 400, 300);

// Frame i holds a RemoveObject of id i + 1, so each frame's tags are recognisable.
SwfTagList markedTags(std::size_t frames)
{
    SwfTagList tags(frames);
    for (std::size_t frame = 0; frame < frames; ++frame) {
        const auto id = static_cast<std::uint16_t>(frame + 1);
        appendRemoveObject(tags.frame(frame), {id, id});
    }
    appendSetBackgroundColor(tags.background(), 0xFF102030);
    return tags;
}

TEST_F(FileWriter, WritesAOneFrameMovieByteForByte)
{
    std::vector<model::Frame> frames = framesWithDelays({0});
    const SwfTagList tags = markedTags(1);
    EXPECT_EQ(writeSwfFile(path("one.swf"), tags, frames, frame400x300, 25),
              (io::WriteResult{true, {}}));
    const Bytes expected = {
        'F',  'W',  'S',  6,    36,   0,    0,    0,          // signature, version, FileLength
        0x80, 0x00, 0x00, 0xFA, 0x00, 0x00, 0x00, 0xBB, 0x80, // 400 x 300
        0x00, 25,   1,    0,                                  // 25 per second, one frame
        0x43, 0x02, 0x10, 0x20, 0x30,                         // background, alpha dropped
        0x44, 0x01, 1,    0,    1,    0,                      // frame 0's tags
        0x40, 0x00, 0x00, 0x00};                              // ShowFrame, End
    EXPECT_EQ(contents(path("one.swf")), expected);
    EXPECT_EQ(frames[0].firstMovieFrame, 0u);
}

TEST_F(FileWriter, ShowsEachMovieFrameTheFigureFrameThatStartsThere)
{
    struct Case {
        const char* name;
        std::vector<model::Frame> frames;
        std::vector<std::uint32_t> first;
        std::vector<std::vector<std::uint16_t>> removedPerMovieFrame;
    };
    const Case cases[] = {
        {"0, 40, 40", framesWithDelays({0, 40, 40}), {0, 1, 2}, {{1}, {2}}},
        {"0, 50, 50", framesWithDelays({0, 50, 50}), {0, 2, 4}, {{1}, {}}},
        {"0, 0, 100", framesWithDelays({0, 0, 100}), {0, 0, 3}, {{2}, {}}},
    };
    for (const Case& c : cases) {
        std::vector<model::Frame> frames = c.frames;
        ASSERT_EQ(writeSwfFile(path("t.swf"), markedTags(frames.size()), frames, frame400x300, 25),
                  (io::WriteResult{true, {}}))
            << c.name;
        std::vector<std::uint32_t> first;
        for (const model::Frame& frame : frames)
            first.push_back(frame.firstMovieFrame);
        EXPECT_EQ(first, c.first) << c.name;

        const MovieReadResult read = readMovieFile(path("t.swf"));
        ASSERT_TRUE(read.ok()) << read.message;
        ASSERT_EQ(read.movie.header.frameCount, c.removedPerMovieFrame.size()) << c.name;
        for (std::size_t movieFrame = 0; movieFrame < c.removedPerMovieFrame.size(); ++movieFrame) {
            std::vector<std::uint16_t> removed;
            for (const TagEntry& tag : read.movie.frameTags(movieFrame)) {
                const Decoded<TagContent> content = decodeTag(read.movie, tag);
                if (const auto* remove = std::get_if<RemoveObject>(&content.value))
                    removed.push_back(remove->characterId);
            }
            EXPECT_EQ(removed, c.removedPerMovieFrame[movieFrame]) << c.name << " " << movieFrame;
        }
    }
}

TEST_F(FileWriter, RefusesRatesAndFrameCountsTheHeaderCannotHoldAndKeepsTheOldFile)
{
    {
        std::ofstream old(path("keep.swf"), std::ios::binary);
        old << "old movie";
    }
    struct Case {
        const char* name;
        std::vector<model::Frame> frames;
        std::uint32_t rate;
        const char* limitInMessage;
    };
    const Case cases[] = {
        {"rate 0", framesWithDelays({0, 40}), 0, "1 to 255"},
        {"rate 256", framesWithDelays({0, 40}), 256, "1 to 255"},
        {"65536 frames", framesWithDelays({0, 2621440}), 25, "65535"},
        {"no frames", {}, 25, "no frames"},
    };
    for (const Case& c : cases) {
        std::vector<model::Frame> frames = c.frames;
        for (model::Frame& frame : frames)
            frame.firstMovieFrame = 77;
        const io::WriteResult result =
            writeSwfFile(path("keep.swf"), markedTags(frames.size()), frames, frame400x300, c.rate);
        EXPECT_FALSE(result.written) << c.name;
        EXPECT_NE(result.message.find(c.limitInMessage), std::string::npos) << result.message;
        for (const model::Frame& frame : frames)
            EXPECT_EQ(frame.firstMovieFrame, 77u) << "a refused movie changes no frame";
        EXPECT_EQ(contents(path("keep.swf")), Bytes({'o', 'l', 'd', ' ', 'm', 'o', 'v', 'i', 'e'}))
            << c.name;
    }
    std::vector<model::Frame> frames = framesWithDelays({0, 2621400});
    EXPECT_EQ(writeSwfFile(path("keep.swf"), markedTags(2), frames, frame400x300, 25).written, true)
        << "65535 frames fit";
}

TEST_F(FileWriter, RefusesAMovieWithAnOverflowedBuffer)
{
    std::vector<model::Frame> frames = framesWithDelays({0});
    SwfTagList tags = markedTags(1);
    tags.frame(0).markOverflowed();
    const io::WriteResult result = writeSwfFile(path("big.swf"), tags, frames, frame400x300, 25);
    EXPECT_FALSE(result.written);
    EXPECT_NE(result.message.find(std::to_string(maxMovieBytes)), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(path("big.swf")));
}

TEST_F(FileWriter, ReportsAFileThatCannotBeWrittenAndLeavesNoTemporaryFile)
{
    std::vector<model::Frame> frames = framesWithDelays({0});
    const std::string missing = path("no/such/folder/out.swf");
    const io::WriteResult result = writeSwfFile(missing, markedTags(1), frames, frame400x300, 25);
    EXPECT_FALSE(result.written);
    EXPECT_NE(result.message.find(missing), std::string::npos) << result.message;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_folder), {}), 0);
}

TEST_F(FileWriter, FileLengthIsTheSizeOfEveryFinishedMovie)
{
    for (testing_support::SampleMovie& movie : testing_support::sampleMovies()) {
        const std::string file = path(movie.name + ".swf");
        ASSERT_EQ(
            writeSwfFile(file, movie.tags, movie.frames, movie.frameRect, movie.framesPerSecond),
            (io::WriteResult{true, {}}))
            << movie.name;
        const Bytes bytes = contents(file);
        ASSERT_GE(bytes.size(), 8u);
        const std::uint32_t fileLength =
            bytes[4] | bytes[5] << 8 | bytes[6] << 16 | static_cast<std::uint32_t>(bytes[7]) << 24;
        EXPECT_EQ(fileLength, bytes.size()) << movie.name;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_folder), {}), 1)
            << "no temporary file is left";
        std::filesystem::remove(file);
    }
}

} // namespace
} // namespace swf
