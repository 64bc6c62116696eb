// Tests of remembered font answers: SVG documents written from them are the same bytes as those
// measured anew, and a stale, damaged or unwritable file costs only the time of measuring again.
#include "desktop/qt/font_answers.h"

#include "desktop/qt/qt_image_export.h"
#include "lang/interpreter.h"
#include "qt_gui_application.h"
#include "recording_host.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

namespace desktop {
namespace {

namespace fs = std::filesystem;

// Text of every kind the SVG surface measures: axis labels, wrapped and clipped lines, a family
// with a stand-in, an unknown family, styles and the default font.
const std::vector<std::string> textFigure = {
    "FIGURE 1 300 200",
    "AXIS at(1) pen(1) brush(solid,0) p4(-0.1,9,1,1) p4(-1.2,1.2,0.5,2)",
    "TEXT at(1) p4(10,10,80,60) n(\"Words that wrap in a narrow box\") font(Arial,11,1)",
    "TEXT at(1) p2(120,40) n(\"Serif stand-in\") font(\"Times New Roman\",12,2)",
    "TEXT at(1) p2(120,90) n(\"No such family\") font(\"Nonexistent Family 7\",9,12)",
    "TEXT at(1) p2(20,150) n(\"Default\")",
};

class FontAnswersTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testing_support::guiApplication();
        ASSERT_TRUE(directory.isValid());
        for (const std::string& line : textFigure)
            lang::executeCommand(session, line);
        ASSERT_EQ(host.takeOutput(), "");
    }

    // The document written with answers from `file`, and how many answers it had to compute.
    std::pair<std::string, std::size_t> exported(const fs::path& file, bool* saved = nullptr)
    {
        FontAnswers answers(file);
        std::string svg = render::renderFigureSvg(*session.figures.findFigure(1), &answers);
        const bool written = answers.save();
        if (saved) *saved = written;
        return {std::move(svg), answers.addedCount()};
    }

    std::string measuredAnew() { return render::renderFigureSvg(*session.figures.findFigure(1)); }

    fs::path file() const { return fs::path(directory.path().toStdString()) / "answers"; }

    QTemporaryDir directory;
    testing_support::RecordingHost host;
    lang::Session session{host};
};

std::string contents(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void overwrite(const fs::path& file, const std::string& text)
{
    std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
}

TEST_F(FontAnswersTest, WritesTheSameSvgFromRememberedAnswersAsFromTheFonts)
{
    const std::string expected = measuredAnew();
    ASSERT_NE(expected.find("font-family=\"Liberation Serif\""), std::string::npos);
    const auto [first, computed] = exported(file());
    EXPECT_EQ(first, expected);
    EXPECT_GT(computed, 5u);
    const auto [second, computedAgain] = exported(file());
    EXPECT_EQ(second, expected);
    EXPECT_EQ(computedAgain, 0u);
}

TEST_F(FontAnswersTest, MeasuresAgainWhenTheFileIsStaleOrDamaged)
{
    const std::string expected = measuredAnew();
    const fs::path config = fs::path(directory.path().toStdString()) / "config";
    const struct {
        const char* name;
        std::function<void()> damage;
        std::function<void()> undo;
    } cases[] = {
        {"cut short",
         [&] {
             const std::string text = contents(file());
             overwrite(file(), text.substr(0, text.size() / 2));
         },
         [] {}},
        {"a byte changed",
         [&] {
             std::string text = contents(file());
             text[text.size() - 3] ^= 1;
             overwrite(file(), text);
         },
         [] {}},
        {"not an answers file", [&] { overwrite(file(), "<svg/>\n"); }, [] {}},
        {"empty", [&] { overwrite(file(), ""); }, [] {}},
        {"a variable that steers fonts set",
         [] { qputenv("FONTCONFIG_TEST_STAMP", "1"); },
         [] { qunsetenv("FONTCONFIG_TEST_STAMP"); }},
        {"a user configuration added",
         [&] {
             qputenv("XDG_CONFIG_HOME", config.string().c_str());
             exported(file()); // stamps the user's configuration folder as missing
             fs::create_directories(config / "fontconfig");
         },
         [&] {
             qunsetenv("XDG_CONFIG_HOME");
             fs::remove_all(config);
         }},
    };
    for (const auto& c : cases) {
        exported(file());
        c.damage();
        const auto [svg, computed] = exported(file());
        EXPECT_EQ(svg, expected) << c.name;
        EXPECT_GT(computed, 0u) << c.name;
        const auto [again, computedAgain] = exported(file());
        EXPECT_EQ(again, expected) << c.name;
        EXPECT_EQ(computedAgain, 0u) << c.name << ": the file was not written anew";
        c.undo();
    }
}

TEST_F(FontAnswersTest, ExportsWhenTheFileCannotBeWritten)
{
    const fs::path blocker = fs::path(directory.path().toStdString()) / "not-a-folder";
    overwrite(blocker, "a file where the folder would be");
    bool saved = true;
    const auto [svg, computed] = exported(blocker / "answers", &saved);
    EXPECT_FALSE(saved);
    EXPECT_EQ(svg, measuredAnew());
    EXPECT_GT(computed, 0u);
    FontAnswers nowhere(std::nullopt);
    nowhere.remember("question", "answer");
    EXPECT_FALSE(nowhere.save());
}

} // namespace
} // namespace desktop
