// Benchmarks of the movie export: a FUNCTION of 100,000 samples spread with SPLITR over 1,000
// frames, rendered into tag buffers and written as a whole movie file (its size is reported as
// the counter "bytes"), and the gallery's axis figure, whose numbers are text fields.
#include "growing_function.h"
#include "lang/interpreter.h"
#include "qt_benchmark_main.h"
#include "recording_host.h"
#include "swf/export/movie_export.h"
#include "swf/export/movie_renderer.h"
#include "desktop/qt/qt_measuring_surface.h"
#include "temporary_folder.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

using benchmarks::growingFunction;

struct FigureSession {
    testing_support::RecordingHost host;
    lang::Session session{host};

    explicit FigureSession(const std::vector<std::string>& commands)
    {
        for (const std::string& line : commands)
            lang::executeCommand(session, line);
    }
    explicit FigureSession(const fs::path& script)
    {
        std::ifstream file(script);
        for (std::string line; std::getline(file, line);)
            lang::executeCommand(session, line);
    }
    model::Figure& figure() { return session.figures.at(0); }
};

void renderTags(benchmark::State& state, const std::vector<std::string>& commands)
{
    FigureSession made(commands);
    swf::QtMeasuringSurface measuring;
    for (auto _ : state) {
        swf::SwfTagList tags(made.figure().frames.size());
        expr::FunctionResultCache cache;
        benchmark::DoNotOptimize(
            swf::renderFigureToTags(made.figure(), tags, measuring.surface(), cache).refusal);
    }
}

void exportMovie(benchmark::State& state, FigureSession& made)
{
    testing_support::TemporaryFolder folder;
    const std::string path = folder.file("movie.swf");
    swf::QtMeasuringSurface measuring;
    for (auto _ : state) {
        const swf::SwfExportResult result = swf::exportFigureToSwf(
            made.figure(), path,
            {[&](const std::string& question) { return made.host.askYesNo(question); },
             measuring.surface(), 25});
        if (!result.written) state.SkipWithError(result.message.c_str());
    }
    state.counters["bytes"] = static_cast<double>(fs::file_size(path));
}

void exportGrowingFunction(benchmark::State& state)
{
    FigureSession made(growingFunction);
    exportMovie(state, made);
}

void exportGalleryAxes(benchmark::State& state)
{
    FigureSession made(fs::path(__FILE__).parent_path() / ".." / "examples" / "gallery" /
                       "axes.kp");
    exportMovie(state, made);
}

void registerBenchmarks()
{
    benchmark::RegisterBenchmark("movie-render/function-100k-over-1000-frames", renderTags,
                                 growingFunction)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("movie-export/function-100k-over-1000-frames",
                                 exportGrowingFunction)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("movie-export/gallery-axes", exportGalleryAxes)
        ->Unit(benchmark::kMillisecond);
}

} // namespace

int main(int argc, char** argv)
{
    return runQtBenchmarks(argc, argv, registerBenchmarks);
}
