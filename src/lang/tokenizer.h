// Splitting command lines into tokens and sub-objects.
#pragma once

#include "model/sub_object.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lang {

enum class QuoteProtection { Off, On };

// Splits `text` at every occurrence of `separator`. With protection, separators inside paired
// quotes (double quotes and apostrophes alike, paired in order of position) do not split, and
// double quotes at both ends of each token are removed. Empty pieces are dropped.
std::vector<std::string> splitTokens(std::string_view text, std::string_view separator,
                                     QuoteProtection protection);

// keyword(arg,arg,...) -> {keyword, arg, arg, ...}; a token without parentheses is a lone keyword.
std::vector<std::string> splitSubObject(std::string_view token);

// Turns the pieces of splitSubObject into a SubObject. With too few arguments the result has kind
// Unknown and no arguments, and `rejectedTopic` (when given) receives the help topic to show.
model::SubObject parseSubObject(std::span<const std::string> pieces,
                                std::string* rejectedTopic = nullptr);

} // namespace lang
