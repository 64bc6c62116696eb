// The README's getting-started recipes, run exactly as written: every command succeeds without a
// warning under --strict and names what it wrote under --verbose, and every recipe script is
// shown in the README as it stands in its file.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace desktop {
namespace {

std::string readText(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// The README from "## Getting started" up to the next section.
std::string gettingStarted()
{
    const std::string readme =
        readText(std::filesystem::path(KELVO_EXAMPLES_DIR).parent_path() / "README.md");
    const std::size_t begin = readme.find("## Getting started\n");
    if (begin == std::string::npos) return {};
    return readme.substr(begin, readme.find("\n## ", begin + 1) - begin);
}

// The arguments of every "$ kelvoplot ..." line, in order.
std::vector<QStringList> commands(const std::string& section)
{
    std::vector<QStringList> found;
    std::istringstream lines(section);
    for (std::string line; std::getline(lines, line);) {
        if (!line.starts_with("$ kelvoplot ")) continue;
        found.push_back(QString::fromStdString(line.substr(12)).split(' ', Qt::SkipEmptyParts));
    }
    return found;
}

TEST(GettingStarted, RecipesRunAsWrittenWithoutWarnings)
{
    const std::string section = gettingStarted();
    const std::filesystem::path scripts =
        std::filesystem::path(KELVO_EXAMPLES_DIR) / "getting_started";
    for (const auto& entry : std::filesystem::directory_iterator(scripts))
        EXPECT_NE(section.find("```\n" + readText(entry.path()) + "```\n"), std::string::npos)
            << entry.path().filename() << " is not shown as it stands";

    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    std::filesystem::create_directory_symlink(KELVO_EXAMPLES_DIR,
                                              folder.filePath("examples").toStdString());
    const std::vector<QStringList> recipes = commands(section);
    ASSERT_EQ(recipes.size(), 7u);
    for (const QStringList& arguments : recipes) {
        QProcess program;
        program.setWorkingDirectory(folder.path());
        program.start(KELVOPLOT_BINARY, arguments + QStringList{"--strict", "--verbose"});
        ASSERT_TRUE(program.waitForFinished(60000));
        const QString written = arguments.at(arguments.indexOf("--export") + 1);
        const qint64 bytes = QFileInfo(folder.filePath(written)).size();
        const std::string errors = program.readAllStandardError().toStdString();
        EXPECT_EQ(program.exitCode(), 0) << errors;
        EXPECT_EQ(program.readAllStandardOutput(), "");
        EXPECT_TRUE(errors.starts_with("kelvoplot: wrote " + written.toStdString() + ": ") &&
                    errors.ends_with(", " + std::to_string(bytes) + " bytes\n"))
            << errors;
        EXPECT_GT(bytes, 0);
    }
}

} // namespace
} // namespace desktop
