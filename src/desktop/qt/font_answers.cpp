// Remembered font answers: stamps, the file's fields, reading and writing.
//
// Sections: stamps · fields · the answers
#include "desktop/qt/font_answers.h"

#include <fontconfig/fontconfig.h>
#include <libdeflate.h>

#include <link.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string_view>

extern char** environ;

namespace desktop {
namespace {

using Stamps = std::map<std::string, std::string>; // path to stamp

constexpr std::string_view fileHeader = "kelvoplot font answers 1\n";
constexpr std::uintmax_t maxFontAnswersFileBytes = 8 << 20;

// --- stamps -------------------------------------------------------------------------------------

// Size, modification time and inode of what `path` names, or "-" when nothing is there.
std::string stampOf(const std::string& path)
{
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) return "-";
    return std::to_string(status.st_size) + '.' + std::to_string(status.st_mtim.tv_sec) + '.' +
           std::to_string(status.st_mtim.tv_nsec) + '.' + std::to_string(status.st_ino);
}

void watch(Stamps& stamps, const std::string& path)
{
    if (!path.empty()) stamps.emplace(path, stampOf(path));
}

// The variables that steer the font configuration, Qt's fonts and the user's folders, sorted.
std::string fontEnvironment()
{
    constexpr std::array<std::string_view, 5> prefixes = {"FONTCONFIG_", "FC_", "QT_", "XDG_",
                                                          "LC_"};
    constexpr std::array<std::string_view, 3> names = {"HOME", "LANG", "LANGUAGE"};
    std::vector<std::string_view> kept;
    for (char** entry = environ; entry && *entry; ++entry) {
        const std::string_view variable(*entry);
        const std::string_view name = variable.substr(0, variable.find('='));
        if (name == "QT_QPA_PLATFORM") continue; // batch runs always paint offscreen
        const auto startsName = [&](std::string_view prefix) { return name.starts_with(prefix); };
        if (std::any_of(prefixes.begin(), prefixes.end(), startsName) ||
            std::find(names.begin(), names.end(), name) != names.end())
            kept.push_back(variable);
    }
    std::sort(kept.begin(), kept.end());
    std::string joined;
    for (const std::string_view variable : kept) {
        joined += variable;
        joined += '\n';
    }
    return joined;
}

// The program and every library loaded with it: text is measured by their code.
Stamps loadedLibraries()
{
    Stamps stamps;
    char self[4096];
    const ssize_t length = ::readlink("/proc/self/exe", self, sizeof self - 1);
    if (length > 0) watch(stamps, std::string(self, static_cast<std::size_t>(length)));
    dl_iterate_phdr(
        [](dl_phdr_info* info, std::size_t, void* data) {
            if (info->dlpi_name && info->dlpi_name[0] == '/')
                watch(*static_cast<Stamps*>(data), info->dlpi_name);
            return 0;
        },
        &stamps);
    return stamps;
}

std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos || slash == 0 ? std::string() : path.substr(0, slash);
}

void watchStrings(Stamps& stamps, FcStrList* list, bool withFolders)
{
    if (!list) return;
    while (const FcChar8* entry = FcStrListNext(list)) {
        const std::string path(reinterpret_cast<const char*>(entry));
        watch(stamps, path);
        if (withFolders) watch(stamps, folderOf(path));
    }
    FcStrListDone(list);
}

// Where the user's own font configuration and fonts go, whether they are there yet or not.
void watchUserFolders(Stamps& stamps)
{
    const char* home = std::getenv("HOME");
    const std::string homeFolder = home ? home : "";
    const auto folderFrom = [&](const char* variable, const char* underHome) {
        const char* value = std::getenv(variable);
        if (value && *value) return std::string(value);
        return homeFolder.empty() ? std::string() : homeFolder + underHome;
    };
    const std::string config = folderFrom("XDG_CONFIG_HOME", "/.config");
    const std::string data = folderFrom("XDG_DATA_HOME", "/.local/share");
    for (const std::string& path :
         {config, config + "/fontconfig", config + "/fontconfig/conf.d",
          config + "/fontconfig/fonts.conf", data, data + "/fonts", homeFolder,
          homeFolder + "/.fonts", homeFolder + "/.fonts.conf", homeFolder + "/.fonts.conf.d"})
        if (!path.empty() && path.front() == '/') watch(stamps, path);
}

