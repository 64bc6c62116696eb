// The HTML help: the console's help topics and the example gallery as one page, written at build
// time from the same texts the console shows.
#pragma once

#include "lang/markup.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lang {

// One example of the gallery: a command script and the picture it draws.
struct GalleryEntry {
    std::string name;        // "function"
    std::string description; // the script's leading comment lines, joined
    std::string commands;    // the command lines
    std::string picture;     // the picture's file name relative to the page ("gallery/function.png")

    bool operator==(const GalleryEntry&) const = default;
};

// Text escaped for HTML (&, <, >, ").
std::string escapeHtml(std::string_view text);

// Rendered help runs as HTML: styles as inline tags, links to topics as page anchors, line breaks
// kept.
std::string htmlFromRuns(const std::vector<StyledRun>& runs);

// A gallery entry from a script: leading "//" lines are the description, the rest the commands.
GalleryEntry galleryEntryFromScript(std::string_view name, std::string_view script,
                                    std::string_view picture);

// The whole help page: contents, every help topic, the object keywords, the gallery.
std::string helpPage(std::span<const GalleryEntry> gallery);

} // namespace lang
