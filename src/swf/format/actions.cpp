// Action records and the helpers built on them.
#include "swf/format/actions.h"

#include <bit>
#include <cassert>
#include <cstring>

namespace swf {

namespace {

void appendPushPayload(ByteBuffer& payload, const PushValue& value)
{
    struct Visitor {
        ByteBuffer& out;
        void operator()(const PushString& v)
        {
            out.appendByte(0);
            out.appendBytes(
                std::span(reinterpret_cast<const std::uint8_t*>(v.value.data()), v.value.size()));
            out.appendByte(0);
        }
        void operator()(const PushFloat& v)
        {
            out.appendByte(1);
            out.appendUi32(std::bit_cast<std::uint32_t>(v.value));
        }
        void operator()(const PushRegister& v)
        {
            out.appendByte(4);
            out.appendByte(v.number);
        }
        void operator()(const PushBoolean& v)
        {
            out.appendByte(5);
            out.appendByte(v.value ? 1 : 0);
        }
        void operator()(const PushDouble& v)
        {
            // The high 32 bits come first, each half little-endian.
            const auto bits = std::bit_cast<std::uint64_t>(v.value);
            out.appendByte(6);
            out.appendUi32(static_cast<std::uint32_t>(bits >> 32));
            out.appendUi32(static_cast<std::uint32_t>(bits & 0xFFFFFFFFu));
        }
        void operator()(const PushInteger& v)
        {
            out.appendByte(7);
            out.appendUi32(v.value);
        }
        void operator()(const PushConstant& v)
        {
            if (v.index < 256) {
                out.appendByte(8);
                out.appendByte(static_cast<std::uint8_t>(v.index));
            } else {
                out.appendByte(9);
                out.appendUi16(v.index);
            }
        }
    };
    std::visit(Visitor{payload}, value);
}

bool appendRecord(ByteBuffer& actions, ActionCode code, const ByteBuffer& payload)
{
    if (payload.size() > maxActionPayload) return false;
    actions.appendByte(static_cast<std::uint8_t>(code));
    actions.appendUi16(static_cast<std::uint16_t>(payload.size()));
    actions.appendBuffer(payload);
    return true;
}

void appendConstantPush(ByteBuffer& actions, std::uint16_t index)
{
    const bool written = appendPush(actions, PushConstant{index});
    assert(written && "a constant index always fits a Push record");
    (void)written;
}

} // namespace

bool appendConstantPool(ByteBuffer& actions, std::span<const std::string> strings)
{
    std::size_t length = 2;
    for (const std::string& text : strings) {
        assert(text.find('\0') == std::string::npos && "pool strings end at their 0 byte");
        length += text.size() + 1;
    }
    if (length > maxActionPayload || strings.size() > 0xFFFF) return false;

    ByteBuffer payload;
    payload.appendUi16(static_cast<std::uint16_t>(strings.size()));
    for (const std::string& text : strings) {
        payload.appendBytes(
            std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
        payload.appendByte(0);
    }
    return appendRecord(actions, ActionCode::ConstantPool, payload);
}

bool appendPush(ByteBuffer& actions, const PushValue& value)
{
    if (const auto* text = std::get_if<PushString>(&value)) {
        assert(text->value.find('\0') == std::string::npos && "strings end at their 0 byte");
        if (text->value.size() + 2 > maxActionPayload) return false;
    }
    ByteBuffer payload;
    appendPushPayload(payload, value);
    return appendRecord(actions, ActionCode::Push, payload);
}

void appendAction(ByteBuffer& actions, ActionCode code)
{
    actions.appendByte(static_cast<std::uint8_t>(code));
}

void appendMemberAssignment(ByteBuffer& actions, std::uint16_t variable, std::uint16_t member,
                            const PushValue& value)
{
    appendConstantPush(actions, variable);
    appendAction(actions, ActionCode::GetVariable);
    appendConstantPush(actions, member);
    if (!appendPush(actions, value)) actions.markOverflowed();
    appendAction(actions, ActionCode::SetMember);
}

void appendConstruction(ByteBuffer& actions, std::uint16_t variable, std::uint16_t className,
                        std::span<const PushValue> arguments)
{
    appendConstantPush(actions, variable);
    for (const PushValue& argument : arguments)
        if (!appendPush(actions, argument)) actions.markOverflowed();
    (void)appendPush(actions, PushInteger{static_cast<std::uint32_t>(arguments.size())});
    appendConstantPush(actions, className);
    appendAction(actions, ActionCode::NewObject);
    appendAction(actions, ActionCode::SetVariable);
}

void appendMethodCall(ByteBuffer& actions, std::uint16_t object, std::uint16_t method,
                      std::span<const MethodArgument> arguments)
{
    for (const MethodArgument& argument : arguments) {
        if (!appendPush(actions, argument.value)) actions.markOverflowed();
        if (argument.use == ArgumentUse::Variable) appendAction(actions, ActionCode::GetVariable);
    }
    (void)appendPush(actions, PushInteger{static_cast<std::uint32_t>(arguments.size())});
    appendConstantPush(actions, object);
    appendAction(actions, ActionCode::GetVariable);
    appendConstantPush(actions, method);
    appendAction(actions, ActionCode::CallMethod);
    appendAction(actions, ActionCode::Pop);
}

} // namespace swf
