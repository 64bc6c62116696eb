// Tests of the figure window: its menu, keys and mouse, and a repaint that looks like the export.
#include "desktop/figure_window/figure_window.h"

#include "desktop/qt/qt_surface.h"
#include "lang/interpreter.h"
#include "qt_application.h"
#include "recording_host.h"
#include "render/draw_pass.h"

#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <cstdlib>

namespace desktop {
namespace {

class FigureWindowTest : public ::testing::Test {
protected:
    model::Figure& makeFigure(const std::vector<std::string>& lines)
    {
        for (const std::string& line : lines)
            lang::executeCommand(session, line);
        return session.figures.at(0);
    }
    void press(FigureWindow& window, Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        QKeyEvent event(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(&window, &event);
    }
    void mouse(FigureWindow& window, QEvent::Type type, Qt::MouseButton button, QPoint at)
    {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
        QMouseEvent event(type, QPointF(at), window.canvas()->mapToGlobal(QPointF(at)),
                          type == QEvent::MouseMove ? Qt::NoButton : button, held, {});
        QApplication::sendEvent(window.canvas(), &event);
    }

    // A 500 x 500 figure of the wave of workload w1, sampled every `step` (0.0000091 gives
    // 1,000,000 samples).
    model::Figure& makeWave(const char* step)
    {
        return makeFigure({
            "FIGURE 1 500 500",
            "AXIS at(1) pen(1) brush(solid,0) p4(-0.1,9,1,1) p4(-1.2,1.2,0.5,2)",
            std::string(R"kp(FUNCTION at(1,0,1) n("sin(4*pi*x)") p2(-0.1,9) p1()kp") + step +
                ") pen(2,0xFF8000C0)",
        });
    }
    static QImage grab(FigureWindow& window)
    {
        return window.canvas()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
    // Lets the window run until the steps count as over, and its exact pictures are drawn.
    static void settle(FigureWindow& window)
    {
        QElapsedTimer waited;
        waited.start();
        while (window.isInteracting() && waited.elapsed() < 5000)
            QApplication::processEvents();
    }

    QApplication& application = testing_support::qtApplication();
    testing_support::RecordingHost host;
    lang::Session session{host};
};

// The largest difference of a colour channel, and how many pixels differ by more than `levels`.
std::pair<int, int> difference(const QImage& a, const QImage& b, int levels)
{
    int largest = 0, over = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            const int d = std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                    std::abs(qBlue(p) - qBlue(q))});
            largest = std::max(largest, d);
            if (d > levels) ++over;
        }
    return {largest, over};
}

QImage exported(model::Figure& figure)
{
    QImage image(figure.clientWidth, figure.clientHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    render::QtSurface surface(painter);
    render::DrawFigure(figure, surface);
    return image;
}

TEST_F(FigureWindowTest, RepaintOfAMillionSamplesLooksLikeTheExport)
{
    model::Figure& figure = makeWave("0.0000091");
    FigureWindow window(session, figure, MenuPresence::WithMenu);
    window.place(true);
    grab(window); // the window is on screen before the first key
    // Each step is followed at once by a repaint, while the steps count as going on, and
    // compared with the export of the figure as it then stands: every step shows the export's
    // pixels at once.
    const struct {
        const char* what;
        std::int32_t tool;   // the tool command
        std::int32_t select; // a Select command first, or 0
        Qt::Key key;         // Key_unknown: a turn of the mouse wheel
        Qt::KeyboardModifiers modifiers;
    } steps[] = {
        {"view right", 1701, 0, Qt::Key_Right, {}},
        {"view left, small step", 1701, 0, Qt::Key_Left, Qt::ControlModifier},
        {"view down, one pixel", 1701, 0, Qt::Key_Down, Qt::ShiftModifier},
        {"view scaled", 1707, 0, Qt::Key_Plus, Qt::KeypadModifier},
        {"view scaled, then moved", 1701, 0, Qt::Key_Up, {}},
        {"view turned", 1704, 0, Qt::Key_Left, {}},
        {"wheel turned", 1701, 0, Qt::Key_unknown, {}},
        {"function moved", 1701, 31002, Qt::Key_Left, {}},
    };
    for (const auto& step : steps) {
        window.runCommand(step.tool, 0, {});
        if (step.select != 0) window.runCommand(step.select, 0, {});
        if (step.key == Qt::Key_unknown) {
            const QPointF at(180, 220);
            QWheelEvent turn(at, window.canvas()->mapToGlobal(at), {}, {0, 120}, Qt::NoButton,
                             Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(window.canvas(), &turn);
        } else {
            press(window, step.key, step.modifiers);
        }
        EXPECT_TRUE(window.isInteracting()) << step.what;
        const auto [largest, over] = difference(grab(window), exported(figure), 3);
        EXPECT_LE(largest, 3) << step.what;
        EXPECT_EQ(over, 0) << step.what << ": pixels more than 3 levels off";
        settle(window);
        const auto [largestSettled, overSettled] = difference(grab(window), exported(figure), 1);
        EXPECT_LE(largestSettled, 1) << step.what;
    }
    EXPECT_NE(figure.viewTransform.dx, 0.0f);
}

TEST_F(FigureWindowTest, ScaleOfALongerLineShowsFewerPointsUntilTheStepsStop)
{
    // 1,625,000 samples: more than a step covers exactly at once. The scaled line is drawn with
    // fewer points, which differ from the export where it sums the coverage of many overlapping
    // segments, at the tips of the waves, and nowhere much; the exact picture follows.
    model::Figure& figure = makeWave("0.0000056");
    FigureWindow window(session, figure, MenuPresence::WithMenu);
    window.place(true);
    grab(window);
    window.runCommand(1707, 0, {});
    press(window, Qt::Key_Plus, Qt::KeypadModifier);
    ASSERT_TRUE(window.isInteracting());
    const QImage exportedNow = exported(figure);
    EXPECT_LE(difference(grab(window), exportedNow, 32).second, 4000)
        << "of 250000 pixels, more than 32 levels off";
    settle(window);
    EXPECT_LE(difference(grab(window), exportedNow, 1).first, 1);
}

TEST_F(FigureWindowTest, MenuIsBuiltUnlessShiftWasHeld)
{
    model::Figure& figure = makeFigure({"FIGURE 1 300 200", "TEXT at(1) n(a) p2(1,1)"});
    FigureWindow plain(session, figure, MenuPresence::WithoutMenu);
    EXPECT_EQ(plain.menuBar(), nullptr);
    FigureWindow window(session, figure, MenuPresence::WithMenu);
    window.place(false);
    EXPECT_EQ(window.clientSize(), QSize(300, 200));
    QStringList titles;
    for (QAction* action : window.menuBar()->actions())
        titles << action->text();
    EXPECT_EQ(titles.join('|').toStdString(),
              "&File|Insert|&Edit|Se&lect|&Tools 2D|&Tools 3D|&Tools|Frame");
    press(window, Qt::Key_F2); // toggles only selected objects: none
    window.runCommand(31001, 0, {});
    press(window, Qt::Key_F2);
    EXPECT_TRUE(figure.objects[0].hidden);
    window.runCommand(1708, 0, {});
    titles.clear();
    for (QAction* action : window.menuBar()->actions())
        titles << action->text();
    EXPECT_TRUE(titles.contains("&Scale 3D"));
}

TEST_F(FigureWindowTest, KeysClicksAndDragsDriveTheTools)
{
    model::Figure& figure = makeFigure({"FIGURE 1 500 300", "RECTANGLE at(1) p4(10,10,50,50)"});
    FigureWindow window(session, figure, MenuPresence::WithMenu);
    window.place(true);
    std::vector<std::int32_t> forwarded;
    QObject::connect(&window, &FigureWindow::commandForwarded,
                     [&](FigureWindow*, std::int32_t id) { forwarded.push_back(id); });

    press(window, Qt::Key_Right); // the cross has no steps
    EXPECT_TRUE(figure.viewTransform.isIdentity());
    window.runCommand(1701, 0, {});
    press(window, Qt::Key_Right);
    press(window, Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(figure.viewTransform, (model::Matrix2D{1, 0, 0, 1, 50, 5}));
    mouse(window, QEvent::MouseButtonPress, Qt::LeftButton, {100, 100});
    mouse(window, QEvent::MouseMove, Qt::LeftButton, {93, 97});
    mouse(window, QEvent::MouseButtonRelease, Qt::LeftButton, {93, 97});
    EXPECT_EQ(figure.viewTransform, (model::Matrix2D{1, 0, 0, 1, 43, 2}));

    window.runCommand(1707, 0, {}); // Scale 2D: a left click zooms in
    mouse(window, QEvent::MouseButtonPress, Qt::LeftButton, {10, 10});
    EXPECT_FLOAT_EQ(figure.viewTransform.m11, 1.5f);
    EXPECT_EQ(window.canvas()->cursor().shape(), Qt::BitmapCursor);

    press(window, Qt::Key_S, Qt::ControlModifier);
    window.runCommand(301, 0, {});
    EXPECT_EQ(forwarded, (std::vector<std::int32_t>{103, 301}));
}

// Random keys, clicks, drags, wheel turns and menu commands on the window of every gallery
// figure, painted as it goes; the core monkey (figure_monkey_test) runs longer without windows.
TEST_F(FigureWindowTest, SurvivesRandomUseOfEveryGalleryFigure)
{
    std::vector<std::filesystem::path> scripts;
    for (const auto& entry : std::filesystem::directory_iterator(KELVO_EXAMPLES_DIR "/gallery"))
        if (entry.path().extension() == ".kp") scripts.push_back(entry.path());
    std::sort(scripts.begin(), scripts.end());
    std::mt19937 random(15);
    const auto pick = [&](int count) {
        return std::uniform_int_distribution<int>(0, count - 1)(random);
    };
    const Qt::Key keys[] = {Qt::Key_Left,   Qt::Key_Right, Qt::Key_Up, Qt::Key_Down,
                            Qt::Key_Period, Qt::Key_Comma, Qt::Key_F2, Qt::Key_F7,
                            Qt::Key_Delete, Qt::Key_X,     Qt::Key_V,  Qt::Key_F12,
                            Qt::Key_Greater};
    const Qt::KeyboardModifiers modifiers[] = {Qt::NoModifier, Qt::ControlModifier,
                                               Qt::ShiftModifier, Qt::KeypadModifier};
    const std::span<const figure::MenuCommand> table = figure::figureCommands();
    for (const auto& script : scripts) {
        testing_support::RecordingHost scriptHost;
        lang::Session scriptSession{scriptHost};
        std::ifstream file(script);
        for (std::string line; std::getline(file, line);)
            lang::executeCommand(scriptSession, line);
        model::Figure& figure = scriptSession.figures.at(0);
        FigureWindow window(scriptSession, figure, MenuPresence::WithMenu);
        window.place(true);
        for (int i = 0; i < 60; ++i) {
            const QPoint at(pick(figure.clientWidth), pick(figure.clientHeight));
            switch (pick(5)) {
            case 0:
                press(window, keys[pick(std::size(keys))], modifiers[pick(4)]);
                break;
            case 1:
                mouse(window, QEvent::MouseButtonPress, pick(4) ? Qt::LeftButton : Qt::RightButton,
                      at);
                mouse(window, QEvent::MouseMove, Qt::LeftButton,
                      at + QPoint(pick(21) - 10, pick(21) - 10));
                mouse(window, QEvent::MouseButtonRelease, Qt::LeftButton, at);
                break;
            case 2: {
                QWheelEvent wheel(QPointF(at), window.canvas()->mapToGlobal(QPointF(at)), {},
                                  QPoint(0, pick(2) ? 120 : -120), Qt::NoButton, {},
                                  Qt::NoScrollPhase, false);
                QApplication::sendEvent(window.canvas(), &wheel);
                break;
            }
            case 3: {
                const std::int32_t id =
                    table[static_cast<std::size_t>(pick(static_cast<int>(table.size())))].id;
                if (id != figure::commands::StartRecording && id != figure::commands::InsertFrames)
                    window.runCommand(id, 0, {});
                break;
            }
            default:
                window.runCommand(31001 + pick(8), 0, {});
                break;
            }
            if (i % 15 == 0) window.canvas()->repaint();
        }
        QApplication::processEvents();
        window.canvas()->repaint();
    }
}

} // namespace
} // namespace desktop