void watchFamilyFiles(Stamps& stamps, const std::string& family)
{
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcObjectSet* objects = FcObjectSetBuild(FC_FILE, nullptr);
    FcFontSet* fonts = FcFontList(nullptr, pattern, objects);
    for (int i = 0; fonts && i < fonts->nfont; ++i) {
        FcChar8* file = nullptr;
        if (FcPatternGetString(fonts->fonts[i], FC_FILE, 0, &file) == FcResultMatch)
            watch(stamps, reinterpret_cast<const char*>(file));
    }
    if (fonts) FcFontSetDestroy(fonts);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
}

// The font configuration as the font database read it: its files and their folders, the font
// folders, and the files of `families`.
Stamps fontConfigurationStamps(const std::set<std::string>& families)
{
    Stamps stamps;
    FcConfig* config = FcConfigGetCurrent();
    if (!config) return stamps;
    watchStrings(stamps, FcConfigGetConfigFiles(config), true);
    watchStrings(stamps, FcConfigGetConfigDirs(config), false);
    watchStrings(stamps, FcConfigGetFontDirs(config), false);
    watchUserFolders(stamps);
    for (const std::string& family : families)
        watchFamilyFiles(stamps, family);
    return stamps;
}

// --- fields -------------------------------------------------------------------------------------

std::uint32_t checksum(std::string_view body)
{
    return libdeflate_crc32(0, body.data(), body.size());
}

// The file's text; none when it is missing or larger than any file of answers this program
// writes.
std::string readWhole(const std::filesystem::path& file)
{
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error || size > maxFontAnswersFileBytes) return {};
    std::ifstream in(file, std::ios::binary);
    if (!in) return {};
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace

// --- fields -------------------------------------------------------------------------------------

void appendFontField(std::string& out, std::string_view field)
{
    out += std::to_string(field.size());
    out += ':';
    out += field;
}

void appendFontField(std::string& out, double number)
{
    char digits[32];
    const std::to_chars_result written = std::to_chars(digits, digits + sizeof digits, number);
    appendFontField(out, std::string_view(digits, static_cast<std::size_t>(written.ptr - digits)));
}

std::optional<std::string_view> FontFieldReader::field()
{
    std::size_t length = 0;
    const char* end = m_rest.data() + m_rest.size();
    const auto [colon, error] = std::from_chars(m_rest.data(), end, length);
    if (error != std::errc{} || colon == end || *colon != ':') return std::nullopt;
    const auto start = static_cast<std::size_t>(colon - m_rest.data()) + 1;
    if (length > m_rest.size() - start) return std::nullopt;
    const std::string_view value = m_rest.substr(start, length);
    m_rest.remove_prefix(start + length);
    return value;
}

std::optional<double> FontFieldReader::number()
{
    const std::optional<std::string_view> text = field();
    double value = 0;
    if (!text || std::from_chars(text->data(), text->data() + text->size(), value).ptr !=
                     text->data() + text->size())
        return std::nullopt;
    return value;
}

// --- the answers --------------------------------------------------------------------------------

FontAnswers::FontAnswers(std::optional<std::filesystem::path> file) : m_file(std::move(file)) {}

std::optional<std::filesystem::path> FontAnswers::defaultFile()
{
    const char* cache = std::getenv("XDG_CACHE_HOME");
    if (cache && cache[0] == '/') return std::filesystem::path(cache) / "kelvoplot" / "font-answers";
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/')
        return std::filesystem::path(home) / ".cache" / "kelvoplot" / "font-answers";
    return std::nullopt;
}

