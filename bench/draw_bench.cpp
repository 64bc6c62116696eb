// Benchmarks of the draw pass: every gallery figure, and a POLY of 1,000,000 points in a
// 1000 x 1000 figure, painted onto an image with QPainter (and, for the POLY, onto the
// recording surface, which shows what the pass itself costs). Run from anywhere; the gallery is
// found beside this file's folder.
#include "lang/interpreter.h"
#include "lang/tokenizer.h"
#include "qt_benchmark_main.h"
#include "recording_host.h"
#include "render/draw_pass.h"
#include "desktop/qt/qt_surface.h"
#include "render/recording_surface.h"

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path sourceTop = fs::absolute(fs::path(__FILE__).parent_path().parent_path());

// A session holding one figure made by running `lines`.
struct FigureSession {
    testing_support::RecordingHost host;
    lang::Session session{host};

    explicit FigureSession(const std::vector<std::string>& lines)
    {
        for (const std::string& line : lines)
            lang::executeCommand(session, line);
    }
    model::Figure& figure() { return session.figures.at(0); }
};

std::vector<std::string> readLines(const fs::path& script)
{
    std::ifstream file(script);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);)
        lines.push_back(line);
    return lines;
}

void paintOnImage(benchmark::State& state, model::Figure& figure)
{
    QImage image(figure.clientWidth, figure.clientHeight, QImage::Format_ARGB32_Premultiplied);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    for (auto _ : state) {
        QPainter painter(&image);
        render::QtSurface surface(painter);
        render::DrawFigure(figure, surface);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

void drawGalleryFigure(benchmark::State& state, const fs::path& script)
{
    FigureSession session(readLines(script));
    paintOnImage(state, session.figure());
}

// One POLY through 1,000,000 points of a sine wave across a 1000 x 1000 figure.
std::unique_ptr<FigureSession> millionPointPoly(const std::string& pen, int quality)
{
    auto session = std::make_unique<FigureSession>(std::vector<std::string>{"FIGURE 1 1000 1000"});
    model::Figure& figure = session->figure();
    figure.quality = quality;
    model::PlotObject poly;
    poly.type = model::ObjectType::Poly;
    poly.keyword = "POLY";
    model::SubObject points{model::SubObjectKind::P2, {}};
    constexpr int count = 1000000;
    points.arguments.reserve(2 * count);
    for (int i = 0; i < count; ++i) {
        const double x = i * 0.001;
        points.arguments.push_back(std::to_string(x));
        points.arguments.push_back(std::to_string(500 + 400 * std::sin(x * 0.05)));
    }
    poly.subObjects.push_back({model::SubObjectKind::At, {"1"}});
    poly.subObjects.push_back(std::move(points));
    poly.subObjects.push_back(lang::parseSubObject(lang::splitSubObject("pen(" + pen + ")")));
    figure.objects.push_back(std::move(poly));
    return session;
}

void drawMillionPointPoly(benchmark::State& state, const std::string& pen, int quality)
{
    const std::unique_ptr<FigureSession> session = millionPointPoly(pen, quality);
    paintOnImage(state, session->figure());
}

void passMillionPointPoly(benchmark::State& state)
{
    const std::unique_ptr<FigureSession> session = millionPointPoly("2", 1);
    for (auto _ : state) {
        render::RecordingSurface surface;
        render::DrawFigure(session->figure(), surface);
        benchmark::DoNotOptimize(surface.records().data());
    }
}

void registerBenchmarks()
{
    std::vector<fs::path> scripts;
    for (const fs::directory_entry& entry : fs::directory_iterator(sourceTop / "examples/gallery"))
        if (entry.path().extension() == ".kp") scripts.push_back(entry.path());
    std::sort(scripts.begin(), scripts.end());
    for (const fs::path& script : scripts)
        benchmark::RegisterBenchmark(("gallery/" + script.stem().string()).c_str(),
                                     drawGalleryFigure, script)
            ->Unit(benchmark::kMillisecond);

    const struct {
        const char* name;
        const char* pen;
        int quality;
    } polys[] = {
        {"poly1M/width2/antialiased", "2", 1},
        {"poly1M/width1/antialiased", "1", 1},
        {"poly1M/width0/antialiased", "0", 1},
        {"poly1M/width2/aliased", "2", 0},
    };
    for (const auto& poly : polys)
        benchmark::RegisterBenchmark(poly.name, drawMillionPointPoly, std::string(poly.pen),
                                     poly.quality)
            ->Unit(benchmark::kMillisecond);
    // A translucent line is drawn opaque on a layer of its own, laid over with its alpha.
    benchmark::RegisterBenchmark("poly1M/width2/translucent", drawMillionPointPoly,
                                 std::string("2,0x80000000"), 1)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("poly1M/pass-only", passMillionPointPoly)
        ->Unit(benchmark::kMillisecond);
}

} // namespace

int main(int argc, char** argv)
{
    return runQtBenchmarks(argc, argv, [] {
        fs::current_path(sourceTop); // gallery scripts name their pictures from the source top
        registerBenchmarks();
    });
}
