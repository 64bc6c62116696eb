// Benchmarks of animated pictures: the encoders alone on 100 frames of a growing function played
// by the movie player (500 x 500, antialiased, so more than 256 colours), reported as frames per
// second (items_per_second), and the whole animation of that figure from its movie. The whole
// animation draws, and the GIF writer compresses, on several threads, so the rates are of real
// time.
#include "desktop/exports/animation_export.h"
#include "desktop/qt/qt_animation_writer.h"
#include "desktop/qt/qt_measuring_surface.h"
#include "desktop/qt/qt_surface.h"
#include "lang/interpreter.h"
#include "qt_benchmark_main.h"
#include "recording_host.h"
#include "swf/play/movie_player.h"
#include "swf/read/reader.h"
#include "temporary_folder.h"

#include <QPainter>

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

const std::vector<std::string> growingSine = {
    "FIGURE 1 500 500",
    "FRAMES 1 99 40 0",
    "AXIS at(1) pen(1) brush(solid,0) p4(-0.1,9,1,1) p4(-1.2,1.2,0.5,2)",
    "FUNCTION at(1,0,1,0) n(\"sin(4*pi*x)\") p2(-0.1,9) p1(0.00091) pen(2,0xFF8000C0) "
    "splitr(0,100)",
};

struct FigureSession {
    testing_support::RecordingHost host;
    lang::Session session{host};
    FigureSession()
    {
        for (const std::string& line : growingSine)
            lang::executeCommand(session, line);
    }
    model::Figure& figure() { return session.figures.at(0); }
};

// The player's frames of the figure's movie.
std::vector<QImage> playedFrames()
{
    FigureSession made;
    swf::QtMeasuringSurface measuring;
    swf::SwfExportJob job = swf::prepareSwfExport(made.figure(), "frames.swf", 25,
                                                  [](const std::string&) { return true; });
    std::vector<std::uint8_t> bytes;
    swf::renderSwfMovie(job, measuring.surface(), bytes);
    const swf::PlayableMovieResult movie =
        swf::playableMovieOf(swf::readMovie(std::move(bytes)).movie);
    std::vector<QImage> frames;
    for (std::size_t frame = 0; movie.ok() && frame < movie.movie->frameCount(); ++frame) {
        QImage image(500, 500, QImage::Format_RGB32);
        QPainter painter(&image);
        render::QtSurface surface(painter);
        swf::drawMovieFrame(movie.movie, frame, surface, {0, 0, 500, 500});
        painter.end();
        frames.push_back(image);
    }
    return frames;
}

void encode(benchmark::State& state, bool gif, std::optional<int> quality)
{
    const std::vector<QImage> frames = playedFrames();
    std::size_t bytes = 0;
    for (auto _ : state) {
        auto encoder = gif ? render::makeGifAnimationEncoder(500, 500)
                           : render::makeWebpAnimationEncoder(500, 500, quality);
        for (std::size_t i = 0; i < frames.size(); ++i)
            encoder->add(frames[i], i * 40);
        const std::optional<QByteArray> file = encoder->finish(frames.size() * 40);
        if (!file) state.SkipWithError(encoder->error().c_str());
        bytes = file ? static_cast<std::size_t>(file->size()) : 0;
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(frames.size()));
    state.counters["bytes"] = static_cast<double>(bytes);
}

void wholeAnimation(benchmark::State& state, const char* name)
{
    FigureSession made;
    testing_support::TemporaryFolder folder;
    const std::string path = folder.path() + "/" + name;
    for (auto _ : state) {
        std::vector<std::string> notes;
        const io::WriteResult written = desktop::exportFigureAnimation(
            made.figure(), path, 25, std::nullopt, [](const std::string&) { return true; }, notes);
        if (!written.written) state.SkipWithError(written.message.c_str());
    }
    state.SetItemsProcessed(state.iterations() * 101);
}

} // namespace

int main(int argc, char** argv)
{
    return runQtBenchmarks(argc, argv, [] {
        benchmark::RegisterBenchmark("EncodeGif", encode, true, std::nullopt)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark("EncodeWebpLossless", encode, false, std::nullopt)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark("EncodeWebpQuality80", encode, false, 80)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark("AnimatedGifFromFigure", wholeAnimation, "w.gif")
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    });
}
