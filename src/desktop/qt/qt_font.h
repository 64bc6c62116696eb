// Fonts for QPainter: the families that command texts name most find their metric-compatible
// free stand-ins, an unknown family falls back to the generic sans-serif family, and sizes
// become pixels at 96 dpi whatever device is painted on. Nothing touches the font database until
// a family is asked for, and then only that family and its stand-ins are looked up, once each:
// a figure without text starts no font machinery at all.
#pragma once

#include "scene/style.h"

#include <QFont>
#include <QHash>
#include <QString>

#include <string>
#include <unordered_map>

namespace render {

class QtFontResolver {
public:
    QtFontResolver() = default;

    // An installed family for `family`: itself, its stand-in, or the generic sans-serif family.
    QString installedFamily(const std::string& family) const;
    // The generic sans-serif family, also the face of the default GUI font.
    QString sansSerifFamily() const;
    // The QFont for `font` on a device of `deviceDpi` dots per inch. A font whose size or unit
    // the surface refuses, and the default font, are the default GUI font.
    QFont resolve(const Font& font, double deviceDpi) const;

private:
    bool isInstalled(const QString& family) const;
    QString standInFor(const std::string& family) const;

    mutable QHash<QString, bool> m_installed; // by lower-case family, as far as asked
    mutable std::unordered_map<std::string, QString> m_resolved; // requested to drawn family
    mutable QString m_sansSerif;                    // empty until first needed
};

} // namespace render
