// XML entities: text is stored as it stands in the source and decoded only when asked for.
#pragma once

#include <string>
#include <string_view>

namespace xml {

// Where encoded text goes. Attribute values are quoted, so quotes must be encoded there; text
// content keeps its quotes readable (command text is full of them) and encodes only what markup
// would take for its own.
enum class EntityContext { Attribute, Text };

// Encodes for output: an ampersand that does not begin a numeric character reference becomes
// "&amp;", "<" "&lt;", ">" "&gt;"; in attribute values also '"' "&quot;" and '\'' "&apos;".
// Numeric character references pass unchanged. The result is at most six times as long.
std::string encodeEntities(std::string_view text, EntityContext context = EntityContext::Attribute);

// Decodes the five named entities and decimal and hexadecimal character references into UTF-8.
// Anything else that starts with "&" (an unknown name, a reference to no valid character, a
// missing ";") is kept as it stands.
std::string decodeEntities(std::string_view text);

} // namespace xml
