// Tests of the atomic writer: what is on the disk after a write succeeds, fails or is abandoned.
#include "io/atomic_file.h"

#include "temporary_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <sys/stat.h>

namespace io {
namespace {

using testing_support::TemporaryFolder;

std::string contents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void put(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

TEST(AtomicFile, ReplacesTheFileOrLeavesItAsItWas)
{
    enum class Setup { Nothing, OldFile, LinkToOldFile, MissingFolder };
    enum class Ending { Commit, Abandon };
    struct Case {
        const char* name;
        Setup setup;
        Ending ending;
        bool written;
        const char* fileAfter; // what the path (through a link) holds afterwards
    };
    const Case cases[] = {
        {"new file", Setup::Nothing, Ending::Commit, true, "new"},
        {"replaced file", Setup::OldFile, Ending::Commit, true, "new"},
        {"through a link", Setup::LinkToOldFile, Ending::Commit, true, "new"},
        {"abandoned", Setup::OldFile, Ending::Abandon, false, "old"},
        {"abandoned through a link", Setup::LinkToOldFile, Ending::Abandon, false, "old"},
        {"missing folder", Setup::MissingFolder, Ending::Commit, false, ""},
    };
    for (const Case& c : cases) {
        TemporaryFolder folder;
        std::string path = folder.file("plot.png");
        if (c.setup == Setup::OldFile) put(path, "old");
        if (c.setup == Setup::LinkToOldFile) {
            put(folder.file("target.png"), "old");
            std::filesystem::create_symlink("target.png", path);
        }
        if (c.setup == Setup::MissingFolder) path = folder.file("missing/plot.png");
        WriteResult result{false, "abandoned"};
        {
            AtomicFile file(path);
            file.write(std::string_view("new"));
            if (c.ending == Ending::Commit) result = file.commit();
        }
        EXPECT_EQ(result.written, c.written) << c.name;
        if (!c.written && c.ending == Ending::Commit) {
            EXPECT_EQ(result.message.rfind(path + ": ", 0), 0u) << c.name << ": " << result.message;
        }
        if (c.setup != Setup::MissingFolder) {
            EXPECT_EQ(contents(path), c.fileAfter) << c.name;
        }
        if (c.setup == Setup::LinkToOldFile) {
            EXPECT_TRUE(std::filesystem::is_symlink(path)) << c.name << ": the link stays";
            EXPECT_EQ(folder.entries(), (std::vector<std::string>{"plot.png", "target.png"}))
                << c.name << ": no temporary file is left";
        } else if (c.setup != Setup::MissingFolder) {
            EXPECT_EQ(folder.entries(), std::vector<std::string>{"plot.png"}) << c.name;
        }
    }
}

TEST(AtomicFile, KeepsThePermissionsOfTheFileItReplaces)
{
    TemporaryFolder folder;
    const std::string path = folder.file("plot.svg");
    put(path, "old");
    ::chmod(path.c_str(), 0600);
    ASSERT_TRUE(writeFileAtomically(path, "new").written);
    struct stat information {};
    ASSERT_EQ(::stat(path.c_str(), &information), 0);
    EXPECT_EQ(information.st_mode & 0777, 0600u);
    EXPECT_EQ(contents(path), "new");
}

} // namespace
} // namespace io
