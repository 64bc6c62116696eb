// File commands by id.
#include "desktop/exports/export_commands.h"

#include "desktop/exports/animation_saving.h"
#include "desktop/exports/figure_exports.h"
#include "desktop/exports/figure_printing.h"
#include "desktop/exports/movie_saving.h"
#include "figure/figure_commands.h"

namespace desktop {

bool runExportCommand(std::int32_t id, QWidget* window, QWidget* view, lang::Session& session,
                      model::Figure& figure)
{
    namespace commands = figure::commands;
    switch (id) {
    case commands::SaveImage:
        saveImage(window, session, figure);
        return true;
    case commands::SaveImageTransparent:
        saveImage(window, session, figure, Background::Transparent);
        return true;
    case commands::SaveDocument:
        saveFigureDocument(window, session, figure);
        return true;
    case commands::SaveMetafile:
        saveMetafile(window, session, figure);
        return true;
    case commands::SaveMovie:
        saveMovie(window, session, figure);
        return true;
    case commands::SaveAnimation:
        saveAnimation(window, session, figure);
        return true;
    case commands::PreviewMovie:
        showPreviewSwfMessage(window);
        return true;
    case commands::Print:
        printFigure(window, session, figure);
        return true;
    case commands::CopyBitmap:
        copyBitmap(view, session, figure);
        return true;
    case commands::CopyMetafile:
        copyMetafile(window, session, figure);
        return true;
    case commands::CopyText:
        copyText(window, session, figure);
        return true;
    default:
        return false;
    }
}

} // namespace desktop
