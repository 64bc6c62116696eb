// Tests of the options file: defaults, the round trip through the file, and damaged files.
#include "desktop/app/options.h"

#include "qt_application.h"
#include "temporary_folder.h"

#include <gtest/gtest.h>

#include <QFile>

#include <fstream>

namespace desktop {
namespace {

void writeFile(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

TEST(Options, ChangesSurviveARestartAndDeletingTheFileBringsTheDefaults)
{
    testing_support::qtApplication();
    testing_support::TemporaryFolder folder;
    const std::string path = folder.file("config/vexa.xml");
    const QFont fallback(QStringLiteral("DejaVu Sans"), 9);
    QFont font(QStringLiteral("DejaVu Serif"), 14);
    font.setBold(true);
    {
        Options options(path);
        EXPECT_EQ(options.loadMessage(), "");
        EXPECT_EQ(options.consoleBackground(), QColor(Qt::white));
        EXPECT_EQ(options.consoleForeground(), QColor(Qt::black));
        EXPECT_EQ(options.consoleFont(fallback), fallback);
        EXPECT_EQ(options.setConsoleFont(font), "");
        EXPECT_EQ(options.setConsoleBackground(QColor(10, 20, 30, 200)), "");
        EXPECT_EQ(options.setConsoleForeground(QColor(255, 0, 0)), "");
        EXPECT_EQ(options.save(), "");
    }
    {
        Options options(path);
        EXPECT_EQ(options.consoleFont(fallback), font);
        EXPECT_EQ(options.consoleBackground(), QColor(10, 20, 30, 200));
        EXPECT_EQ(options.consoleForeground(), QColor(255, 0, 0));
    }
    std::ifstream stored(path);
    const std::string text((std::istreambuf_iterator<char>(stored)), {});
    EXPECT_NE(text.find("<Appearance"), std::string::npos) << text;
    EXPECT_NE(text.find("fg=\"255\""), std::string::npos) << text;          // red in the low byte
    EXPECT_NE(text.find("bg=\"924718090\""), std::string::npos) << text;    // 0x371E140A

    QFile::remove(QString::fromStdString(path));
    Options defaults(path);
    EXPECT_EQ(defaults.consoleForeground(), QColor(Qt::black));
    EXPECT_EQ(defaults.consoleFont(fallback), fallback);
}

TEST(Options, ADamagedFileGivesTheDefaultsAMessageAndIsKept)
{
    testing_support::qtApplication();
    const std::vector<std::string> damaged = {
        "not xml at all",
        "<?xml version=\"1.0\"?>\n<root><Options><Appearance fg=\"255\"></Options>",
        std::string("\xFF\xFE\x41", 3),
    };
    for (const std::string& contents : damaged) {
        testing_support::TemporaryFolder folder;
        const std::string path = folder.file("vexa.xml");
        writeFile(path, contents);
        Options options(path);
        EXPECT_NE(options.loadMessage().find("the default options are used, and the file was kept "
                                             "as " + path + ".damaged"),
                  std::string::npos)
            << options.loadMessage();
        EXPECT_EQ(options.consoleForeground(), QColor(Qt::black));
        EXPECT_EQ(options.setConsoleForeground(QColor(0, 0, 255)), "");
        std::ifstream kept(path + ".damaged", std::ios::binary);
        EXPECT_EQ(std::string((std::istreambuf_iterator<char>(kept)), {}), contents);
        EXPECT_EQ(Options(path).consoleForeground(), QColor(0, 0, 255));
    }
}

} // namespace
} // namespace desktop
