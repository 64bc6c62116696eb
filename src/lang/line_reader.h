// Reading command lines from a stream with a bound on their length, so that input without line
// breaks (a binary file, /dev/zero on standard input) cannot make the reader grow without end.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>

namespace lang {

enum class LineStatus {
    Read,    // `line` holds the next line
    TooLong, // the next line had more than the maximum; it was skipped to its end
    End,     // nothing is left
};

// Reads up to the next LF (not included, nor a CR before it) into `line`. A line of more than
// `maximumBytes` bytes is read to its end but not kept: `line` is then empty. A last line without
// LF counts as a line.
LineStatus readLine(std::istream& input, std::string& line, std::size_t maximumBytes);

} // namespace lang
