// Benchmarks of the figure window while the user works with it: from a tool step (a view step of
// Move 2D, a step of the selected object, a Scale 2D or Rotate 2D step of the view, a turn of the
// mouse wheel, a Rotate 3D step) to the finished repaint of the window, for the 1,000,000-sample
// function of workload w1, the surface of w3 and every gallery figure. Moves by whole pixels
// reuse the line's coverage from the paint before; other steps cover the line anew. Run from
// anywhere; the workloads are found beside this file's folder.
#include "desktop/app/desktop_app.h"
#include "desktop/figure_window/figure_window.h"
#include "lang/interpreter.h"
#include "recording_host.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWheelEvent>
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
const fs::path sourceTop = fs::path(__FILE__).parent_path().parent_path();

std::vector<std::string> readLines(const fs::path& script)
{
    std::ifstream file(script);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);)
        lines.push_back(line);
    return lines;
}

struct WindowSession {
    testing_support::RecordingHost host;
    lang::Session session{host};
    std::unique_ptr<desktop::FigureWindow> window;

    explicit WindowSession(const fs::path& script)
    {
        for (const std::string& line : readLines(script))
            lang::executeCommand(session, line);
        model::Figure& figure = session.figures.at(0);
        window = std::make_unique<desktop::FigureWindow>(session, figure,
                                                         desktop::MenuPresence::WithMenu);
        window->place(true);
        QApplication::processEvents();
    }
};

enum class Step { MoveView, MoveSelected, ScaleView, RotateView, WheelView, Rotate3D };

std::int32_t toolCommand(Step step)
{
    switch (step) {
    case Step::MoveView:
    case Step::MoveSelected:
    case Step::WheelView:
        return 1701;
    case Step::RotateView:
        return 1704;
    case Step::ScaleView:
        return 1707;
    case Step::Rotate3D:
        return 1705;
    }
    return 1701;
}

void keyToPaint(benchmark::State& state, const fs::path& script, Step step)
{
    WindowSession session(script);
    desktop::FigureWindow& window = *session.window;
    window.runCommand(toolCommand(step), 0, {});
    if (step == Step::MoveSelected) window.runCommand(31001 + 1, 0, {});
    window.canvas()->repaint(); // the first paint fills the function and coverage caches
    const bool scale = step == Step::ScaleView;
    int direction = 0;
    for (auto _ : state) {
        // Alternating directions keep the picture in place over the run.
        const bool forward = direction++ % 2 == 0;
        if (step == Step::WheelView) {
            const QPointF at(240, 260);
            QWheelEvent turn(at, window.canvas()->mapToGlobal(at), {}, {0, forward ? 120 : -120},
                             Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(window.canvas(), &turn);
            window.canvas()->repaint();
            continue;
        }
        const Qt::Key key = scale ? (forward ? Qt::Key_Plus : Qt::Key_Minus)
                                  : (forward ? Qt::Key_Right : Qt::Key_Left);
        QKeyEvent press(QEvent::KeyPress, key, scale ? Qt::KeypadModifier : Qt::NoModifier);
        QApplication::sendEvent(&window, &press);
        window.canvas()->repaint();
    }
}

void registerBenchmarks()
{
    const fs::path workloads = sourceTop / "bench/workloads";
    const struct {
        const char* name;
        fs::path script;
        Step step;
    } cases[] = {
        {"w1/move-view", workloads / "w1.kp", Step::MoveView},
        {"w1/move-selected", workloads / "w1.kp", Step::MoveSelected},
        {"w1/scale-view", workloads / "w1.kp", Step::ScaleView},
        {"w1/rotate-view", workloads / "w1.kp", Step::RotateView},
        {"w1/wheel-view", workloads / "w1.kp", Step::WheelView},
        {"w3/rotate-3d", workloads / "w3.kp", Step::Rotate3D},
    };
    for (const auto& c : cases)
        benchmark::RegisterBenchmark(c.name, keyToPaint, c.script, c.step)
            ->Unit(benchmark::kMillisecond)
            ->MeasureProcessCPUTime()
            ->UseRealTime();
    std::vector<fs::path> scripts;
    for (const fs::directory_entry& entry : fs::directory_iterator(sourceTop / "examples/gallery"))
        if (entry.path().extension() == ".kp") scripts.push_back(entry.path());
    std::sort(scripts.begin(), scripts.end());
    for (const fs::path& script : scripts)
        benchmark::RegisterBenchmark(("gallery/" + script.stem().string()).c_str(), keyToPaint,
                                     script, Step::MoveView)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
}

} // namespace

int main(int argc, char** argv)
{
    desktop::keepLargeBuffersInHeap(); // as the desktop program does
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    registerBenchmarks();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
