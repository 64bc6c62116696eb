// Benchmarks of the function branches and the peer workloads (bench/workloads/*.kp): sampling
// a million-sample FUNCTION, the exact coverage of its polyline, and whole figures painted onto
// an image with QPainter (with the session's cache warm, as a repaint has it, and cold, as an
// export has it), and onto the recording surface, which shows what the pass itself costs.
#include "expr/sampler.h"
#include "lang/interpreter.h"
#include "qt_benchmark_main.h"
#include "recording_host.h"
#include "render/draw_pass.h"
#include "desktop/qt/qt_surface.h"
#include "render/recording_surface.h"
#include "render/stroke_coverage.h"

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path workloads = fs::path(__FILE__).parent_path() / "workloads";

// A session holding the figure a workload script makes.
struct WorkloadSession {
    testing_support::RecordingHost host;
    lang::Session session{host};

    explicit WorkloadSession(const std::string& name)
    {
        std::ifstream file(workloads / (name + ".kp"));
        for (std::string line; std::getline(file, line);)
            lang::executeCommand(session, line);
    }
    model::Figure& figure() { return session.figures.at(0); }
    const model::PlotObject& last() { return figure().objects.back(); }
};

QImage figureImage(const model::Figure& figure)
{
    QImage image(figure.clientWidth, figure.clientHeight, QImage::Format_ARGB32_Premultiplied);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    return image;
}

void sampleMillion(benchmark::State& state)
{
    WorkloadSession workload("w1");
    for (auto _ : state) {
        expr::FunctionResultCache cache;
        benchmark::DoNotOptimize(expr::sampleFunction(cache, 1, workload.last()).data());
    }
}

void coverMillion(benchmark::State& state)
{
    WorkloadSession workload("w1");
    expr::FunctionResultCache cache;
    std::vector<geom::Point2D> points = expr::sampleFunction(cache, 1, workload.last());
    for (geom::Point2D& point : points) // the axis of the workload, by hand
        point = {(point.x + 0.1f) * 500 / 9.1f, (1.2f - point.y) * 500 / 2.4f};
    for (auto _ : state) {
        const render::CoverageMask mask =
            render::polylineCoverage(points, {1, 0, 0, 1, 0.5, 0.5}, {2, 2}, 500, 500);
        benchmark::DoNotOptimize(mask.alpha.data());
    }
}

// The whole figure: cold (a cache of its own per drawing) or warm (the session's cache).
void paintWorkload(benchmark::State& state, const std::string& name, bool warm)
{
    WorkloadSession workload(name);
    QImage image = figureImage(workload.figure());
    for (auto _ : state) {
        QPainter painter(&image);
        render::QtSurface surface(painter);
        if (warm)
            render::DrawFigure(workload.figure(), surface, workload.session.functionCache);
        else
            render::DrawFigure(workload.figure(), surface);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

void passWorkload(benchmark::State& state, const std::string& name)
{
    WorkloadSession workload(name);
    for (auto _ : state) {
        render::RecordingSurface surface;
        render::DrawFigure(workload.figure(), surface, workload.session.functionCache);
        benchmark::DoNotOptimize(surface.records().data());
    }
}

void registerBenchmarks()
{
    benchmark::RegisterBenchmark("sample/w1-million", sampleMillion)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("coverage/w1-million", coverMillion)
        ->Unit(benchmark::kMillisecond);
    for (const char* name : {"w1", "w2", "w3"}) {
        benchmark::RegisterBenchmark((std::string("paint-cold/") + name).c_str(), paintWorkload,
                                     std::string(name), false)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((std::string("paint-warm/") + name).c_str(), paintWorkload,
                                     std::string(name), true)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((std::string("pass-only/") + name).c_str(), passWorkload,
                                     std::string(name))
            ->Unit(benchmark::kMillisecond);
    }
}

} // namespace

int main(int argc, char** argv)
{
    return runQtBenchmarks(argc, argv, registerBenchmarks);
}
