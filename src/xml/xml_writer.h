// Writing an XML tree as text: tab (or space) indentation, CR LF line ends, segments in place.
#pragma once

#include "xml/xml_element.h"
#include "xml/xml_parser.h"

#include <string>
#include <string_view>
#include <vector>

namespace xml {

// One element and its subtree, starting at indent `depth` (indentation stops growing at
// model::maxXmlIndentDepth). Children that are moved out are not
// written (bring them back first). Works without recursion, for trees of any depth.
std::string writeElementText(const XmlElement& element, std::size_t depth = 0);

// The declaration and CR LF, the comments before the root ("<!--...-->" CR LF each), the root at
// depth 0, then the comments after the root.
std::string writeDocumentText(std::string_view declaration,
                              const std::vector<DocumentComment>& comments, const XmlElement& root);

} // namespace xml
