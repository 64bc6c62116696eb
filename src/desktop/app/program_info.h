// What the Help menu tells and opens: the About text, the answer of Check for updates, and the
// HTML help installed with the program.
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace desktop {

QString aboutText();
QString updatesText();

// Where the HTML help is looked for, in order: beside the installed program, then in the build
// tree.
QStringList helpLocations(const QString& programFolder);

// Opens the first help page that exists in the desktop's browser. When there is none, or it
// cannot be opened, a message box says where it was looked for; the result says whether it opened.
bool openHelp(QWidget* parent, const QString& programFolder);

} // namespace desktop
