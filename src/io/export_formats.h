// The one table of the formats a figure can be written in: file extension, format and MIME type.
// The batch --export, the save dialogs and the clipboard all read it.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace io {

enum class ExportFormat { Png, Jpeg, Bmp, Gif, Svg, Pdf, Swf, Vexxml, Emf };

// What kind of file a format makes.
enum class FormatKind {
    Picture,  // drawn into pixels
    Vector,   // drawn as vector commands (SVG, PDF)
    Movie,    // the figure's frames as a Flash movie
    Document, // the figure's command text
    Unwritten // known by name, not written on this platform
};

struct ExportFormatRow {
    std::string_view extension; // lower case, without the dot
    ExportFormat format;
    std::string_view mimeType;
    FormatKind kind;
};

// In the order the extensions are offered; a format with two extensions has its usual one first.
inline constexpr std::array<ExportFormatRow, 10> exportFormats = {{
    {"png", ExportFormat::Png, "image/png", FormatKind::Picture},
    {"jpg", ExportFormat::Jpeg, "image/jpeg", FormatKind::Picture},
    {"jpeg", ExportFormat::Jpeg, "image/jpeg", FormatKind::Picture},
    {"bmp", ExportFormat::Bmp, "image/bmp", FormatKind::Picture},
    {"gif", ExportFormat::Gif, "image/gif", FormatKind::Picture},
    {"svg", ExportFormat::Svg, "image/svg+xml", FormatKind::Vector},
    {"pdf", ExportFormat::Pdf, "application/pdf", FormatKind::Vector},
    {"swf", ExportFormat::Swf, "application/x-shockwave-flash", FormatKind::Movie},
    {"vexxml", ExportFormat::Vexxml, "application/x-kelvoplot", FormatKind::Document},
    {"emf", ExportFormat::Emf, "image/emf", FormatKind::Unwritten},
}};

// The row of the extension after the last "." of the file name (compared without regard to
// case); none for a name without an extension or with an unknown one.
std::optional<ExportFormatRow> exportFormatForPath(std::string_view path);

// The row of a format (its usual extension).
const ExportFormatRow& exportFormatRow(ExportFormat format);

// The extensions that are written, separated by blanks, for messages and usage texts.
std::string writtenExtensions();

// The MIME type of the image encoder that Save Image uses for a file name: the usual extension of
// each picture format, and "image/emf"; none for any other name.
std::optional<std::string_view> EncoderForFile(std::string_view fileName);

} // namespace io
