// Reading argument text as numbers, colours and keywords: sub-objects keep their arguments as
// typed, and whoever uses a value reads it with these.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace model {

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

} // namespace model
