// Writes the HTML help at build time: make_help OUTPUT_FOLDER [SCRIPT.kp ...]. Each gallery script
// shows the picture gallery/<name>.png of the output folder, which the build draws beforehand.
#include "lang/help_html.h"
#include "io/atomic_file.h"
#include "io/file_io.h"

#include <filesystem>
#include <iostream>
#include <vector>

namespace {

constexpr std::size_t maxScriptBytes = 1024 * 1024;

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::cerr << "usage: make_help OUTPUT_FOLDER [SCRIPT.kp ...]\n";
        return 2;
    }
    const std::filesystem::path output = argv[1];
    std::vector<lang::GalleryEntry> gallery;
    for (int i = 2; i < argc; ++i) {
        const std::filesystem::path script = argv[i];
        const io::FileContents contents = io::readWholeFile(script.string(), maxScriptBytes);
        if (contents.status != io::ReadStatus::Read) {
            std::cerr << "make_help: " << script.string() << ": " << contents.reason << "\n";
            return 1;
        }
        const std::string name = script.stem().string();
        gallery.push_back(
            lang::galleryEntryFromScript(name, contents.bytes, "gallery/" + name + ".png"));
    }
    std::error_code error;
    std::filesystem::create_directories(output, error);
    const std::string page = (output / "index.html").string();
    const io::WriteResult written = io::writeFileAtomically(page, lang::helpPage(gallery));
    if (!written.written) {
        std::cerr << "make_help: " << written.message << "\n";
        return 1;
    }
    return 0;
}
