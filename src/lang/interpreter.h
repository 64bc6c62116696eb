// The entry of the command language: one line at a time, figure commands run here, object lines
// go to the object builder, and wrong input is answered with help in the console.
#pragma once

#include "lang/session.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace lang {

// Runs one command line. With `defaultFigureId` not 0, that figure id replaces the ids written in
// the line (documents run their blocks this way). Without text only the input line is emptied.
void executeCommand(Session& session, std::optional<std::string_view> text,
                    std::uint32_t defaultFigureId = 0);

// Renders the help text of `keyword` (or the not-available message) into the console.
void showHelpTopic(Session& session, std::string_view keyword);

// A message of the program's own in the console, such as a refused limit, in red.
void showMessage(Session& session, std::string_view text);

// What a click on linked help text does: runs each of the link's lines.
void activateLink(Session& session, std::string_view linkText);

// Raised as text by code a command line reaches; executeCommand shows the help topic it names.
class CommandError : public std::runtime_error {
public:
    explicit CommandError(const std::string& topic) : std::runtime_error(topic) {}
};

// Raised when a value passes a limit of the program; executeCommand shows the message.
class LimitError : public std::runtime_error {
public:
    explicit LimitError(const std::string& message) : std::runtime_error(message) {}
};

} // namespace lang
