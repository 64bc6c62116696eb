// Tests of the program's life: what ends it, what stays hidden, which figure is in front, and
// that the options are written at the end.
#include "desktop/app/desktop_app.h"

#include "desktop/figure_window/figure_window.h"
#include "qt_application.h"
#include "temporary_folder.h"

#include <gtest/gtest.h>

#include <QFile>

#include <fstream>

namespace desktop {
namespace {

struct ProgramRun {
    explicit ProgramRun(LaunchOptions launch)
        : app(launch, DesktopPaths{folder.file("vexa.xml"), {}})
    {
        QObject::connect(&app, &DesktopApp::quitRequested, [this] { ++quits; });
    }

    testing_support::TemporaryFolder folder;
    DesktopApp app;
    int quits = 0;
};

LaunchOptions documentLaunch(const std::string& path)
{
    return LaunchOptions{LaunchMode::Document, path, {}, {}};
}

TEST(DesktopApp, ClosingTheConsoleEndsTheProgramAndWritesTheOptions)
{
    testing_support::qtApplication();
    ProgramRun run(LaunchOptions{});
    std::string message;
    ASSERT_TRUE(run.app.start(message));
    EXPECT_TRUE(run.app.console().isVisible());
    run.app.console().enterLine("FIGURE 1 100 100");
    FigureWindow* window = run.app.host().windowOf(run.app.session().figures.at(0));
    ASSERT_TRUE(window && window->isVisible());
    run.app.console().runCommand(199); // Exit
    EXPECT_EQ(run.quits, 1);
    EXPECT_EQ(run.app.shutdown(), "");
    EXPECT_EQ(run.app.host().windowOf(run.app.session().figures.at(0)), nullptr);
    EXPECT_TRUE(QFile::exists(QString::fromStdString(run.folder.file("vexa.xml"))));
}

TEST(DesktopApp, InDocumentModeClosingAnyFigureEndsTheProgram)
{
    testing_support::qtApplication();
    ProgramRun run(documentLaunch(KELVO_EXAMPLES_DIR "/two_figures.vexxml"));
    std::string message;
    ASSERT_TRUE(run.app.start(message)) << message;
    EXPECT_FALSE(run.app.console().isVisible());
    ASSERT_EQ(run.app.session().figures.size(), 2u);
    FigureWindow* first = run.app.host().windowOf(run.app.session().figures.at(0));
    FigureWindow* second = run.app.host().windowOf(run.app.session().figures.at(1));
    EXPECT_TRUE(first->isVisible() && second->isVisible());
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), first) << "the first figure is in front";
    second->close();
    EXPECT_EQ(run.quits, 1);
}

TEST(DesktopApp, ADocumentWithNothingToShowEndsTheProgramAtOnce)
{
    testing_support::qtApplication();
    ProgramRun run(documentLaunch("missing.vexxml"));
    std::string message;
    EXPECT_FALSE(run.app.start(message));
    EXPECT_NE(message.find("missing.vexxml"), std::string::npos) << message;
}

TEST(DesktopApp, AMovieOpensInThePreviewWhichSaysWhenItCannotBeRead)
{
    testing_support::qtApplication();
    ProgramRun run(documentLaunch("movie.swf"));
    std::string message;
    EXPECT_TRUE(run.app.start(message)) << message;
    QWidget* preview = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && widget->windowTitle() == "SWF Preview") preview = widget;
    ASSERT_NE(preview, nullptr);
    preview->close();
}

TEST(DesktopApp, EmbeddingModeKeepsEverythingHidden)
{
    testing_support::qtApplication();
    ProgramRun run(LaunchOptions{LaunchMode::Embedding, {}, {}, {}});
    std::string message;
    ASSERT_TRUE(run.app.start(message));
    run.app.console().enterLine("FIGURE 2 100 100");
    EXPECT_FALSE(run.app.console().isVisible());
    EXPECT_FALSE(run.app.host().windowOf(run.app.session().figures.at(0))->isVisible());
}

} // namespace
} // namespace desktop
