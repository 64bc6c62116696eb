// Export dispatch by file extension.
#include "desktop/app/figure_export.h"
#include "model/argument_text.h"

#include "lang/document.h"
#include "lang/serialiser.h"
#include "desktop/qt/qt_image_export.h"
#include "swf/export/movie_export.h"
#include "desktop/qt/qt_measuring_surface.h"

#include <array>
#include <utility>

namespace desktop {

ExportFormat exportFormatForPath(std::string_view path)
{
    const std::size_t dot = path.rfind('.');
    const std::size_t slash = path.find_last_of("/\\");
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
        return ExportFormat::Unknown;
    const std::string_view extension = path.substr(dot + 1);
    static constexpr std::array<std::pair<std::string_view, ExportFormat>, 9> formats = {{
        {"png", ExportFormat::Png},
        {"jpg", ExportFormat::Jpeg},
        {"jpeg", ExportFormat::Jpeg},
        {"bmp", ExportFormat::Bmp},
        {"gif", ExportFormat::Gif},
        {"svg", ExportFormat::Svg},
        {"pdf", ExportFormat::Pdf},
        {"swf", ExportFormat::Swf},
        {"vexxml", ExportFormat::Vexxml},
    }};
    for (const auto& [name, format] : formats)
        if (model::equalsIgnoringCase(extension, name)) return format;
    return ExportFormat::Unknown;
}

namespace {

// The figure as a one-figure document, replacing the file.
ExportResult exportDocument(lang::Session& session, model::Figure& figure, const std::string& path)
{
    const lang::DocumentSave saved =
        lang::saveDocument(session, lang::serialiseFigure(figure), path);
    return {saved.outcome == lang::SaveOutcome::Saved, saved.message, {}};
}

ExportResult exportImage(model::Figure& figure, const std::string& path,
                         render::ImageFileFormat format)
{
    const render::ImageExportResult result = render::exportFigureImage(figure, path, format);
    return {result.written, result.message, {}};
}

ExportResult exportMovie(lang::Session& session, model::Figure& figure, const std::string& path,
                         const BatchOptions& options)
{
    swf::QtMeasuringSurface measuring;
    const swf::SwfExportResult result = swf::exportFigureToSwf(
        figure, path,
        {[&](const std::string& question) { return session.host().askYesNo(question); },
         measuring.surface(), options.framesPerSecond});
    return {result.written, result.message, result.notes};
}

} // namespace

ExportResult exportFigure(lang::Session& session, model::Figure& figure, const std::string& path,
                          const BatchOptions& options)
{
    switch (exportFormatForPath(path)) {
    case ExportFormat::Vexxml:
        return exportDocument(session, figure, path);
    case ExportFormat::Png:
        return exportImage(figure, path, render::ImageFileFormat::Png);
    case ExportFormat::Jpeg:
        return exportImage(figure, path, render::ImageFileFormat::Jpeg);
    case ExportFormat::Bmp:
        return exportImage(figure, path, render::ImageFileFormat::Bmp);
    case ExportFormat::Gif:
        return exportImage(figure, path, render::ImageFileFormat::Gif);
    case ExportFormat::Svg:
        return exportImage(figure, path, render::ImageFileFormat::Svg);
    case ExportFormat::Pdf:
        return exportImage(figure, path, render::ImageFileFormat::Pdf);
    case ExportFormat::Swf:
        return exportMovie(session, figure, path, options);
    case ExportFormat::Unknown:
        break;
    }
    return {false,
            path + ": unknown format; the extension must be one of png jpg jpeg bmp gif "
                   "svg pdf swf vexxml",
            {}};
}

} // namespace desktop
