// The movie player on the writer's sample movies: what each frame's display list holds, what it
// draws, and movies it refuses.
#include "swf/play/movie_player.h"

#include "render/recording_surface.h"
#include "swf_sample_movies.h"
#include "temporary_folder.h"

#include <gtest/gtest.h>

#include <fstream>

namespace swf {
namespace {

std::shared_ptr<const PlayableMovie> loaded(testing_support::SampleMovie movie)
{
    testing_support::TemporaryFolder folder;
    const std::string path = folder.file(movie.name + ".swf");
    EXPECT_EQ(writeSwfFile(path, movie.tags, movie.frames, movie.frameRect, movie.framesPerSecond),
              (io::WriteResult{true, {}}));
    PlayableMovieResult result = loadPlayableMovie(path);
    EXPECT_TRUE(result.ok()) << result.message;
    return result.movie;
}

// "depth:character" for shapes (with "@ratio" for morphs), "depth:'text'" for text fields.
std::string summary(const DisplayList& display)
{
    std::string text;
    for (const auto& [depth, object] : display) {
        text += (text.empty() ? "" : " ") + std::to_string(depth) + ":";
        if (const auto* field = std::get_if<TextField>(&object)) {
            text += "'" + field->text + "'";
            continue;
        }
        const auto& placed = std::get<PlacedCharacter>(object);
        text += std::to_string(placed.characterId);
        if (placed.ratio != 0) text += "@" + std::to_string(placed.ratio);
    }
    return text;
}

TEST(MoviePlayer, BuildsEachFramesDisplayListForwardAndBackward)
{
    struct Case {
        testing_support::SampleMovie movie;
        std::vector<std::size_t> frames; // shown in this order
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {testing_support::removalMovie(), {0, 1, 2, 0}, {"1:1", "2:2", "2:2 3:3", "1:1"}},
        {testing_support::morphMovie(),
         {1, 2, 4, 6, 3},
         {"", "1:1", "1:1@32767", "1:1@65535", "1:1@16383"}},
        // Each figure frame lasts 80 ms, two movie frames at 25 per second.
        {testing_support::growingMovie(),
         {0, 18, 3},
         {"1:1", "1:1 2:2 3:3 4:4 5:5 6:6 7:7 8:8 9:9 10:10", "1:1 2:2"}},
        {testing_support::shapesMovie(), {0}, {"1:1 2:2 3:3 16389:'Kelvo \xE2\x82\xAC 1.5'"}},
    };
    for (const Case& test : cases) {
        MoviePlayer player(loaded(test.movie));
        for (std::size_t step = 0; step < test.frames.size(); ++step) {
            player.showFrame(test.frames[step]);
            EXPECT_EQ(summary(player.displayList()), test.expected[step])
                << test.movie.name << " frame " << test.frames[step];
        }
        EXPECT_TRUE(player.notes().empty()) << test.movie.name;
    }
}

// The first record of `operation` the player drew.
const render::SurfaceRecord* firstOf(const render::RecordingSurface& surface,
                                     render::SurfaceOperation operation)
{
    for (const render::SurfaceRecord& record : surface.records())
        if (record.operation == operation) return &record;
    return nullptr;
}

TEST(MoviePlayer, DrawsTextFieldsAndMorphsWithTheirStyles)
{
    render::RecordingSurface text;
    drawMovieFrame(loaded(testing_support::shapesMovie()), 0, text, {0, 0, 400, 300});
    const render::SurfaceRecord* string = firstOf(text, render::SurfaceOperation::DrawString);
    ASSERT_NE(string, nullptr);
    EXPECT_EQ(string->text, "Kelvo \xE2\x82\xAC 1.5");
    EXPECT_EQ(string->font, (render::Font{"DejaVu Sans", 17, render::fontBold, 2}));
    EXPECT_EQ(string->brush, render::Brush{render::SolidBrush{0xFF800000}});
    EXPECT_EQ(string->rect->x, 32);
    EXPECT_EQ(string->rect->y, 132);
    const render::SurfaceRecord* background =
        firstOf(text, render::SurfaceOperation::FillRectangle);
    ASSERT_NE(background, nullptr);
    EXPECT_EQ(background->brush, render::Brush{render::SolidBrush{0xFFFFFFEE}});

    render::RecordingSurface morph;
    drawMovieFrame(loaded(testing_support::morphMovie()), 4, morph, {0, 0, 300, 200});
    const render::SurfaceRecord* fill = firstOf(morph, render::SurfaceOperation::FillPolygon);
    const render::SurfaceRecord* line = firstOf(morph, render::SurfaceOperation::DrawPolyline);
    ASSERT_TRUE(fill && line);
    // Ratio 32767, just short of halfway: red to blue, widths 1 to 5, (50,150) to (80,170).
    EXPECT_EQ(fill->brush, render::Brush{render::SolidBrush{0xFF80007F}});
    EXPECT_EQ(line->pen->width, 3);
    EXPECT_NEAR(fill->points.front().x, 65, 0.001);
    EXPECT_NEAR(fill->points.front().y, 160, 0.001);
}

// Keeps the world transform each fill was drawn in.
class FillTransforms : public render::RecordingSurface {
public:
    void fillPolygon(const render::Brush& brush, std::span<const geom::Point2D> points,
                     render::FillMode mode) override
    {
        corners.push_back(worldTransform().map(points.front()));
        RecordingSurface::fillPolygon(brush, points, mode);
    }
    std::vector<geom::Point2D> corners;
};

TEST(MoviePlayer, ScalesTheStageToFitTheViewportCentred)
{
    FillTransforms surface;
    drawMovieFrame(loaded(testing_support::removalMovie()), 0, surface, {0, 0, 400, 600});
    // 200 x 150 fits 400 x 600 at twice its size, 150 pixels down: (10, 10) lands at (20, 170).
    ASSERT_EQ(surface.corners.size(), 1u);
    EXPECT_EQ(surface.corners.front(), (geom::Point2D{20, 170}));
}

TEST(MoviePlayer, RefusesMoviesItCannotPlayWithAMessage)
{
    testing_support::SampleMovie movie = testing_support::removalMovie();
    // Frame 2 places a character that is never defined.
    appendPlaceObject(movie.tags.frame(2), {77, 77, swfMatrixOf({})});
    testing_support::TemporaryFolder folder;
    const std::string path = folder.file("undefined.swf");
    ASSERT_EQ(writeSwfFile(path, movie.tags, movie.frames, movie.frameRect, movie.framesPerSecond),
              (io::WriteResult{true, {}}));
    std::ofstream(folder.file("text.swf")) << "not a movie";

    const std::vector<std::pair<std::string, std::string>> cases = {
        {path, "places character 77, which is not defined before it"},
        {folder.file("text.swf"), "no movie signature"},
        {folder.file("missing.swf"), "cannot open the file"},
    };
    for (const auto& [file, reason] : cases) {
        const PlayableMovieResult result = loadPlayableMovie(file);
        EXPECT_FALSE(result.ok()) << file;
        EXPECT_NE(result.message.find(file), std::string::npos) << result.message;
        EXPECT_NE(result.message.find(reason), std::string::npos) << result.message;
    }
}

} // namespace
} // namespace swf
