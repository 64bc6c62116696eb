// A batch export taken apart into its phases, for the PNG of workload w2 and the SVG and PDF of w4
// (the same figure): start-up (the process with its libraries, then the application object, then
// the fonts, each timed as a whole process of the program this build makes; SVG and PDF text
// both measured anew and remembered from an earlier export), reading (running the script's
// commands), sampling (the function's samples), drawing (the draw pass with the samples
// cached; for SVG the pass writes the document, for PDF the page's content), encoding (the PNG
// file; the PDF file's fonts, compressed streams and cross-reference table) and the whole export
// in one process and as a process of its own for comparison. Times of one phase, not of the
// phases before it.
#include "desktop/qt/pdf_surface.h"
#include "desktop/qt/qt_image_export.h"
#include "desktop/qt/qt_surface.h"
#include "desktop/qt/svg_surface.h"
#include "expr/sampler.h"
#include "lang/interpreter.h"
#include "qt_benchmark_main.h"
#include "recording_host.h"
#include "render/draw_pass.h"

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

const fs::path workloads = fs::path(KELVO_BENCH_DIR) / "workloads";

std::vector<std::string> scriptLines(const std::string& name)
{
    std::ifstream file(workloads / (name + ".kp"));
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);)
        lines.push_back(line);
    return lines;
}

struct WorkloadSession {
    testing_support::RecordingHost host;
    lang::Session session{host};

    explicit WorkloadSession(const std::string& name)
    {
        for (const std::string& line : scriptLines(name))
            lang::executeCommand(session, line);
    }
    model::Figure& figure() { return session.figures.at(0); }
};

double childCpuMilliseconds()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto milliseconds = [](const timeval& time) {
        return static_cast<double>(time.tv_sec) * 1e3 + static_cast<double>(time.tv_usec) / 1e3;
    };
    return milliseconds(usage.ru_utime) + milliseconds(usage.ru_stime);
}

// Runs the program with `arguments`, its output thrown away, and waits for it. The counter
// child-cpu-ms is the processor time of one run (user and system), which a busy machine changes
// less than the wall time.
// SVG exports remember what the fonts answered under the cache folder: `cache` names the
// folder for the runs (none keeps the environment's).
void runProgram(benchmark::State& state, std::vector<std::string> arguments,
                const std::optional<std::string>& cache = std::nullopt)
{
    arguments.insert(arguments.begin(), KELVOPLOT_BINARY);
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    std::vector<std::string> variables;
    for (char** entry = environ; *entry; ++entry)
        if (!cache || !std::string_view(*entry).starts_with("XDG_CACHE_HOME="))
            variables.emplace_back(*entry);
    if (cache) variables.push_back("XDG_CACHE_HOME=" + *cache);
    std::vector<char*> environment;
    for (std::string& variable : variables)
        environment.push_back(variable.data());
    environment.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const auto run = [&] {
        pid_t child = 0;
        if (posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environment.data()) != 0)
            return false;
        int status = 0;
        waitpid(child, &status, 0);
        return true;
    };
    run(); // untimed: the files read are in memory, and remembered answers are there
    const double cpuBefore = childCpuMilliseconds();
    for (auto _ : state) {
        if (!run()) {
            state.SkipWithError("the program could not be started");
            break;
        }
    }
    state.counters["child-cpu-ms"] = benchmark::Counter(
        (childCpuMilliseconds() - cpuBefore) / static_cast<double>(state.iterations()));
    posix_spawn_file_actions_destroy(&actions);
}

void startProcess(benchmark::State& state)
{
    runProgram(state, {"--version"});
}

void startApplication(benchmark::State& state, const std::string& extension)
{
    const QTemporaryDir folder;
    runProgram(state, {"--export", folder.filePath("empty." + QString::fromStdString(extension))
                                       .toStdString(),
                       "-e", "FIGURE 1 500 500"});
}

// How an SVG or PDF export finds the fonts' answers: measured anew in every run (their cache
// folder cannot be made), or remembered from the run before.
enum class SvgText { MeasuredAnew, Remembered };

std::string cacheFolder(const QTemporaryDir& folder, SvgText answers)
{
    const std::string blocker = folder.filePath("not-a-folder").toStdString();
    if (answers == SvgText::Remembered) return folder.filePath("cache").toStdString();
    std::ofstream(blocker) << "a file where the cache folder would be\n";
    return blocker + "/cache";
}

void startFonts(benchmark::State& state, const std::string& extension, SvgText answers)
{
    const QTemporaryDir folder;
    const std::vector<std::string> arguments = {
        "--export", folder.filePath("text." + QString::fromStdString(extension)).toStdString(),
        "-e", "FIGURE 1 500 500", "-e", "TEXT at(1) p2(10,10) n(\"1\")"};
    runProgram(state, arguments, cacheFolder(folder, answers));
}

void read(benchmark::State& state, const std::string& name)
{
    const std::vector<std::string> lines = scriptLines(name);
    for (auto _ : state) {
        testing_support::RecordingHost host;
        lang::Session session(host);
        for (const std::string& line : lines)
            lang::executeCommand(session, line);
        benchmark::DoNotOptimize(session.figures.empty());
    }
}

void sample(benchmark::State& state, const std::string& name)
{
    WorkloadSession workload(name);
    for (auto _ : state) {
        expr::FunctionResultCache cache;
        benchmark::DoNotOptimize(
            expr::sampleFunction(cache, 1, workload.figure().objects.back()).data());
    }
}

