// Benchmarks of DX figures: a torus of 100,000 triangles read from an OBJ file, its first load,
// and its repaint in an 800 x 600 figure once the file is kept in the session's mesh cache (the
// wireframe is turned a little at each repaint, as the Rotate 3D tool does). Painted onto an image
// with QPainter.
#include "desktop/qt/qt_surface.h"
#include "lang/interpreter.h"
#include "mesh/mesh_file.h"
#include "qt_benchmark_main.h"
#include "recording_host.h"
#include "render/draw_pass.h"
#include "temporary_folder.h"

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include <cmath>
#include <fstream>
#include <memory>
#include <string>

namespace {

constexpr int ringSegments = 250; // around the torus
constexpr int tubeSegments = 200; // around its tube: 2 · 250 · 200 = 100,000 triangles

void writeTorus(const std::string& path)
{
    std::ofstream file(path);
    const double pi = std::acos(-1.0);
    for (int i = 0; i < ringSegments; ++i) {
        const double u = 2 * pi * i / ringSegments;
        for (int j = 0; j < tubeSegments; ++j) {
            const double v = 2 * pi * j / tubeSegments;
            const double r = 1.2 + 0.5 * std::cos(v);
            file << "v " << r * std::cos(u) << ' ' << 0.5 * std::sin(v) << ' ' << r * std::sin(u)
                 << '\n';
        }
    }
    const auto index = [](int i, int j) {
        return (i % ringSegments) * tubeSegments + (j % tubeSegments) + 1;
    };
    for (int i = 0; i < ringSegments; ++i) {
        for (int j = 0; j < tubeSegments; ++j) {
            file << "f " << index(i, j) << ' ' << index(i + 1, j) << ' ' << index(i + 1, j + 1)
                 << '\n';
            file << "f " << index(i, j) << ' ' << index(i + 1, j + 1) << ' ' << index(i, j + 1)
                 << '\n';
        }
    }
}

struct TorusFigure {
    testing_support::TemporaryFolder folder;
    std::string path = folder.file("torus.obj");
    testing_support::RecordingHost host;
    lang::Session session{host};

    TorusFigure()
    {
        writeTorus(path);
        lang::executeCommand(session, "FIGURE 1 800 600 0xFFFFFF DX");
        lang::executeCommand(session, "MESHF at(1) n(\"" + path +
                                          "\") 3dtransform(0,0,0,1,1,1,0,0,0,0.5,0,0)");
    }
    model::Figure& figure() { return session.figures.at(0); }
};

void firstLoad(benchmark::State& state)
{
    TorusFigure torus;
    for (auto _ : state) {
        const mesh::MeshFileResult result = mesh::loadMeshFile(torus.path);
        benchmark::DoNotOptimize(result.wireFrame.get());
    }
}

void repaint(benchmark::State& state)
{
    TorusFigure torus;
    model::Figure& figure = torus.figure();
    QImage image(figure.clientWidth, figure.clientHeight, QImage::Format_ARGB32_Premultiplied);
    std::string& angleY = figure.objects.front().subObjects.back().arguments.at(10);
    int step = 0;
    for (auto _ : state) {
        angleY = std::to_string(0.01 * ++step); // turned as by the Rotate 3D tool
        QPainter painter(&image);
        render::QtSurface surface(painter);
        render::DrawFigure(figure, surface, torus.session.passServices());
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

void registerBenchmarks()
{
    benchmark::RegisterBenchmark("mesh100k/firstLoad", firstLoad)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("mesh100k/repaint", repaint)->Unit(benchmark::kMillisecond);
}

} // namespace

int main(int argc, char** argv)
{
    return runQtBenchmarks(argc, argv, registerBenchmarks);
}
