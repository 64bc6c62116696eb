// The small action machine of text fields.
#include "swf/play/action_runner.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace swf {

namespace {

using Value = ActionState::Value;
using ObjectRef = ActionState::ObjectRef;
using Undefined = ActionState::Undefined;

std::string numberText(double value)
{
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value > 0 ? "Infinity" : "-Infinity";
    char text[32];
    std::snprintf(text, sizeof text, "%.15g", value);
    return text;
}

std::string toText(const Value& value)
{
    if (const auto* text = std::get_if<std::string>(&value)) return *text;
    if (const auto* number = std::get_if<double>(&value)) return numberText(*number);
    if (const auto* flag = std::get_if<bool>(&value)) return *flag ? "true" : "false";
    if (std::holds_alternative<ObjectRef>(value)) return "[object Object]";
    return "";
}

double toNumber(const Value& value)
{
    if (const auto* number = std::get_if<double>(&value)) return *number;
    if (const auto* flag = std::get_if<bool>(&value)) return *flag ? 1 : 0;
    if (const auto* text = std::get_if<std::string>(&value)) {
        char* end = nullptr;
        const double parsed = std::strtod(text->c_str(), &end);
        return end != text->c_str() && *end == '\0' ? parsed : NAN;
    }
    return NAN;
}

bool toBoolean(const Value& value)
{
    if (const auto* flag = std::get_if<bool>(&value)) return *flag;
    if (const auto* number = std::get_if<double>(&value)) return *number != 0 && !std::isnan(*number);
    if (const auto* text = std::get_if<std::string>(&value)) return toNumber(*text) != 0;
    return std::holds_alternative<ObjectRef>(value);
}

// A number as a 32-bit integer, wrapping as the action model does.
std::uint32_t toUint32(double value)
{
    if (!std::isfinite(value)) return 0;
    const double wrapped = std::fmod(std::trunc(value), 4294967296.0);
    return static_cast<std::uint32_t>(static_cast<std::int64_t>(wrapped < 0 ? wrapped + 4294967296.0 : wrapped));
}

class Machine {
public:
    Machine(RootTimeline& root, ActionState& state) : m_root(root), m_state(state) {}

    std::optional<std::string> run(const DoAction& program)
    {
        for (const Action& action : program.actions) {
            std::optional<std::string> problem = step(action);
            if (problem) return problem;
            if (m_stack.size() > maxActionStack)
                return "the program's stack grew beyond " + std::to_string(maxActionStack) +
                       " values, the limit of the player";
            if (m_tooMany || m_state.variables.size() + m_state.formats.size() > maxActionObjects)
                return "the movie's programs made more than " + std::to_string(maxActionObjects) +
                       " variables, objects or text fields, the limit of the player";
        }
        return std::nullopt;
    }

private:
    std::optional<std::string> step(const Action& action)
    {
        if (const auto* pool = std::get_if<ConstantPoolAction>(&action)) {
            m_pool = pool->constants;
            return std::nullopt;
        }
        if (const auto* push = std::get_if<PushAction>(&action)) {
            for (const PushValue& value : push->values)
                m_stack.push_back(pushed(value));
            return std::nullopt;
        }
        const auto& other = std::get<OtherAction>(action);
        switch (static_cast<ActionCode>(other.code)) {
        case ActionCode::Pop:
            pop();
            return std::nullopt;
        case ActionCode::GetVariable:
            m_stack.push_back(variable(toText(pop())));
            return std::nullopt;
        case ActionCode::SetVariable: {
            Value value = pop();
            m_state.variables[toText(pop())] = std::move(value);
            return std::nullopt;
        }
        case ActionCode::NewObject:
            m_stack.push_back(newObject());
            return std::nullopt;
        case ActionCode::SetMember:
            setMember();
            return std::nullopt;
        case ActionCode::CallMethod:
            m_stack.push_back(callMethod());
            return std::nullopt;
        default:
            break;
        }
        char code[8];
        std::snprintf(code, sizeof code, "0x%02X", other.code);
        return std::string("action ") + code + " is not one the player runs";
    }

    Value pop()
    {
        if (m_stack.empty()) return Undefined{};
        Value value = std::move(m_stack.back());
        m_stack.pop_back();
        return value;
    }

    // Arguments of a call: a count, then that many values (fewer when the stack runs out).
    std::vector<Value> popArguments()
    {
        const double count = toNumber(pop());
        std::vector<Value> arguments;
        if (!(count > 0)) return arguments;
        const std::size_t wanted = count >= static_cast<double>(m_stack.size())
                                       ? m_stack.size()
                                       : static_cast<std::size_t>(count);
        for (std::size_t index = 0; index < wanted; ++index)
            arguments.push_back(pop());
        return arguments;
    }

