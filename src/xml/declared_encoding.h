// The encoding a document's XML declaration names, and document bytes brought to UTF-8 by it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace xml {

// Where the value of the declaration's "encoding" pseudo-attribute stands: the first
// occurrence followed by "=" and a quoted value (others, such as "encodinging=", are passed
// over). `begin` is the first character inside the quotes, `end` the closing quote.
struct ValueSpan {
    std::size_t begin = 0;
    std::size_t end = 0;
};
std::optional<ValueSpan> findEncodingValue(std::string_view declaration);

// The text as UTF-8. When the declaration (the text up to the first "?>") names ISO-8859-1 or
// windows-1252 (and their usual aliases, in any case), every byte is converted from that
// encoding. Otherwise the text is read as UTF-8 and every byte that does not begin a
// well-formed sequence becomes U+FFFD; valid UTF-8 comes back unchanged.
std::string documentTextAsUtf8(std::string_view bytes);

} // namespace xml
