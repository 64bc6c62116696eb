// Tests of the movie export: the question about required frames, the snapshot and what is
// written back, refusals that leave an existing file as it was, and the movies of the examples
// read back with the reader, their structure checked as a player builds its display list.
#include "swf/export/movie_export.h"

#include "lang/interpreter.h"
#include "recording_host.h"
#include "render/recording_surface.h"
#include "swf/format/character_counter.h"
#include "swf/read/reader.h"
#include "temporary_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <variant>

namespace swf {
namespace {

using Lines = std::vector<std::string>;

class MovieExportTest : public ::testing::Test {
protected:
    model::Figure& run(const Lines& commands)
    {
        for (const std::string& line : commands)
            lang::executeCommand(session, line);
        EXPECT_EQ(host.takeOutput(), "") << "a command was refused";
        return *session.figures.findFigure(1);
    }

    SwfExportResult exportMovie(model::Figure& figure, std::uint32_t framesPerSecond = 25)
    {
        render::RecordingSurface measuring;
        return exportFigureToSwf(
            figure, path,
            {[&](const std::string& question) { return host.askYesNo(question); }, measuring,
             framesPerSecond});
    }

    testing_support::RecordingHost host;
    lang::Session session{host};
    testing_support::TemporaryFolder folder;
    std::string path = folder.file("movie.swf");
};

// The figure's commands, and whether the question comes and what a Yes leaves.
struct QuestionCase {
    Lines commands;
    bool asked;
    std::size_t framesAfterYes;
};

TEST_F(MovieExportTest, AsksForTheFramesObjectsNameInAFigureOfOneFrame)
{
    const std::string figure = "FIGURE 1 400 300";
    const std::vector<QuestionCase> cases = {
        {{figure, "FUNCTION at(1,0,1) n(\"x\") p2(0,1) p1(0.1) splitr(0,50)"}, false, 1},
        {{figure, "FUNCTION at(1,0,1,0) n(\"x\") p2(0,1) p1(0.1) splitr(0,50)"}, true, 150},
        {{figure, "RECTANGLE at(1,0,0,7) p4(0,0,5,5)"}, true, 107},
        {{figure, "RECTANGLE at(1,0,0,0) p4(0,0,5,5) splitr(2,3)"}, true, 105},
        {{figure, "RECTANGLE at(1,0,0,0) p4(0,0,5,5)"}, false, 1},
        {{figure}, false, 1},
        {{figure, "FRAMES 1 1 40 0", "RECTANGLE at(1,0,0,7) p4(0,0,5,5)"}, false, 2},
    };
    for (const bool yes : {true, false})
        for (const QuestionCase& c : cases) {
            testing_support::RecordingHost caseHost;
            caseHost.answerYes = yes;
            lang::Session caseSession(caseHost);
            for (const std::string& line : c.commands)
                lang::executeCommand(caseSession, line);
            model::Figure& made = *caseSession.figures.findFigure(1);
            const std::size_t before = made.frames.size();
            render::RecordingSurface measuring;
            const SwfExportResult result = exportFigureToSwf(
                made, path,
                {[&](const std::string& question) { return caseHost.askYesNo(question); },
                 measuring, 25});
            EXPECT_TRUE(result.written) << result.message;
            const bool asked = std::count(caseHost.events.begin(), caseHost.events.end(),
                                          "ask Added required frames to SWF now?") == 1;
            EXPECT_EQ(asked, c.asked) << c.commands.back();
            EXPECT_EQ(made.frames.size(), yes ? c.framesAfterYes : before) << c.commands.back();
        }
}

TEST_F(MovieExportTest, AddedFramesStayAndAFunctionGrowsOverThem)
{
    host.answerYes = true;
    model::Figure& figure =
        run({"FIGURE 1 400 300", "FUNCTION at(1,0,0,0) n(\"x\") p2(0,1) p1(0.01) splitr(0,50)"});
    const SwfExportResult result = exportMovie(figure);
    ASSERT_TRUE(result.written) << result.message;
    ASSERT_EQ(figure.frames.size(), 150u);
    EXPECT_EQ(figure.frames[149], (model::Frame{50, 0, 1, 298}));

    // 50 ms frames at 25 frames per second: figure frame k starts at movie frame 2k, and the
    // movie ends after 149 × 50 / 40 = 186 frames.
    const MovieReadResult read = readMovieFile(path);
    ASSERT_TRUE(read.ok()) << read.message;
    EXPECT_EQ(read.movie.header.frameCount, 186);
    std::vector<std::size_t> framesWithShapes;
    for (std::size_t frame = 0; frame < read.movie.showFrames.size(); ++frame)
        for (const TagEntry& tag : read.movie.frameTags(frame))
            if (tag.code == 32) framesWithShapes.push_back(frame);
    ASSERT_EQ(framesWithShapes.size(), 50u);
    EXPECT_EQ(framesWithShapes.front(), 0u);
    EXPECT_EQ(framesWithShapes[1], 2u);
    EXPECT_EQ(framesWithShapes.back(), 98u);
}

TEST_F(MovieExportTest, RefusesRatesAndCountsAMovieCannotHoldAndKeepsTheOldFile)
{
    model::Figure& figure = run({"FIGURE 1 400 300", "FRAMES 1 2 40 0",
                                 "RECTANGLE at(1,0,0,1) p4(0,0,5,5) brush(solid,0)"});
    testing_support::writeFileBytes(path, "old movie");
    for (const std::uint32_t rate : {0u, 300u}) {
        const SwfExportResult refused = exportMovie(figure, rate);
        EXPECT_FALSE(refused.written);
        EXPECT_EQ(refused.message, "SWF: a frame rate of " + std::to_string(rate) +
                                       " frames per second is outside the limit of 1 to 255");
    }
    EXPECT_EQ(testing_support::readFileBytes(path), "old movie");
    EXPECT_EQ(figure.frames[2].firstMovieFrame, 0u);

    const SwfExportResult written = exportMovie(figure, 10);
    ASSERT_TRUE(written.written) << written.message;
    EXPECT_EQ(figure.frames[2].firstMovieFrame, 2u);
    const std::string movie = testing_support::readFileBytes(path);

    std::string points = "POLY at(1) p2(0,0";
    for (int point = 1; point <= 70000; ++point)
        points += "," + std::to_string(point % 400) + ",5";
    run({points + ") split(0,1)"});
    const SwfExportResult tooMany = exportMovie(figure);
    EXPECT_FALSE(tooMany.written);
    EXPECT_EQ(tooMany.message, characterLimitMessage());
    EXPECT_EQ(testing_support::readFileBytes(path), movie);
}

TEST_F(MovieExportTest, WritesTheSnapshotWhileTheFigureChanges)
{
    host.answerYes = true;
    model::Figure& figure = run({"FIGURE 1 400 300", "RECTANGLE at(1,0,0,3) p4(0,0,5,5)"});
    const SwfExportJob job = prepareSwfExport(
        figure, path, 25, [&](const std::string& question) { return host.askYesNo(question); });
    EXPECT_EQ(job.addedFrames, 102u);
    EXPECT_EQ(figure.frames.size(), 1u) << "the question changes the snapshot only";

    figure.objects.clear(); // the user goes on while the movie is written
    render::RecordingSurface measuring;
    const SwfExportResult result = runSwfExport(job, measuring);
    ASSERT_TRUE(result.written) << result.message;
    const MovieReadResult read = readMovieFile(path);
    ASSERT_TRUE(read.ok()) << read.message;
    // 50 ms frames at 25 frames per second: figure frame 3 starts at movie frame 6.
    EXPECT_EQ(read.movie.frameTags(6).size(), 2u) << "the rectangle of the snapshot";

    applySwfExportFrames(figure, result);
    ASSERT_EQ(figure.frames.size(), 103u);
    EXPECT_EQ(figure.frames[3], (model::Frame{50, 0, 1, 6}));
}

// Every placement names a character defined before it, and every removal a depth that holds one.
void expectPlayableStructure(const Movie& movie, const std::string& name)
{
    std::set<std::uint16_t> defined;
    std::map<std::uint16_t, std::uint16_t> depths;
    for (const TagEntry& tag : movie.tags) {
        const Decoded<TagContent> decoded = decodeTag(movie, tag);
        ASSERT_TRUE(decoded.ok()) << name << ": " << decoded.message;
        const TagContent& content = decoded.value;
        if (const auto* shape = std::get_if<DefineShape3>(&content)) {
            EXPECT_TRUE(defined.insert(shape->shapeId).second) << name;
        }
        if (const auto* morph = std::get_if<DefineMorphShape>(&content)) {
            EXPECT_TRUE(defined.insert(morph->characterId).second) << name;
            EXPECT_EQ(morph->startRecords.size(), morph->endRecords.size()) << name;
        }
        if (const auto* place = std::get_if<PlaceObject>(&content)) {
            EXPECT_TRUE(defined.count(place->characterId)) << name;
            EXPECT_TRUE(depths.emplace(place->depth, place->characterId).second) << name;
        }
        if (const auto* place = std::get_if<PlaceObject2>(&content)) {
            EXPECT_TRUE(defined.count(place->characterId.value_or(0))) << name;
            EXPECT_TRUE(depths.emplace(place->depth, place->characterId.value_or(0)).second)
                << name;
        }
        if (const auto* remove = std::get_if<RemoveObject>(&content)) {
            EXPECT_EQ(depths.erase(remove->depth), 1u) << name << ": depth " << remove->depth;
        }
    }
}

TEST_F(MovieExportTest, TheExamplesGiveMoviesAPlayerCanBuild)
{
    host.answerYes = true;
    std::size_t movies = 0;
    for (const char* folderName : {"gallery", "movies"}) {
        const std::filesystem::path examples =
            std::filesystem::path(KELVO_EXAMPLES_DIR) / folderName;
        if (!std::filesystem::exists(examples)) continue;
        for (const auto& entry : std::filesystem::directory_iterator(examples)) {
            if (entry.path().extension() != ".kp") continue;
            testing_support::RecordingHost caseHost;
            caseHost.answerYes = true;
            lang::Session caseSession(caseHost);
            std::ifstream script(entry.path());
            for (std::string line; std::getline(script, line);)
                lang::executeCommand(caseSession, line);
            ASSERT_FALSE(caseSession.figures.empty()) << entry.path();
            render::RecordingSurface measuring;
            const SwfExportResult result = exportFigureToSwf(
                caseSession.figures.at(0), path,
                {[&](const std::string& question) { return caseHost.askYesNo(question); },
                 measuring, 25});
            ASSERT_TRUE(result.written) << entry.path() << ": " << result.message;
            const MovieReadResult read = readMovieFile(path);
            ASSERT_TRUE(read.ok()) << entry.path() << ": " << read.message;
            expectPlayableStructure(read.movie, entry.path().filename().string());
            ++movies;
        }
    }
    EXPECT_GE(movies, 17u);
}

} // namespace
} // namespace swf
