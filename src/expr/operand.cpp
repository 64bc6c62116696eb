// Operand compilation and the literal substitution of values into operand text.
#include "expr/operand.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace expr {
namespace {

struct NamedFunction {
    std::string_view name;
    MathFunction function;
};

// Longer names come before the shorter names they begin with.
constexpr std::array<NamedFunction, 13> functionNames = {{
    {"sinh", MathFunction::Sinh},
    {"sin", MathFunction::Sin},
    {"asin", MathFunction::Asin},
    {"cosh", MathFunction::Cosh},
    {"cos", MathFunction::Cos},
    {"acos", MathFunction::Acos},
    {"tanh", MathFunction::Tanh},
    {"tan", MathFunction::Tan},
    {"atan", MathFunction::Atan},
    {"log10", MathFunction::Log10},
    {"log", MathFunction::Log},
    {"exp", MathFunction::Exp},
    {"sqrt", MathFunction::Sqrt},
}};

// The longest "%f" text of a single-precision value: "-" and 39 digits, the point, six decimals.
constexpr std::size_t maxFloatTextLength = 47;
constexpr std::string_view placeholderMark = "EEEE";
// Digits that can name a group: an expression has fewer than 10^9 groups.
constexpr std::size_t maxPlaceholderDigits = 9;

bool isBlank(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isLetterOrDigit(char c)
{
    return isDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

std::size_t digitRunLength(std::string_view text, std::size_t begin)
{
    std::size_t end = begin;
    while (end < text.size() && isDigit(text[end]))
        ++end;
    return end - begin;
}

// The group a run of digits names: written without leading zeros and below `groupCount`.
std::optional<std::uint32_t> placeholderIndex(std::string_view digits, std::size_t groupCount)
{
    if (digits.empty() || digits.size() > maxPlaceholderDigits) return std::nullopt;
    if (digits.size() > 1 && digits[0] == '0') return std::nullopt;
    std::uint64_t index = 0;
    for (char c : digits)
        index = index * 10 + static_cast<std::uint64_t>(c - '0');
    if (index >= groupCount) return std::nullopt;
    return static_cast<std::uint32_t>(index);
}

// An operand's text in a fixed buffer that never grows past its limit.
class OperandBuffer {
public:
    OperandBuffer(std::string_view text, std::size_t limit)
        : m_length(std::min(text.size(), limit)), m_limit(limit)
    {
        std::memcpy(m_text.data(), text.data(), m_length);
    }

    std::string_view view() const { return {m_text.data(), m_length}; }

    // Replaces `length` bytes at `position` by `value`, then cuts the text to the limit.
    void replace(std::size_t position, std::size_t length, std::string_view value)
    {
        const std::size_t keptValue = std::min(value.size(), m_limit - position);
        const std::size_t tail = m_length - position - length;
        const std::size_t keptTail = std::min(tail, m_limit - position - keptValue);
        std::memmove(m_text.data() + position + keptValue, m_text.data() + position + length,
                     keptTail);
        std::memcpy(m_text.data() + position, value.data(), keptValue);
        m_length = position + keptValue + keptTail;
    }

private:
    std::array<char, maxOperandBytes> m_text;
    std::size_t m_length;
    std::size_t m_limit;
};

void replaceVariable(OperandBuffer& buffer, char name, float value)
{
    const std::size_t position = buffer.view().find(name);
    if (position == std::string_view::npos) return;
    std::array<char, fixedTextCapacity> text;
    buffer.replace(position, 1, {text.data(), formatFixed(value, text)});
}

void replaceConstant(OperandBuffer& buffer, std::string_view name, std::string_view value)
{
    const std::size_t position = buffer.view().find(name);
    if (position != std::string_view::npos) buffer.replace(position, name.size(), value);
}

struct PlaceholderMatch {
    std::uint32_t group = 0;
    std::size_t position = 0;
    std::size_t length = 0;
};

// The placeholder with the smallest group index from `first` up, at its first occurrence.
std::optional<PlaceholderMatch> nextPlaceholder(std::string_view text, std::uint32_t first,
                                                std::size_t groupCount)
{
    std::optional<PlaceholderMatch> best;
    for (std::size_t position = text.find(placeholderMark); position != std::string_view::npos;
         position = text.find(placeholderMark, position + 1)) {
        const std::size_t digitsBegin = position + placeholderMark.size();
        const std::size_t digits = digitRunLength(text, digitsBegin);
        const std::optional<std::uint32_t> group =
            placeholderIndex(text.substr(digitsBegin, digits), groupCount);
        if (!group || *group < first || (best && *group >= best->group)) continue;
        best = PlaceholderMatch{*group, position, placeholderMark.size() + digits};
    }
    return best;
}

// Replaces the placeholder of each group in index order. Groups whose placeholder is not in the
// text are skipped at once: the next one to replace is the smallest index the text still names.
void replacePlaceholders(OperandBuffer& buffer, std::span<const double> groupValues)
{
    std::uint32_t first = 0;
    while (first < groupValues.size()) {
        const std::optional<PlaceholderMatch> match =
            nextPlaceholder(buffer.view(), first, groupValues.size());
        if (!match) return;
        std::array<char, fixedTextCapacity> text;
        buffer.replace(match->position, match->length,
                       {text.data(), formatGroupValue(groupValues[match->group], text)});
        first = match->group + 1;
    }
}

// The text after e and pi became their constants, as a constant operand would read it.
bool hasPlaceholderAfterConstants(std::string_view text, std::size_t limit)
{
    OperandBuffer buffer(text, limit);
    replaceConstant(buffer, "e", eText);
    replaceConstant(buffer, "pi", piText);
    return buffer.view().find(placeholderMark) != std::string_view::npos;
}

// Fills in the Slot shape when the text is blanks, digits, one variable or placeholder and then
// nothing that could continue a number; false otherwise.
bool compileSlot(std::string_view text, std::size_t groupCount, std::size_t limit,
                 CompiledOperand& operand)
{
    std::size_t position = 0;
    while (position < text.size() && isBlank(text[position]))
        ++position;
    const std::size_t digits = digitRunLength(text, position);
    if (digits > 15) return false;
    const std::size_t slot = position + digits;
    // The value text must fit whole, so that no cut can reach the number.
    if (slot + maxFloatTextLength > limit || slot >= text.size()) return false;

    std::size_t slotLength = 1;
    switch (text[slot]) {
    case 'x':
        operand.source = SlotSource::X;
        break;
    case 'y':
        operand.source = SlotSource::Y;
        break;
    case 'z':
        operand.source = SlotSource::Z;
        break;
    default: {
        if (!text.substr(slot).starts_with(placeholderMark)) return false;
        const std::size_t indexBegin = slot + placeholderMark.size();
        const std::size_t indexDigits = digitRunLength(text, indexBegin);
        const std::optional<std::uint32_t> group =
            placeholderIndex(text.substr(indexBegin, indexDigits), groupCount);
        if (!group) return false;
        operand.source = SlotSource::Group;
        operand.group = *group;
        slotLength = placeholderMark.size() + indexDigits;
    }
    }
    const std::size_t follower = slot + slotLength;
    if (follower < text.size() && isLetterOrDigit(text[follower])) return false;

    operand.shape = OperandShape::Slot;
    operand.leadingDigitCount = static_cast<std::uint8_t>(digits);
    for (std::size_t i = position; i < slot; ++i)
        operand.leadingDigits =
            operand.leadingDigits * 10 + static_cast<std::uint64_t>(text[i] - '0');
    return true;
}

} // namespace

FunctionName leadingFunctionName(std::string_view text)
{
    for (const NamedFunction& entry : functionNames)
        if (text.starts_with(entry.name)) return {entry.function, entry.name.size()};
    return {};
}

float applyFunction(MathFunction function, float value)
{
    switch (function) {
    case MathFunction::None:
        return value;
    case MathFunction::Sin:
        return std::sin(value);
    case MathFunction::Sinh:
        return std::sinh(value);
    case MathFunction::Asin:
        return std::asin(value);
    case MathFunction::Cos:
        return std::cos(value);
    case MathFunction::Cosh:
        return std::cosh(value);
    case MathFunction::Acos:
        return std::acos(value);
    case MathFunction::Tan:
        return std::tan(value);
    case MathFunction::Tanh:
        return std::tanh(value);
    case MathFunction::Atan:
        return std::atan(value);
    case MathFunction::Log:
        return std::log(value);
    case MathFunction::Log10:
        return std::log10(value);
    case MathFunction::Exp:
        return std::exp(value);
    case MathFunction::Sqrt:
        return std::sqrt(value);
    }
    return value;
}

std::size_t formatGroupValue(double value, std::span<char, fixedTextCapacity> out)
{
    std::string_view special;
    if (std::isnan(value))
        special = "nan";
    else if (std::isinf(value))
        special = value > 0 ? "1E999" : "-1E999";
    else
        return formatFixed(value, out);
    std::memcpy(out.data(), special.data(), special.size());
    return special.size();
}

CompiledOperand compileOperand(std::string_view operand, std::size_t groupCount)
{
    const std::size_t begin = operand.find_first_not_of(' ');
    if (begin == std::string_view::npos) {
        CompiledOperand empty;
        empty.shape = OperandShape::Constant; // reads as 0
        return empty;
    }
    const std::size_t end = operand.find_last_not_of(' ');
    std::string_view text = operand.substr(begin, end - begin + 1);

    CompiledOperand compiled;
    const FunctionName name = leadingFunctionName(text);
    compiled.function = name.function;
    text.remove_prefix(name.length);
    compiled.textLimit = maxOperandBytes - name.length;

    const bool hasVariable = text.find_first_of("xyz") != std::string_view::npos;
    if (!hasVariable && !hasPlaceholderAfterConstants(text, compiled.textLimit)) {
        compiled.shape = OperandShape::Constant;
        const double value = evaluateOperandText(text, compiled.textLimit, SampleValues{});
        compiled.constant =
            name.function == MathFunction::None
                ? value
                : static_cast<double>(applyFunction(name.function, static_cast<float>(value)));
        return compiled;
    }
    compiled.text = std::string(text);
    if (!compileSlot(text, groupCount, compiled.textLimit, compiled))
        compiled.shape = OperandShape::Text;
    return compiled;
}

double evaluateOperandText(std::string_view text, std::size_t limit, const SampleValues& values)
{
    OperandBuffer buffer(text, limit);
    replaceVariable(buffer, 'x', values.x);
    replaceVariable(buffer, 'y', values.y);
    replaceVariable(buffer, 'z', values.z);
    replaceConstant(buffer, "e", eText);
    replaceConstant(buffer, "pi", piText);
    if (buffer.view().find(placeholderMark) != std::string_view::npos)
        replacePlaceholders(buffer, values.groupValues);
    return readNumber(buffer.view());
}

} // namespace expr
