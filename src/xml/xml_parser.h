// Parsing XML text into a tree, markup by markup with an explicit stack, so that nesting of any
// depth costs heap memory and never the call stack.
#pragma once

#include "xml/xml_element.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace xml {

// 0: loaded or created normally; 1: no XML declaration (or no element), so the document was made
// empty; 2: parsing failed. Callers treat a status above 1 as a failed load.
enum class LoadStatus : std::uint32_t { Loaded = 0, Empty = 1, Failed = 2 };

// Why a load ended as it did (the status's second code).
enum class LoadDetail : std::uint32_t {
    None,
    FileMissing,
    FileUnreadable,
    NoDeclaration,
    NoRootElement,
    TooLarge,
    InvalidUtf16,
    UnterminatedMarkup,
    MalformedStartTag,
    StrayEndTag,
    MissingEndTag,
    TooManyNodes,
};

enum class CommentPlacement { BeforeRoot, AfterRoot };

struct DocumentComment {
    std::string text;
    CommentPlacement placement = CommentPlacement::BeforeRoot;

    bool operator==(const DocumentComment&) const = default;
};

// The declaration a new or empty document gets.
inline constexpr std::string_view defaultDeclaration =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>";

struct ParsedDocument {
    LoadStatus status = LoadStatus::Loaded;
    LoadDetail detail = LoadDetail::None;
    std::string reason;      // what went wrong and where ("line 3: ..."), empty when loaded
    std::string declaration; // everything up to and including the first "?>"
    std::vector<DocumentComment> comments;
    std::unique_ptr<XmlElement> root; // never null; "root" when the text gave none
};

// Parses document text, brought to UTF-8 first by documentTextAsUtf8 (the declared ISO-8859-1 or
// windows-1252 is converted, other bytes that are not UTF-8 become U+FFFD). Without "?>" the
// document is empty (status 1, the default declaration and an element "root"); without an element
// after the declaration the root is an empty "root" (status 1). An end tag closes the current
// element whatever its name. Unterminated markup, a start tag without a valid name, a missing
// end tag, or more than model::maxXmlNodes nodes end with status 2, keeping what was parsed so
// far. Text segments lose one line break at their start and one line break with
// the blanks and tabs after it at their end (what the writer adds); segments of white space only
// are dropped.
ParsedDocument parseDocumentText(std::string_view bytes);

} // namespace xml
