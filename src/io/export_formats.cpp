// Looking up the export format table.
#include "io/export_formats.h"

#include "model/argument_text.h"

namespace io {

std::optional<ExportFormatRow> exportFormatForPath(std::string_view path)
{
    const std::size_t dot = path.rfind('.');
    const std::size_t slash = path.find_last_of('/');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
        return std::nullopt;
    const std::string_view extension = path.substr(dot + 1);
    for (const ExportFormatRow& row : exportFormats)
        if (model::equalsIgnoringCase(extension, row.extension)) return row;
    return std::nullopt;
}

const ExportFormatRow& exportFormatRow(ExportFormat format)
{
    for (const ExportFormatRow& row : exportFormats)
        if (row.format == format) return row;
    return exportFormats.front(); // every format has a row
}

std::string writtenExtensions()
{
    std::string extensions;
    for (const ExportFormatRow& row : exportFormats) {
        if (row.kind == FormatKind::Unwritten) continue;
        if (!extensions.empty()) extensions += ' ';
        extensions += row.extension;
    }
    return extensions;
}

std::optional<std::string_view> EncoderForFile(std::string_view fileName)
{
    const std::optional<ExportFormatRow> row = exportFormatForPath(fileName);
    if (!row || (row->kind != FormatKind::Picture && row->kind != FormatKind::Unwritten))
        return std::nullopt;
    // The encoders answer to each format's usual extension only ("jpg", not "jpeg").
    if (row->extension != exportFormatRow(row->format).extension) return std::nullopt;
    return row->mimeType;
}

} // namespace io
