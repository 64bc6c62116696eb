// Tests of animated GIF and WebP pictures: read back with giflib and libwebp and compared with
// the movie player's frames.
#include "desktop/exports/animation_export.h"

#include "desktop/exports/animation_saving.h"
#include "desktop/exports/movie_saving.h"

#include "desktop/qt/qt_animation_writer.h"
#include "desktop/qt/qt_image_export.h"
#include "desktop/qt/qt_measuring_surface.h"
#include "desktop/qt/qt_surface.h"
#include "lang/interpreter.h"
#include "figure_files_test_base.h"
#include "swf/play/movie_player.h"

#include <gif_lib.h>
#include <webp/demux.h>

#include <gtest/gtest.h>

#include <QEventLoop>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

namespace desktop {
namespace {

struct Picture {
    QImage image;
    std::uint64_t startMs = 0;
};

struct Animation {
    std::vector<Picture> pictures;
    std::uint64_t durationMs = 0;
    int loops = -1; // 0: for ever
};

QByteArray fileBytes(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every picture of a GIF as the viewer shows it: each image drawn over the one before.
Animation decodeGif(const std::string& path)
{
    Animation animation;
    int error = 0;
    GifFileType* file = DGifOpenFileName(path.c_str(), &error);
    if (!file || DGifSlurp(file) != GIF_OK) {
        ADD_FAILURE() << "giflib cannot read " << path;
        if (file) DGifCloseFile(file, &error);
        return animation;
    }
    QImage canvas(file->SWidth, file->SHeight, QImage::Format_RGB32);
    canvas.fill(Qt::black);
    for (int i = 0; i < file->ImageCount; ++i) {
        const SavedImage& image = file->SavedImages[i];
        const ColorMapObject* map =
            image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : file->SColorMap;
        const GifImageDesc& d = image.ImageDesc;
        for (int y = 0; y < d.Height; ++y)
            for (int x = 0; x < d.Width; ++x) {
                const GifColorType c = map->Colors[image.RasterBits[y * d.Width + x]];
                canvas.setPixel(d.Left + x, d.Top + y, qRgb(c.Red, c.Green, c.Blue));
            }
        GraphicsControlBlock control;
        DGifSavedExtensionToGCB(file, i, &control);
        animation.pictures.push_back({canvas.copy(), animation.durationMs});
        animation.durationMs += static_cast<std::uint64_t>(control.DelayTime) * 10;
        for (int e = 0; e < image.ExtensionBlockCount; ++e) {
            const ExtensionBlock& block = image.ExtensionBlocks[e];
            if (block.Function == CONTINUE_EXT_FUNC_CODE && block.ByteCount == 3)
                animation.loops = block.Bytes[1] | block.Bytes[2] << 8;
        }
    }
    DGifCloseFile(file, &error);
    return animation;
}

Animation decodeWebp(const std::string& path)
{
    Animation animation;
    const QByteArray bytes = fileBytes(path);
    WebPData data{reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                  static_cast<std::size_t>(bytes.size())};
    WebPAnimDecoderOptions options;
    WebPAnimDecoderOptionsInit(&options);
    options.color_mode = MODE_BGRA;
    WebPAnimDecoder* decoder = WebPAnimDecoderNew(&data, &options);
    WebPAnimInfo info;
    if (!decoder || !WebPAnimDecoderGetInfo(decoder, &info)) {
        ADD_FAILURE() << "libwebp cannot read " << path;
        WebPAnimDecoderDelete(decoder);
        return animation;
    }
    animation.loops = static_cast<int>(info.loop_count);
    std::uint8_t* pixels = nullptr;
    int endMs = 0;
    while (WebPAnimDecoderGetNext(decoder, &pixels, &endMs)) {
        const QImage frame(pixels, static_cast<int>(info.canvas_width),
                           static_cast<int>(info.canvas_height), QImage::Format_ARGB32);
        animation.pictures.push_back(
            {frame.convertToFormat(QImage::Format_RGB32), animation.durationMs});
        animation.durationMs = static_cast<std::uint64_t>(endMs);
    }
    WebPAnimDecoderDelete(decoder);
    return animation;
}

class AnimationExportTest : public testing_support::FigureFilesTest {
protected:
    io::WriteResult write(model::Figure& shown, const std::string& file, std::uint32_t rate,
                          std::optional<int> quality = std::nullopt)
    {
        std::vector<std::string> notes;
        return exportFigureAnimation(
            shown, file, rate, quality, [](const std::string&) { return true; }, notes);
    }

    // What the animation should show: the player's frames of the figure's movie, then the
    // figure, each picture that differs from the one before starting a new one.
    Animation expected(model::Figure& shown, std::uint32_t rate)
    {
        swf::QtMeasuringSurface measuring;
        swf::exportFigureToSwf(
            shown, path("reference.swf"),
            {[](const std::string&) { return true; }, measuring.surface(), rate});
        const swf::PlayableMovieResult movie = swf::loadPlayableMovie(path("reference.swf"));
        EXPECT_TRUE(movie.ok()) << movie.message;
        Animation animation;
        const auto add = [&](const QImage& image, std::uint64_t startMs) {
            if (animation.pictures.empty() || animation.pictures.back().image != image)
                animation.pictures.push_back({image, startMs});
        };
        const std::size_t frames = movie.ok() ? movie.movie->frameCount() : 0;
        for (std::size_t frame = 0; frame < frames; ++frame) {
            QImage image(shown.clientWidth, shown.clientHeight, QImage::Format_RGB32);
            QPainter painter(&image);
            render::QtSurface surface(painter);
            swf::drawMovieFrame(
                movie.movie, frame, surface,
                {0, 0, static_cast<float>(image.width()), static_cast<float>(image.height())});
            painter.end();
            add(image, frame * 1000 / rate);
        }
        add(render::renderFigureImage(shown).convertToFormat(QImage::Format_RGB32),
            frames * 1000 / rate);
        animation.durationMs = (frames + 1) * 1000 / rate;
        return animation;
    }
};

// Frames 1 to 3 of 200 ms: a red square that moves, a frame that clears, a blue one; the
// figure shows all of them together.
const std::vector<std::string> movingSquares = {
    "FIGURE 1 60 40",
    "FRAMES 1 2 200 0",
    "FRAME 1 200 1",
    "RECTANGLE at(1,0,0,1) p4(0,0,10,10) brush(solid,0xFF0000)",
    "RECTANGLE at(1,0,0,2) p4(20,0,10,10) brush(solid,0xFF0000)",
    "RECTANGLE at(1,0,0,3) p4(40,20,10,10) brush(solid,0xFF)"};

// A function growing over ten frames on axes whose numbers the movie holds as text fields,
// above the function's pieces: each frame adds a piece below them.
const std::vector<std::string> growingOnAxes = {
    "FIGURE 1 120 80", "FRAMES 1 9 40 0",
    "AXIS at(1) pen(1) brush(solid,0) p4(-0.1,2,1,1) p4(-1.2,1.2,1,1)",
    "FUNCTION at(1,0,1,0) n(\"sin(4*pi*x)\") p2(0,2) p1(0.01) pen(2,0xFF8000) splitr(0,10)"};

TEST_F(AnimationExportTest, ShowsThePlayersFramesThenTheFigureTimedByTheFrameRate)
{
    struct Row {
        const std::vector<std::string>& commands;
        const char* file;
        std::uint32_t rate;
        Animation (*decode)(const std::string&);
    };
    for (const Row& row : {Row{movingSquares, "squares.gif", 10, decodeGif},
                           Row{movingSquares, "squares.webp", 25, decodeWebp},
                           Row{movingSquares, "squares.WEBP", 10, decodeWebp},
                           Row{growingOnAxes, "growing.webp", 25, decodeWebp}}) {
        SCOPED_TRACE(row.file);
        model::Figure& shown = figure(row.commands);
        const io::WriteResult result = write(shown, path(row.file), row.rate);
        ASSERT_TRUE(result.written) << result.message;
        const Animation want = expected(shown, row.rate);
        const Animation got = row.decode(path(row.file));
        EXPECT_EQ(got.loops, 0);
        EXPECT_EQ(got.durationMs, want.durationMs);
        ASSERT_EQ(got.pictures.size(), want.pictures.size());
        ASSERT_GE(want.pictures.size(), 4u);
        for (std::size_t i = 0; i < want.pictures.size(); ++i) {
            EXPECT_EQ(got.pictures[i].startMs, want.pictures[i].startMs) << "picture " << i;
            EXPECT_TRUE(got.pictures[i].image == want.pictures[i].image) << "picture " << i;
        }
    }
}

TEST_F(AnimationExportTest, LossyWebpIsSmallerAndCloseToTheLosslessPictures)
{
    model::Figure& shown = figure({"FIGURE 1 200 150", "FRAMES 1 2 100 0",
                                   "ELLIPSE at(1,0,0,1) p4(10,10,150,120) brush(solid,0xFF8000)",
                                   "TEXT at(1,0,0,2) p2(20,20) n(\"Hello\")"});
    ASSERT_TRUE(write(shown, path("lossless.webp"), 10).written);
    ASSERT_TRUE(write(shown, path("lossy.webp"), 10, 40).written);
    EXPECT_LT(fileBytes(path("lossy.webp")).size(), fileBytes(path("lossless.webp")).size());
    const Animation lossless = decodeWebp(path("lossless.webp"));
    const Animation lossy = decodeWebp(path("lossy.webp"));
    ASSERT_EQ(lossy.durationMs, lossless.durationMs);
    const QImage& a = lossless.pictures.back().image;
    const QImage& b = lossy.pictures.back().image;
    double error = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            error += std::abs(qGreen(a.pixel(x, y)) - qGreen(b.pixel(x, y)));
    EXPECT_LT(error / (a.width() * a.height()), 8.0);
}

TEST_F(AnimationExportTest, RefusesWhatTheFormatCannotHoldAndKeepsTheFile)
{
    struct Row {
        std::vector<std::string> commands;
        const char* file;
        std::uint32_t rate;
        std::optional<int> quality;
        const char* message; // the part that names the limit
    };
    const std::vector<Row> rows = {
        {movingSquares, "rate.gif", 0, {}, "outside the limit of 1 to 255"},
        {movingSquares, "rate.webp", 256, {}, "outside the limit of 1 to 255"},
        {movingSquares, "quality.webp", 25, 101, "outside the limit of 0 to 100"},
        {{"FIGURE 1 2000 2000", "FRAMES 1 1 30000 0"},
         "large.webp",
         25,
         {},
         "more than the limit of 2000000000 pixels"},
        {{"FIGURE 1 60 40", "FRAMES 1 1 3000000 0"},
         "long.gif",
         25,
         {},
         "more than the limit of 65535"},
        {movingSquares, "movie.swf", 25, {}, "written as .gif or .webp"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.file);
        QFile old(QString::fromStdString(path(row.file)));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("kept");
        old.close();
        const io::WriteResult result =
            write(figure(row.commands), path(row.file), row.rate, row.quality);
        EXPECT_FALSE(result.written);
        EXPECT_NE(result.message.find(row.message), std::string::npos) << result.message;
        EXPECT_EQ(fileBytes(path(row.file)), "kept");
    }
    EXPECT_NE(render::makeWebpAnimationEncoder(render::maxWebpSide + 1, 10, {})
                  ->error()
                  .find(std::to_string(render::maxWebpSide)),
              std::string::npos);
    EXPECT_NE(render::makeGifAnimationEncoder(render::maxGifSide + 1, 10)
                  ->error()
                  .find(std::to_string(render::maxGifSide)),
              std::string::npos);
}

TEST_F(AnimationExportTest, IsSavedOnAWorkerAndACancelledOneWritesNothing)
{
    model::Figure& shown = figure(movingSquares);
    const std::string file = path("window.gif");
    AnimationJob job = prepareAnimationExport(shown, file, 10, std::nullopt,
                                              [](const std::string&) { return true; });
    job.movie.progress->cancelled = true;
    swf::QtMeasuringSurface measuring;
    EXPECT_FALSE(runAnimationExport(job, measuring.surface()).written);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(file)));

    MovieExportTask* task = saveAnimationTo(nullptr, session, shown, file, {10, std::nullopt});
    QEventLoop loop;
    bool written = false;
    QObject::connect(task, &MovieExportTask::done, [&](MovieExportTask* finished) {
        written = finished->result().written;
        loop.quit();
    });
    loop.exec();
    EXPECT_TRUE(written);
    EXPECT_EQ(decodeGif(file).pictures.size(), expected(shown, 10).pictures.size());
    EXPECT_EQ(host.events.back(), "notify Animation Saved!");
}

} // namespace
} // namespace desktop
