// The console's help topics, the not-available message and the start-up banner, in markup.
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace lang {

struct HelpTopic {
    std::string_view keyword;
    std::string_view text;
};

extern const std::array<HelpTopic, 12> helpTopics;

inline constexpr std::string_view notAvailableMessage =
    "{b}Help is not yet available for this command. Try {l}HELP{l} or press F1.{b}\r\n";

extern const std::string_view startupBanner;

// The text of the first topic whose keyword equals `keyword` without regard to case.
std::optional<std::string_view> findHelpText(std::string_view keyword);

} // namespace lang
