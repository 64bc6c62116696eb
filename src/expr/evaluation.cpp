// Evaluation of compiled expressions: one point at a time (evaluateAt), and lists and grids of
// points. Where no operand reads a group evaluated after its own, a list or grid is evaluated a
// block of points at a time, operand by operand, which gives the same numbers without deciding
// per point what each operand is.
//
// Sections: slot values · operators and functions · one point · blocks of points · entry points
#include "expr/decimal_text.h"
#include "expr/expression.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace expr {
namespace {

constexpr double twoTo52 = 4503599627370496.0;
constexpr std::uint64_t twoTo53 = std::uint64_t{1} << 53;

__extension__ typedef unsigned __int128 Uint128;

// --- slot values --------------------------------------------------------------------------------

constexpr std::array<std::uint64_t, 20> powersOfTen = [] {
    std::array<std::uint64_t, 20> powers{};
    std::uint64_t power = 1;
    for (std::uint64_t& entry : powers) {
        entry = power;
        power *= 10;
    }
    return powers;
}();

// The number read from `leading` digits followed by the "%f" text of a non-negative value of
// `millionths`: "2" and "0.500000" read as 20.5. False when the joined digits do not fit the 53
// bits that make the division exact.
bool joinDigits(std::uint64_t leading, std::uint64_t millionths, double& value)
{
    std::size_t wholeDigits = 1;
    for (std::uint64_t whole = millionths / 1000000; whole >= 10; whole /= 10)
        ++wholeDigits;
    const Uint128 joined =
        static_cast<Uint128>(leading) * powersOfTen[wholeDigits + 6] + millionths;
    if (joined > twoTo53) return false;
    value = static_cast<double>(static_cast<std::uint64_t>(joined)) / 1e6;
    return true;
}

bool variableSlotValue(const CompiledOperand& operand, float variable, double& value)
{
    if (operand.leadingDigitCount == 0) {
        value = readBackFixed(variable);
        return true;
    }
    // "2-0.500000", "2inf" and "2nan" read as their leading digits.
    if (!std::isfinite(variable) || std::signbit(variable)) {
        value = static_cast<double>(operand.leadingDigits);
        return true;
    }
    const double millionths = millionthsOf(variable);
    if (millionths > static_cast<double>(twoTo53)) return false;
    return joinDigits(operand.leadingDigits, static_cast<std::uint64_t>(millionths), value);
}

bool groupSlotValue(const CompiledOperand& operand, double groupValue, double& value)
{
    const bool leading = operand.leadingDigitCount != 0;
    const double leadingValue = static_cast<double>(operand.leadingDigits);
    if (std::isnan(groupValue)) { // written "nan"
        value = leading ? leadingValue : 0.0;
        return true;
    }
    if (std::isinf(groupValue)) { // written "1E999" or "-1E999"
        value = groupValue > 0 || !leading ? groupValue : leadingValue;
        return true;
    }
    const std::optional<std::uint64_t> millionths = roundToMillionths(groupValue);
    if (!millionths) {
        // A slot has room for the text of any single-precision value (47 bytes); the text of a
        // larger double may be cut, and is read from text.
        if (leading || std::fabs(groupValue) > std::numeric_limits<float>::max()) return false;
        value = readBackLargeFixed(groupValue);
        return true;
    }
    if (!leading) {
        const double magnitude = static_cast<double>(*millionths) / 1e6;
        value = std::signbit(groupValue) ? -magnitude : magnitude;
        return true;
    }
    if (std::signbit(groupValue)) {
        value = leadingValue;
        return true;
    }
    return joinDigits(operand.leadingDigits, *millionths, value);
}

bool slotValue(const CompiledOperand& operand, const SampleValues& values, double& value)
{
    switch (operand.source) {
    case SlotSource::X:
        return variableSlotValue(operand, values.x, value);
    case SlotSource::Y:
        return variableSlotValue(operand, values.y, value);
    case SlotSource::Z:
        return variableSlotValue(operand, values.z, value);
    case SlotSource::Group:
        return groupSlotValue(operand, values.groupValues[operand.group], value);
    }
    return false;
}

// What a group value standing alone reads back as, for finite magnitudes below millionthsRange
// whose rounded product with 10^6 is not a halfway case (see roundToMillionths); false otherwise.
inline bool readBackGroupQuickly(double groupValue, double& value)
{
    const double magnitude = std::fabs(groupValue);
    if (!(magnitude < millionthsRange)) return false;
    const double scaled = magnitude * 1e6;
    const double whole = (scaled + twoTo52) - twoTo52;
    if (std::fabs(scaled - whole) == 0.5) return false;
    value = std::copysign(whole / 1e6, groupValue);
    return true;
}

// --- operators and functions --------------------------------------------------------------------

double withFunction(MathFunction function, double value)
{
    if (function == MathFunction::None) return value;
    return static_cast<double>(applyFunction(function, static_cast<float>(value)));
}

double applyOperator(Operator op, double value, float right)
{
    const double r = static_cast<double>(right);
    switch (op) {
    case Operator::Add:
        return value + r;
    case Operator::Subtract:
        return value + (0.0 - r);
    case Operator::Multiply:
        return value * r;
    case Operator::Divide:
        return value / r;
    case Operator::Power:
        return std::pow(value, r);
    case Operator::Drop:
        return value;
    }
    return value;
}

// Applies a function to every value, in single precision.
void applyFunctionToAll(MathFunction function, double* values, std::size_t count)
{
    auto each = [&](auto apply) {
        for (std::size_t i = 0; i < count; ++i)
            values[i] = static_cast<double>(apply(static_cast<float>(values[i])));
    };
    switch (function) {
    case MathFunction::None:
        return;
    case MathFunction::Sin:
        return each([](float v) { return std::sin(v); });
    case MathFunction::Sinh:
        return each([](float v) { return std::sinh(v); });
    case MathFunction::Asin:
        return each([](float v) { return std::asin(v); });
    case MathFunction::Cos:
        return each([](float v) { return std::cos(v); });
    case MathFunction::Cosh:
        return each([](float v) { return std::cosh(v); });
    case MathFunction::Acos:
        return each([](float v) { return std::acos(v); });
    case MathFunction::Tan:
        return each([](float v) { return std::tan(v); });
    case MathFunction::Tanh:
        return each([](float v) { return std::tanh(v); });
    case MathFunction::Atan:
        return each([](float v) { return std::atan(v); });
    case MathFunction::Log:
        return each([](float v) { return std::log(v); });
    case MathFunction::Log10:
        return each([](float v) { return std::log10(v); });
    case MathFunction::Exp:
        return each([](float v) { return std::exp(v); });
    case MathFunction::Sqrt:
        return each([](float v) { return std::sqrt(v); });
    }
}

// Applies an operator to every pair; the right-hand values are rounded to single precision.
void applyOperatorToAll(Operator op, double* values, const double* right, std::size_t count)
{
    auto each = [&](auto apply) {
        for (std::size_t i = 0; i < count; ++i)
            values[i] = apply(values[i], static_cast<double>(static_cast<float>(right[i])));
    };
    switch (op) {
    case Operator::Add:
        return each([](double v, double r) { return v + r; });
    case Operator::Subtract:
        return each([](double v, double r) { return v + (0.0 - r); });
    case Operator::Multiply:
        return each([](double v, double r) { return v * r; });
    case Operator::Divide:
        return each([](double v, double r) { return v / r; });
    case Operator::Power:
        return each([](double v, double r) { return std::pow(v, r); });
    case Operator::Drop:
        return;
    }
}

} // namespace

