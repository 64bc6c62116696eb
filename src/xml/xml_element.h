// An element of an XML tree: its name and attributes, its children, and the text segments,
// comments and CDATA sections between them, each placed by the number of children before it.
#pragma once

#include "io/atomic_file.h"
#include "io/file_io.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace xml {

enum class Decoding { Raw, Decoded };
enum class IndentStyle { Tabs, Spaces };
enum class SegmentKind { Text, Comment, CData };

struct XmlAttribute {
    std::string name;
    std::string value; // as in the source: entities are not decoded

    bool operator==(const XmlAttribute&) const = default;
};

// A text segment, comment or CDATA section. It is written after `position` children of its
// element; segments with the same position keep their source order.
struct XmlSegment {
    SegmentKind kind = SegmentKind::Text;
    std::string text; // text as in the source (entities not decoded); comment and CDATA bodies
    std::size_t position = 0; // number of children before it

    bool operator==(const XmlSegment&) const = default;
};

// True for a name that can stand in a tag or as an attribute name: valid UTF-8 with a letter,
// "_", ":" or a non-ASCII character first, then also digits, "-" and ".".
bool isXmlName(std::string_view name);

class XmlElement {
public:
    // An element made from start-tag text such as "<plot>" or "<item key='1'/>"; nothing when the
    // text is not a start tag with a valid name. Attribute values may be quoted with either quote
    // or, as in "<plot id=1>", not at all; text that is no attribute is passed over.
    static std::unique_ptr<XmlElement> fromStartTag(std::string_view startTag = "<root />");

    explicit XmlElement(std::string name);
    XmlElement(const XmlElement&) = delete;
    XmlElement& operator=(const XmlElement&) = delete;
    // Frees the subtree without recursion, so a tree of any depth can go; deletes the temporary
    // files of children that are moved out.
    ~XmlElement();

    const std::string& name() const { return m_name; }
    XmlElement* parent() { return m_parent; }
    const XmlElement* parent() const { return m_parent; }

    // --- children (slots; a moved-out child keeps its slot) ---
    std::size_t childCount() const { return m_children.size(); }
    // The child at `index`, brought back first when it was moved out; nullptr when out of range
    // or when its temporary file cannot be loaded.
    XmlElement* child(std::size_t index);
    // The child at `index` without bringing anything back: nullptr for a moved-out slot.
    const XmlElement* loadedChild(std::size_t index) const;
    // The first child named `name` (moved-out children are brought back on the way).
    XmlElement* findChild(std::string_view name);
    // Appends `child` as the last child; it becomes this element's child.
    XmlElement& appendChild(std::unique_ptr<XmlElement> child);
    // Removes and frees the child at `index`; segments after it keep their place among the
    // remaining children. False when out of range.
    bool removeChild(std::size_t index);

    // --- attributes ---
    const std::vector<XmlAttribute>& attributes() const { return m_attributes; }
    const XmlAttribute* findAttribute(std::string_view name) const;
    std::optional<std::string> attributeValue(std::string_view name, Decoding decoding) const;
    // Adds the attribute or changes its value; `plainValue` is encoded for storage, with bytes
    // that are not UTF-8 replaced (replaceInvalidUtf8), so that the tree is always written as a
    // document that loads again. False (and nothing changes) when `name` is not a valid XML name.
    bool setAttribute(std::string_view name, std::string_view plainValue);
    bool removeAttribute(std::string_view name);

    // --- text segments, comments, CDATA ---
    const std::vector<XmlSegment>& segments() const { return m_segments; }
    std::size_t textCount() const;
    // The text of the index-th text segment, as stored or with entities decoded; empty when out
    // of range.
    std::string text(std::size_t index, Decoding decoding) const;
    // Adds a text segment after `position` children; `plainText` is encoded for storage, with
    // bytes that are not UTF-8 replaced as for attribute values.
    void appendText(std::string_view plainText, std::size_t position);
    // Adds a segment stored exactly as given (the parser's entry). Comments must not contain
    // "-->" and CDATA sections not "]]>"; false when they do.
    bool appendSegment(SegmentKind kind, std::string storedText, std::size_t position);

    IndentStyle indentStyle() const { return m_indentStyle; }
    void setIndentStyle(IndentStyle style) { m_indentStyle = style; }

    // --- moving children out to temporary files ---
    // The chain of child indexes from the root ("0" for the root, "0-3-1" for the second child
    // of the root's fourth child).
    std::string indexChain() const;
    // Writes the child at `index` to "<folder>/<chain>.xmltmp" and empties its slot.
    io::WriteResult moveChildOut(std::size_t index, const std::string& folder);
    bool isMovedOut(std::size_t index) const;
    // Loads the moved-out child at `index` back into its slot and deletes its file. True when
    // the slot holds its child afterwards.
    bool bringBackChild(std::size_t index);
    // Brings back every moved-out child in the subtree; false when one could not be loaded.
    bool bringBackAll();

private:
    struct MovedOutChild {
        std::size_t index;
        std::string path;
    };

    void takeChildren(std::vector<std::unique_ptr<XmlElement>>& into);
    std::size_t indexInParent() const;

    std::string m_name;
    XmlElement* m_parent = nullptr;
    std::vector<std::unique_ptr<XmlElement>> m_children; // nullptr: moved out
    std::vector<XmlAttribute> m_attributes;
    std::vector<XmlSegment> m_segments; // ordered by position, then source order
    std::vector<MovedOutChild> m_movedOut;
    IndentStyle m_indentStyle = IndentStyle::Tabs;
};

} // namespace xml
