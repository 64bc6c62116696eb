// Function expressions such as "sin(4*pi*x)": grouping into parenthesised groups, and evaluation at
// one sample point. The evaluation is textual: variables, constants and the values of earlier
// groups are written into the operand texts with "%f" and read back, operators apply strictly from
// left to right, and functions work in single precision. The compiled form computes exactly those
// numbers without building text wherever the text's reading is known in advance.
#pragma once

#include "expr/operand.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace expr {

// Longest expression text; bytes after it (and after a NUL byte) are ignored.
inline constexpr std::size_t maxExpressionBytes = 9999;
// What an operand whose value is written into its text at every point costs in operand
// evaluations: about twenty times one that is read without text. Digits before a value ("2x")
// count as text: from about 10^9 up the joined number is read from text.
inline constexpr std::int64_t textOperandCost = 20;

struct ExpressionGroup {
    std::uint32_t index = 0;
    std::string
        text; // at most maxOperandBytes; earlier groups appear as placeholders "EEEE<index>"
    double value = 0; // left by the last evaluation, 0 before the first

    bool operator==(const ExpressionGroup&) const = default;
};

enum class Operator : std::uint8_t { Add, Subtract, Multiply, Divide, Power, Drop };

// The groups of an expression, innermost first; the last group is the whole expression's top level.
class Expression {
public:
    std::span<const ExpressionGroup> groups() const { return m_groups; }
    // Operands of all groups.
    std::size_t operandCount() const { return m_operands.size(); }
    // Operand evaluations one evaluation takes, text operands counting textOperandCost.
    std::int64_t evaluationCost() const;

private:
    friend Expression parseExpression(std::string_view text);
    friend class ExpressionEvaluator;

    struct CompiledGroup {
        std::uint32_t firstOperand = 0; // into m_operands and m_operators
        std::uint32_t operandCount = 0;
    };

    void compileGroups();
    // Whether groups can be evaluated a block of points at a time: no operand reads a group that
    // is evaluated after its own, so the order of points within a group does not matter.
    bool evaluatesInBlocks() const;

    std::vector<ExpressionGroup> m_groups;
    std::vector<double> m_values; // the groups' values while evaluating; copied into m_groups
    std::vector<CompiledGroup> m_compiled;
    std::vector<CompiledOperand> m_operands;
    std::vector<Operator> m_operators; // m_operators[k] applies operand k (unused for a first one)
};

// Groups `text`: the innermost parenthesised part becomes a group and is replaced by its
// placeholder, until no ")" follows a "("; the rest becomes the last group. Texts are cut to
// maxOperandBytes, the working text to maxExpressionBytes.
Expression parseExpression(std::string_view text);

// Evaluates the groups in order at (x, y, z) and returns the last group's value; every group keeps
// its value, and a placeholder of a later group reads the value of the previous evaluation.
double evaluateAt(float x, float y, float z, Expression& expression);

// evaluateAt at the points (x[i], y[i], z[i]) in order, where an empty y or z array reads 0;
// results[i] is the value rounded to single precision.
void evaluateList(Expression& expression, std::span<const float> x, std::span<const float> y,
                  std::span<const float> z, std::span<float> results);

// evaluateAt at the grid points (x[i], y[j], 0), x-major: results[i * y.size() + j].
void evaluateGrid(Expression& expression, std::span<const float> x, std::span<const float> y,
                  std::span<float> results);

} // namespace expr