class ExpressionEvaluator {
public:
    // --- one point ------------------------------------------------------------------------------

    static double operandValue(const CompiledOperand& operand, const SampleValues& values)
    {
        if (operand.shape == OperandShape::Constant) return operand.constant;
        double value;
        if (operand.shape != OperandShape::Slot || !slotValue(operand, values, value))
            value = evaluateOperandText(operand.text, operand.textLimit, values);
        return withFunction(operand.function, value);
    }

    // Evaluates every group at one point into m_values.
    static void evaluatePoint(Expression& expression, float x, float y, float z)
    {
        const SampleValues values{x, y, z, expression.m_values};
        const CompiledOperand* operands = expression.m_operands.data();
        const Operator* operators = expression.m_operators.data();
        for (std::size_t g = 0; g < expression.m_compiled.size(); ++g) {
            const Expression::CompiledGroup& group = expression.m_compiled[g];
            const std::size_t first = group.firstOperand;
            double value = operandValue(operands[first], values);
            for (std::size_t k = first + 1; k < first + group.operandCount; ++k) {
                if (operators[k] == Operator::Drop) continue; // its operand is never read
                const float right = static_cast<float>(operandValue(operands[k], values));
                value = applyOperator(operators[k], value, right);
            }
            expression.m_values[g] = value;
        }
    }

