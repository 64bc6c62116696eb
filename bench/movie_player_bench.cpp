// Benchmark of the movie player: the 100,000-sample movie of movie_bench played frame by frame
// as the preview plays it (each frame's display list built, then drawn at 800 x 600), with the
// median, 95th percentile and slowest frame reported in milliseconds.
//
// The same program serves the player's comparison with other painters:
//   movie_player_bench --frames MOVIE.swf FOLDER WIDTH HEIGHT N...   frame N as FOLDER/frame-N.png
//   movie_player_bench --compare REFERENCE.png PICTURE.png REACH     largest colour difference
//                                                                    off edges, and where
#include "desktop/player/picture_difference.h"
#include "desktop/qt/qt_measuring_surface.h"
#include "desktop/qt/qt_surface.h"
#include "growing_function.h"
#include "lang/interpreter.h"
#include "qt_benchmark_main.h"
#include "recording_host.h"
#include "swf/export/movie_export.h"
#include "swf/play/movie_player.h"
#include "temporary_folder.h"

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::shared_ptr<const swf::PlayableMovie> growingMovie()
{
    testing_support::RecordingHost host;
    lang::Session session{host};
    for (const std::string& line : benchmarks::growingFunction)
        lang::executeCommand(session, line);
    testing_support::TemporaryFolder folder;
    const std::string path = folder.file("movie.swf");
    swf::QtMeasuringSurface measuring;
    swf::exportFigureToSwf(session.figures.at(0), path,
                           {[](const std::string&) { return false; }, measuring.surface(), 25});
    return swf::loadPlayableMovie(path).movie;
}

QImage drawFrame(swf::MoviePlayer& player, std::size_t frame, QImage& image)
{
    player.showFrame(frame);
    QPainter painter(&image);
    render::QtSurface surface(painter);
    player.draw(surface, {0, 0, static_cast<float>(image.width()), static_cast<float>(image.height())});
    painter.end();
    return image;
}

double percentile(std::vector<double> values, double fraction)
{
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1))];
}

void playGrowingFunction(benchmark::State& state)
{
    const std::shared_ptr<const swf::PlayableMovie> movie = growingMovie();
    if (!movie) {
        state.SkipWithError("the movie could not be written and read");
        return;
    }
    QImage image(800, 600, QImage::Format_ARGB32_Premultiplied);
    std::vector<double> milliseconds;
    for (auto _ : state) {
        swf::MoviePlayer player(movie);
        for (std::size_t frame = 0; frame < movie->frameCount(); ++frame) {
            const auto start = std::chrono::steady_clock::now();
            drawFrame(player, frame, image);
            milliseconds.push_back(
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                    .count());
        }
    }
    state.counters["frames"] = static_cast<double>(movie->frameCount());
    state.counters["median_ms"] = percentile(milliseconds, 0.5);
    state.counters["p95_ms"] = percentile(milliseconds, 0.95);
    state.counters["max_ms"] = percentile(milliseconds, 1.0);
}

int writeFrames(int argc, char** argv)
{
    if (argc < 7) return std::fprintf(stderr, "usage: --frames MOVIE FOLDER WIDTH HEIGHT N...\n"), 2;
    const swf::PlayableMovieResult loaded = swf::loadPlayableMovie(argv[2]);
    if (!loaded.ok()) return std::fprintf(stderr, "%s\n", loaded.message.c_str()), 1;
    swf::MoviePlayer player(loaded.movie);
    QImage image(std::atoi(argv[4]), std::atoi(argv[5]), QImage::Format_ARGB32_Premultiplied);
    for (int index = 6; index < argc; ++index) {
        const std::size_t frame = static_cast<std::size_t>(std::atol(argv[index]));
        drawFrame(player, frame, image);
        image.save(QStringLiteral("%1/frame-%2.png").arg(argv[3]).arg(frame));
    }
    for (const std::string& note : player.notes())
        std::fprintf(stderr, "%s\n", note.c_str());
    return 0;
}

int compare(int argc, char** argv)
{
    if (argc != 5) return std::fprintf(stderr, "usage: --compare REFERENCE PICTURE REACH\n"), 2;
    const QImage reference(argv[2]), picture(argv[3]);
    if (reference.isNull() || picture.isNull()) return std::fprintf(stderr, "unreadable picture\n"), 1;
    const desktop::PictureDifference difference =
        desktop::differenceOffEdges(reference, picture, std::atoi(argv[4]));
    std::printf("%d at %d,%d of %ld pixels compared\n", difference.largest, difference.x,
                difference.y, difference.compared);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc > 1 && std::strcmp(argv[1], "--frames") == 0) {
        QGuiApplication application(argc, argv);
        return writeFrames(argc, argv);
    }
    if (argc > 1 && std::strcmp(argv[1], "--compare") == 0) {
        QGuiApplication application(argc, argv);
        return compare(argc, argv);
    }
    return runQtBenchmarks(argc, argv, [] {
        benchmark::RegisterBenchmark("movie-play/function-100k-over-1000-frames", playGrowingFunction)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1);
    });
}
