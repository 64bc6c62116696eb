// Desktop start-up and shutdown.
#include "desktop/app/desktop_app.h"

#include "desktop/console/console_window.h"
#include "desktop/app/desktop_host.h"
#include "desktop/app/figure_export.h"
#include "desktop/player/movie_preview_window.h"
#include "lang/document.h"
#include "lang/help_texts.h"
#include "lang/interpreter.h"

#include <QApplication>

#include <iostream>

namespace desktop {

int runDesktop(int argc, char** argv, const LaunchOptions& options)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kelvoplot"));
    QApplication::setApplicationDisplayName(QStringLiteral("Kelvo Plotter 2.0"));

    DesktopHost host;
    lang::Session session(host);
    ConsoleWindow console(session);
    host.attach(session, console);
    console.appendRuns(lang::renderMarkup(lang::startupBanner));
    lang::executeCommand(session, std::nullopt);

    switch (options.mode) {
    case LaunchMode::Embedding:
        session.hiddenFigures = true;
        break;
    case LaunchMode::Document: {
        session.openedWithFile = true;
        if (exportFormatForPath(options.documentPath) == ExportFormat::Swf) {
            // A movie opens in the preview; closing it ends the program.
            openMoviePreview(options.documentPath);
            break;
        }
        const lang::DocumentLoad load = lang::runDocumentFile(session, options.documentPath);
        if (session.figures.empty()) {
            // Nothing to show: the program ends at once, saying why.
            std::cerr << "kelvoplot: "
                      << (load.message.empty()
                              ? options.documentPath + ": the document holds no figure"
                              : load.message)
                      << "\n";
            return 1;
        }
        break;
    }
    default:
        console.showMaximized();
        console.focusInput();
        break;
    }
    return QApplication::exec();
}

} // namespace desktop
