// The movie player against the picture export, frame by frame, and the preview window.
#include "desktop/player/movie_preview_window.h"

#include "desktop/player/picture_difference.h"
#include "desktop/qt/qt_image_export.h"
#include "desktop/qt/qt_measuring_surface.h"
#include "desktop/qt/qt_surface.h"
#include "lang/interpreter.h"
#include "qt_application.h"
#include "recording_host.h"
#include "swf/export/movie_export.h"
#include "temporary_folder.h"

#include <gtest/gtest.h>

#include <QPainter>

#include <fstream>

namespace desktop {
namespace {

class MoviePlayerPictures : public ::testing::Test {
protected:
    void SetUp() override { testing_support::qtApplication(); }

    model::Figure& figure(const std::vector<std::string>& commands)
    {
        for (const std::string& line : commands)
            lang::executeCommand(session, line);
        return *session.figures.findFigure(1);
    }

    std::string movieOf(model::Figure& shown)
    {
        const std::string path = folder.file("movie.swf");
        swf::QtMeasuringSurface measuring;
        const swf::SwfExportResult result =
            swf::exportFigureToSwf(shown, path, {[](const std::string&) { return false; }, measuring.surface(), 25});
        EXPECT_TRUE(result.written) << result.message;
        return path;
    }

    testing_support::RecordingHost host;
    lang::Session session{host};
    testing_support::TemporaryFolder folder;
};

TEST_F(MoviePlayerPictures, EachFrameMatchesThePictureOfTheFramesShownSoFar)
{
    model::Figure& shown = figure({
        "FIGURE 1 240 160",
        "FRAMES 1 3 40 0",
        "POLY at(1,0,0,0) p2(10,10,90,10,90,60,10,10) pen(2,0xFF0080C0) brush(solid,0xC08000)",
        "POLY at(1,0,0,1) p2(20,140,120,90,220,140) pen(6,0xFFC00000)",
        "AXIS at(1,0,0,2) pen(1) p4(-1,7,10,0) p4(-1.5,1.5,10,0)",
        "FUNCTION at(1,0,1,2) n(\"sin(x)\") p2(0,6.3) p1(0.05) pen(3,0xFF008000)",
    });
    swf::PlayableMovieResult loaded = swf::loadPlayableMovie(movieOf(shown));
    ASSERT_TRUE(loaded.ok()) << loaded.message;
    swf::MoviePlayer player(loaded.movie);
    ASSERT_EQ(loaded.movie->frameCount(), 3u); // 120 ms at 25 per second; frame 3 starts at its end
    for (std::size_t frame = 0; frame < shown.frames.size() - 1; ++frame) {
        for (std::size_t other = 0; other < shown.frames.size(); ++other)
            shown.frames[other].frameFlag = other <= frame ? 1 : 0;
        const QImage exported = render::renderFigureImage(shown).convertToFormat(QImage::Format_RGB32);
        QImage played(exported.size(), QImage::Format_RGB32);
        QPainter painter(&played);
        render::QtSurface surface(painter);
        player.showFrame(frame);
        player.draw(surface, {0, 0, 240, 160});
        painter.end();
        // Three pixels around edges: the movie strokes outlines (with their mitred corners)
        // that the picture only fills.
        const PictureDifference difference = differenceOffEdges(exported, played, 3);
        EXPECT_LE(difference.largest, 2)
            << "frame " << frame << " at " << difference.x << "," << difference.y;
    }
}

TEST_F(MoviePlayerPictures, PreviewPlaysStepsAndSavesACopy)
{
    const std::string path = movieOf(figure({"FIGURE 1 200 100", "FRAMES 1 9 40 0",
                                             "RECTANGLE at(1,0,0,4) p4(10,10,50,50) brush(solid,0)"}));
    MoviePreviewWindow window(path);
    EXPECT_EQ(window.windowTitle(), "SWF Preview");
    ASSERT_NE(window.player(), nullptr);
    EXPECT_TRUE(window.playing());
    window.pause();
    window.stepForward();
    window.stepForward();
    EXPECT_EQ(window.player()->frame(), 2u);
    window.stepBack();
    window.stepBack();
    window.stepBack(); // from the first frame to the last
    EXPECT_EQ(window.player()->frame(), window.player()->movie().frameCount() - 1);

    const std::string copy = folder.file("copy.swf");
    EXPECT_EQ(window.saveCopy(copy), std::nullopt);
    std::ifstream original(path, std::ios::binary), copied(copy, std::ios::binary);
    EXPECT_TRUE(std::equal(std::istreambuf_iterator<char>(original), {},
                           std::istreambuf_iterator<char>(copied)));
}

TEST_F(MoviePlayerPictures, AMovieThatCannotBeReadLeavesThePreviewEmpty)
{
    const std::string path = folder.file("broken.swf");
    std::ofstream(path) << "FWS\x06 broken";
    MoviePreviewWindow window(path);
    EXPECT_EQ(window.player(), nullptr);
    EXPECT_FALSE(window.playing());
    // Its copy is the file as it is.
    EXPECT_EQ(window.saveCopy(folder.file("copy.swf")), std::nullopt);
}

} // namespace
} // namespace desktop
