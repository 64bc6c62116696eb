// Tests of the text field program, byte for byte, and of its names, ids and text limits.
#include "swf/format/text_field.h"

#include "swf/format/movie_limits.h"
#include "swf/read/tag_decoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace swf {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Action records as the action model defines them, written out independently of the writer.
void add(Bytes& bytes, std::initializer_list<std::uint8_t> values)
{
    bytes.insert(bytes.end(), values);
}
void constantIndex(Bytes& bytes, std::uint8_t index)
{
    add(bytes, {0x96, 0x02, 0x00, 0x08, index});
}
void integer(Bytes& bytes, std::uint32_t value)
{
    add(bytes, {0x96, 0x05, 0x00, 0x07, static_cast<std::uint8_t>(value),
                static_cast<std::uint8_t>(value >> 8), static_cast<std::uint8_t>(value >> 16),
                static_cast<std::uint8_t>(value >> 24)});
}
void boolean(Bytes& bytes, bool value)
{
    add(bytes, {0x96, 0x02, 0x00, 0x05, static_cast<std::uint8_t>(value ? 1 : 0)});
}
constexpr std::uint8_t getVariable = 0x1C, setVariable = 0x1D, setMember = 0x4F, callMethod = 0x52,
                       newObject = 0x40, pop = 0x17;

Bytes constantPool(const std::vector<std::string>& strings)
{
    Bytes payload = {static_cast<std::uint8_t>(strings.size()), 0};
    for (const std::string& text : strings) {
        payload.insert(payload.end(), text.begin(), text.end());
        payload.push_back(0);
    }
    Bytes record = {0x88, static_cast<std::uint8_t>(payload.size()),
                    static_cast<std::uint8_t>(payload.size() >> 8)};
    record.insert(record.end(), payload.begin(), payload.end());
    return record;
}

render::Pen penOf(std::uint32_t colour)
{
    render::Pen pen;
    pen.colour = colour;
    return pen;
}

const TwipsRect frame400x300 = twipsRectFromPixels(0, 0, 400, 300);

DoAction programOf(const ByteBuffer& tags)
{
    const auto bytes = tags.bytes();
    const std::size_t headerLength = (bytes[0] & 0x3F) == 0x3F ? 6 : 2;
    const Decoded<TagContent> decoded = decodeTagBody(12, bytes.subspan(headerLength));
    EXPECT_TRUE(decoded.ok()) << decoded.message;
    return decoded.ok() ? std::get<DoAction>(decoded.value) : DoAction{};
}

std::vector<std::string> poolOf(const ByteBuffer& tags)
{
    return std::get<ConstantPoolAction>(programOf(tags).actions.at(0)).constants;
}

TEST(TextField, WritesTheProgramByteForByte)
{
    render::Font font;
    font.family = "Arial";
    font.size = 12;
    font.style = render::fontBold | render::fontItalic;
    ByteBuffer tags;
    CharacterCounter characterCounter;
    const TextFieldResult result = emitTextField(tags, "Hi", {12.7f, 30.2f}, frame400x300,
                                                 penOf(0xFFFF0000), font, characterCounter, 15.6f);
    EXPECT_EQ(result, TextFieldResult{});
    EXPECT_EQ(characterCounter.next(), 3u) << "a text field takes two ids";

    Bytes actions = constantPool({"theTextBox_1_", "_root", "createTextField", "multiline",
                                  "wordWrap", "variable", "myText_1_", "myTextFormat_1_",
                                  "TextFormat", "font", "Arial", "size", "bold", "italic",
                                  "underline", "color", "setNewTextFormat", "text", "Hi"});
    // _root.createTextField("theTextBox_1_", 2, 12, 30, 8000, 6000)
    integer(actions, 6000);
    integer(actions, 8000);
    integer(actions, 30);
    integer(actions, 12);
    integer(actions, 2);
    constantIndex(actions, 0);
    integer(actions, 6);
    constantIndex(actions, 1);
    add(actions, {getVariable});
    constantIndex(actions, 2);
    add(actions, {callMethod, pop});
    // myTextFormat_1_ = new TextFormat()
    constantIndex(actions, 7);
    integer(actions, 0);
    constantIndex(actions, 8);
    add(actions, {newObject, setVariable});
    // bold, italic, underline, color, size, font
    const auto member = [&](std::uint8_t name) {
        constantIndex(actions, 7);
        add(actions, {getVariable});
        constantIndex(actions, name);
    };
    member(12);
    boolean(actions, true);
    add(actions, {setMember});
    member(13);
    boolean(actions, true);
    add(actions, {setMember});
    member(14);
    boolean(actions, false);
    add(actions, {setMember});
    member(15);
    integer(actions, 0xFFFF0000);
    add(actions, {setMember});
    member(11);
    integer(actions, 13); // line height 15.6 truncated, minus 2
    add(actions, {setMember});
    member(9);
    constantIndex(actions, 10);
    add(actions, {setMember});
    // theTextBox_1_.setNewTextFormat(myTextFormat_1_)
    constantIndex(actions, 7);
    add(actions, {getVariable});
    integer(actions, 1);
    constantIndex(actions, 0);
    add(actions, {getVariable});
    constantIndex(actions, 16);
    add(actions, {callMethod, pop});
    // theTextBox_1_.text = "Hi"
    constantIndex(actions, 0);
    add(actions, {getVariable});
    constantIndex(actions, 17);
    constantIndex(actions, 18);
    add(actions, {setMember, 0x00});

    Bytes expected = {0x3F,
                      0x03,
                      static_cast<std::uint8_t>(actions.size()),
                      static_cast<std::uint8_t>(actions.size() >> 8),
                      0,
                      0};
    expected.insert(expected.end(), actions.begin(), actions.end());
    EXPECT_EQ(Bytes(tags.bytes().begin(), tags.bytes().end()), expected);
}

