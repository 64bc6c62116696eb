// Markup rendering: segments, formatting state, try blocks and link text.
#include "lang/markup.h"
#include "model/argument_text.h"

#include "lang/tokenizer.h"

namespace lang {
namespace {

struct Segment {
    std::string_view text;
    bool isTag;
};

// Text before the first "{", then each tag up to its "}", then the text up to the next "{".
// A "{" without a following "}" ends the text there.
std::vector<Segment> cutSegments(std::string_view text)
{
    std::vector<Segment> segments;
    std::size_t position = 0;
    while (position < text.size()) {
        const std::size_t open = text.find('{', position);
        if (open == std::string_view::npos) {
            segments.push_back({text.substr(position), false});
            break;
        }
        if (open > position) segments.push_back({text.substr(position, open - position), false});
        const std::size_t close = text.find('}', open);
        if (close == std::string_view::npos) break;
        segments.push_back({text.substr(open, close - open + 1), true});
        position = close + 1;
    }
    return segments;
}

std::string toRichEditLines(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        result.push_back(text[i] == '\n' ? '\r' : text[i]);
    }
    return result;
}

struct FormattingState {
    bool bold = false, italic = false, underline = false, link = false, inTry = false;
    std::uint32_t colour = 0;
};

struct InsertionFormat {
    TextStyle style;
    bool link = false;
};

InsertionFormat formatFromState(const FormattingState& state)
{
    InsertionFormat format{{state.bold, state.italic, state.underline, state.colour}, state.link};
    if (state.link) format.style = {true, format.style.italic, true, 0xFF0000};
    return format;
}

class Renderer {
public:
    std::vector<StyledRun> render(std::string_view text)
    {
        const std::vector<Segment> segments = cutSegments(text);
        for (std::size_t i = 0; i < segments.size(); ++i) {
            if (!segments[i].isTag) {
                insert(segments[i].text, m_format);
                continue;
            }
            const std::string_view next =
                (i + 1 < segments.size() && !segments[i + 1].isTag) ? segments[i + 1].text : "";
            applyTag(segments[i].text, next);
            m_format = formatFromState(m_state);
        }
        finishLink();
        m_runs.push_back({std::string(separatorLine), {}, {}});
        return std::move(m_runs);
    }

private:
    void applyTag(std::string_view tag, std::string_view nextText)
    {
        if (tag == "{b}")
            m_state.bold = !m_state.bold;
        else if (tag == "{i}")
            m_state.italic = !m_state.italic;
        else if (tag == "{u}")
            m_state.underline = !m_state.underline;
        else if (tag == "{l}")
            m_state.link = !m_state.link;
        else if (model::startsWithIgnoringCase(tag, "{c "))
            m_state.colour =
                model::truncateToUint32(model::parseNumber(tag.substr(3, tag.size() - 4)));
        else if (tag == "{t}")
            toggleTry(nextText);
    }

    void toggleTry(std::string_view example)
    {
        if (m_state.inTry) {
            m_state.inTry = false;
            return;
        }
        m_state.inTry = true;
        finishLink();
        TextStyle style{true, m_format.style.italic, true, m_format.style.colour};
        m_runs.push_back({"Try now:\r\n", style, "Try now:\r" + toRichEditLines(example)});
        m_format = InsertionFormat{};
    }

    void insert(std::string_view text, const InsertionFormat& format)
    {
        if (!format.link)
            finishLink();
        else if (!m_linkOpen) {
            m_linkOpen = true;
            m_linkFirstRun = m_runs.size();
        }
        m_runs.push_back({std::string(text), format.style, format.link ? "\x01" : ""});
    }

    // Gives every run of the open link range the range's whole text.
    void finishLink()
    {
        if (!m_linkOpen) return;
        m_linkOpen = false;
        std::string whole;
        for (std::size_t i = m_linkFirstRun; i < m_runs.size(); ++i)
            whole += m_runs[i].text;
        const std::string linkText = toRichEditLines(whole);
        for (std::size_t i = m_linkFirstRun; i < m_runs.size(); ++i)
            m_runs[i].link = linkText;
    }

    std::vector<StyledRun> m_runs;
    FormattingState m_state;
    InsertionFormat m_format;
    bool m_linkOpen = false;
    std::size_t m_linkFirstRun = 0;
};

} // namespace

std::vector<StyledRun> renderMarkup(std::string_view text)
{
    return Renderer().render(text);
}

std::string plainText(const std::vector<StyledRun>& runs)
{
    std::string result;
    for (const StyledRun& run : runs) {
        for (std::size_t i = 0; i < run.text.size(); ++i) {
            const char c = run.text[i];
            if (c == '\r') {
                if (i + 1 < run.text.size() && run.text[i + 1] == '\n') ++i;
                result.push_back('\n');
            } else {
                result.push_back(c);
            }
        }
    }
    return result;
}

std::vector<std::string> linkCommands(std::string_view linkText)
{
    if (model::startsWithIgnoringCase(linkText, "try"))
        linkText = linkText.size() > 9 ? linkText.substr(9) : std::string_view{};
    std::vector<std::string> commands;
    for (std::string& piece : splitTokens(linkText, "\r", QuoteProtection::Off)) {
        // A piece of blanks only becomes an empty line, which the interpreter answers with "*".
        const std::size_t begin = piece.find_first_not_of(" \t");
        const std::size_t end = piece.find_last_not_of(" \t");
        commands.push_back(begin == std::string::npos ? std::string{}
                                                      : piece.substr(begin, end - begin + 1));
    }
    return commands;
}

} // namespace lang