// The file: the header line, the checksum of the rest as 8 hexadecimal digits and a line feed,
// then records, each a field naming its kind and the kind's fields: E the environment, W a
// watched path and its stamp, A a question and its answer.
void FontAnswers::load()
{
    m_loaded = true;
    m_environment = fontEnvironment();
    m_libraries = loadedLibraries();
    if (!m_file) return;
    const std::string text = readWhole(*m_file);
    const std::size_t bodyStart = fileHeader.size() + 9;
    if (text.size() < bodyStart || !text.starts_with(fileHeader)) return;
    const std::string_view body = std::string_view(text).substr(bodyStart);
    std::uint32_t expected = 0;
    const char* digits = text.data() + fileHeader.size();
    if (std::from_chars(digits, digits + 8, expected, 16).ptr != digits + 8 ||
        checksum(body) != expected)
        return;
    std::map<std::string, std::string> answers;
    bool environmentMatches = false;
    FontFieldReader reader(body);
    while (!reader.atEnd()) {
        const std::optional<std::string_view> kind = reader.field();
        const std::optional<std::string_view> first = reader.field();
        const std::optional<std::string_view> second =
            kind == "E" ? std::optional<std::string_view>("") : reader.field();
        if (!kind || !first || !second) return;
        if (kind == "E") {
            environmentMatches = *first == m_environment;
        } else if (kind == "W") {
            if (stampOf(std::string(*first)) != *second) return;
        } else if (kind == "A") {
            answers.emplace(*first, *second);
        } else {
            return;
        }
    }
    if (environmentMatches) m_answers = std::move(answers);
}

std::optional<std::string> FontAnswers::find(const std::string& question)
{
    if (!m_loaded) load();
    if (const auto found = m_answers.find(question); found != m_answers.end())
        return found->second;
    if (const auto found = m_added.find(question); found != m_added.end()) return found->second;
    return std::nullopt;
}

void FontAnswers::remember(const std::string& question, std::string answer)
{
    if (!m_loaded) load();
    m_added.insert_or_assign(question, std::move(answer));
}

bool FontAnswers::save()
{
    if (m_added.empty()) return true;
    if (!m_file) return false;
    Stamps watched = fontConfigurationStamps(m_families);
    watched.insert(m_libraries.begin(), m_libraries.end());
    std::string body;
    appendFontField(body, "E");
    appendFontField(body, m_environment);
    for (const auto& [path, stamp] : watched) {
        appendFontField(body, "W");
        appendFontField(body, path);
        appendFontField(body, stamp);
    }
    const auto appendAnswers = [&](const std::map<std::string, std::string>& answers) {
        std::size_t count = 0;
        for (const auto& [question, answer] : answers) {
            if (++count > maxRememberedFontAnswers) return;
            appendFontField(body, "A");
            appendFontField(body, question);
            appendFontField(body, answer);
        }
    };
    if (m_answers.size() + m_added.size() <= maxRememberedFontAnswers) appendAnswers(m_answers);
    appendAnswers(m_added);
    char digits[9];
    std::snprintf(digits, sizeof digits, "%08x", checksum(body));
    const std::string text = std::string(fileHeader) + digits + '\n' + body;

    std::error_code error;
    std::filesystem::create_directories(m_file->parent_path(), error);
    const std::filesystem::path temporary =
        m_file->string() + ".new-" + std::to_string(::getpid());
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out || !out.write(text.data(), static_cast<std::streamsize>(text.size())) ||
            !out.flush()) {
            out.close();
            std::filesystem::remove(temporary, error);
            return false;
        }
    }
    std::filesystem::rename(temporary, *m_file, error);
    if (!error) return true;
    std::filesystem::remove(temporary, error);
    return false;
}

} // namespace desktop