    Value pushed(const PushValue& value) const
    {
        if (const auto* text = std::get_if<PushString>(&value)) return text->value;
        if (const auto* number = std::get_if<PushFloat>(&value)) return double{number->value};
        if (const auto* number = std::get_if<PushDouble>(&value)) return number->value;
        if (const auto* number = std::get_if<PushInteger>(&value))
            return static_cast<double>(static_cast<std::int32_t>(number->value));
        if (const auto* flag = std::get_if<PushBoolean>(&value)) return flag->value;
        if (const auto* constant = std::get_if<PushConstant>(&value)) {
            if (constant->index < m_pool.size()) return m_pool[constant->index];
            return Undefined{};
        }
        return Undefined{}; // registers are never written by this program's movies
    }

    Value variable(const std::string& name)
    {
        if (name == "_root" || name == "_level0" || name == "this") return ObjectRef{};
        if (const auto found = m_state.variables.find(name); found != m_state.variables.end())
            return found->second;
        if (m_root.textField(name)) return ObjectRef{ObjectRef::Kind::Field, 0, name};
        return Undefined{};
    }

    Value newObject()
    {
        const std::string className = toText(pop());
        const std::vector<Value> arguments = popArguments();
        if (className != "TextFormat") return Undefined{};
        TextFormatObject format;
        // new TextFormat(font, size, color, bold, italic, underline)
        if (arguments.size() > 0) format.font = toText(arguments[0]);
        if (arguments.size() > 1) format.size = toNumber(arguments[1]);
        if (arguments.size() > 2) format.colour = toUint32(toNumber(arguments[2]));
        if (arguments.size() > 3) format.bold = toBoolean(arguments[3]);
        if (arguments.size() > 4) format.italic = toBoolean(arguments[4]);
        if (arguments.size() > 5) format.underline = toBoolean(arguments[5]);
        m_state.formats.push_back(format);
        return ObjectRef{ObjectRef::Kind::Format, m_state.formats.size() - 1, {}};
    }

    void setMember()
    {
        const Value value = pop();
        const std::string member = toText(pop());
        const Value object = pop();
        const auto* target = std::get_if<ObjectRef>(&object);
        if (!target) return;
        if (target->kind == ObjectRef::Kind::Format)
            setFormatMember(m_state.formats[target->format], member, value);
        else if (target->kind == ObjectRef::Kind::Field)
            if (TextField* field = m_root.textField(target->field)) setFieldMember(*field, member, value);
    }

    static void setFormatMember(TextFormatObject& format, std::string_view member, const Value& value)
    {
        if (member == "font") format.font = toText(value);
        else if (member == "size") format.size = toNumber(value);
        else if (member == "color") format.colour = toUint32(toNumber(value));
        else if (member == "bold") format.bold = toBoolean(value);
        else if (member == "italic") format.italic = toBoolean(value);
        else if (member == "underline") format.underline = toBoolean(value);
    }

    static void setFieldMember(TextField& field, std::string_view member, const Value& value)
    {
        if (member == "text") {
            field.text = toText(value);
            field.format = field.newTextFormat;
        } else if (member == "_x") {
            field.x = toNumber(value);
        } else if (member == "_y") {
            field.y = toNumber(value);
        } else if (member == "textColor") {
            field.format.colour = field.newTextFormat.colour = toUint32(toNumber(value)) & 0xFFFFFF;
        }
    }

    static void apply(const TextFormatObject& object, TextFormat& format)
    {
        if (object.font) format.font = *object.font;
        if (object.size && std::isfinite(*object.size)) format.size = *object.size;
        if (object.colour) format.colour = *object.colour & 0xFFFFFF;
        if (object.bold) format.bold = *object.bold;
        if (object.italic) format.italic = *object.italic;
        if (object.underline) format.underline = *object.underline;
    }

    Value callMethod()
    {
        const std::string method = toText(pop());
        const Value object = pop();
        const std::vector<Value> arguments = popArguments();
        const auto* target = std::get_if<ObjectRef>(&object);
        if (!target) return Undefined{};
        if (target->kind == ObjectRef::Kind::Root && method == "createTextField" &&
            arguments.size() >= 6) {
            TextField field;
            field.name = toText(arguments[0]);
            field.depth = static_cast<std::int32_t>(toUint32(toNumber(arguments[1])));
            field.x = toNumber(arguments[2]);
            field.y = toNumber(arguments[3]);
            field.width = toNumber(arguments[4]);
            field.height = toNumber(arguments[5]);
            if (!m_root.createTextField(std::move(field))) m_tooMany = true;
        } else if (target->kind == ObjectRef::Kind::Field && !arguments.empty() &&
                   (method == "setNewTextFormat" || method == "setTextFormat")) {
            const auto* format = std::get_if<ObjectRef>(&arguments[0]);
            TextField* field = m_root.textField(target->field);
            if (field && format && format->kind == ObjectRef::Kind::Format) {
                apply(m_state.formats[format->format], field->newTextFormat);
                if (method == "setTextFormat") apply(m_state.formats[format->format], field->format);
            }
        }
        return Undefined{};
    }

    RootTimeline& m_root;
    ActionState& m_state;
    std::vector<std::string> m_pool;
    std::vector<Value> m_stack;
    bool m_tooMany = false; // the root refused a text field
};

} // namespace

std::optional<std::string> runActions(const DoAction& program, RootTimeline& root,
                                      ActionState& state)
{
    return Machine(root, state).run(program);
}

} // namespace swf
