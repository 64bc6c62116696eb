// The XML parser: document level (declaration, comments, the root) and the element loop.
#include "xml/xml_parser.h"

#include "model/limits.h"
#include "xml/declared_encoding.h"

#include <algorithm>

namespace xml {
namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The writer puts a line break before and a line break and indentation after every text segment;
// reading takes one of each away again, so that text keeps its own white space through any number
// of saves. Segments of white space only (indentation between elements) are dropped.
std::string_view segmentText(std::string_view text)
{
    if (std::all_of(text.begin(), text.end(), isBlank)) return {};
    if (text.starts_with("\r\n"))
        text.remove_prefix(2);
    else if (text.starts_with('\n'))
        text.remove_prefix(1);
    std::size_t end = text.size();
    while (end > 0 && (text[end - 1] == ' ' || text[end - 1] == '\t'))
        --end;
    if (end > 0 && text[end - 1] == '\n') {
        --end;
        if (end > 0 && text[end - 1] == '\r') --end;
        text = text.substr(0, end);
    }
    return text;
}

class Parser {
public:
    explicit Parser(std::string_view text) : m_text(text) {}

    ParsedDocument run()
    {
        const std::size_t declarationEnd = m_text.find("?>");
        if (declarationEnd == std::string_view::npos)
            return emptyDocument(LoadDetail::NoDeclaration, "holds no XML declaration");
        m_result.declaration = std::string(m_text.substr(0, declarationEnd + 2));
        parseDocumentLevel(declarationEnd + 2);
        return finish();
    }

private:
    ParsedDocument emptyDocument(LoadDetail detail, std::string reason)
    {
        m_result.status = LoadStatus::Empty;
        m_result.detail = detail;
        m_result.reason = std::move(reason);
        m_result.declaration = std::string(defaultDeclaration);
        return finish();
    }

    ParsedDocument finish()
    {
        if (!m_result.root) m_result.root = std::make_unique<XmlElement>("root");
        return std::move(m_result);
    }

    void fail(LoadDetail detail, std::size_t offset, std::string_view what)
    {
        const auto line =
            std::count(m_text.begin(), m_text.begin() + static_cast<std::ptrdiff_t>(offset), '\n');
        m_result.status = LoadStatus::Failed;
        m_result.detail = detail;
        m_result.reason = "line " + std::to_string(line + 1) + ": " + std::string(what);
        m_failed = true;
    }

    // The end of the markup that starts at `start` and ends with `terminator`, or npos after
    // reporting it as unterminated.
    std::size_t markupEnd(std::size_t start, std::string_view opener, std::string_view terminator,
                          std::string_view what)
    {
        const std::size_t end = m_text.find(terminator, start + opener.size());
        if (end == std::string_view::npos) {
            fail(LoadDetail::UnterminatedMarkup, start, std::string(what) + " is not closed");
            return end;
        }
        return end + terminator.size();
    }

    // Comments, processing instructions and declarations such as DOCTYPE around the root.
    void parseDocumentLevel(std::size_t position)
    {
        bool rootDone = false;
        for (;;) {
            const std::size_t start = m_text.find('<', position);
            if (start == std::string_view::npos) break;
            const std::string_view rest = m_text.substr(start);
            if (rest.starts_with("<!--")) {
                position = markupEnd(start, "<!--", "-->", "a comment");
                if (m_failed || !countNodes(1, start)) return;
                m_result.comments.push_back(
                    {std::string(m_text.substr(start + 4, position - 3 - start - 4)),
                     rootDone ? CommentPlacement::AfterRoot : CommentPlacement::BeforeRoot});
                continue;
            }
            if (rest.starts_with("<?") || rest.starts_with("<!")) {
                position = rest.starts_with("<?") ? markupEnd(start, "<?", "?>", "a declaration")
                                                  : markupEnd(start, "<!", ">", "a declaration");
                if (m_failed) return;
                continue;
            }
            if (rootDone) break; // content after the root element is not read
            if (rest.starts_with("</")) {
                fail(LoadDetail::StrayEndTag, start, "an end tag stands before any start tag");
                return;
            }
            position = parseRoot(start);
            if (m_failed) return;
            rootDone = true;
        }
        if (!rootDone) {
            m_result.status = LoadStatus::Empty;
            m_result.detail = LoadDetail::NoRootElement;
            m_result.reason = "holds no element";
        }
    }

    struct StartTag {
        std::unique_ptr<XmlElement> element;
        std::size_t end = 0; // just after ">"
        bool selfClosing = false;
    };

