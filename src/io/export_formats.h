// The one table of the formats a figure can be written in: file extension, format and MIME type.
// The batch --export, the save dialogs and the clipboard all read it.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace io {

enum class ExportFormat { Png, Jpeg, Bmp, Gif, Webp, Svg, Pdf, Swf, Vexxml, Emf };

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
    std::string_view name; // for people: "PNG", "vexxml"
};

// In the order the extensions are offered; a format with two extensions has its usual one first.
inline constexpr std::array<ExportFormatRow, 11> exportFormats = {{
    {"png", ExportFormat::Png, "image/png", FormatKind::Picture, "PNG"},
    {"jpg", ExportFormat::Jpeg, "image/jpeg", FormatKind::Picture, "JPEG"},
    {"jpeg", ExportFormat::Jpeg, "image/jpeg", FormatKind::Picture, "JPEG"},
    {"bmp", ExportFormat::Bmp, "image/bmp", FormatKind::Picture, "BMP"},
    {"gif", ExportFormat::Gif, "image/gif", FormatKind::Picture, "GIF"},
    {"webp", ExportFormat::Webp, "image/webp", FormatKind::Picture, "WebP"},
    {"svg", ExportFormat::Svg, "image/svg+xml", FormatKind::Vector, "SVG"},
    {"pdf", ExportFormat::Pdf, "application/pdf", FormatKind::Vector, "PDF"},
    {"swf", ExportFormat::Swf, "application/x-shockwave-flash", FormatKind::Movie, "SWF"},
    {"vexxml", ExportFormat::Vexxml, "application/x-kelvoplot", FormatKind::Document, "vexxml"},
    {"emf", ExportFormat::Emf, "image/emf", FormatKind::Unwritten, "EMF"},
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
