// Tests of the action writer: the bytes of each push type and the refusal of records too long
// for their length field.
#include "swf/format/actions.h"

#include <gtest/gtest.h>

#include <vector>

namespace swf {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(Actions, WritesEachPushTypeInItsOwnRecord)
{
    struct Case {
        PushValue value;
        Bytes expected;
    };
    const Case cases[] = {
        {PushString{"ab"}, {0x96, 4, 0, 0, 'a', 'b', 0}},
        {PushFloat{1.0f}, {0x96, 5, 0, 1, 0x00, 0x00, 0x80, 0x3F}},
        {PushRegister{3}, {0x96, 2, 0, 4, 3}},
        {PushBoolean{true}, {0x96, 2, 0, 5, 1}},
        // 1.0 is 0x3FF0000000000000: the high half first, each half low byte first
        {PushDouble{1.0}, {0x96, 9, 0, 6, 0x00, 0x00, 0xF0, 0x3F, 0x00, 0x00, 0x00, 0x00}},
        {PushInteger{0xFFFF0000}, {0x96, 5, 0, 7, 0x00, 0x00, 0xFF, 0xFF}},
        {PushConstant{18}, {0x96, 2, 0, 8, 18}},
        {PushConstant{300}, {0x96, 3, 0, 9, 0x2C, 0x01}},
    };
    for (const Case& c : cases) {
        ByteBuffer actions;
        ASSERT_TRUE(appendPush(actions, c.value));
        EXPECT_EQ(Bytes(actions.bytes().begin(), actions.bytes().end()), c.expected)
            << "type " << c.value.index();
    }
}

TEST(Actions, RefusesRecordsLongerThanTheirLengthField)
{
    ByteBuffer actions;
    const std::vector<std::string> fits = {std::string(65532, 'x')}; // 2 + 65532 + 1 = 65535
    EXPECT_TRUE(appendConstantPool(actions, fits));
    const std::uint32_t size = actions.size();
    const std::vector<std::string> tooLong = {std::string(65533, 'x')};
    EXPECT_FALSE(appendConstantPool(actions, tooLong));
    EXPECT_FALSE(appendPush(actions, PushString{std::string(65534, 'x')}));
    EXPECT_EQ(actions.size(), size) << "nothing appended";
}

TEST(Actions, MethodCallsPushArgumentsThenCountObjectAndMethod)
{
    ByteBuffer actions;
    const std::vector<MethodArgument> arguments = {{PushConstant{7}, ArgumentUse::Variable},
                                                   {PushBoolean{false}}};
    appendMethodCall(actions, 0, 16, arguments);
    const Bytes expected = {0x96, 2, 0, 8, 7, 0x1C, 0x96, 2, 0, 5, 0,  0x96, 5,   0, 7, 2, 0, 0, 0,
                            0x96, 2, 0, 8, 0, 0x1C, 0x96, 2, 0, 8, 16, 0x52, 0x17};
    EXPECT_EQ(Bytes(actions.bytes().begin(), actions.bytes().end()), expected);
}

} // namespace
} // namespace swf