TEST(TextField, TwoFieldsTakeNamesNAndNPlus2AndDepthsNPlus1AndNPlus3)
{
    ByteBuffer tags;
    CharacterCounter characterCounter;
    characterCounter.take(); // a shape took id 1
    emitTextField(tags, "a", {0, 0}, frame400x300, penOf(0xFF000000), {}, characterCounter, 10);
    ByteBuffer second;
    emitTextField(second, "b", {0, 0}, frame400x300, penOf(0xFF000000), {}, characterCounter, 10);

    const auto nameAndDepth = [](const ByteBuffer& field) {
        const DoAction program = programOf(field);
        const auto& pool = std::get<ConstantPoolAction>(program.actions[0]).constants;
        const auto& depth = std::get<PushAction>(program.actions[5]).values.at(0);
        return std::make_pair(pool[0] + " " + pool[6] + " " + pool[7],
                              std::get<PushInteger>(depth).value);
    };
    EXPECT_EQ(nameAndDepth(tags),
              std::make_pair(std::string("theTextBox_2_ myText_2_ myTextFormat_2_"), 3u));
    EXPECT_EQ(nameAndDepth(second),
              std::make_pair(std::string("theTextBox_4_ myText_4_ myTextFormat_4_"), 5u));
}

TEST(TextField, KeepsTextsWholeUpToTheLimitAndCutsLongerOnesOnACharacterBoundary)
{
    const std::string euros = [] {
        std::string text = "a";
        for (int index = 0; index < 20000; ++index)
            text += "\xE2\x82\xAC"; // 3 bytes each: 60001 in all
        return text;
    }();
    struct Case {
        const char* name;
        std::string text;
        std::string family;
        std::string pooledText;
        std::string pooledFamily;
        TextFieldStatus status;
    };
    const Case cases[] = {
        {"empty text", "", "Tahoma", "", "Tahoma", TextFieldStatus::Written},
        {"99 bytes", std::string(99, 'x'), "Tahoma", std::string(99, 'x'), "Tahoma",
         TextFieldStatus::Written},
        {"0 bytes dropped", std::string("a\0b", 3), std::string("Ta\0homa", 7), "ab", "Tahoma",
         TextFieldStatus::Written},
        {"no family: the player's sans-serif", "x", "", "x", "_sans", TextFieldStatus::Written},
        {"a text at the limit", std::string(maxTextFieldTextBytes, 'y'), "Tahoma",
         std::string(maxTextFieldTextBytes, 'y'), "Tahoma", TextFieldStatus::Written},
        {"a text past the limit, cut before a split character", euros, "Tahoma",
         euros.substr(0, 59998), "Tahoma", TextFieldStatus::Shortened},
        {"a long family name", "x", std::string(1200, 'F'), "x", std::string(1000, 'F'),
         TextFieldStatus::Shortened},
    };
    for (const Case& c : cases) {
        render::Font font;
        font.family = c.family;
        ByteBuffer tags;
        CharacterCounter characterCounter;
        const TextFieldResult result = emitTextField(tags, c.text, {0, 0}, frame400x300,
                                                     penOf(0xFF000000), font, characterCounter, 10);
        EXPECT_EQ(result.status, c.status) << c.name;
        EXPECT_EQ(result.message.empty(), c.status == TextFieldStatus::Written) << c.name;
        const std::vector<std::string> pool = poolOf(tags);
        ASSERT_EQ(pool.size(), 19u) << c.name;
        EXPECT_EQ(pool[18], c.pooledText) << c.name;
        EXPECT_EQ(pool[10], c.pooledFamily) << c.name;
    }
}

TEST(TextField, WritesNothingWithoutTwoFreeCharacterIds)
{
    CharacterCounter characterCounter;
    while (characterCounter.next() < 65535)
        characterCounter.take();
    ByteBuffer tags;
    const TextFieldResult result =
        emitTextField(tags, "x", {0, 0}, frame400x300, penOf(0xFF000000), {}, characterCounter, 10);
    EXPECT_EQ(result.status, TextFieldStatus::NoCharacterIds);
    EXPECT_TRUE(tags.empty());
    EXPECT_EQ(characterCounter.next(), 65535u) << "the one id left stays free";
}

} // namespace
} // namespace swf
