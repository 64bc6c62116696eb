// One operand of an expression group: its compiled shape, and the literal substitution of values
// into its text for the operands that no shortcut covers.
#pragma once

#include "expr/decimal_text.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace expr {

// Longest group or operand text, also after values are written into it.
inline constexpr std::size_t maxOperandBytes = 99;

// The texts the constants e and pi are written as: their single-precision values in "%f".
inline constexpr std::string_view eText = "2.718282";
inline constexpr std::string_view piText = "3.141593";

enum class MathFunction : std::uint8_t {
    None,
    Sin,
    Sinh,
    Asin,
    Cos,
    Cosh,
    Acos,
    Tan,
    Tanh,
    Atan,
    Log,
    Log10,
    Exp,
    Sqrt,
};

struct FunctionName {
    MathFunction function = MathFunction::None;
    std::size_t length = 0;
};

// The function whose name starts `text`; where two names share a beginning the longer one wins
// ("sinh" before "sin", "log10" before "log").
FunctionName leadingFunctionName(std::string_view text);

// The function applied in single precision; None gives the value back.
float applyFunction(MathFunction function, float value);

// What an operand reads at one sample point.
struct SampleValues {
    float x = 0, y = 0, z = 0;
    std::span<const double> groupValues; // of every group of the expression, as last evaluated
};

enum class SlotSource : std::uint8_t { X, Y, Z, Group };

enum class OperandShape : std::uint8_t {
    Constant, // no variable or placeholder: its value is computed once
    Slot,     // blanks, optional digits, one variable or placeholder, then nothing that could
              // continue the number: its value follows from the value it reads, without text
    Text,     // anything else: values are written into its text and read back at every point
};

struct CompiledOperand {
    OperandShape shape = OperandShape::Text;
    MathFunction function = MathFunction::None;
    SlotSource source = SlotSource::X;
    std::uint8_t leadingDigitCount = 0; // Slot: digits written before the value, as in "2x"
    std::uint32_t group = 0;            // Slot reading a group: its index
    std::uint64_t leadingDigits = 0;    // Slot: those digits as a number
    double constant = 0;                // Constant: the operand's value, function applied
    std::string text;                   // Slot and Text: the operand after its function name
    std::size_t textLimit = 0;          // room for that text after substitution

    bool operator==(const CompiledOperand&) const = default;
};

// Compiles one operand, as split from the text of its group, of an expression of `groupCount`
// groups.
CompiledOperand compileOperand(std::string_view operand, std::size_t groupCount);

// The value of an operand's text (after its function name) at one sample point, by the literal
// steps: the first x, y and z become their values, the first e and pi their constants, the
// placeholder of each group its value, and the number rule reads the result. After every step the
// text is cut to `limit` bytes. No function is applied.
double evaluateOperandText(std::string_view text, std::size_t limit, const SampleValues& values);

// The text a group value is written as into a later operand: "%f" for finite values; "1E999" and
// "-1E999" for infinities, so that they read back as themselves; "nan" for NaN, which reads as 0.
std::size_t formatGroupValue(double value, std::span<char, fixedTextCapacity> out);

} // namespace expr
