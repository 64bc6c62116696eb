// The options file "vexa.xml" in the user's config folder: read at start, kept open, written back
// at exit. The console keeps its font and colours in section "Options\Appearance".
#pragma once

#include "xml/xml_document.h"

#include <QColor>
#include <QFont>

#include <cstdint>
#include <string>

namespace desktop {

class Options {
public:
    // Opens the file at `path`. A missing file gives the defaults; a damaged one gives the
    // defaults and a message, and is kept beside it as "<path>.damaged".
    explicit Options(std::string path);

    // "vexa.xml" in QStandardPaths::AppConfigLocation.
    static std::string defaultPath();

    const std::string& path() const { return m_path; }
    // Why the file was not used, naming it; empty when it was read or did not exist.
    const std::string& loadMessage() const { return m_loadMessage; }

    // The console font ("Font"), or `fallback` when none is stored or it cannot be read.
    QFont consoleFont(const QFont& fallback) const;
    QColor consoleBackground() const; // "bg", default white
    QColor consoleForeground() const; // "fg", default black

    // Each setter stores the value and writes the file; the message says why it failed, if so.
    std::string setConsoleFont(const QFont& font);
    std::string setConsoleBackground(const QColor& colour);
    std::string setConsoleForeground(const QColor& colour);

    // Writes the options back (atomically); the message says why it failed, if so.
    std::string save();

private:
    void setAside(const std::string& reason);

    std::string m_path;
    std::string m_loadMessage;
    mutable xml::XmlDocument m_document; // reading through the store needs it writable
};

// Colours are stored as 0xTTBBGGRR: red in the lowest byte and 255 − alpha in the highest, so
// that 0xFFFFFF is opaque white and 0 opaque black.
std::int32_t storedColour(const QColor& colour);
QColor colourFromStored(std::int32_t stored);

} // namespace desktop
