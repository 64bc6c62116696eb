// The settings store on top of XmlDocument.
#include "xml/settings_store.h"

#include "xml/base64.h"

#include <limits>

namespace xml {
namespace {

XmlDocument& openSettings(const SettingsFile& file, XmlDocument& storage)
{
    if (file.document()) return *file.document();
    storage.openFile(file.path());
    return storage;
}

// The element names of a section path; empty pieces are skipped. Nothing when a name is invalid.
std::optional<std::vector<std::string>> sectionNames(std::string_view section)
{
    std::vector<std::string> names;
    while (!section.empty()) {
        const std::size_t separator = section.find('\\');
        const std::string_view name = section.substr(0, separator);
        if (!name.empty()) {
            if (!isXmlName(name)) return std::nullopt;
            names.emplace_back(name);
        }
        if (separator == std::string_view::npos) break;
        section.remove_prefix(separator + 1);
    }
    return names;
}

// The section's element, or nullptr when it (or the path) is missing.
XmlElement* findSection(XmlDocument& document, std::string_view section)
{
    const auto names = sectionNames(section);
    if (!names) return nullptr;
    XmlElement* element = &document.root();
    for (const std::string& name : *names) {
        element = element->findChild(name);
        if (!element) return nullptr;
    }
    return element;
}

XmlElement& findOrAppendSection(XmlDocument& document, const std::vector<std::string>& names)
{
    XmlElement* element = &document.root();
    for (const std::string& name : names) {
        XmlElement* child = element->findChild(name);
        element = child ? child : &element->appendChild(std::make_unique<XmlElement>(name));
    }
    return *element;
}

std::string describe(const SettingsFile& file, const XmlDocument& document)
{
    return file.document() ? (document.fileName().empty() ? "the document" : document.fileName())
                           : file.path();
}

// Refuses to write over a file whose contents could not be read: they would be lost.
std::optional<io::WriteResult> refusal(const XmlDocument& document)
{
    if (document.status() == LoadStatus::Failed || document.detail() == LoadDetail::FileUnreadable)
        return io::WriteResult{false, document.message() + "; the setting was not written"};
    return std::nullopt;
}

io::WriteResult writeValue(const SettingsFile& file, std::string_view section, std::string_view key,
                           std::string_view value)
{
    XmlDocument storage;
    XmlDocument& document = openSettings(file, storage);
    if (auto refused = refusal(document)) return *refused;
    const auto names = sectionNames(section);
    if (!names)
        return {false, describe(file, document) + ": \"" + std::string(section) +
                           "\" is not a section path of valid XML names"};
    if (!isXmlName(key))
        return {false, describe(file, document) + ": \"" + std::string(key) +
                           "\" is not a valid XML name for a key"};
    findOrAppendSection(document, *names).setAttribute(key, value);
    return document.save();
}

std::int32_t readInteger(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1) break;
    }
    if (negative) value = -value;
    if (value > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    if (value < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

std::string replaceAll(std::string_view text, std::string_view from, std::string_view to)
{
    std::string out;
    out.reserve(text.size());
    std::size_t position = 0;
    for (;;) {
        const std::size_t found = text.find(from, position);
        out.append(text.substr(position, found - position));
        if (found == std::string_view::npos) return out;
        out.append(to);
        position = found + from.size();
    }
}

} // namespace

std::string readSettingString(const SettingsFile& file, std::string_view section,
                              std::string_view key, std::string_view defaultValue)
{
    XmlDocument storage;
    XmlDocument& document = openSettings(file, storage);
    const XmlElement* element = findSection(document, section);
    std::optional<std::string> value =
        element ? element->attributeValue(key, Decoding::Decoded) : std::nullopt;
    return value ? std::move(*value) : std::string(defaultValue);
}

std::int32_t readSettingInteger(const SettingsFile& file, std::string_view section,
                                std::string_view key, std::int32_t defaultValue)
{
    return readInteger(readSettingString(file, section, key, std::to_string(defaultValue)));
}

std::optional<std::vector<std::uint8_t>>
readSettingBytes(const SettingsFile& file, std::string_view section, std::string_view key)
{
    XmlDocument storage;
    XmlDocument& document = openSettings(file, storage);
    const XmlElement* element = findSection(document, section);
    const std::optional<std::string> value =
        element ? element->attributeValue(key, Decoding::Decoded) : std::nullopt;
    if (!value) return std::nullopt;
    return decodeBase64(replaceAll(*value, "__", "\r\n"));
}

io::WriteResult writeSettingString(const SettingsFile& file, std::string_view section,
                                   std::string_view key, std::string_view value)
{
    return writeValue(file, section, key, value);
}

io::WriteResult writeSettingInteger(const SettingsFile& file, std::string_view section,
                                    std::string_view key, std::int32_t value)
{
    return writeValue(file, section, key, std::to_string(value));
}

io::WriteResult writeSettingUnsigned64(const SettingsFile& file, std::string_view section,
                                       std::string_view key, std::uint64_t value)
{
    return writeValue(file, section, key, std::to_string(value));
}

io::WriteResult writeSettingSigned64(const SettingsFile& file, std::string_view section,
                                     std::string_view key, std::int64_t value)
{
    return writeValue(file, section, key, std::to_string(value));
}

io::WriteResult writeSettingBytes(const SettingsFile& file, std::string_view section,
                                  std::string_view key, std::span<const std::uint8_t> bytes)
{
    return writeValue(file, section, key, replaceAll(encodeBase64(bytes), "\r\n", "__"));
}

io::WriteResult removeSetting(const SettingsFile& file, std::string_view section,
                              std::string_view key)
{
    XmlDocument storage;
    XmlDocument& document = openSettings(file, storage);
    if (auto refused = refusal(document)) return *refused;
    XmlElement* element = findSection(document, section);
    if (!element || !element->removeAttribute(key)) return {true, {}};
    return document.save();
}

io::WriteResult removeSettingSection(const SettingsFile& file, std::string_view section)
{
    XmlDocument storage;
    XmlDocument& document = openSettings(file, storage);
    if (auto refused = refusal(document)) return *refused;
    const auto names = sectionNames(section);
    if (names && names->empty())
        return {false, describe(file, document) + ": the root element cannot be removed"};
    XmlElement* element = findSection(document, section);
    if (!element) return {true, {}};
    XmlElement* parent = element->parent();
    for (std::size_t i = 0; i < parent->childCount(); ++i) {
        if (parent->loadedChild(i) != element) continue;
        parent->removeChild(i);
        return document.save();
    }
    return {true, {}};
}

} // namespace xml
