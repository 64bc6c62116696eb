// Writing a figure to a file whose format comes from its extension.
#pragma once

#include "desktop/app/command_line.h"
#include "io/export_formats.h"
#include "io/write_result.h"
#include "lang/session.h"
#include "model/figure.h"

#include <string>
#include <optional>
#include <string_view>
#include <vector>

namespace desktop {

// The export format of the path's extension when it is one that is written.
std::optional<io::ExportFormat> exportableFormat(std::string_view path);

// "PATH: unknown format; the extension must be one of png jpg ...".
std::string unknownFormatMessage(const std::string& path);

// Writes `figure` to `path` in the format of its extension. Raster, SVG, PDF and SWF output need
// a QGuiApplication. A movie takes its frame rate from `options`, the frames it adds stay in the
// figure, and what it shows differently from the figure is added to `notes`.
io::WriteResult exportFigure(lang::Session& session, model::Figure& figure, const std::string& path,
                             const BatchOptions& options, std::vector<std::string>& notes);

} // namespace desktop
