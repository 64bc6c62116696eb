// Export dispatch by file extension.
#include "desktop/app/figure_export.h"
#include "model/argument_text.h"

#include "lang/document.h"
#include "lang/serialiser.h"
#include "desktop/exports/animation_export.h"
#include "desktop/qt/font_answers.h"
#include "desktop/qt/qt_image_export.h"
#include "swf/export/movie_export.h"
#include "desktop/qt/qt_measuring_surface.h"

namespace desktop {

std::optional<io::ExportFormat> exportableFormat(std::string_view path)
{
    const std::optional<io::ExportFormatRow> row = io::exportFormatForPath(path);
    if (!row || row->kind == io::FormatKind::Unwritten) return std::nullopt;
    return row->format;
}

std::string unknownFormatMessage(const std::string& path)
{
    return path + ": unknown format; the extension must be one of " + io::writtenExtensions();
}

namespace {

// The figure as a one-figure document, replacing the file.
io::WriteResult exportDocument(lang::Session& session, model::Figure& figure,
                               const std::string& path)
{
    const lang::DocumentSave saved =
        lang::saveDocument(session, lang::serialiseFigure(figure), path);
    return {saved.outcome == lang::SaveOutcome::Saved, saved.message};
}

io::WriteResult exportMovie(lang::Session& session, model::Figure& figure, const std::string& path,
                            const BatchOptions& options, std::vector<std::string>& notes)
{
    swf::QtMeasuringSurface measuring;
    const swf::SwfExportResult result = swf::exportFigureToSwf(
        figure, path,
        {[&](const std::string& question) { return session.host().askYesNo(question); },
         measuring.surface(), options.framesPerSecond});
    notes.insert(notes.end(), result.notes.begin(), result.notes.end());
    return {result.written, result.message};
}

// SVG and PDF text is measured and laid out once for all batch runs: the fonts' answers are kept
// in the user's cache folder, and a run that finds them there needs no font machinery. A cache
// that cannot be written costs only time.
io::WriteResult exportWithFontAnswers(model::Figure& figure, const std::string& path,
                                      io::ExportFormat format)
{
    FontAnswers answers(FontAnswers::defaultFile());
    const io::WriteResult result = format == io::ExportFormat::Pdf
                                       ? render::exportFigurePdf(figure, path, answers)
                                       : render::exportFigureSvg(figure, path, answers);
    answers.save();
    return result;
}

} // namespace

io::WriteResult exportFigure(lang::Session& session, model::Figure& figure, const std::string& path,
                             const BatchOptions& options, std::vector<std::string>& notes)
{
    const std::optional<io::ExportFormat> format = exportableFormat(path);
    if (!format) return io::writeFailure(unknownFormatMessage(path));
    switch (*format) {
    case io::ExportFormat::Vexxml:
        return exportDocument(session, figure, path);
    case io::ExportFormat::Swf:
        return exportMovie(session, figure, path, options, notes);
    case io::ExportFormat::Gif:
    case io::ExportFormat::Webp:
        if (options.animate)
            return exportFigureAnimation(
                figure, path, options.framesPerSecond, options.quality,
                [&](const std::string& question) { return session.host().askYesNo(question); },
                notes);
        if (*format == io::ExportFormat::Webp)
            return render::exportFigureWebp(figure, path, options.quality);
        return render::exportFigureImage(figure, path, *format);
    case io::ExportFormat::Svg:
    case io::ExportFormat::Pdf:
        return exportWithFontAnswers(figure, path, *format);
    default:
        return render::exportFigureImage(figure, path, *format);
    }
}

} // namespace desktop
