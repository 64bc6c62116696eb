// Tests of the export format table.
#include "io/export_formats.h"

#include <gtest/gtest.h>

namespace io {
namespace {

TEST(ExportFormats, FindsTheFormatByTheLastExtensionInAnyCase)
{
    const std::pair<std::string, std::optional<ExportFormat>> cases[] = {
        {"plot.PNG", ExportFormat::Png},
        {"a.b/plot.jpeg", ExportFormat::Jpeg},
        {"plot.svg", ExportFormat::Svg},
        {"x.tar.pdf", ExportFormat::Pdf},
        {"m.Swf", ExportFormat::Swf},
        {"doc.vexxml", ExportFormat::Vexxml},
        {"plot.emf", ExportFormat::Emf},
        {"plot.tif", std::nullopt},
        {"plot", std::nullopt},
        {"plot.png.", std::nullopt},
        {"folder.png/plot", std::nullopt},
    };
    for (const auto& [path, expected] : cases) {
        const std::optional<ExportFormatRow> row = exportFormatForPath(path);
        EXPECT_EQ(row ? std::optional(row->format) : std::nullopt, expected) << path;
    }
    EXPECT_EQ(writtenExtensions(), "png jpg jpeg bmp gif webp svg pdf swf vexxml");
    EXPECT_EQ(exportFormatRow(ExportFormat::Jpeg).extension, "jpg");
    EXPECT_EQ(exportFormatRow(ExportFormat::Svg).mimeType, "image/svg+xml");
}

TEST(ExportFormats, SaveImageFindsItsEncoderByTheUsualExtensionOnly)
{
    const std::pair<std::string, std::optional<std::string_view>> cases[] = {
        {"plot.PNG", "image/png"}, {"plot.jpg", "image/jpeg"},  {"a.b/plot.Bmp", "image/bmp"},
        {"x.gif", "image/gif"},    {"x.emf", "image/emf"},      {"plot.tif", std::nullopt},
        {"plot", std::nullopt},    {"plot.jpeg", std::nullopt}, {"plot.svg", std::nullopt},
    };
    for (const auto& [name, expected] : cases)
        EXPECT_EQ(EncoderForFile(name), expected) << name;
}

} // namespace
} // namespace io
