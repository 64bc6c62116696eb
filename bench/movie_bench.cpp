// Benchmarks of the movie export: a FUNCTION of 100,000 samples spread with SPLITR over 1,000
// frames, rendered into tag buffers and written as a whole movie file (its size is reported as
// the counter "bytes"), and the gallery's axis figure, whose numbers are text fields.
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

// 99,998 / 1 + 2 = 100,000 samples, spread over frames 1 to 1,000 (frame 1,001 keeps the last
// of them in the movie, whose timeline ends where the last frame starts).
const std::vector<std::string> growingFunction = {
    "FIGURE 1 800 600",
    "FRAMES 1 1001 40 0",
    "AXIS at(1) pen(1) brush(solid,0) p4(-1000,100000,10000,1) p4(-1.2,1.2,0.5,2)",
    "FUNCTION at(1,0,1) n(\"sin(x/5000)\") p2(0,99998) p1(1) pen(1,0xFFFF0000) splitr(1,1000)",
};

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