    static void keepValues(Expression& expression)
    {
        for (std::size_t g = 0; g < expression.m_groups.size(); ++g)
            expression.m_groups[g].value = expression.m_values[g];
    }

    static double lastValue(const Expression& expression) { return expression.m_values.back(); }

    // --- blocks of points -----------------------------------------------------------------------

    // Evaluates an expression for which evaluatesInBlocks() holds at blocks of up to blockSize
    // points, each group for the whole block before the next group.
    class BlockEvaluation {
    public:
        static constexpr std::size_t blockSize = 128;

        explicit BlockEvaluation(Expression& expression)
            : m_expression(expression), m_values(expression.m_groups.size() * blockSize),
              m_pointValues(expression.m_groups.size())
        {
        }

        // The coordinates of the next block, filled by the caller.
        std::array<float, blockSize> x{}, y{}, z{};

        // Evaluates the first `count` points of the block; returns the last group's values.
        const double* run(std::size_t count)
        {
            const CompiledOperand* operands = m_expression.m_operands.data();
            const Operator* operators = m_expression.m_operators.data();
            for (std::size_t g = 0; g < m_expression.m_compiled.size(); ++g) {
                const Expression::CompiledGroup& group = m_expression.m_compiled[g];
                double* values = groupValues(g);
                operandValues(operands[group.firstOperand], values, count);
                for (std::size_t k = group.firstOperand + 1;
                     k < group.firstOperand + group.operandCount; ++k) {
                    if (operators[k] == Operator::Drop) continue;
                    operandValues(operands[k], m_operand.data(), count);
                    applyOperatorToAll(operators[k], values, m_operand.data(), count);
                }
            }
            m_lastCount = count;
            return groupValues(m_expression.m_compiled.size() - 1);
        }

        // Leaves the values of the last point evaluated in the expression.
        void finish()
        {
            if (m_lastCount == 0) return;
            for (std::size_t g = 0; g < m_expression.m_values.size(); ++g)
                m_expression.m_values[g] = groupValues(g)[m_lastCount - 1];
            keepValues(m_expression);
        }

    private:
        double* groupValues(std::size_t group) { return m_values.data() + group * blockSize; }

        // What an operand reads at point i of the block when its value needs text: the
        // coordinates and, for a slot that reads a group, the groups' values at that point.
        SampleValues valuesAt(std::size_t i, bool withGroups)
        {
            if (withGroups)
                for (std::size_t g = 0; g < m_pointValues.size(); ++g)
                    m_pointValues[g] = groupValues(g)[i];
            return {x[i], y[i], z[i],
                    withGroups ? std::span<const double>(m_pointValues)
                               : std::span<const double>()};
        }

        void operandValues(const CompiledOperand& operand, double* out, std::size_t count)
        {
            switch (operand.shape) {
            case OperandShape::Constant: // the function is applied already
                std::fill_n(out, count, operand.constant);
                return;
            case OperandShape::Slot:
                slotValues(operand, out, count);
                break;
            case OperandShape::Text:
                // Such a text holds no placeholder here, so it reads no group.
                for (std::size_t i = 0; i < count; ++i)
                    out[i] =
                        evaluateOperandText(operand.text, operand.textLimit, valuesAt(i, false));
                break;
            }
            applyFunctionToAll(operand.function, out, count);
        }

