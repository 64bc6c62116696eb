// Fuzz target: the settings store on an arbitrary file. The input up to its first NUL byte is the
// file; after it, NUL-separated, come a section path, a key and a value to write (the options
// section, a key and the file's first bytes when missing). The file is read, written, read back
// and written again, by path and through a document held open, and every value written must read
// back as it was written.
#include "fuzz_support.h"

#include "io/file_io.h"
#include "xml/settings_store.h"
#include "xml/utf.h"

#include <fstream>
#include <optional>

namespace {

struct Operation {
    std::string_view file;
    std::string_view section = "Options\\Appearance";
    std::string_view key = "Fuzzed";
    std::string_view value;
};

Operation operationFrom(std::string_view input)
{
    Operation operation;
    const std::size_t end = input.find('\0');
    operation.file = input.substr(0, end);
    operation.value = operation.file.substr(0, 64);
    if (end == std::string_view::npos) return operation;
    std::vector<std::string_view> fields;
    for (std::string_view rest = input.substr(end + 1); fields.size() < 3;) {
        const std::size_t separator = rest.find('\0');
        fields.push_back(rest.substr(0, separator));
        if (separator == std::string_view::npos) break;
        rest.remove_prefix(separator + 1);
    }
    operation.section = fields[0];
    if (fields.size() > 1) operation.key = fields[1];
    if (fields.size() > 2) operation.value = fields[2];
    return operation;
}

const fuzzing::ScratchFolder& scratchFolder()
{
    static const fuzzing::ScratchFolder folder;
    return folder;
}

void writeFile(const std::string& path, std::string_view bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Whether a string reads back as written (bytes that are not UTF-8 replaced): numeric character
// references pass the writer unencoded and are decoded when read.
bool readsBackAsWritten(std::string_view value)
{
    return value.find("&#") == std::string_view::npos;
}

void expectEqual(const std::string& what, const std::string& actual, std::string_view expected)
{
    if (actual != expected)
        fuzzing::reportFinding(what + " reads back as \"" + actual + "\", not \"" +
                               std::string(expected) + "\"");
}

void exerciseStore(const xml::SettingsFile& file, const Operation& operation)
{
    const std::string_view section = operation.section;
    const std::string_view key = operation.key;
    xml::readSettingString(file, "Options\\Appearance", "Font", "default");
    xml::readSettingInteger(file, "Options\\Appearance", "FontSize", 8);
    xml::readSettingBytes(file, "Options\\Appearance", "Window");
    xml::readSettingString(file, section, key, "default");
    xml::readSettingInteger(file, section, key, -1);
    xml::readSettingBytes(file, section, key);

    if (xml::writeSettingString(file, section, key, operation.value).written &&
        readsBackAsWritten(operation.value))
        expectEqual("a string", xml::readSettingString(file, section, key, "missing"),
                    xml::replaceInvalidUtf8(operation.value));

    const std::span<const std::uint8_t> bytes(
        reinterpret_cast<const std::uint8_t*>(operation.value.data()), operation.value.size());
    if (xml::writeSettingBytes(file, section, key, bytes).written) {
        const std::optional<std::vector<std::uint8_t>> read =
            xml::readSettingBytes(file, section, key);
        if (!read || !std::equal(read->begin(), read->end(), bytes.begin(), bytes.end()))
            fuzzing::reportFinding("bytes written do not read back");
    }

    const auto number = static_cast<std::int32_t>(operation.value.size() * 2654435761u);
    if (xml::writeSettingInteger(file, section, key, number).written &&
        xml::readSettingInteger(file, section, key, 0) != number)
        fuzzing::reportFinding("an integer written does not read back");
    xml::writeSettingSigned64(file, section, key, -static_cast<std::int64_t>(number) << 20);
    xml::writeSettingUnsigned64(file, section, key, static_cast<std::uint64_t>(number) << 33);

    if (xml::removeSetting(file, section, key).written)
        expectEqual("a removed setting", xml::readSettingString(file, section, key, "missing"),
                    "missing");
    xml::removeSettingSection(file, section);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const Operation operation =
        operationFrom(std::string_view(reinterpret_cast<const char*>(data), size));
    const std::string path = scratchFolder().file("vexa.xml");

    writeFile(path, operation.file);
    exerciseStore(xml::SettingsFile(path), operation);

    writeFile(path, operation.file);
    xml::XmlDocument document;
    document.openFile(path);
    exerciseStore(xml::SettingsFile(document), operation);
    return 0;
}
