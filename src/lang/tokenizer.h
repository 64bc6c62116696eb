// Splitting command lines into tokens and sub-objects, and reading argument text as numbers.
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

// A single-precision number from decimal text, or from "0x" and hexadecimal digits; text after
// the number (such as a trailing "%") is ignored and text without a number reads as 0.
float parseNumber(std::string_view text);

// The decimal number at the start of `text` (leading white space, sign, digits with an optional
// point, an optional exponent), or nothing when the text does not start with one.
std::optional<double> readDecimal(std::string_view text);

// As parseNumber, but the exact unsigned 32-bit value (colours keep all their bits).
std::uint32_t parseColour(std::string_view text);

// Truncation toward zero where an integer is needed. Values outside the target range (and NaN)
// give what the processor's conversion gives: INT32_MIN for signed, the low 32 bits of the 64-bit
// conversion for unsigned (so -1 becomes 0xFFFFFFFF).
std::int32_t truncateToInt32(float value);
std::uint32_t truncateToUint32(float value);

// True when the text ends with "%" (a percentage of the layer's extent).
bool isPercent(std::string_view text);

// ASCII case-insensitive comparison; keywords of the language are compared this way.
bool equalsIgnoringCase(std::string_view a, std::string_view b);
bool startsWithIgnoringCase(std::string_view text, std::string_view prefix);

} // namespace lang
