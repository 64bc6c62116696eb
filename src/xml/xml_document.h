// An XML document: loaded from a file or from text in memory, walked and changed as a tree of
// elements, and written back in UTF-8 or UTF-16.
//
// Paths are byte strings, as file names are on Linux; there is one path type and no separate
// entry for wide file names.
#pragma once

#include "io/atomic_file.h"
#include "io/file_io.h"
#include "xml/xml_element.h"
#include "xml/xml_parser.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace xml {

enum class TextEncoding { Utf8, Utf16 };
enum class SaveOnClose { No, Yes };

class XmlDocument {
public:
    // A new document: the standard declaration and an empty element "root", status 0.
    XmlDocument();
    XmlDocument(const XmlDocument&) = delete;
    XmlDocument& operator=(const XmlDocument&) = delete;
    XmlDocument(XmlDocument&&) = default;
    XmlDocument& operator=(XmlDocument&&) = default;
    ~XmlDocument() = default;

    // Each of these replaces whatever the document held. A file that cannot be opened or holds
    // no declaration gives an empty document with status 1; a file larger than
    // model::maxXmlDocumentBytes gives status 2. Files may be UTF-8 (with or without a byte
    // order mark) or UTF-16 with a byte order mark.
    void openFile(const std::string& path);
    void openText(std::string_view utf8Text);
    void openText(std::u16string_view utf16Text);

    LoadStatus status() const { return m_status; }
    LoadDetail detail() const { return m_detail; }
    // Why the load fell short, naming the file ("XML text" for text in memory); empty when loaded.
    const std::string& message() const { return m_message; }

    const std::string& fileName() const { return m_fileName; } // empty for text in memory
    const std::string& declaration() const { return m_declaration; }
    const std::vector<DocumentComment>& comments() const { return m_comments; }
    XmlElement& root() { return *m_root; }
    const XmlElement& root() const { return *m_root; }

    // The document as text, in UTF-8 (the declaration's encoding becomes "UTF-8"); moved-out
    // children are brought back first.
    std::string text();
    // Writes the document to its own file name or to `path`, atomically. In UTF-16 the
    // declaration's encoding becomes "UTF-16" and the file is little-endian with a byte order
    // mark. Moved-out children are brought back first; a save that fails leaves the file and
    // the tree as they were.
    io::WriteResult save(TextEncoding encoding = TextEncoding::Utf8);
    io::WriteResult saveAs(const std::string& path, TextEncoding encoding = TextEncoding::Utf8);

    void setSaveOnClose(SaveOnClose saveOnClose) { m_saveOnClose = saveOnClose; }
    // Writes the document when save-on-close is set, then frees the tree and starts afresh.
    io::WriteResult close();

    // Writes the child at `index` of `parent` (an element of this document) to a temporary
    // file named by its chain of child indexes ("0-3-1.xmltmp") in `folder`, by default the
    // document's folder, and empties its slot until something walks to it or the document
    // is saved.
    io::WriteResult moveChildOut(XmlElement& parent, std::size_t index,
                                 std::optional<std::string> folder = std::nullopt);

private:
    void adopt(ParsedDocument parsed, std::string_view source);
    void fail(LoadStatus status, LoadDetail detail, std::string message);
    std::string encodedText(std::string_view declaration, TextEncoding encoding) const;

    std::string m_fileName;
    std::string m_declaration;
    std::vector<DocumentComment> m_comments;
    std::unique_ptr<XmlElement> m_root;
    LoadStatus m_status = LoadStatus::Loaded;
    LoadDetail m_detail = LoadDetail::None;
    std::string m_message;
    SaveOnClose m_saveOnClose = SaveOnClose::No;
};

// The declaration with its encoding pseudo-attribute set to `encoding` (added after the version
// when missing).
std::string declarationWithEncoding(std::string_view declaration, std::string_view encoding);

} // namespace xml
