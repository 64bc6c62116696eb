// Tests of font families, their stand-ins and the sans-serif fallback.
#include "desktop/qt/qt_font.h"

#include "qt_gui_application.h"

#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontInfo>

namespace render {
namespace {

TEST(QtFont, FindsStandInsForTheFamiliesCommandsNameMost)
{
    testing_support::guiApplication();
    const QtFontResolver fonts;
    const std::pair<std::string, QString> cases[] = {
        {"Arial", "Liberation Sans"},
        {"arial", "Liberation Sans"},
        {"Times New Roman", "Liberation Serif"},
        {"Courier New", "Liberation Mono"},
        {"Verdana", "DejaVu Sans"},
        {"Tahoma", "DejaVu Sans Condensed"},
        {"DejaVu Serif", "DejaVu Serif"}, // an installed family is itself
        {"NoSuchFamily", "Liberation Sans"},
        {"", "Liberation Sans"},
    };
    for (const auto& [family, expected] : cases) {
        const QString found = fonts.installedFamily(family);
        EXPECT_EQ(found.toStdString(), expected.toStdString()) << family;
        EXPECT_TRUE(QFontDatabase::families().contains(found)) << found.toStdString();
    }
    EXPECT_EQ(fonts.sansSerifFamily().toStdString(), "Liberation Sans");
}

TEST(QtFont, ResolvesSizeStyleAndUnitOrFallsBackToTheDefaultFont)
{
    testing_support::guiApplication();
    const QtFontResolver fonts;
    const QFont bold = fonts.resolve({"Arial", 12, fontBold | fontUnderline, 2}, 96);
    EXPECT_EQ(QFontInfo(bold).family().toStdString(), "Liberation Sans");
    EXPECT_DOUBLE_EQ(bold.pointSizeF(), 9.0); // 12 pixels at 96 dpi
    EXPECT_TRUE(bold.bold());
    EXPECT_TRUE(bold.underline());
    EXPECT_FALSE(bold.italic());

    EXPECT_DOUBLE_EQ(fonts.resolve({"Arial", 12, 0, 3}, 96).pointSizeF(), 12.0);
    EXPECT_DOUBLE_EQ(fonts.resolve({"Arial", 12, 0, 3}, 192).pointSizeF(), 6.0);
    EXPECT_TRUE(fonts.resolve({"Times New Roman", 12, fontItalic | fontStrikeout, 3}, 96).italic());

    // The default GUI font, and what refused sizes and units fall back to: sans-serif, 8 points.
    const Font refused[] = {{}, {"Arial", 12, 0, 1}, {"Arial", 12, 0, 9}, {"Arial", -3, 0, 3}};
    for (const Font& font : refused) {
        const QFont fallback = fonts.resolve(font, 96);
        EXPECT_EQ(fallback.family().toStdString(), "Liberation Sans") << font.unit;
        EXPECT_DOUBLE_EQ(fallback.pointSizeF(), 8.0) << font.unit;
        EXPECT_FALSE(fallback.bold());
    }
}

} // namespace
} // namespace render
