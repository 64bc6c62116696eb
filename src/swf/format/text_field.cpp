// The DoAction program of a text field.
#include "swf/format/text_field.h"
#include "model/argument_text.h"

#include "swf/format/actions.h"
#include "swf/format/movie_limits.h"
#include "swf/format/tag_header.h"

#include <algorithm>
#include <array>
#include <cassert>

namespace swf {

namespace {

// Constant pool entries, in pool order.
enum Constant : std::uint16_t {
    TextBoxName,
    Root,
    CreateTextField,
    Multiline, // in the pool, not referred to
    WordWrap,  // in the pool, not referred to
    Variable,  // in the pool, not referred to
    TextName,  // in the pool, not referred to
    FormatName,
    TextFormatClass,
    FontMember,
    FamilyName,
    SizeMember,
    BoldMember,
    ItalicMember,
    UnderlineMember,
    ColorMember,
    SetNewTextFormat,
    TextMember,
    TextItself,
    ConstantCount,
};

struct PoolString {
    std::string text;
    bool shortened = false; // cut at its limit
};

// Without 0 bytes, and cut at the last character boundary within `limit` bytes.
PoolString poolString(std::string_view text, std::size_t limit)
{
    PoolString result;
    result.text.reserve(std::min(text.size(), limit));
    for (char character : text)
        if (character != '\0') result.text.push_back(character);
    if (result.text.size() <= limit) return result;
    result.shortened = true;
    std::size_t cut = limit;
    const auto isContinuation = [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
    };
    while (cut > 0 && isContinuation(result.text[cut]))
        --cut;
    result.text.resize(cut);
    return result;
}

std::string numberedName(std::string_view prefix, std::uint16_t number)
{
    return std::string(prefix) + std::to_string(number) + "_";
}

PushValue constant(Constant index)
{
    return PushConstant{index};
}

void appendFieldCreation(ByteBuffer& actions, geom::Point2D position, const TwipsRect& frameRect,
                         std::uint16_t depth)
{
    const auto integer = [](std::int32_t value) {
        return MethodArgument{PushInteger{static_cast<std::uint32_t>(value)}};
    };
    // createTextField(name, depth, x, y, width, height), pushed last argument first.
    const std::array<MethodArgument, 6> arguments = {
        integer(frameRect.yMax.value),
        integer(frameRect.xMax.value),
        integer(model::truncateToInt32(position.y)),
        integer(model::truncateToInt32(position.x)),
        integer(depth),
        MethodArgument{constant(TextBoxName)},
    };
    appendMethodCall(actions, Root, CreateTextField, arguments);
}

void appendTextFormat(ByteBuffer& actions, const render::Pen& pen, const render::Font& font,
                      float lineHeightPixels)
{
    appendConstruction(actions, FormatName, TextFormatClass, {});
    appendMemberAssignment(actions, FormatName, BoldMember,
                           PushBoolean{(font.style & render::fontBold) != 0});
    appendMemberAssignment(actions, FormatName, ItalicMember,
                           PushBoolean{(font.style & render::fontItalic) != 0});
    appendMemberAssignment(actions, FormatName, UnderlineMember,
                           PushBoolean{(font.style & render::fontUnderline) != 0});
    appendMemberAssignment(actions, FormatName, ColorMember,
                           PushInteger{render::solidColourOf(pen)});
    const std::int64_t size = std::int64_t{model::truncateToInt32(lineHeightPixels)} - 2;
    appendMemberAssignment(actions, FormatName, SizeMember,
                           PushInteger{static_cast<std::uint32_t>(size)});
    appendMemberAssignment(actions, FormatName, FontMember, constant(FamilyName));
}

std::string shortenedMessage(const PoolString& pooledText, std::size_t textBytes,
                             std::size_t familyBytes)
{
    if (pooledText.shortened)
        return "SWF: a text of " + std::to_string(textBytes) +
               " bytes is longer than the limit of " + std::to_string(maxTextFieldTextBytes) +
               " bytes for a text field; it was cut there";
    return "SWF: a font family name of " + std::to_string(familyBytes) +
           " bytes is longer than the limit of " + std::to_string(maxTextFieldFamilyBytes) +
           " bytes; it was cut there";
}

} // namespace

TextFieldResult emitTextField(ByteBuffer& frameTags, std::string_view text, geom::Point2D position,
                              const TwipsRect& frameRect, const render::Pen& pen,
                              const render::Font& font, CharacterCounter& characterCounter,
                              float lineHeightPixels)
{
    if (!characterCounter.hasRoomFor(2))
        return {TextFieldStatus::NoCharacterIds, characterLimitMessage()};
    const std::uint16_t number = *characterCounter.take();
    const std::uint16_t depth = *characterCounter.take();

    const std::string_view family =
        font.family.empty() ? defaultDeviceFontFamily : std::string_view(font.family);
    PoolString pooledFamily = poolString(family, maxTextFieldFamilyBytes);
    PoolString pooledText = poolString(text, maxTextFieldTextBytes);
    std::array<std::string, ConstantCount> pool = {
        numberedName("theTextBox_", number),
        "_root",
        "createTextField",
        "multiline",
        "wordWrap",
        "variable",
        numberedName("myText_", number),
        numberedName("myTextFormat_", number),
        "TextFormat",
        "font",
        std::move(pooledFamily.text),
        "size",
        "bold",
        "italic",
        "underline",
        "color",
        "setNewTextFormat",
        "text",
        std::move(pooledText.text),
    };

    ByteBuffer actions;
    const bool pooled = appendConstantPool(actions, pool);
    assert(pooled && "the text limits keep the pool within its 16-bit length");
    if (!pooled) actions.markOverflowed();
    appendFieldCreation(actions, position, frameRect, depth);
    appendTextFormat(actions, pen, font, lineHeightPixels);
    const std::array<MethodArgument, 1> format = {
        MethodArgument{constant(FormatName), ArgumentUse::Variable}};
    appendMethodCall(actions, TextBoxName, SetNewTextFormat, format);
    appendMemberAssignment(actions, TextBoxName, TextMember, constant(TextItself));
    appendAction(actions, ActionCode::End);
    appendTag(frameTags, TagCode::DoAction, actions);

    if (!pooledText.shortened && !pooledFamily.shortened) return {};
    return {TextFieldStatus::Shortened, shortenedMessage(pooledText, text.size(), family.size())};
}

} // namespace swf
