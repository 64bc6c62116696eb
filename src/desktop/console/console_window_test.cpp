// Tests of the console window and the desktop host: typed lines, links and figure windows.
#include "desktop/console/console_window.h"

#include "desktop/app/desktop_host.h"
#include "desktop/app/options.h"
#include "desktop/console/console_commands.h"
#include "desktop/figure_window/figure_window.h"
#include "qt_application.h"
#include "temporary_folder.h"

#include <QIcon>
#include <QMenuBar>
#include <QTextBrowser>
#include <QToolBar>

#include <gtest/gtest.h>

namespace desktop {
namespace {

class ConsoleWindowTest : public ::testing::Test {
protected:
    ConsoleWindowTest() { host.attach(session, console); }

    QApplication& application = testing_support::qtApplication();
    testing_support::TemporaryFolder folder;
    Options options{folder.file("vexa.xml")};
    DesktopHost host;
    lang::Session session{host};
    ConsoleWindow console{session, options};
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

TEST_F(ConsoleWindowTest, MenusAndToolbarComeFromTheCommandTable)
{
    QStringList menus;
    for (QAction* menu : console.menuBar()->actions())
        menus << menu->text();
    EXPECT_EQ(menus, QStringList({"&File", "Fi&gure", "&Tools", "&Help"}));
    const std::vector<std::pair<int, QString>> shortcuts = {
        {101, "Ctrl+O"}, {201, "Ctrl+N"}, {202, "Ctrl+Shift+N"}, {203, "Ctrl+L"},
        {801, "F11"},    {891, "F1"},     {199, "Alt+F4"},
    };
    for (const auto& [id, keys] : shortcuts)
        EXPECT_EQ(console.action(id)->shortcut(), QKeySequence(keys)) << id;
    QStringList buttons;
    for (QAction* action : console.findChild<QToolBar*>()->actions())
        buttons << (action->isSeparator() ? QStringLiteral("|") : action->text());
    EXPECT_EQ(buttons, QStringList({"Open file", "|", "New Figure (Default)", "New Figure ..."}));
    EXPECT_EQ(console.action(command::clearHistory)->associatedObjects().size(), 1)
        << "711 has no menu item";
    for (const char* icon : {"kelvoplot", "kelvoplot-figure", "kelvoplot-preview",
                             "application-x-kelvoplot", "open", "new-figure-default", "new-figure"}) {
        const QImage picture =
            QIcon(QStringLiteral(":/icons/%1.svg").arg(icon)).pixmap(32, 32).toImage();
        EXPECT_FALSE(picture.isNull()) << icon;
        EXPECT_NE(picture.pixel(16, 16), picture.pixel(0, 0)) << icon << " draws something";
    }
}

TEST_F(ConsoleWindowTest, ForegroundColourRecoloursTextShownAndNotLaterHelp)
{
    console.enterLine("FIGURE");
    console.setConsoleForeground(QColor(0, 128, 0));
    const auto colourAt = [&](const QString& text) {
        QTextCursor cursor = console.findChild<QTextBrowser*>()->document()->find(text);
        return cursor.charFormat().foreground().color();
    };
    EXPECT_EQ(colourAt("Creates or updates"), QColor(0, 128, 0));
    QFont chosen(QStringLiteral("Liberation Mono"), 12);
    chosen.setStyleName(QStringLiteral("Regular")); // as the font dialog gives it
    console.setConsoleFont(chosen);
    console.enterLine("AT");
    EXPECT_EQ(colourAt("Figure ID"), QColor(Qt::black));
    QTextCursor title = console.findChild<QTextBrowser*>()->document()->find("Creates or updates");
    EXPECT_EQ(QFontInfo(title.charFormat().font()).weight(), QFont::Bold)
        << "the font keeps the markup's bold";
    EXPECT_EQ(QFontInfo(title.charFormat().font()).family(), QStringLiteral("Liberation Mono"));
}

TEST_F(ConsoleWindowTest, NewDefaultFigureTakesTheLowestFreeId)
{
    console.enterLine("FIGURE 2");
    console.runCommand(command::newDefaultFigure);
    console.runCommand(command::newDefaultFigure);
    ASSERT_EQ(session.figures.size(), 3u);
    EXPECT_EQ(session.figures.at(1).id, 1u);
    EXPECT_EQ(session.figures.at(2).id, 3u);
    EXPECT_FALSE(console.runCommand(7701)) << "Insert Direct3D has no handler";
}

} // namespace
} // namespace desktop
