// Text in a movie: a DoAction program that creates a dynamic text field on the movie's root,
// gives it a text format made from the font and pen, and sets its text. The player draws it with
// a device font of the family named.
#pragma once

#include "geom/matrix2d.h"
#include "scene/style.h"
#include "swf/format/byte_buffer.h"
#include "swf/format/character_counter.h"
#include "swf/format/twips.h"

#include <string>
#include <string_view>

namespace swf {

// The family written for a font without one (the system's default GUI font): the player's
// sans-serif device font.
inline constexpr std::string_view defaultDeviceFontFamily = "_sans";

enum class TextFieldStatus {
    Written,
    Shortened,      // written, the text or family name cut at its limit
    NoCharacterIds, // nothing written: the movie's character ids are used up
};

struct TextFieldResult {
    TextFieldStatus status = TextFieldStatus::Written;
    std::string message; // for Shortened and NoCharacterIds, naming the limit
    bool operator==(const TextFieldResult&) const = default;
};

// Appends one DoAction tag to the frame's tags. The field takes two character ids: the first
// names it ("theTextBox_n_", "myText_n_", "myTextFormat_n_"), the second is its depth. It sits
// at `position` (pixels, truncated) and is as wide and high as the frame rectangle's right and
// bottom edges in twips; its size is the font's line height in pixels, truncated, minus 2.
// The text and family name are UTF-8; 0 bytes are dropped, and they are cut on a character
// boundary at maxTextFieldTextBytes and maxTextFieldFamilyBytes.
TextFieldResult emitTextField(ByteBuffer& frameTags, std::string_view text, geom::Point2D position,
                              const TwipsRect& frameRect, const render::Pen& pen,
                              const render::Font& font, CharacterCounter& characterCounter,
                              float lineHeightPixels);

} // namespace swf
