// About, updates and the HTML help.
#include "desktop/app/program_info.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>

#ifndef KELVO_INSTALLED_HELP
#define KELVO_INSTALLED_HELP "../share/doc/kelvoplot/html/index.html"
#endif

namespace desktop {
namespace {
const QString caption = QStringLiteral("Kelvo Plotter 2.0");
}

QString aboutText()
{
    return QStringLiteral("<b>Kelvo Plot %1</b><p>Interactive plotting driven by a small plotting "
                          "language.</p><p>Copyright the Kelvo Plot developers.<br>Licensed under "
                          "the MIT License: free to use, copy, change and share, with no "
                          "warranty.</p>")
        .arg(QStringLiteral(KELVO_VERSION));
}

QString updatesText()
{
    return QStringLiteral("Kelvo Plot %1 is updated by your system's package manager (for "
                          "example apt or your software centre), together with the rest of the "
                          "system. It does not download updates itself.")
        .arg(QStringLiteral(KELVO_VERSION));
}

QStringList helpLocations(const QString& programFolder)
{
    const QDir folder(programFolder);
    return {QDir::cleanPath(folder.filePath(QStringLiteral(KELVO_INSTALLED_HELP))),
            QDir::cleanPath(folder.filePath(QStringLiteral("help/index.html")))};
}

bool openHelp(QWidget* parent, const QString& programFolder)
{
    const QStringList places = helpLocations(programFolder);
    for (const QString& place : places) {
        if (!QFileInfo::exists(place)) continue;
        if (QDesktopServices::openUrl(QUrl::fromLocalFile(place))) return true;
        QMessageBox::warning(parent, caption,
                             QStringLiteral("The help %1 could not be opened: no program to show "
                                            "web pages is set up on this desktop.")
                                 .arg(place));
        return false;
    }
    QMessageBox::warning(parent, caption,
                         QStringLiteral("The help was not found. It was looked for in:\n%1")
                             .arg(places.join(QChar('\n'))));
    return false;
}

} // namespace desktop