        void slotValues(const CompiledOperand& operand, double* out, std::size_t count)
        {
            const bool readsGroup = operand.source == SlotSource::Group;
            if (operand.leadingDigitCount == 0 && !readsGroup) {
                const float* variable = operand.source == SlotSource::X   ? x.data()
                                        : operand.source == SlotSource::Y ? y.data()
                                                                          : z.data();
                for (std::size_t i = 0; i < count; ++i)
                    out[i] = readBackFixed(variable[i]);
                return;
            }
            const double* source = readsGroup ? groupValues(operand.group) : nullptr;
            for (std::size_t i = 0; i < count; ++i) {
                if (operand.leadingDigitCount == 0 && readBackGroupQuickly(source[i], out[i]))
                    continue;
                const SampleValues values = valuesAt(i, readsGroup);
                if (!slotValue(operand, values, out[i]))
                    out[i] = evaluateOperandText(operand.text, operand.textLimit, values);
            }
        }

        Expression& m_expression;
        std::vector<double> m_values;      // group-major: value of group g at point i
        std::vector<double> m_pointValues; // the groups' values at one point
        std::array<double, blockSize> m_operand{};
        std::size_t m_lastCount = 0;
    };

    static bool evaluatesInBlocks(const Expression& expression)
    {
        return expression.evaluatesInBlocks();
    }
};

double evaluateAt(float x, float y, float z, Expression& expression)
{
    ExpressionEvaluator::evaluatePoint(expression, x, y, z);
    ExpressionEvaluator::keepValues(expression);
    return ExpressionEvaluator::lastValue(expression);
}

// --- entry points -------------------------------------------------------------------------------

void evaluateList(Expression& expression, std::span<const float> x, std::span<const float> y,
                  std::span<const float> z, std::span<float> results)
{
    auto coordinate = [](std::span<const float> values, std::size_t i) {
        return values.empty() ? 0.0f : values[i];
    };
    if (!ExpressionEvaluator::evaluatesInBlocks(expression)) {
        for (std::size_t i = 0; i < x.size(); ++i) {
            ExpressionEvaluator::evaluatePoint(expression, x[i], coordinate(y, i),
                                               coordinate(z, i));
            results[i] = static_cast<float>(ExpressionEvaluator::lastValue(expression));
        }
        ExpressionEvaluator::keepValues(expression);
        return;
    }
    using Block = ExpressionEvaluator::BlockEvaluation;
    Block block(expression);
    for (std::size_t begin = 0; begin < x.size(); begin += Block::blockSize) {
        const std::size_t count = std::min(Block::blockSize, x.size() - begin);
        for (std::size_t i = 0; i < count; ++i) {
            block.x[i] = x[begin + i];
            block.y[i] = coordinate(y, begin + i);
            block.z[i] = coordinate(z, begin + i);
        }
        const double* values = block.run(count);
        for (std::size_t i = 0; i < count; ++i)
            results[begin + i] = static_cast<float>(values[i]);
    }
    block.finish();
}

void evaluateGrid(Expression& expression, std::span<const float> x, std::span<const float> y,
                  std::span<float> results)
{
    if (!ExpressionEvaluator::evaluatesInBlocks(expression)) {
        for (std::size_t i = 0; i < x.size(); ++i)
            for (std::size_t j = 0; j < y.size(); ++j) {
                ExpressionEvaluator::evaluatePoint(expression, x[i], y[j], 0.0f);
                results[i * y.size() + j] =
                    static_cast<float>(ExpressionEvaluator::lastValue(expression));
            }
        ExpressionEvaluator::keepValues(expression);
        return;
    }
    using Block = ExpressionEvaluator::BlockEvaluation;
    Block block(expression);
    for (std::size_t i = 0; i < x.size(); ++i) {
        block.x.fill(x[i]);
        for (std::size_t begin = 0; begin < y.size(); begin += Block::blockSize) {
            const std::size_t count = std::min(Block::blockSize, y.size() - begin);
            std::copy_n(y.begin() + static_cast<std::ptrdiff_t>(begin), count, block.y.begin());
            const double* values = block.run(count);
            for (std::size_t j = 0; j < count; ++j)
                results[i * y.size() + begin + j] = static_cast<float>(values[j]);
        }
    }
    block.finish();
}

} // namespace expr
