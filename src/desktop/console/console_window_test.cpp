// Tests of the console window and the desktop host: typed lines, links and figure windows.
#include "desktop/console/console_window.h"

#include "desktop/app/desktop_host.h"
#include "desktop/figure_window/figure_window.h"
#include "qt_application.h"

#include <gtest/gtest.h>

namespace desktop {
namespace {

class ConsoleWindowTest : public ::testing::Test {
protected:
    ConsoleWindowTest() { host.attach(session, console); }

    QApplication& application = testing_support::qtApplication();
    DesktopHost host;
    lang::Session session{host};
    ConsoleWindow console{session};
};

TEST_F(ConsoleWindowTest, TypedLinesShowHelpAndCreateFigureWindows)
{
    console.enterLine("FIGURE");
    EXPECT_TRUE(console.outputText().contains("FIGURE: Creates or updates a figure."));
    EXPECT_TRUE(console.outputText().contains("Try now:\nFIGURE 1 500 500 0xFF00FF"));

    console.enterLine("FIGURE 2 300 200 0xFF0000FF");
    model::Figure* figure = session.figures.findFigure(2);
    ASSERT_NE(figure, nullptr);
    desktop::FigureWindow* window = host.windowOf(*figure);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), "Figure 2");
    EXPECT_EQ(window->clientSize(), QSize(300, 200));
    EXPECT_TRUE(window->isVisible());

    console.enterLine("cls");
    EXPECT_FALSE(console.outputText().contains("FIGURE:"));
    EXPECT_TRUE(console.outputText().contains("Help is not yet available"));
}

TEST_F(ConsoleWindowTest, ClosingAFigureWindowDestroysTheFigure)
{
    console.enterLine("FIGURE 3 120 80");
    desktop::FigureWindow* window = host.windowOf(*session.figures.findFigure(3));
    ASSERT_NE(window, nullptr);
    window->close();
    EXPECT_EQ(session.figures.findFigure(3), nullptr);
    console.enterLine("FIGURE 0");
    EXPECT_NE(session.figures.findFigure(1), nullptr); // the lowest free id again
}

TEST_F(ConsoleWindowTest, HiddenFiguresModeNeverShowsWindows)
{
    session.hiddenFigures = true;
    console.enterLine("FIGURE 4 100 100");
    desktop::FigureWindow* window = host.windowOf(*session.figures.findFigure(4));
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->clientSize(), QSize(100, 100));
}

} // namespace
} // namespace desktop
