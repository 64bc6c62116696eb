// Settings kept in an XML file in the manner of profile functions: a value is addressed by a
// section path of element names separated by "\" ("Options\Appearance") and a key (an attribute
// of the section's element), read with a default, and written straight back to the file. The
// store keeps nothing between calls.
#pragma once

#include "io/atomic_file.h"
#include "io/file_io.h"
#include "xml/xml_document.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace xml {

// Where a settings call works: the file at a path, opened for this one call, or a document the
// caller holds open (then nothing is reopened, and writes save it to its own file name).
class SettingsFile {
public:
    SettingsFile(std::string path) : m_path(std::move(path)) {}
    SettingsFile(const char* path) : m_path(path) {}
    SettingsFile(XmlDocument& document) : m_document(&document) {}

    const std::string& path() const { return m_path; }
    XmlDocument* document() const { return m_document; }

private:
    std::string m_path;
    XmlDocument* m_document = nullptr;
};

// Reading: a missing file, section element or attribute gives the default. An empty section
// addresses the root element.
std::string readSettingString(const SettingsFile& file, std::string_view section,
                              std::string_view key, std::string_view defaultValue);
// Decimal text; the default is formatted as decimal and read the same way, so an unreadable
// stored value and a default give the same kind of answer. Out-of-range values saturate.
std::int32_t readSettingInteger(const SettingsFile& file, std::string_view section,
                                std::string_view key, std::int32_t defaultValue);
// Base64 in which every "__" stands for a CR LF; nothing when missing or not Base64.
std::optional<std::vector<std::uint8_t>>
readSettingBytes(const SettingsFile& file, std::string_view section, std::string_view key);

// Writing: section elements are found or appended one by one from the root, the key is set, and
// the whole document is saved atomically at once. A file that exists but cannot be read or
// parsed is left alone and the write is refused; so are section and key names that are not
// valid XML names.
io::WriteResult writeSettingString(const SettingsFile& file, std::string_view section,
                                   std::string_view key, std::string_view value);
io::WriteResult writeSettingInteger(const SettingsFile& file, std::string_view section,
                                    std::string_view key, std::int32_t value);
io::WriteResult writeSettingUnsigned64(const SettingsFile& file, std::string_view section,
                                       std::string_view key, std::uint64_t value);
io::WriteResult writeSettingSigned64(const SettingsFile& file, std::string_view section,
                                     std::string_view key, std::int64_t value);
// Base64 with each CR LF replaced by "__".
io::WriteResult writeSettingBytes(const SettingsFile& file, std::string_view section,
                                  std::string_view key, std::span<const std::uint8_t> bytes);

// Removes the key's attribute, or the section's element with everything in it. Removing what is
// not there writes nothing and succeeds. The root element itself cannot be removed.
io::WriteResult removeSetting(const SettingsFile& file, std::string_view section,
                              std::string_view key);
io::WriteResult removeSettingSection(const SettingsFile& file, std::string_view section);

} // namespace xml