void drawPicture(benchmark::State& state, const std::string& name)
{
    WorkloadSession workload(name);
    model::Figure& figure = workload.figure();
    QImage image(figure.clientWidth, figure.clientHeight, QImage::Format_ARGB32_Premultiplied);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        render::QtSurface surface(painter);
        render::DrawFigure(figure, surface, workload.session.functionCache);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

void drawSvg(benchmark::State& state, const std::string& name)
{
    WorkloadSession workload(name);
    model::Figure& figure = workload.figure();
    for (auto _ : state) {
        desktop::SvgSurface surface(figure.clientWidth, figure.clientHeight, "Figure 1");
        render::DrawFigure(figure, surface, workload.session.functionCache);
        benchmark::DoNotOptimize(surface.finish().size());
    }
}

void drawPdf(benchmark::State& state, const std::string& name)
{
    WorkloadSession workload(name);
    model::Figure& figure = workload.figure();
    for (auto _ : state) {
        desktop::PdfSurface surface(figure.clientWidth, figure.clientHeight, "Figure 1");
        render::DrawFigure(figure, surface, workload.session.functionCache);
        state.PauseTiming();
        benchmark::DoNotOptimize(surface.finish().size());
        state.ResumeTiming();
    }
}

void encodePdf(benchmark::State& state, const std::string& name)
{
    WorkloadSession workload(name);
    model::Figure& figure = workload.figure();
    for (auto _ : state) {
        state.PauseTiming();
        desktop::PdfSurface surface(figure.clientWidth, figure.clientHeight, "Figure 1");
        render::DrawFigure(figure, surface, workload.session.functionCache);
        state.ResumeTiming();
        benchmark::DoNotOptimize(surface.finish().size());
    }
}

void exportProcess(benchmark::State& state, const std::string& name, const std::string& extension,
                   SvgText answers)
{
    const QTemporaryDir folder;
    runProgram(state,
               {"--export",
                folder.filePath("out." + QString::fromStdString(extension)).toStdString(),
                (workloads / (name + ".kp")).string()},
               cacheFolder(folder, answers));
}

void encodePng(benchmark::State& state, const std::string& name)
{
    WorkloadSession workload(name);
    const QImage image = render::renderFigureImage(workload.figure());
    for (auto _ : state)
        benchmark::DoNotOptimize(render::encodePngImage(image).size());
}

void exportWhole(benchmark::State& state, const std::string& name, io::ExportFormat format)
{
    const QTemporaryDir folder;
    const std::string path = folder.filePath("out").toStdString();
    WorkloadSession workload(name);
    for (auto _ : state) // each drawing samples anew, as a batch run does
        benchmark::DoNotOptimize(render::exportFigureImage(workload.figure(), path, format).written);
}

void registerBenchmarks()
{
    const auto add = [](const std::string& label, auto function, auto... arguments) {
        benchmark::RegisterBenchmark(label.c_str(), function, arguments...)
            ->Unit(benchmark::kMillisecond);
    };
    add("start-up/process-and-libraries", startProcess);
    add("start-up/application-w2-png", startApplication, std::string("png"));
    add("start-up/application-w4-svg", startApplication, std::string("svg"));
    add("start-up/fonts-w2-png", startFonts, std::string("png"), SvgText::MeasuredAnew);
    add("start-up/fonts-w4-svg-anew", startFonts, std::string("svg"), SvgText::MeasuredAnew);
    add("start-up/fonts-w4-svg-remembered", startFonts, std::string("svg"),
        SvgText::Remembered);
    add("start-up/application-w4-pdf", startApplication, std::string("pdf"));
    add("start-up/fonts-w4-pdf-anew", startFonts, std::string("pdf"), SvgText::MeasuredAnew);
    add("start-up/fonts-w4-pdf-remembered", startFonts, std::string("pdf"),
        SvgText::Remembered);
    add("reading/w2", read, std::string("w2"));
    add("sampling/w2", sample, std::string("w2"));
    add("drawing/w2-png", drawPicture, std::string("w2"));
    add("drawing/w4-svg", drawSvg, std::string("w4"));
    add("drawing/w4-pdf", drawPdf, std::string("w4"));
    add("encoding/w2-png", encodePng, std::string("w2"));
    add("encoding/w4-pdf", encodePdf, std::string("w4"));
    add("in-process-export/w2-png", exportWhole, std::string("w2"), io::ExportFormat::Png);
    add("in-process-export/w4-svg", exportWhole, std::string("w4"), io::ExportFormat::Svg);
    add("in-process-export/w4-pdf", exportWhole, std::string("w4"), io::ExportFormat::Pdf);
    add("process-export/w2-png", exportProcess, std::string("w2"), std::string("png"),
        SvgText::MeasuredAnew);
    add("process-export/w4-svg-anew", exportProcess, std::string("w4"), std::string("svg"),
        SvgText::MeasuredAnew);
    add("process-export/w4-svg-remembered", exportProcess, std::string("w4"), std::string("svg"),
        SvgText::Remembered);
    add("process-export/w4-pdf-anew", exportProcess, std::string("w4"), std::string("pdf"),
        SvgText::MeasuredAnew);
    add("process-export/w4-pdf-remembered", exportProcess, std::string("w4"), std::string("pdf"),
        SvgText::Remembered);
}

} // namespace

int main(int argc, char** argv)
{
    return runQtBenchmarks(argc, argv, registerBenchmarks);
}
