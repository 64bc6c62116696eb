// Fonts for QPainter: the families that command texts name most find their metric-compatible
// free stand-ins, an unknown family falls back to the generic sans-serif family, and sizes
// become pixels at 96 dpi whatever device is painted on.
#pragma once

#include "scene/style.h"

#include <QFont>
#include <QSet>
#include <QString>

namespace render {

class QtFontResolver {
public:
    QtFontResolver(); // reads the installed families once

    // An installed family for `family`: itself, its stand-in, or the generic sans-serif family.
    QString installedFamily(const std::string& family) const;
    // The generic sans-serif family, also the face of the default GUI font.
    QString sansSerifFamily() const { return m_sansSerif; }
    // The QFont for `font` on a device of `deviceDpi` dots per inch. A font whose size or unit
    // the surface refuses, and the default font, are the default GUI font.
    QFont resolve(const Font& font, double deviceDpi) const;

private:
    bool isInstalled(const QString& family) const;

    QSet<QString> m_installed; // lower case
    QString m_sansSerif;
};

} // namespace render
