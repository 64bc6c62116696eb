// The fields of the insert dialogs: what each accepts, and the reading and writing of numbers.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace figure {

// What a field accepts. The rules refuse what the command line would read differently from what
// the field shows (letters in a number, quotes that would unbalance the line) and ranges that
// would draw nothing.
enum class FieldRule {
    Number,             // a decimal number
    Coordinate,         // a decimal number, optionally ending in "%"
    OptionalCoordinate, // a Coordinate, or empty
    PositiveNumber,     // a decimal number above 0 (steps)
    RangeEnd,           // a decimal number above the one of the row before it
    Whole,              // a whole number from 0 (sizes, flags, frames)
    AxisScale, // from, to, spacing and precision separated by blanks: from < to, spacing > 0
    OptionalAxisScale, // an AxisScale, or empty (the Z axis of a 2D system)
    PointList,         // Coordinates separated by blanks, at least one point
    Matrix,            // six numbers separated by blanks (m11 m12 m21 m22 dx dy)
    Expression,        // an expression: not empty, no quotes, within the length limit
    Text,              // any text without quotes
    FilePath,          // a file name: not empty, no quotes
    Colour,            // 0x and hexadecimal digits, or a whole decimal number
    Choice,            // the index of one of `choices`
    Check,             // "1" or "0"
};

// One row of a dialog: its control id, label, default text and rule.
struct FieldDefinition {
    int id = 0;
    std::string_view label;
    std::string_view defaultText;
    FieldRule rule = FieldRule::Text;
    std::span<const std::string_view> choices = {};
};

// The short explanation shown at a field whose text its rule refuses; nothing when it is fine.
// `groupSize` is the number of values of one point for PointList.
std::optional<std::string> fieldProblem(FieldRule rule, std::string_view text,
                                        std::size_t groupSize = 1);

// The whole text read as a finite decimal number that single precision holds (a trailing "%"
// allowed when `percent` is set); nothing otherwise.
std::optional<double> readFieldNumber(std::string_view text, bool percent = false);

// An argument as a field shows it: a number with three decimals ("%.3f", its "%" kept), any
// other text as it is.
std::string shownArgument(std::string_view argument);

// "%.3f" of a value.
std::string threeDecimals(double value);

} // namespace figure
