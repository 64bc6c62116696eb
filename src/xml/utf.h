// UTF-8 checks and the conversions between UTF-8 and UTF-16 at file and API boundaries.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace xml {

// The byte offset of the first sequence that is not well-formed UTF-8 (overlong forms, surrogate
// code points and values above U+10FFFF count as malformed), or nothing when all of it is valid.
std::optional<std::size_t> findInvalidUtf8(std::string_view text);

// The text with every byte that does not begin a well-formed sequence replaced by U+FFFD, the
// reading utf8ToUtf16 gives it; valid text comes back unchanged.
std::string replaceInvalidUtf8(std::string_view text);

// Appends one code point (at most U+10FFFF, not a surrogate) in UTF-8.
void appendUtf8(std::string& out, char32_t codePoint);

// UTF-16 to UTF-8; nothing when the text holds an unpaired surrogate.
std::optional<std::string> utf16ToUtf8(std::u16string_view text);

// UTF-8 to UTF-16. The text must be valid UTF-8 (see findInvalidUtf8); a malformed byte becomes
// U+FFFD.
std::u16string utf8ToUtf16(std::string_view text);

} // namespace xml
