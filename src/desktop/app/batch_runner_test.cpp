// Tests of the batch runner as a user runs it: what an export writes on standard error.
#include "desktop/app/batch_runner.h"

#include "lang/help_texts.h"
#include "lang/markup.h"
#include "qt_gui_application.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <sstream>

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
    EXPECT_EQ(exportErrors(folder,
                           {"FIGURE 1 40 30", "AXIS at(1) brush(solid,0) p4(0,4,1,1) p4(0,3,1,1)"}),
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

TEST(BatchRunner, RefusesInputsThatAreNotReadableFiles)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    ASSERT_TRUE(QDir(folder.path()).mkdir("folder.vexxml"));
    const std::pair<QString, QString> cases[] = {
        {folder.path(), "it is a folder"},
        {folder.filePath("folder.vexxml"), "it is a folder"},
        {"/dev/null", "it is a device"},
        {folder.filePath("missing.kp"), "No such file or directory"},
    };
    for (const auto& [input, reason] : cases) {
        const ProgramRun run = runProgram({"--batch", input});
        EXPECT_EQ(run.exitCode, 1) << input.toStdString();
        EXPECT_EQ(run.errors, "kelvoplot: " + input + ": cannot be read: " + reason + "\n");
    }
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

struct BatchRun {
    int status = -1;
    std::string output, errors;
};

BatchRun runLines(BatchOptions options)
{
    std::istringstream noInput;
    std::ostringstream output, errors;
    const int status = runBatch(options, noInput, output, errors);
    return {status, output.str(), errors.str()};
}

std::string console(std::string_view markup)
{
    return lang::plainText(lang::renderMarkup(markup));
}

TEST(BatchRunner, WarnsAboutWrongLinesOnStandardErrorAndFailsThemUnderStrict)
{
    const std::string notAvailable = console(lang::notAvailableMessage);
    struct Row {
        std::string line;
        std::string output;  // what the console prints for the line
        std::string warning; // on standard error; empty for none
    };
    const Row rows[] = {
        {"FUNCTON at(1,0,1) n(\"x\") p2(0,1) p1(0.1)", notAvailable,
         "-e:3: warning: unknown command 'FUNCTON'; did you mean FUNCTION?\n"},
        {"FUNCTION at(1,0,1) n(\"x\") p2(0,1) p1(0.1) pne(2)", "",
         "unknown sub-object 'pne'; did you mean PEN?"},
        {"RECTANGLE at(1) p4(0,0,ten,10)", "", "p4: 'ten' is not a number; it reads as 0"},
        {"RECTANGLE at(1) p4(0,0,9,9) brush(solid,#0000FF)", "",
         "'#0000FF' is not a colour (hexadecimal numbers are written 0x0000FF); it reads as 0 "
         "(brush colours are written 0xTTBBGGRR"},
        {"FUNCTION at(1,0,1) n(\"sin(x\") p2(0,1) p1(0.1)", "", "a '(' in 'sin(x' has no ')'"},
        {"TEXT at(1) p2(0,0) n(\"it's\")", "", "an odd number of quote characters"},
        {"FUNCTION at(1,0,1) n(\"abs(x)\") p2(0,1) p1(0.1)", "",
         "'abs' is not a name the evaluator knows"},
        {"RECTANGLE at(1,0,2) p4(0,0,1,1)", "",
         "AT names axis 2, but figure 1 has 1 axis system before this line"},
        {"RECTANGLE at(1,3) p4(0,0,1,1)", "", "AT names layer 3, but figure 1 has 0 layers"},
        {"RECTANGLE at(7) p4(0,0,1,1)", notAvailable, "AT names figure 7, which does not exist"},
        {"FUNCTION at(1,0,1) n(\"x\") p2(0,1)", "", "FUNCTION needs P1 (the spacing of x)"},
        {"FUNCTION n(\"x\") p2(0,1) p1(0.1)", console(*lang::findHelpText("FUNCTION")),
         "FUNCTION needs AT(figure,[layer],[axis],[frame]), so the line was not run"},
        {"LAYER 1 0 0 50", notAvailable, "LAYER needs 5 values (LAYER fid x y w h)"},
        {"FIGURE 1 500 500 0xFFFFFF OWN2D", "", "OWN2D as the sixth value is ignored"},
        {"FRAMES 1 4000000000 1 0", "",
         "-e:3: FRAMES: 4000000000 frames is more than the limit of 100000\n"},
        {"FUNCTION at(1,0,1) n(\"sin(4*pi*x)+log10(2)*sinx\") p2(0,1) p1(0.1) pen(2,0xFF0000)", "",
         ""},
        {"# it's a comment", "", ""},
    };
    for (const Row& row : rows) {
        BatchOptions options;
        options.lines = {"FIGURE 1 500 400", "AXIS at(1) brush(solid,0) p4(0,4,1,1) p4(0,4,1,1)",
                         row.line};
        const BatchRun run = runLines(options);
        EXPECT_EQ(run.status, 0) << row.line;
        EXPECT_EQ(run.output, row.output) << row.line;
        if (row.warning.empty())
            EXPECT_EQ(run.errors, "") << row.line;
        else
            EXPECT_NE(run.errors.find(row.warning), std::string::npos) << row.line << "\n"
                                                                       << run.errors;
        options.strict = true;
        EXPECT_EQ(runLines(options).status, row.warning.empty() ? 0 : 3) << row.line;
    }
}

TEST(BatchRunner, WarnsAboutObjectsAMovieLeavesOut)
{
    testing_support::guiApplication();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const std::string movie = folder.filePath("out.swf").toStdString();
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"RECTANGLE at(1,0,0,5) p4(0,0,9,9)"},
         movie + ": warning: figure 1 has one frame, but its objects name frames up to 5; the "
                 "question \"Added required frames to SWF now?\" was answered No"},
        {{"FRAMES 1 2 40 0", "RECTANGLE at(1,0,0,2) p4(0,0,9,9)"},
         movie + ": warning: frame 2 starts at movie frame 2, where the movie ends, so what 1 "
                 "object draws in it is never seen; a frame after it shows it, as in FRAME 1 40 0"},
        {{"FRAMES 1 3 40 0", "RECTANGLE at(1,0,0,2) p4(0,0,9,9)"}, ""},
    };
    for (const auto& [lines, warning] : cases) {
        BatchOptions options;
        options.lines = {"FIGURE 1 50 40"};
        options.lines.insert(options.lines.end(), lines.begin(), lines.end());
        options.exportPath = movie;
        options.strict = true;
        const BatchRun run = runLines(options);
        EXPECT_EQ(run.status, warning.empty() ? 0 : 3) << run.errors;
        EXPECT_EQ(warning.empty(), run.errors.find("warning") == std::string::npos) << run.errors;
        EXPECT_NE(run.errors.find(warning), std::string::npos) << run.errors;
    }
}

TEST(BatchRunner, LoadsNoWidgetsAndHandsTheWindowsToTheDesktopProgram)
{
    QProcess loader;
    loader.start("ldd", {KELVOPLOT_BINARY});
    ASSERT_TRUE(loader.waitForFinished(60000));
    const QByteArray libraries = loader.readAllStandardOutput();
    EXPECT_TRUE(libraries.contains("libQt6Gui")) << libraries.toStdString();
    EXPECT_FALSE(libraries.contains("libQt6Widgets")) << libraries.toStdString();

    // The desktop program beside it exists and runs the windows only.
    const QString desktopProgram =
        QFileInfo(KELVOPLOT_BINARY).dir().filePath("kelvoplot-desktop");
    QProcess desktop;
    desktop.start(desktopProgram, {"--version"});
    ASSERT_TRUE(desktop.waitForFinished(60000));
    EXPECT_EQ(desktop.exitCode(), 2);
    EXPECT_TRUE(desktop.readAllStandardError().contains("run kelvoplot for batch mode"));
}

} // namespace
} // namespace desktop
