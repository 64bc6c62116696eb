// The options file through the settings store.
#include "desktop/app/options.h"

#include "xml/settings_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace desktop {
namespace {

constexpr std::string_view appearance = "Options\\Appearance";
constexpr std::int32_t defaultBackground = 0xFFFFFF;
constexpr std::int32_t defaultForeground = 0;

std::string failureOf(const io::WriteResult& result)
{
    return result.written ? std::string() : result.message;
}

// A file that exists but did not load as a settings document.
bool isDamaged(const xml::XmlDocument& document)
{
    return document.status() != xml::LoadStatus::Loaded &&
           document.detail() != xml::LoadDetail::FileMissing;
}

} // namespace

std::int32_t storedColour(const QColor& colour)
{
    const auto transparency = static_cast<std::uint32_t>(255 - colour.alpha());
    const std::uint32_t value = (transparency << 24) |
                                (static_cast<std::uint32_t>(colour.blue()) << 16) |
                                (static_cast<std::uint32_t>(colour.green()) << 8) |
                                static_cast<std::uint32_t>(colour.red());
    return static_cast<std::int32_t>(value);
}

QColor colourFromStored(std::int32_t stored)
{
    const auto value = static_cast<std::uint32_t>(stored);
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF), static_cast<int>(255 - (value >> 24)));
}

Options::Options(std::string path) : m_path(std::move(path))
{
    QDir().mkpath(QFileInfo(QString::fromStdString(m_path)).absolutePath());
    m_document.openFile(m_path);
    if (isDamaged(m_document)) setAside(m_document.message());
}

std::string Options::defaultPath()
{
    return (QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) +
            QStringLiteral("/vexa.xml"))
        .toStdString();
}

// Moves a damaged file out of the way, so that writing the options loses nothing of it.
void Options::setAside(const std::string& reason)
{
    const QString path = QString::fromStdString(m_path);
    const QString aside = path + QStringLiteral(".damaged");
    QFile::remove(aside);
    if (!QFile::rename(path, aside)) {
        m_loadMessage = reason + "; the default options are used and will not be saved over it";
        return;
    }
    m_loadMessage = reason + "; the default options are used, and the file was kept as " +
                    aside.toStdString();
    m_document.openFile(m_path);
}

QFont Options::consoleFont(const QFont& fallback) const
{
    const auto bytes = xml::readSettingBytes(m_document, appearance, "Font");
    if (!bytes || bytes->empty()) return fallback;
    const QString description = QString::fromUtf8(reinterpret_cast<const char*>(bytes->data()),
                                                  static_cast<qsizetype>(bytes->size()));
    QFont font;
    return font.fromString(description) ? font : fallback;
}

QColor Options::consoleBackground() const
{
    return colourFromStored(xml::readSettingInteger(m_document, appearance, "bg", defaultBackground));
}

QColor Options::consoleForeground() const
{
    return colourFromStored(xml::readSettingInteger(m_document, appearance, "fg", defaultForeground));
}

std::string Options::setConsoleFont(const QFont& font)
{
    const QByteArray description = font.toString().toUtf8();
    const std::span<const std::uint8_t> bytes(
        reinterpret_cast<const std::uint8_t*>(description.constData()),
        static_cast<std::size_t>(description.size()));
    return failureOf(xml::writeSettingBytes(m_document, appearance, "Font", bytes));
}

std::string Options::setConsoleBackground(const QColor& colour)
{
    return failureOf(xml::writeSettingInteger(m_document, appearance, "bg", storedColour(colour)));
}

std::string Options::setConsoleForeground(const QColor& colour)
{
    return failureOf(xml::writeSettingInteger(m_document, appearance, "fg", storedColour(colour)));
}

std::string Options::save()
{
    if (isDamaged(m_document)) return {}; // the damaged file stays as it was
    return failureOf(m_document.save());
}

} // namespace desktop
