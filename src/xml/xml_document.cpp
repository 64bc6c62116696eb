// XML documents: loading from files and memory, saving in UTF-8 and UTF-16.
#include "xml/xml_document.h"

#include "model/limits.h"
#include "xml/declared_encoding.h"
#include "xml/utf.h"
#include "xml/xml_writer.h"

namespace xml {
namespace {

constexpr std::string_view memorySource = "XML text";

std::string limitText()
{
    return std::to_string(model::maxXmlDocumentBytes) + " bytes";
}

// UTF-16 bytes with a byte order mark to UTF-16 code units.
std::u16string unitsFromBytes(std::string_view bytes, bool bigEndian)
{
    std::u16string units;
    units.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        units += static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
    }
    return units;
}

std::string littleEndianBytes(std::u16string_view units)
{
    std::string bytes = "\xFF\xFE";
    bytes.reserve(2 + units.size() * 2);
    for (const char16_t unit : units) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

} // namespace

std::string declarationWithEncoding(std::string_view declaration, std::string_view encoding)
{
    std::string result(declaration);
    if (const std::optional<ValueSpan> value = findEncodingValue(declaration))
        return result.replace(value->begin, value->end - value->begin, encoding);
    // No encoding yet: it goes after the version (or after "<?xml").
    std::size_t insertAt = std::string::npos;
    const std::size_t version = result.find("version");
    if (version != std::string::npos) {
        const std::size_t open = result.find_first_of("\"'", version);
        if (open != std::string::npos) {
            const std::size_t close = result.find(result[open], open + 1);
            if (close != std::string::npos) insertAt = close + 1;
        }
    }
    if (insertAt == std::string::npos && result.starts_with("<?xml")) insertAt = 5;
    if (insertAt == std::string::npos) return result;
    return result.insert(insertAt, " encoding=\"" + std::string(encoding) + "\"");
}

XmlDocument::XmlDocument()
    : m_declaration(defaultDeclaration), m_root(std::make_unique<XmlElement>("root"))
{
}

void XmlDocument::adopt(ParsedDocument parsed, std::string_view source)
{
    m_declaration = std::move(parsed.declaration);
    m_comments = std::move(parsed.comments);
    m_root = std::move(parsed.root);
    m_status = parsed.status;
    m_detail = parsed.detail;
    m_message = parsed.reason.empty() ? std::string() : std::string(source) + ": " + parsed.reason;
}

void XmlDocument::fail(LoadStatus status, LoadDetail detail, std::string message)
{
    m_declaration = std::string(defaultDeclaration);
    m_comments.clear();
    m_root = std::make_unique<XmlElement>("root");
    m_status = status;
    m_detail = detail;
    m_message = std::move(message);
}

void XmlDocument::openFile(const std::string& path)
{
    m_fileName = path;
    io::FileContents contents = io::readWholeFile(path, model::maxXmlDocumentBytes);
    switch (contents.status) {
    case io::ReadStatus::Missing:
        return fail(LoadStatus::Empty, LoadDetail::FileMissing, path + ": " + contents.reason);
    case io::ReadStatus::Unreadable:
        return fail(LoadStatus::Empty, LoadDetail::FileUnreadable,
                    path + ": cannot be read: " + contents.reason);
    case io::ReadStatus::TooLarge:
        return fail(LoadStatus::Failed, LoadDetail::TooLarge,
                    path + ": the file is larger than the limit of " + limitText());
    case io::ReadStatus::Read:
        break;
    }
    const std::string_view bytes = contents.bytes;
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
        if (bytes.size() % 2 != 0)
            return fail(LoadStatus::Failed, LoadDetail::InvalidUtf16,
                        path + ": is not valid UTF-16 (odd number of bytes)");
        const std::u16string units = unitsFromBytes(bytes.substr(2), bytes[0] == '\xFE');
        contents.bytes.clear();
        const std::optional<std::string> text = utf16ToUtf8(units);
        if (!text)
            return fail(LoadStatus::Failed, LoadDetail::InvalidUtf16,
                        path + ": is not valid UTF-16");
        return adopt(parseDocumentText(*text), path);
    }
    const std::string_view text = bytes.starts_with("\xEF\xBB\xBF") ? bytes.substr(3) : bytes;
    adopt(parseDocumentText(text), path);
}

void XmlDocument::openText(std::string_view utf8Text)
{
    m_fileName.clear();
    if (utf8Text.size() > model::maxXmlDocumentBytes)
        return fail(LoadStatus::Failed, LoadDetail::TooLarge,
                    std::string(memorySource) + ": the text is larger than the limit of " +
                        limitText());
    adopt(parseDocumentText(utf8Text), memorySource);
}

void XmlDocument::openText(std::u16string_view utf16Text)
{
    m_fileName.clear();
    if (utf16Text.size() > model::maxXmlDocumentBytes / 2)
        return fail(LoadStatus::Failed, LoadDetail::TooLarge,
                    std::string(memorySource) + ": the text is larger than the limit of " +
                        limitText());
    const std::optional<std::string> text = utf16ToUtf8(utf16Text);
    if (!text)
        return fail(LoadStatus::Failed, LoadDetail::InvalidUtf16,
                    std::string(memorySource) + ": is not valid UTF-16");
    adopt(parseDocumentText(*text), memorySource);
}

std::string XmlDocument::encodedText(std::string_view declaration, TextEncoding encoding) const
{
    std::string text = writeDocumentText(declaration, m_comments, *m_root);
    if (encoding == TextEncoding::Utf8) return text;
    return littleEndianBytes(utf8ToUtf16(text));
}

std::string XmlDocument::text()
{
    m_root->bringBackAll();
    return encodedText(declarationWithEncoding(m_declaration, "UTF-8"), TextEncoding::Utf8);
}

io::WriteResult XmlDocument::save(TextEncoding encoding)
{
    if (m_fileName.empty()) return {false, "the document has no file name to be saved to"};
    return saveAs(m_fileName, encoding);
}

io::WriteResult XmlDocument::saveAs(const std::string& path, TextEncoding encoding)
{
    if (!m_root->bringBackAll())
        return {false, path + ": not saved: a part moved out to a temporary file cannot be loaded"};
    std::string declaration =
        declarationWithEncoding(m_declaration, encoding == TextEncoding::Utf8 ? "UTF-8" : "UTF-16");
    const io::WriteResult result =
        io::writeFileAtomically(path, encodedText(declaration, encoding));
    if (result.written) m_declaration = std::move(declaration);
    return result;
}

io::WriteResult XmlDocument::close()
{
    io::WriteResult result{true, {}};
    if (m_saveOnClose == SaveOnClose::Yes) result = save();
    *this = XmlDocument();
    return result;
}

io::WriteResult XmlDocument::moveChildOut(XmlElement& parent, std::size_t index,
                                          std::optional<std::string> folder)
{
    return parent.moveChildOut(index, folder ? *folder : io::folderOf(m_fileName));
}

} // namespace xml
