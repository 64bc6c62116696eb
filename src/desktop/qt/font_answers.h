// What the font machinery answered a batch export (families found, line spacings, text bounds,
// line breaks), remembered in a file of the user's cache folder, so that a later export of text
// it has measured before needs neither the font configuration nor the application object. The
// file holds the stamps (size, time, inode) of everything the answers depend on: the program and
// its libraries, the font configuration files and folders, the font folders and the files of
// the families used, and the environment variables that steer fonts. A file whose stamps no
// longer match, or that cannot be read whole, is dropped and written anew; a file that cannot be
// written only costs the next export the time of asking again.
#pragma once

#include <cstddef>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace desktop {

// At most this many answers are kept; a file that would hold more starts again with the answers
// of the export that writes it.
constexpr std::size_t maxRememberedFontAnswers = 4096;

// Questions and answers are sequences of fields: a field is its length in decimal digits, a
// colon and its bytes; numbers are written in their shortest exact form.
void appendFontField(std::string& out, std::string_view field);
void appendFontField(std::string& out, double number);

// Reads the fields of an answer back in order; a missing or malformed field is none.
class FontFieldReader {
public:
    explicit FontFieldReader(std::string_view text) : m_rest(text) {}
    bool atEnd() const { return m_rest.empty(); }
    std::optional<std::string_view> field();
    std::optional<double> number();

private:
    std::string_view m_rest;
};

class FontAnswers {
public:
    // Answers kept in `file`, which is read at the first question; no file keeps nothing.
    explicit FontAnswers(std::optional<std::filesystem::path> file);

    // The file under the user's cache folder ($XDG_CACHE_HOME, else ~/.cache); none without
    // either.
    static std::optional<std::filesystem::path> defaultFile();

    // The answer remembered for `question`, when the file held one and its stamps still match.
    std::optional<std::string> find(const std::string& question);
    // Keeps `answer`, computed in this process, for the next save.
    void remember(const std::string& question, std::string answer);
    // Notes a family the answers use: its font files are stamped when the file is written.
    void useFamily(const std::string& family) { m_families.insert(family); }
    // Writes the file when this process added answers. False when it could not be written.
    bool save();

    // Answers computed in this process.
    std::size_t addedCount() const { return m_added.size(); }

private:
    void load();

    std::optional<std::filesystem::path> m_file;
    bool m_loaded = false;
    std::string m_environment;                      // the variables that steer fonts
    std::map<std::string, std::string> m_libraries; // loaded at the first question, stamped
    std::map<std::string, std::string> m_answers; // read from the file
    std::map<std::string, std::string> m_added;   // computed in this process
    std::set<std::string> m_families;
};

} // namespace desktop
