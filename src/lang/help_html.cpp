// The HTML help page built from the help topics, the object table and the gallery scripts.
#include "lang/help_html.h"

#include "lang/help_texts.h"
#include "lang/object_builder.h"

#include <cstdio>

namespace lang {
namespace {

std::string upper(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

std::string cssColour(std::uint32_t richTextColour)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", richTextColour & 0xFF,
                  (richTextColour >> 8) & 0xFF, (richTextColour >> 16) & 0xFF);
    return text;
}

std::string withLineBreaks(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            out += "<br>\n";
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else if (text[i] == '\n') {
            out += "<br>\n";
        } else if (text[i] == '\t') {
            out += "&emsp;&emsp;";
        } else {
            out += escapeHtml(text.substr(i, 1));
        }
    }
    return out;
}

// A link run: a command that has a topic links to it; a try block's label is kept as a label.
std::string linkHtml(const StyledRun& run, const std::string& inner)
{
    if (run.link.starts_with("Try now")) return "<span class=\"try\">" + inner + "</span>";
    if (findHelpText(run.link)) return "<a href=\"#" + upper(run.link) + "\">" + inner + "</a>";
    return "<b>" + inner + "</b>";
}

std::string runHtml(const StyledRun& run)
{
    std::string inner = withLineBreaks(run.text);
    if (!run.link.empty()) return linkHtml(run, inner);
    if (run.style.underline) inner = "<u>" + inner + "</u>";
    if (run.style.italic) inner = "<i>" + inner + "</i>";
    if (run.style.bold) inner = "<b>" + inner + "</b>";
    if (run.style.colour != 0)
        inner = "<span style=\"color:" + cssColour(run.style.colour) + "\">" + inner + "</span>";
    return inner;
}

std::string topicsHtml()
{
    std::string out;
    for (const HelpTopic& topic : helpTopics) {
        std::vector<StyledRun> runs = renderMarkup(topic.text);
        runs.pop_back(); // the console's separator line
        out += "<section id=\"" + upper(topic.keyword) + "\">\n<h3>" + escapeHtml(topic.keyword) +
               "</h3>\n<p>" + htmlFromRuns(runs) + "</p>\n</section>\n";
    }
    return out;
}

std::string keywordsHtml()
{
    std::string out = "<table>\n<tr><th>keyword</th><th>object</th></tr>\n";
    for (const ObjectTableEntry& entry : objectTable)
        out += "<tr><td><code>" + escapeHtml(entry.keyword) + "</code></td><td>" +
               escapeHtml(entry.displayName) + "</td></tr>\n";
    return out + "</table>\n";
}

std::string galleryHtml(std::span<const GalleryEntry> gallery)
{
    std::string out;
    for (const GalleryEntry& entry : gallery)
        out += "<figure id=\"gallery-" + escapeHtml(entry.name) + "\">\n<img src=\"" +
               escapeHtml(entry.picture) + "\" alt=\"" + escapeHtml(entry.name) +
               "\">\n<figcaption><p>" + escapeHtml(entry.description) + "</p>\n<pre>" +
               escapeHtml(entry.commands) + "</pre></figcaption>\n</figure>\n";
    return out;
}

constexpr std::string_view pageStart =
    "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
    "<title>Kelvo Plot help</title>\n<style>\n"
    "body{font-family:sans-serif;max-width:60em;margin:auto;padding:1em;line-height:1.4}\n"
    "section{border-bottom:1px solid #ccc;padding-bottom:.5em}\n"
    "figure{border:1px solid #ccc;padding:.5em;margin:1em 0}\n"
    "img{max-width:100%}\npre{background:#f4f4f4;padding:.5em;overflow-x:auto}\n"
    ".try{font-weight:bold;text-decoration:underline}\n"
    "</style>\n</head>\n<body>\n<h1>Kelvo Plot 2.0</h1>\n"
    "<p>Type commands of the plotting language into the console's input line and press Enter. "
    "Typing a command's keyword alone shows its help in the console; there, clicking "
    "<span class=\"try\">Try now:</span> runs the example that follows it.</p>\n"
    "<ul><li><a href=\"#reference\">Language reference</a></li>"
    "<li><a href=\"#keywords\">Object keywords</a></li>"
    "<li><a href=\"#gallery\">Gallery</a></li></ul>\n";

} // namespace

std::string escapeHtml(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string htmlFromRuns(const std::vector<StyledRun>& runs)
{
    std::string out;
    for (const StyledRun& run : runs)
        out += runHtml(run);
    return out;
}

GalleryEntry galleryEntryFromScript(std::string_view name, std::string_view script,
                                    std::string_view picture)
{
    GalleryEntry entry{std::string(name), {}, {}, std::string(picture)};
    bool inComment = true;
    while (!script.empty()) {
        const std::size_t end = script.find('\n');
        std::string_view line = script.substr(0, end);
        if (line.ends_with('\r')) line.remove_suffix(1);
        script = end == std::string_view::npos ? std::string_view() : script.substr(end + 1);
        if (inComment && line.starts_with("//")) {
            line.remove_prefix(line.starts_with("// ") ? 3 : 2);
            entry.description += (entry.description.empty() ? "" : " ") + std::string(line);
            continue;
        }
        inComment = false;
        entry.commands += std::string(line) + "\n";
    }
    return entry;
}

std::string helpPage(std::span<const GalleryEntry> gallery)
{
    return std::string(pageStart) + "<h2 id=\"reference\">Language reference</h2>\n" +
           topicsHtml() + "<h2 id=\"keywords\">Object keywords</h2>\n" + keywordsHtml() +
           "<h2 id=\"gallery\">Gallery</h2>\n" + galleryHtml(gallery) + "</body>\n</html>\n";
}

} // namespace lang
