// Tests of the batch runner as a user runs it: what an export writes on standard error.
#include "desktop/app/batch_runner.h"

#include "qt_gui_application.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace desktop {
namespace {

// Standard error of `kelvoplot --export OUT -e LINE...` run without XDG_RUNTIME_DIR.
QByteArray exportErrors(const QTemporaryDir& folder, const QStringList& lines)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("XDG_RUNTIME_DIR");
    QProcess program;
    program.setProcessEnvironment(environment);
    QStringList arguments{"--export", folder.filePath("out.png")};
    for (const QString& line : lines)
        arguments << "-e" << line;
    program.start(KELVOPLOT_BINARY, arguments);
    EXPECT_TRUE(program.waitForFinished(60000));
    EXPECT_EQ(program.exitCode(), 0);
    return program.readAllStandardError();
}

TEST(BatchRunner, LeavesOutOnlyTheRuntimeFolderWarning)
{
    testing_support::guiApplication();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    EXPECT_EQ(exportErrors(folder, {"FIGURE 1 40 30", "AXIS at(1) brush(solid,0) p4(0,4,1,1)"}),
              "");
    // What Qt says about a broken picture still reaches the user.
    QFile broken(folder.filePath("broken.png"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write(QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x10", 20));
    broken.close();
    const QString image = "IMAGE at(1) p2(0,0) n(\"" + broken.fileName() + "\")";
    EXPECT_NE(exportErrors(folder, {"FIGURE 1 40 30", image}), "");
}

struct ProgramRun {
    int exitCode = -1;
    QByteArray errors;
};

ProgramRun runProgram(const QStringList& arguments)
{
    QProcess program;
    program.start(KELVOPLOT_BINARY, arguments);
    EXPECT_TRUE(program.waitForFinished(60000));
    return {program.exitCode(), program.readAllStandardError()};
}

TEST(BatchRunner, ExportsMoviesAndRefusesRatesTheyCannotHold)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString movie = folder.filePath("out.swf");
    const QStringList figure = {"-e", "FIGURE 1 40 30", "-e", "RECTANGLE at(1,0,0,2) p4(0,0,9,9)"};

    const ProgramRun asked = runProgram(QStringList{"--export", movie, "--yes"} + figure);
    EXPECT_EQ(asked.exitCode, 0) << asked.errors.toStdString();
    EXPECT_EQ(asked.errors,
              "kelvoplot: Added required frames to SWF now? Yes (--yes answers Yes)\n");
    QFile written(movie);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    written.close();
    EXPECT_TRUE(bytes.startsWith("FWS\x06"));

    for (const char* rate : {"0", "256"}) {
        const ProgramRun refused =
            runProgram(QStringList{"--export", movie, "--fps", rate} + figure);
        EXPECT_EQ(refused.exitCode, 1);
        EXPECT_TRUE(
            refused.errors.contains(QByteArray("kelvoplot: SWF: a frame rate of ") + rate +
                                    " frames per second is outside the limit of 1 to 255\n"))
            << refused.errors.toStdString();
        ASSERT_TRUE(written.open(QIODevice::ReadOnly));
        EXPECT_EQ(written.readAll(), bytes) << "the movie that was there is kept";
        written.close();
    }
    EXPECT_EQ(runProgram({"--export", movie, "--fps", "fast"}).exitCode, 2);
}

} // namespace
} // namespace desktop
