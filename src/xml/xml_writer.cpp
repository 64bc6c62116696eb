// The XML writer.
#include "xml/xml_writer.h"

#include "model/limits.h"

#include <algorithm>

namespace xml {
namespace {

void appendIndent(std::string& out, const XmlElement& element, std::size_t depth)
{
    out.append(std::min(depth, model::maxXmlIndentDepth),
               element.indentStyle() == IndentStyle::Tabs ? '\t' : ' ');
}

// Attribute values are stored as in the source; a value that was single-quoted there may hold
// '"', and a hand-set one '<', which would break the double-quoted output.
void appendAttributeValue(std::string& out, std::string_view value)
{
    for (const char c : value) {
        if (c == '"')
            out += "&quot;";
        else if (c == '<')
            out += "&lt;";
        else
            out += c;
    }
}

void appendStartTag(std::string& out, const XmlElement& element, std::size_t depth)
{
    appendIndent(out, element, depth);
    out += '<';
    out += element.name();
    for (const XmlAttribute& attribute : element.attributes()) {
        out += ' ';
        out += attribute.name;
        out += "=\"";
        appendAttributeValue(out, attribute.value);
        out += '"';
    }
}

void appendSegment(std::string& out, const XmlSegment& segment)
{
    switch (segment.kind) {
    case SegmentKind::Text:
        out += segment.text;
        break;
    case SegmentKind::Comment:
        out += "<!--" + segment.text + "-->";
        break;
    case SegmentKind::CData:
        out += "<![CDATA[" + segment.text + "]]>";
        break;
    }
    out += "\r\n";
}

struct OpenElement {
    const XmlElement* element;
    std::size_t depth;
    std::size_t nextChild = 0;
    std::size_t nextSegment = 0;
};

// Writes the start tag; an element with content is pushed to be continued.
void openElement(std::string& out, std::vector<OpenElement>& open, const XmlElement& element,
                 std::size_t depth)
{
    appendStartTag(out, element, depth);
    if (element.childCount() == 0 && element.segments().empty()) {
        out += "/>\r\n";
        return;
    }
    out += ">\r\n";
    open.push_back({&element, depth});
}

} // namespace

std::string writeElementText(const XmlElement& element, std::size_t depth)
{
    std::string out;
    std::vector<OpenElement> open;
    openElement(out, open, element, depth);
    while (!open.empty()) {
        OpenElement& current = open.back();
        const std::vector<XmlSegment>& segments = current.element->segments();
        while (current.nextSegment < segments.size() &&
               segments[current.nextSegment].position <= current.nextChild)
            appendSegment(out, segments[current.nextSegment++]);
        if (current.nextChild < current.element->childCount()) {
            const XmlElement* child = current.element->loadedChild(current.nextChild++);
            if (child) openElement(out, open, *child, current.depth + 1);
            continue;
        }
        while (current.nextSegment < segments.size())
            appendSegment(out, segments[current.nextSegment++]);
        appendIndent(out, *current.element, current.depth);
        out += "</" + current.element->name() + ">\r\n";
        open.pop_back();
    }
    return out;
}

std::string writeDocumentText(std::string_view declaration,
                              const std::vector<DocumentComment>& comments, const XmlElement& root)
{
    std::string out(declaration);
    out += "\r\n";
    for (const DocumentComment& comment : comments)
        if (comment.placement == CommentPlacement::BeforeRoot)
            out += "<!--" + comment.text + "-->\r\n";
    out += writeElementText(root, 0);
    for (const DocumentComment& comment : comments)
        if (comment.placement == CommentPlacement::AfterRoot)
            out += "<!--" + comment.text + "-->\r\n";
    return out;
}

} // namespace xml
