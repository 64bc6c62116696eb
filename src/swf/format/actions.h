// The action writer of DoAction programs: action records and the helpers that assign members,
// construct objects and call methods on variables named by constant pool entries.
#pragma once

#include "swf/format/byte_buffer.h"

#include <cstdint>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace swf {

enum class ActionCode : std::uint8_t {
    End = 0x00,
    Pop = 0x17,
    GetVariable = 0x1C,
    SetVariable = 0x1D,
    NewObject = 0x40,
    SetMember = 0x4F,
    CallMethod = 0x52,
    ConstantPool = 0x88,
    Push = 0x96,
};

// Push values by their type byte: 0 string, 1 float, 4 register, 5 boolean, 6 double,
// 7 integer, 8 and 9 constant index (one byte below 256, two from there on).
struct PushString {
    std::string value; // without 0 bytes
    bool operator==(const PushString&) const = default;
};
struct PushFloat {
    float value = 0;
    bool operator==(const PushFloat&) const = default;
};
struct PushRegister {
    std::uint8_t number = 0;
    bool operator==(const PushRegister&) const = default;
};
struct PushBoolean {
    bool value = false;
    bool operator==(const PushBoolean&) const = default;
};
struct PushDouble {
    double value = 0;
    bool operator==(const PushDouble&) const = default;
};
struct PushInteger {
    std::uint32_t value = 0; // signed values in two's complement
    bool operator==(const PushInteger&) const = default;
};
struct PushConstant {
    std::uint16_t index = 0;
    bool operator==(const PushConstant&) const = default;
};

using PushValue = std::variant<PushString, PushFloat, PushRegister, PushBoolean, PushDouble,
                               PushInteger, PushConstant>;

// Whether a method argument is the value pushed or the variable it names.
enum class ArgumentUse { Value, Variable };

struct MethodArgument {
    PushValue value;
    ArgumentUse use = ArgumentUse::Value;
};

// The largest payload an action record's UI16 length can announce.
inline constexpr std::uint32_t maxActionPayload = 0xFFFF;

// Code, Length, Count, then the strings each ended by a 0 byte. False, and nothing appended,
// when the pool does not fit its 16-bit length. Strings must not contain 0 bytes.
[[nodiscard]] bool appendConstantPool(ByteBuffer& actions, std::span<const std::string> strings);

// One Push record holding one value. False, and nothing appended, for a string too long for the
// record's 16-bit length.
[[nodiscard]] bool appendPush(ByteBuffer& actions, const PushValue& value);

// An action without payload (GetVariable, SetMember, ...).
void appendAction(ByteBuffer& actions, ActionCode code);

// Member `member` of the object in variable `variable` receives `value`; the three name the
// constant pool entries of the variable and the member.
void appendMemberAssignment(ByteBuffer& actions, std::uint16_t variable, std::uint16_t member,
                            const PushValue& value);

// Variable `variable` receives a new object of class `className`, built with `arguments`.
void appendConstruction(ByteBuffer& actions, std::uint16_t variable, std::uint16_t className,
                        std::span<const PushValue> arguments);

// Calls method `method` of the object in variable `object` and discards the result. Arguments are
// listed in push order: the last argument first.
void appendMethodCall(ByteBuffer& actions, std::uint16_t object, std::uint16_t method,
                      std::span<const MethodArgument> arguments);

} // namespace swf
