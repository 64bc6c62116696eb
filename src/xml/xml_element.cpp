// XML elements: start tags, children, attributes, segments and moving children out to files.
#include "xml/xml_element.h"

#include "model/limits.h"
#include "xml/entities.h"
#include "xml/utf.h"
#include "xml/xml_parser.h"
#include "xml/xml_writer.h"

#include <algorithm>
#include <cstdio>

namespace xml {
namespace {

bool isNameStart(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == ':' || c >= 0x80;
}

bool isNameCharacter(unsigned char c)
{
    return isNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::size_t skipBlanks(std::string_view text, std::size_t i)
{
    while (i < text.size() && isBlank(text[i]))
        ++i;
    return i;
}

// The end of an attribute value that starts at `i`: after its closing quote, or at the next blank
// for a value written without quotes.
std::size_t valueEnd(std::string_view text, std::size_t i)
{
    if (i < text.size() && (text[i] == '"' || text[i] == '\'')) {
        const std::size_t close = text.find(text[i], i + 1);
        return close == std::string_view::npos ? text.size() : close + 1;
    }
    while (i < text.size() && !isBlank(text[i]))
        ++i;
    return i;
}

// Reads name="value" pairs, as loosely as documents written by hand need: a value may stand in
// double or single quotes or without any (up to the next blank), and what is not a valid name
// followed by "=" is passed over.
void readAttributes(std::string_view text, std::vector<XmlAttribute>& attributes)
{
    std::size_t i = skipBlanks(text, 0);
    while (i < text.size()) {
        std::size_t nameEnd = i;
        while (nameEnd < text.size() && !isBlank(text[nameEnd]) && text[nameEnd] != '=')
            ++nameEnd;
        const std::string_view name = text.substr(i, nameEnd - i);
        i = skipBlanks(text, nameEnd);
        if (i >= text.size() || text[i] != '=') continue; // a name without a value
        i = skipBlanks(text, i + 1);
        const std::size_t end = valueEnd(text, i);
        const bool quoted = end > i && (text[i] == '"' || text[i] == '\'') && end - i >= 2 &&
                            text[end - 1] == text[i];
        const std::string_view value =
            quoted ? text.substr(i + 1, end - i - 2) : text.substr(i, end - i);
        if (isXmlName(name)) attributes.push_back({std::string(name), std::string(value)});
        i = skipBlanks(text, end);
    }
}

} // namespace

bool isXmlName(std::string_view name)
{
    if (name.empty() || !isNameStart(static_cast<unsigned char>(name[0]))) return false;
    return std::all_of(name.begin(), name.end(),
                       [](char c) { return isNameCharacter(static_cast<unsigned char>(c)); }) &&
           !findInvalidUtf8(name);
}

std::unique_ptr<XmlElement> XmlElement::fromStartTag(std::string_view startTag)
{
    if (startTag.size() < 3 || startTag.front() != '<' || startTag.back() != '>') return nullptr;
    std::string_view inner = startTag.substr(1, startTag.size() - 2);
    if (!inner.empty() && inner.back() == '/') inner.remove_suffix(1);
    std::size_t nameEnd = 0;
    while (nameEnd < inner.size() && !isBlank(inner[nameEnd]))
        ++nameEnd;
    const std::string_view name = inner.substr(0, nameEnd);
    if (!isXmlName(name)) return nullptr;
    auto element = std::make_unique<XmlElement>(std::string(name));
    readAttributes(inner.substr(nameEnd), element->m_attributes);
    return element;
}

XmlElement::XmlElement(std::string name) : m_name(std::move(name)) {}

XmlElement::~XmlElement()
{
    for (const MovedOutChild& moved : m_movedOut)
        std::remove(moved.path.c_str());
    // Children are taken out before each element dies, so no destructor recurses deeper than one.
    std::vector<std::unique_ptr<XmlElement>> pending;
    takeChildren(pending);
    while (!pending.empty()) {
        std::unique_ptr<XmlElement> element = std::move(pending.back());
        pending.pop_back();
        if (element) element->takeChildren(pending);
    }
}

void XmlElement::takeChildren(std::vector<std::unique_ptr<XmlElement>>& into)
{
    for (auto& slot : m_children)
        if (slot) into.push_back(std::move(slot));
    m_children.clear();
}

// --- children -----------------------------------------------------------------------------------

XmlElement* XmlElement::child(std::size_t index)
{
    if (index >= m_children.size()) return nullptr;
    if (!m_children[index] && !bringBackChild(index)) return nullptr;
    return m_children[index].get();
}

const XmlElement* XmlElement::loadedChild(std::size_t index) const
{
    return index < m_children.size() ? m_children[index].get() : nullptr;
}

XmlElement* XmlElement::findChild(std::string_view name)
{
    for (std::size_t i = 0; i < m_children.size(); ++i) {
        XmlElement* candidate = child(i);
        if (candidate && candidate->m_name == name) return candidate;
    }
    return nullptr;
}

XmlElement& XmlElement::appendChild(std::unique_ptr<XmlElement> child)
{
    child->m_parent = this;
    m_children.push_back(std::move(child));
    return *m_children.back();
}

bool XmlElement::removeChild(std::size_t index)
{
    if (index >= m_children.size()) return false;
    const auto moved = std::find_if(m_movedOut.begin(), m_movedOut.end(),
                                    [index](const MovedOutChild& m) { return m.index == index; });
    if (moved != m_movedOut.end()) {
        std::remove(moved->path.c_str());
        m_movedOut.erase(moved);
    }
    m_children.erase(m_children.begin() + static_cast<std::ptrdiff_t>(index));
    for (MovedOutChild& m : m_movedOut)
        if (m.index > index) --m.index;
    for (XmlSegment& segment : m_segments)
        if (segment.position > index) --segment.position;
    return true;
}

// --- attributes ---------------------------------------------------------------------------------

const XmlAttribute* XmlElement::findAttribute(std::string_view name) const
{
    for (const XmlAttribute& attribute : m_attributes)
        if (attribute.name == name) return &attribute;
    return nullptr;
}

std::optional<std::string> XmlElement::attributeValue(std::string_view name,
                                                      Decoding decoding) const
{
    const XmlAttribute* attribute = findAttribute(name);
    if (!attribute) return std::nullopt;
    return decoding == Decoding::Decoded ? decodeEntities(attribute->value) : attribute->value;
}

bool XmlElement::setAttribute(std::string_view name, std::string_view plainValue)
{
    if (!isXmlName(name)) return false;
    std::string value = encodeEntities(replaceInvalidUtf8(plainValue), EntityContext::Attribute);
    for (XmlAttribute& attribute : m_attributes) {
        if (attribute.name != name) continue;
        attribute.value = std::move(value);
        return true;
    }
    m_attributes.push_back({std::string(name), std::move(value)});
    return true;
}

bool XmlElement::removeAttribute(std::string_view name)
{
    const auto found = std::find_if(m_attributes.begin(), m_attributes.end(),
                                    [name](const XmlAttribute& a) { return a.name == name; });
    if (found == m_attributes.end()) return false;
    m_attributes.erase(found);
    return true;
}

// --- segments -----------------------------------------------------------------------------------

std::size_t XmlElement::textCount() const
{
    return static_cast<std::size_t>(
        std::count_if(m_segments.begin(), m_segments.end(),
                      [](const XmlSegment& s) { return s.kind == SegmentKind::Text; }));
}

std::string XmlElement::text(std::size_t index, Decoding decoding) const
{
    for (const XmlSegment& segment : m_segments) {
        if (segment.kind != SegmentKind::Text) continue;
        if (index-- > 0) continue;
        return decoding == Decoding::Decoded ? decodeEntities(segment.text) : segment.text;
    }
    return {};
}

void XmlElement::appendText(std::string_view plainText, std::size_t position)
{
    appendSegment(SegmentKind::Text,
                  encodeEntities(replaceInvalidUtf8(plainText), EntityContext::Text), position);
}

bool XmlElement::appendSegment(SegmentKind kind, std::string storedText, std::size_t position)
{
    if (kind == SegmentKind::Comment && storedText.find("-->") != std::string::npos) return false;
    if (kind == SegmentKind::CData && storedText.find("]]>") != std::string::npos) return false;
    const auto after = std::upper_bound(
        m_segments.begin(), m_segments.end(), position,
        [](std::size_t wanted, const XmlSegment& segment) { return wanted < segment.position; });
    m_segments.insert(after, XmlSegment{kind, std::move(storedText), position});
    return true;
}

// --- moving children out ------------------------------------------------------------------------

std::size_t XmlElement::indexInParent() const
{
    const auto& siblings = m_parent->m_children;
    for (std::size_t i = 0; i < siblings.size(); ++i)
        if (siblings[i].get() == this) return i;
    return 0;
}

std::string XmlElement::indexChain() const
{
    std::vector<std::size_t> indexes;
    for (const XmlElement* element = this; element->m_parent; element = element->m_parent)
        indexes.push_back(element->indexInParent());
    std::string chain = "0";
    for (auto index = indexes.rbegin(); index != indexes.rend(); ++index)
        chain += "-" + std::to_string(*index);
    return chain;
}

io::WriteResult XmlElement::moveChildOut(std::size_t index, const std::string& folder)
{
    if (index >= m_children.size())
        return {false, "<" + m_name + "> has no child " + std::to_string(index)};
    if (!m_children[index]) return {true, {}};
    XmlElement& moving = *m_children[index];
    const std::string path = folder + "/" + indexChain() + "-" + std::to_string(index) + ".xmltmp";
    if (!moving.bringBackAll())
        return {false, path + ": a moved-out part of <" + moving.m_name + "> cannot be loaded"};
    const io::WriteResult written =
        io::writeFileAtomically(path, writeDocumentText(defaultDeclaration, {}, moving));
    if (!written.written) return written;
    m_children[index].reset();
    m_movedOut.push_back({index, path});
    return written;
}

bool XmlElement::isMovedOut(std::size_t index) const
{
    return index < m_children.size() && !m_children[index];
}

bool XmlElement::bringBackChild(std::size_t index)
{
    const auto moved = std::find_if(m_movedOut.begin(), m_movedOut.end(),
                                    [index](const MovedOutChild& m) { return m.index == index; });
    if (moved == m_movedOut.end()) return index < m_children.size() && m_children[index];
    const io::FileContents contents = io::readWholeFile(moved->path, model::maxXmlDocumentBytes);
    if (contents.status != io::ReadStatus::Read) return false;
    ParsedDocument parsed = parseDocumentText(contents.bytes);
    if (parsed.status != LoadStatus::Loaded) return false;
    parsed.root->m_parent = this;
    m_children[index] = std::move(parsed.root);
    std::remove(moved->path.c_str());
    m_movedOut.erase(moved);
    return true;
}

bool XmlElement::bringBackAll()
{
    bool complete = true;
    std::vector<XmlElement*> pending{this};
    while (!pending.empty()) {
        XmlElement* element = pending.back();
        pending.pop_back();
        for (std::size_t i = 0; i < element->m_children.size(); ++i) {
            if (!element->m_children[i] && !element->bringBackChild(i)) complete = false;
            if (element->m_children[i]) pending.push_back(element->m_children[i].get());
        }
    }
    return complete;
}

} // namespace xml
