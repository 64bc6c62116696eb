// The console's help markup: tags in braces switch bold, italic, underline, colour and links, and
// a try block turns an example into a link that runs it. Rendering is a pure function to runs.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lang {

struct TextStyle {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    std::uint32_t colour = 0; // rich-text colour, 0x00BBGGRR (0x0000FF is red)

    bool operator==(const TextStyle&) const = default;
};

struct StyledRun {
    std::string text;
    TextStyle style;
    // Empty for plain text. For linked text, the whole linked range as link activation takes it:
    // lines separated by CR; for a try block, "Try now:" and CR followed by the example's lines.
    std::string link;

    bool operator==(const StyledRun&) const = default;
};

// The line that ends every rendered text.
inline constexpr std::string_view separatorLine = "------------------------------\r\n";

// Renders marked-up text into runs, ending with the separator line.
std::vector<StyledRun> renderMarkup(std::string_view text);

// The runs as plain text, with CR LF (and lone CR) turned into LF.
std::string plainText(const std::vector<StyledRun>& runs);

// The command lines a click on a link runs: a try link loses its "Try now:" line, the rest is
// split at CR (empty pieces vanish) and each piece is trimmed of blanks and tabs.
std::vector<std::string> linkCommands(std::string_view linkText);

} // namespace lang
