// Writing a figure to a file whose format comes from its extension.
#pragma once

#include "app/command_line.h"
#include "lang/session.h"
#include "model/figure.h"

#include <string>
#include <string_view>

namespace app {

enum class ExportFormat { Png, Jpeg, Bmp, Gif, Svg, Pdf, Swf, Vexxml, Unknown };

// The format named by the extension after the last "." (any case); Unknown for anything else.
ExportFormat exportFormatForPath(std::string_view path);

struct ExportResult {
    bool written = false;
    std::string message; // why not, naming the file
};

// Writes `figure` to `path`. Raster, SVG and PDF output need a QGuiApplication.
ExportResult exportFigure(lang::Session& session, model::Figure& figure, const std::string& path,
                          const BatchOptions& options);

} // namespace app
