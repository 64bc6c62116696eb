// Writing a figure to a file whose format comes from its extension.
#pragma once

#include "desktop/app/command_line.h"
#include "lang/session.h"
#include "model/figure.h"

#include <string>
#include <string_view>
#include <vector>

namespace desktop {

enum class ExportFormat { Png, Jpeg, Bmp, Gif, Svg, Pdf, Swf, Vexxml, Unknown };

// The format named by the extension after the last "." (any case); Unknown for anything else.
ExportFormat exportFormatForPath(std::string_view path);

struct ExportResult {
    bool written = false;
    std::string message;            // why not, naming the file
    std::vector<std::string> notes; // what the file shows differently from the figure
};

// Writes `figure` to `path`. Raster, SVG, PDF and SWF output need a QGuiApplication. A movie
// takes its frame rate from `options`, and the frames a movie adds stay in the figure.
ExportResult exportFigure(lang::Session& session, model::Figure& figure, const std::string& path,
                          const BatchOptions& options);

} // namespace desktop
