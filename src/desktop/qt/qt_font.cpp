// Family stand-ins, the sans-serif fallback and font sizes.
#include "desktop/qt/qt_font.h"

#include "scene/font_size.h"

#include <QFontDatabase>

#include <array>
#include <string_view>

namespace render {
namespace {

struct FamilyStandIn {
    std::string_view family;
    std::array<std::string_view, 2> standIns; // the first installed one is used
};

// Families with the same metrics (Liberation) or the closest free design (DejaVu).
constexpr std::array<FamilyStandIn, 16> standIns = {{
    {"Arial", {"Liberation Sans", "Arimo"}},
    {"Helvetica", {"Liberation Sans", "Arimo"}},
    {"Microsoft Sans Serif", {"Liberation Sans", "Arimo"}},
    {"MS Sans Serif", {"Liberation Sans", "Arimo"}},
    {"MS Shell Dlg", {"Liberation Sans", "Arimo"}},
    {"Arial Narrow", {"Liberation Sans Narrow", "Liberation Sans"}},
    {"Times New Roman", {"Liberation Serif", "Tinos"}},
    {"Times", {"Liberation Serif", "Tinos"}},
    {"Courier New", {"Liberation Mono", "Cousine"}},
    {"Courier", {"Liberation Mono", "Cousine"}},
    {"Tahoma", {"DejaVu Sans Condensed", "DejaVu Sans"}},
    {"Verdana", {"DejaVu Sans", "Liberation Sans"}},
    {"Segoe UI", {"DejaVu Sans", "Liberation Sans"}},
    {"Georgia", {"DejaVu Serif", "Liberation Serif"}},
    {"Lucida Console", {"DejaVu Sans Mono", "Liberation Mono"}},
    {"Consolas", {"DejaVu Sans Mono", "Liberation Mono"}},
}};

constexpr std::array<std::string_view, 2> sansSerifCandidates = {"Liberation Sans", "DejaVu Sans"};

QString fromView(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

QString QtFontResolver::sansSerifFamily() const
{
    if (!m_sansSerif.isEmpty()) return m_sansSerif;
    for (const std::string_view candidate : sansSerifCandidates)
        if (isInstalled(fromView(candidate))) {
            m_sansSerif = fromView(candidate);
            return m_sansSerif;
        }
    m_sansSerif = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    return m_sansSerif;
}

// A family is installed when the database knows styles of it; asking for one family looks up
// that family alone.
bool QtFontResolver::isInstalled(const QString& family) const
{
    const QString key = family.toLower();
    const auto known = m_installed.constFind(key);
    if (known != m_installed.constEnd()) return *known;
    const bool installed = !QFontDatabase::styles(family).isEmpty();
    m_installed.insert(key, installed);
    return installed;
}

QString QtFontResolver::installedFamily(const std::string& family) const
{
    const auto resolved = m_resolved.find(family);
    if (resolved != m_resolved.end()) return resolved->second;
    return m_resolved.emplace(family, standInFor(family)).first->second;
}

QString QtFontResolver::standInFor(const std::string& family) const
{
    const QString requested = QString::fromStdString(family);
    if (!requested.isEmpty() && isInstalled(requested)) return requested;
    for (const FamilyStandIn& entry : standIns) {
        if (requested.compare(fromView(entry.family), Qt::CaseInsensitive) != 0) continue;
        for (const std::string_view standIn : entry.standIns)
            if (isInstalled(fromView(standIn))) return fromView(standIn);
    }
    return sansSerifFamily();
}

QFont QtFontResolver::resolve(const Font& font, double deviceDpi) const
{
    const std::optional<float> pixels = fontPixelSize(font);
    QFont result;
    if (!pixels) {
        result.setFamily(sansSerifFamily());
        result.setPointSizeF(defaultGuiFontPoints * pixelsPerInch / deviceDpi);
        return result;
    }
    result.setFamily(installedFamily(font.family));
    result.setPointSizeF(static_cast<double>(*pixels) * 72.0 / deviceDpi);
    result.setBold((font.style & fontBold) != 0);
    result.setItalic((font.style & fontItalic) != 0);
    result.setUnderline((font.style & fontUnderline) != 0);
    result.setStrikeOut((font.style & fontStrikeout) != 0);
    return result;
}

} // namespace render
