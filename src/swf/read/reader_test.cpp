// Tests of the movie reader: written movies read back tag for tag and written again byte for
// byte, their structure checked, and hostile input answered with a status instead of a crash.
#include "swf/read/reader.h"

#include "swf/export/file_writer.h"
#include "swf/format/tag_header.h"
#include "swf_golden_tags.h"
#include "swf_sample_movies.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>
#include <set>

#include <unistd.h>

namespace swf {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Writes a sample to a temporary folder, or to the folder named by KELVO_SWF_SAMPLE_DIR (to look
// at the movies with other tools), and reads it back.
MovieReadResult writeAndRead(testing_support::SampleMovie& movie)
{
    const char* sampleFolder = std::getenv("KELVO_SWF_SAMPLE_DIR");
    const std::filesystem::path folder =
        sampleFolder ? std::filesystem::path(sampleFolder)
                     : std::filesystem::path(::testing::TempDir()) /
                           ("kelvo_swf_reader_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::string path = (folder / (movie.name + ".swf")).string();
    const io::WriteResult written =
        writeSwfFile(path, movie.tags, movie.frames, movie.frameRect, movie.framesPerSecond);
    EXPECT_EQ(written, (io::WriteResult{true, {}})) << movie.name;
    MovieReadResult read = readMovieFile(path);
    if (!sampleFolder) std::filesystem::remove_all(folder);
    return read;
}

// The tag written again from its decoded value.
Bytes rewritten(const TagContent& content, const TagEntry& tag)
{
    ByteBuffer out;
    struct Visitor {
        ByteBuffer& out;
        void operator()(const ShowFrameTag&) { appendTagHeader(out, TagCode::ShowFrame, 0); }
        void operator()(const EndTag&) { appendTagHeader(out, TagCode::End, 0); }
        void operator()(const BackgroundColour& colour)
        {
            appendSetBackgroundColor(out, 0xFF000000u | colour.red << 16 | colour.green << 8 |
                                              colour.blue);
        }
        void operator()(const PlaceObject& place) { appendPlaceObject(out, place); }
        void operator()(const PlaceObject2& place) { appendPlaceObject2(out, place); }
        void operator()(const RemoveObject& remove) { appendRemoveObject(out, remove); }
        void operator()(const DefineShape3& shape) { appendDefineShape3(out, shape); }
        void operator()(const DefineMorphShape& morph) { appendDefineMorphShape(out, morph); }
        void operator()(const DoAction& program)
        {
            ByteBuffer actions;
            for (const Action& action : program.actions) {
                if (const auto* pool = std::get_if<ConstantPoolAction>(&action)) {
                    EXPECT_TRUE(appendConstantPool(actions, pool->constants));
                }
                if (const auto* push = std::get_if<PushAction>(&action)) {
                    for (const PushValue& value : push->values)
                        EXPECT_TRUE(appendPush(actions, value));
                }
                if (const auto* other = std::get_if<OtherAction>(&action))
                    appendAction(actions, static_cast<ActionCode>(other->code));
            }
            appendAction(actions, ActionCode::End);
            appendTag(out, TagCode::DoAction, actions);
        }
    };
    std::visit(Visitor{out}, content);
    (void)tag;
    return {out.bytes().begin(), out.bytes().end()};
}

Bytes originalTag(const Movie& movie, const TagEntry& tag)
{
    const std::size_t headerLength = tag.form == TagHeaderForm::Long ? 6 : 2;
    const auto begin = movie.bytes.begin() + tag.bodyOffset - static_cast<long>(headerLength);
    return Bytes(begin, begin + static_cast<long>(headerLength + tag.bodyLength));
}

TEST(Reader, ReadsWrittenMoviesBackAndWritesEveryTagAgainByteForByte)
{
    for (testing_support::SampleMovie& movie : testing_support::sampleMovies()) {
        const MovieReadResult read = writeAndRead(movie);
        ASSERT_TRUE(read.ok()) << movie.name << ": " << read.message;
        EXPECT_EQ(read.movie.header.version, 6);
        EXPECT_EQ(read.movie.header.frameRect, movie.frameRect) << movie.name;
        EXPECT_EQ(read.movie.header.frameRate, movie.framesPerSecond << 8) << movie.name;
        ASSERT_FALSE(read.movie.tags.empty());
        EXPECT_EQ(read.movie.tags[0].code, 9) << "the background comes first";
        for (const TagEntry& tag : read.movie.tags) {
            const Decoded<TagContent> content = decodeTag(read.movie, tag);
            ASSERT_TRUE(content.ok())
                << movie.name << ", tag " << tag.code << ": " << content.message;
            EXPECT_EQ(rewritten(content.value, tag), originalTag(read.movie, tag))
                << movie.name << ", tag " << tag.code;
        }
    }
}

TEST(Reader, DecodesEachGoldenTagAndWritesItAgainByteForByte)
{
    for (const testing_support::GoldenTag& golden : testing_support::goldenTags()) {
        ByteBuffer movie;
        appendMovieHeader(movie, twipsRectFromPixels(0, 0, 400, 300), 25, 1);
        movie.appendBytes(golden.bytes);
        appendTagHeader(movie, TagCode::ShowFrame, 0);
        appendTagHeader(movie, TagCode::End, 0);
        Bytes bytes(movie.bytes().begin(), movie.bytes().end());
        const auto length = static_cast<std::uint32_t>(bytes.size());
        for (std::size_t i = 0; i < 4; ++i) // FileLength
            bytes[4 + i] = static_cast<std::uint8_t>(length >> (8 * i));
        const MovieReadResult read = readMovie(bytes);
        ASSERT_TRUE(read.ok()) << golden.name << ": " << read.message;
        Bytes again;
        for (const TagEntry& tag : read.movie.tags) {
            if (tag.code == 0 || tag.code == 1) continue; // End and ShowFrame
            const Decoded<TagContent> content = decodeTag(read.movie, tag);
            ASSERT_TRUE(content.ok()) << golden.name << ": " << content.message;
            const Bytes rewrittenTag = rewritten(content.value, tag);
            again.insert(again.end(), rewrittenTag.begin(), rewrittenTag.end());
        }
        EXPECT_EQ(again, golden.bytes) << golden.name;
    }
}

// The display list a player builds: every placement names a character defined before it and
// every removal a depth that holds one.
TEST(Reader, WrittenMoviesPlaceOnlyDefinedCharactersAndRemoveOnlyPlacedOnes)
{
    for (testing_support::SampleMovie& movie : testing_support::sampleMovies()) {
        const MovieReadResult read = writeAndRead(movie);
        ASSERT_TRUE(read.ok()) << read.message;
        std::set<std::uint16_t> defined;
        std::map<std::uint16_t, std::uint16_t> depths;
        std::vector<std::uint16_t> ratios;
        for (const TagEntry& tag : read.movie.tags) {
            const TagContent content = decodeTag(read.movie, tag).value;
            if (const auto* shape = std::get_if<DefineShape3>(&content)) {
                EXPECT_TRUE(defined.insert(shape->shapeId).second) << "defined once";
            }
            if (const auto* morph = std::get_if<DefineMorphShape>(&content)) {
                EXPECT_TRUE(defined.insert(morph->characterId).second) << "defined once";
            }
            if (const auto* place = std::get_if<PlaceObject>(&content)) {
                EXPECT_TRUE(defined.count(place->characterId)) << movie.name;
                EXPECT_TRUE(depths.emplace(place->depth, place->characterId).second);
            }
            if (const auto* place = std::get_if<PlaceObject2>(&content)) {
                EXPECT_TRUE(defined.count(place->characterId.value_or(0))) << movie.name;
                EXPECT_TRUE(depths.emplace(place->depth, *place->characterId).second);
                ratios.push_back(place->ratio.value_or(0));
            }
            if (const auto* remove = std::get_if<RemoveObject>(&content)) {
                EXPECT_EQ(depths.erase(remove->depth), 1u) << movie.name;
            }
        }
        EXPECT_EQ(defined.size(), movie.charactersUsed - (movie.name == "shapes" ? 2u : 0u))
            << movie.name << ": a text field takes two ids and defines no character";
        if (movie.name == "morph") {
            EXPECT_EQ(ratios, (std::vector<std::uint16_t>{0, 16383, 32767, 49151, 65535}));
        }
    }
}

TEST(Reader, ShapeValuesSurviveTheRoundTrip)
{
    const std::vector<PathRecord> outline = {{0, 0}, {3000, 10}, {5, 2000}, {0, 0}};
    render::Pen pen;
    pen.width = 3;
    pen.colour = 0x80FF8000;
    const DefineShape3 shape =
        defineShape3Of(9, twipsRectFromPixels(0, 0, 3000, 2000), {outline, EdgeMode::Polyline},
                       {render::HatchBrush{2, 0xFF00FF00, 0}, pen});
    ByteBuffer tag;
    appendDefineShape3(tag, shape);
    const std::size_t headerLength = (tag.bytes()[0] & 0x3F) == 0x3F ? 6 : 2;
    const Decoded<TagContent> decoded = decodeTagBody(32, tag.bytes().subspan(headerLength));
    ASSERT_TRUE(decoded.ok()) << decoded.message;
    EXPECT_EQ(std::get<DefineShape3>(decoded.value), shape);
}

Bytes movieBytes(std::initializer_list<std::uint8_t> tags, std::uint16_t frameCount)
{
    Bytes bytes = {
        'F', 'W', 'S', 6, 0, 0, 0, 0, 0x00, 25, 0, 0x19, static_cast<std::uint8_t>(frameCount), 0};
    // RECT with NBits 0 takes one byte (0x00); the header is then 13 bytes.
    bytes.erase(bytes.begin() + 9);
    bytes.insert(bytes.end(), tags);
    bytes[4] = static_cast<std::uint8_t>(bytes.size());
    return bytes;
}

TEST(Reader, AnswersBrokenMoviesWithAStatusAndAReason)
{
    struct Case {
        const char* name;
        Bytes bytes;
        ReadStatus status;
        const char* reason;
    };
    Bytes wrongLength = movieBytes({0x40, 0x00, 0x00, 0x00}, 1);
    wrongLength[4] = 99;
    const Case cases[] = {
        {"empty", {}, ReadStatus::NotAMovie, "too short"},
        {"compressed", {'C', 'W', 'S', 6, 0, 0, 0, 0}, ReadStatus::NotAMovie, "compressed"},
        {"no signature", {'G', 'I', 'F', '8', '9', 'a', 0, 0}, ReadStatus::NotAMovie, "signature"},
        {"a good one", movieBytes({0x40, 0x00, 0x00, 0x00}, 1), ReadStatus::Ok, ""},
        {"FileLength wrong", wrongLength, ReadStatus::Malformed, "FileLength 99"},
        {"no End", movieBytes({0x40, 0x00}, 1), ReadStatus::Malformed, "no End tag"},
        {"a tag longer than the file", movieBytes({0xBF, 0x0B, 0xFF, 0xFF, 0xFF, 0x7F, 1}, 0),
         ReadStatus::Malformed, "more than the file holds"},
        {"bytes after End", movieBytes({0x00, 0x00, 0x01}, 0), ReadStatus::Malformed,
         "after the End tag"},
        {"FrameCount wrong", movieBytes({0x40, 0x00, 0x00, 0x00}, 3), ReadStatus::Malformed,
         "FrameCount 3 but 1"},
        {"header cut",
         {'F', 'W', 'S', 6, 9, 0, 0, 0, 0xFF},
         ReadStatus::Malformed,
         "header ends early"},
    };
    for (const Case& c : cases) {
        const MovieReadResult read = readMovie(c.bytes);
        EXPECT_EQ(read.status, c.status) << c.name << ": " << read.message;
        EXPECT_NE(read.message.find(c.reason), std::string::npos) << c.name << ": " << read.message;
    }
}

TEST(Reader, AnswersBrokenTagBodiesWithAStatusAndAReason)
{
    struct Case {
        const char* name;
        std::uint16_t code;
        Bytes body;
        ReadStatus status;
        const char* reason;
    };
    const Case cases[] = {
        {"remove cut short", 5, {1, 0, 1}, ReadStatus::Malformed, "ends early"},
        {"remove too long", 5, {1, 0, 1, 0, 9}, ReadStatus::Malformed, "1 bytes left over"},
        {"show frame with a body", 1, {0}, ReadStatus::Malformed, "body of 1"},
        {"place with a name", 26, {0x22, 1, 0, 1, 0, 'a', 0}, ReadStatus::Unsupported, "name"},
        {"bitmap fill",
         32,
         {1, 0, 0x00, 1, 0x40, 1, 0, 0x20, 0, 0, 0, 0, 0, 0x22, 0},
         ReadStatus::Unsupported,
         "fill style type 64"},
        {"style index past the styles",
         32,
         {1, 0, 0x00, 0, 0, 0x22, 0x2E, 0, 0, 0, 0, 0x50, 0},
         ReadStatus::Malformed,
         "refers to fill style 2 of 0"},
        {"morph Offset off by one",
         46,
         {1, 0, 0x00, 0x00, 4, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x22, 0, 0x22, 0},
         ReadStatus::Malformed,
         "Offset 4"},
        {"actions without end", 12, {0x17}, ReadStatus::Malformed, "end-of-actions"},
        {"pool with a missing string",
         12,
         {0x88, 3, 0, 2, 0, 'a', 0},
         ReadStatus::Malformed,
         "ConstantPool"},
        {"push of undefined", 12, {0x96, 1, 0, 3, 0}, ReadStatus::Unsupported, "type 3"},
        {"unknown tag", 2, {}, ReadStatus::Unsupported, "tag code 2"},
    };
    for (const Case& c : cases) {
        const Decoded<TagContent> decoded = decodeTagBody(c.code, c.body);
        EXPECT_EQ(decoded.status, c.status) << c.name << ": " << decoded.message;
        EXPECT_NE(decoded.message.find(c.reason), std::string::npos)
            << c.name << ": " << decoded.message;
    }
}

// Every cut and many random changes of written movies: the reader answers each without reading
// outside its input (the sanitizer build checks that).
TEST(Reader, SurvivesCutAndCorruptedMovies)
{
    std::mt19937 random(20240607);
    for (testing_support::SampleMovie& movie : testing_support::sampleMovies()) {
        const MovieReadResult read = writeAndRead(movie);
        ASSERT_TRUE(read.ok());
        const Bytes& original = read.movie.bytes;
        for (const TagEntry& tag : read.movie.tags) {
            const auto body = read.movie.body(tag);
            for (std::size_t length = 0; length < body.size(); ++length)
                (void)decodeTagBody(tag.code, body.first(length));
        }
        for (int attempt = 0; attempt < 300; ++attempt) {
            Bytes corrupted = original;
            const int changes = 1 + static_cast<int>(random() % 4);
            for (int change = 0; change < changes; ++change)
                corrupted[random() % corrupted.size()] = static_cast<std::uint8_t>(random());
            const MovieReadResult damaged = readMovie(corrupted);
            if (!damaged.ok()) continue;
            for (const TagEntry& tag : damaged.movie.tags)
                (void)decodeTag(damaged.movie, tag);
        }
        EXPECT_FALSE(readMovie(Bytes(original.begin(), original.end() - 1)).ok());
    }
}

} // namespace
} // namespace swf