    StartTag readStartTag(std::size_t start)
    {
        char quote = 0;
        std::size_t i = start + 1;
        for (; i < m_text.size(); ++i) {
            const char c = m_text[i];
            if (quote) {
                if (c == quote) quote = 0;
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (c == '>') {
                break;
            }
        }
        if (i >= m_text.size()) {
            fail(LoadDetail::UnterminatedMarkup, start, "a start tag is not closed");
            return {};
        }
        const std::string_view tag = m_text.substr(start, i + 1 - start);
        StartTag result{XmlElement::fromStartTag(tag), i + 1, m_text[i - 1] == '/'};
        if (!result.element) {
            fail(LoadDetail::MalformedStartTag, start,
                 "the start tag " + std::string(tag.substr(0, 40)) + " is malformed");
            return {};
        }
        if (!countNodes(1 + result.element->attributes().size(), start)) return {};
        return result;
    }

    // Counts parsed nodes against the limit; false (after failing) beyond it.
    bool countNodes(std::size_t added, std::size_t offset)
    {
        m_nodeCount += added;
        if (m_nodeCount <= model::maxXmlNodes) return true;
        fail(LoadDetail::TooManyNodes, offset,
             "more than the limit of " + std::to_string(model::maxXmlNodes) +
                 " nodes (elements, attributes, texts and comments)");
        return false;
    }

    void addText(XmlElement& element, std::size_t begin, std::size_t end)
    {
        const std::string_view text = segmentText(m_text.substr(begin, end - begin));
        if (!text.empty() && countNodes(1, begin))
            element.appendSegment(SegmentKind::Text, std::string(text), element.childCount());
    }

    // The root element and everything inside it; returns the position after its end tag.
    std::size_t parseRoot(std::size_t start)
    {
        StartTag tag = readStartTag(start);
        if (m_failed) return start;
        m_result.root = std::move(tag.element);
        std::vector<XmlElement*> open;
        if (!tag.selfClosing) open.push_back(m_result.root.get());
        std::size_t position = tag.end;
        while (!open.empty()) {
            XmlElement& current = *open.back();
            const std::size_t markup = m_text.find('<', position);
            if (markup == std::string_view::npos) {
                fail(LoadDetail::MissingEndTag, m_text.size(),
                     "the end tag of <" + current.name() + "> is missing");
                return position;
            }
            addText(current, position, markup);
            position = parseMarkup(markup, current, open);
            if (m_failed) return position;
        }
        return position;
    }

    // One markup inside `current`; returns the position after it.
    std::size_t parseMarkup(std::size_t start, XmlElement& current, std::vector<XmlElement*>& open)
    {
        const std::string_view rest = m_text.substr(start);
        if (rest.starts_with("<!--")) {
            const std::size_t end = markupEnd(start, "<!--", "-->", "a comment");
            if (!m_failed && countNodes(1, start))
                current.appendSegment(SegmentKind::Comment,
                                      std::string(m_text.substr(start + 4, end - 3 - start - 4)),
                                      current.childCount());
            return end;
        }
        if (rest.starts_with("<![CDATA[")) {
            const std::size_t end = markupEnd(start, "<![CDATA[", "]]>", "a CDATA section");
            if (!m_failed && countNodes(1, start))
                current.appendSegment(SegmentKind::CData,
                                      std::string(m_text.substr(start + 9, end - 3 - start - 9)),
                                      current.childCount());
            return end;
        }
        if (rest.starts_with("<?")) return markupEnd(start, "<?", "?>", "a processing instruction");
        if (rest.starts_with("<!")) return markupEnd(start, "<!", ">", "a declaration");
        if (rest.starts_with("</")) return parseEndTag(start, open);
        StartTag tag = readStartTag(start);
        if (m_failed) return start;
        XmlElement& added = current.appendChild(std::move(tag.element));
        if (!tag.selfClosing) open.push_back(&added);
        return tag.end;
    }

    // An end tag closes the current element whatever name it gives, as documents written by
    // hand expect.
    std::size_t parseEndTag(std::size_t start, std::vector<XmlElement*>& open)
    {
        const std::size_t end = markupEnd(start, "</", ">", "an end tag");
        if (!m_failed) open.pop_back();
        return end;
    }

    std::string_view m_text;
    ParsedDocument m_result;
    std::size_t m_nodeCount = 0;
    bool m_failed = false;
};

} // namespace

ParsedDocument parseDocumentText(std::string_view bytes)
{
    const std::string text = documentTextAsUtf8(bytes);
    return Parser(text).run();
}

} // namespace xml
