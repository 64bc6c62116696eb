// Grouping expressions into parenthesised groups and compiling their operands.
#include "expr/expression.h"

#include <algorithm>

namespace expr {
namespace {

// --- grouping -----------------------------------------------------------------------------------

std::string_view usableText(std::string_view text)
{
    text = text.substr(0, text.find('\0'));
    return text.substr(0, maxExpressionBytes);
}

// --- compiling ----------------------------------------------------------------------------------

constexpr std::string_view operatorCharacters = "+-*/^&|%";

Operator operatorFor(char c)
{
    switch (c) {
    case '+':
        return Operator::Add;
    case '-':
        return Operator::Subtract;
    case '*':
        return Operator::Multiply;
    case '/':
        return Operator::Divide;
    case '^':
        return Operator::Power;
    default:
        return Operator::Drop; // "&", "|" and "%" split operands but compute nothing
    }
}

} // namespace

Expression parseExpression(std::string_view text)
{
    Expression expression;
    std::string working(usableText(text));
    std::vector<std::size_t> openings; // "(" not yet closed; the text before the scan never changes
    auto addGroup = [&](std::string_view groupText) {
        const auto index = static_cast<std::uint32_t>(expression.m_groups.size());
        expression.m_groups.push_back(
            {index, std::string(groupText.substr(0, maxOperandBytes)), 0});
    };
    for (std::size_t position = 0; position < working.size();) {
        if (working[position] == '(') openings.push_back(position);
        if (working[position] != ')') {
            ++position;
            continue;
        }
        if (openings.empty()) break; // a ")" before any "(" ends grouping
        const std::size_t open = openings.back();
        openings.pop_back();
        addGroup(std::string_view(working).substr(open + 1, position - open - 1));
        const std::string placeholder = "EEEE" + std::to_string(expression.m_groups.size() - 1);
        working.replace(open, position - open + 1, placeholder);
        if (working.size() > maxExpressionBytes) working.resize(maxExpressionBytes);
        position = std::min(open + placeholder.size(), working.size());
    }
    addGroup(working);
    expression.m_values.assign(expression.m_groups.size(), 0.0);
    expression.compileGroups();
    return expression;
}

void Expression::compileGroups()
{
    for (const ExpressionGroup& group : m_groups) {
        const std::string_view text = group.text;
        CompiledGroup compiled{static_cast<std::uint32_t>(m_operands.size()), 0};
        Operator op = Operator::Drop;
        for (std::size_t begin = 0;;) {
            const std::size_t end = text.find_first_of(operatorCharacters, begin);
            const std::string_view operand = text.substr(begin, end - begin);
            m_operands.push_back(compileOperand(operand, m_groups.size()));
            m_operators.push_back(op);
            ++compiled.operandCount;
            if (end == std::string_view::npos) break;
            op = operatorFor(text[end]);
            begin = end + 1;
        }
        m_compiled.push_back(compiled);
    }
}

std::int64_t Expression::evaluationCost() const
{
    std::int64_t cost = 0;
    for (const CompiledOperand& operand : m_operands)
        cost += operand.shape == OperandShape::Text ||
                        (operand.shape == OperandShape::Slot && operand.leadingDigitCount != 0)
                    ? textOperandCost
                    : 1;
    return cost;
}

bool Expression::evaluatesInBlocks() const
{
    constexpr std::string_view placeholderMark = "EEEE";
    for (std::size_t g = 0; g < m_compiled.size(); ++g) {
        const CompiledGroup& group = m_compiled[g];
        for (std::size_t k = group.firstOperand; k < group.firstOperand + group.operandCount; ++k) {
            const CompiledOperand& operand = m_operands[k];
            // Only a placeholder of an earlier group, standing where the slot shape found it.
            if (operand.shape == OperandShape::Slot && operand.source == SlotSource::Group &&
                operand.group >= g)
                return false;
            if (operand.shape == OperandShape::Text &&
                operand.text.find(placeholderMark) != std::string::npos)
                return false;
        }
    }
    return true;
}

} // namespace expr
