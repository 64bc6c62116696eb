// The decimal text of the expression evaluator: values written as printf's "%f" writes them, and
// text read back by the number rule. Both are exact, and fast in the cases that matter.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace expr {

// Room for the longest "%f" text of a double: a sign, 309 integer digits, the point, six decimals.
inline constexpr std::size_t fixedTextCapacity = 320;

// Magnitudes below this (2^32) have "%f" texts of at most 16 digits, whose millionths a double
// holds with room to spare.
inline constexpr double millionthsRange = 4294967296.0;

// Writes `value` exactly as printf's "%f" does: six decimals, no exponent, a "-" for every value
// with its sign bit set (so -0.0000001 gives "-0.000000"), "inf", "-inf", "nan", "-nan".
// Returns the length written (no terminating NUL).
std::size_t formatFixed(double value, std::span<char, fixedTextCapacity> out);

// The magnitude of the "%f" text of `value` as a whole number of millionths (its digits without
// the point), rounded exactly as printf rounds; nothing for NaN, infinities and magnitudes from
// millionthsRange up.
std::optional<std::uint64_t> roundToMillionths(double value);

// The "%f" text of a finite single-precision value as a signed whole number of millionths, held in
// a double (exact: every such text has an integer of at most 2^53 millionths or is the value
// itself); negative values that round to zero give -0.
double millionthsOf(float value);

// What the number rule reads from the "%f" text of a single-precision value that stands alone:
// the value rounded to six decimals (with its sign, so -0 stays -0), or 0 for "inf" and "nan",
// which hold no digits.
double readBackFixed(float value);

// What the number rule reads from the "%f" text of a finite double from millionthsRange up that
// stands alone: the value rounded to six decimals, read back. From 2^33 up the spacing of doubles
// is more than twice that rounding, so the text reads back as the value itself.
double readBackLargeFixed(double value);

// The number rule: leading white space is skipped, then the longest prefix that forms a decimal
// number counts (optional sign, digits with an optional point, an optional exponent introduced by
// e or E with its digits); the rest is ignored. A text without such a prefix reads as 0. The
// result is the double nearest to the decimal (overflow gives infinity).
double readNumber(std::string_view text);

} // namespace expr
