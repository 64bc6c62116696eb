// Bounded line reading.
#include "lang/line_reader.h"

#include <istream>

namespace lang {

LineStatus readLine(std::istream& input, std::string& line, std::size_t maximumBytes)
{
    line.clear();
    std::streambuf* buffer = input.rdbuf();
    if (!buffer || !input.good()) return LineStatus::End;
    using Traits = std::char_traits<char>;
    bool any = false;
    bool tooLong = false;
    for (Traits::int_type next = buffer->sbumpc(); !Traits::eq_int_type(next, Traits::eof());
         next = buffer->sbumpc()) {
        any = true;
        const char c = Traits::to_char_type(next);
        if (c == '\n') break;
        if (tooLong) continue;
        if (line.size() == maximumBytes) {
            tooLong = true;
            line.clear();
            line.shrink_to_fit();
            continue;
        }
        line += c;
    }
    if (!any) {
        input.setstate(std::ios::eofbit);
        return LineStatus::End;
    }
    if (tooLong) return LineStatus::TooLong;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return LineStatus::Read;
}

} // namespace lang
