// Bounded whole-file reading and paths on POSIX file descriptors.
#include "io/file_io.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace io {
namespace {

std::string systemReason(int error)
{
    return std::strerror(error);
}

// Closes a descriptor when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int descriptor) : m_descriptor(descriptor) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor()
    {
        if (m_descriptor >= 0) ::close(m_descriptor);
    }
    int get() const { return m_descriptor; }
    // Closes now and reports whether closing succeeded.
    bool close()
    {
        const int descriptor = m_descriptor;
        m_descriptor = -1;
        return ::close(descriptor) == 0;
    }

private:
    int m_descriptor;
};

// Why a file of this kind is not read: said in the user's words.
std::string_view kindReason(mode_t mode)
{
    if (S_ISDIR(mode)) return "it is a folder";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "it is a device";
    return "it is not a regular file";
}

} // namespace

FileContents readWholeFile(const std::string& path, std::size_t maximumBytes)
{
    Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.get() < 0) {
        const int error = errno;
        return {error == ENOENT ? ReadStatus::Missing : ReadStatus::Unreadable,
                {},
                systemReason(error)};
    }
    // Only regular files: a folder fails to read and a pipe or device could block or never end.
    struct stat information {};
    if (::fstat(file.get(), &information) != 0)
        return {ReadStatus::Unreadable, {}, systemReason(errno)};
    if (!S_ISREG(information.st_mode))
        return {ReadStatus::Unreadable, {}, std::string(kindReason(information.st_mode))};
    if (static_cast<std::uint64_t>(information.st_size) > maximumBytes)
        return {ReadStatus::TooLarge, {}, {}};
    FileContents contents{ReadStatus::Read, {}, {}};
    contents.bytes.reserve(static_cast<std::size_t>(information.st_size));
    std::vector<char> chunk(64 * 1024);
    for (;;) {
        const ssize_t got = ::read(file.get(), chunk.data(), chunk.size());
        if (got < 0) {
            if (errno == EINTR) continue;
            return {ReadStatus::Unreadable, {}, systemReason(errno)};
        }
        if (got == 0) break;
        if (contents.bytes.size() + static_cast<std::size_t>(got) > maximumBytes)
            return {ReadStatus::TooLarge, {}, {}};
        contents.bytes.append(chunk.data(), static_cast<std::size_t>(got));
    }
    return contents;
}

std::string canonicalPath(const std::string& path)
{
    const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr),
                                                               &std::free);
    return resolved ? std::string(resolved.get()) : path;
}

std::optional<std::string> unreadableReason(const std::string& path)
{
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.get() < 0) return systemReason(errno);
    struct stat information {};
    if (::fstat(file.get(), &information) != 0) return systemReason(errno);
    if (S_ISREG(information.st_mode) || S_ISFIFO(information.st_mode)) return std::nullopt;
    return std::string(kindReason(information.st_mode));
}

bool fileExists(const std::string& path)
{
    struct stat information {};
    return ::stat(path.c_str(), &information) == 0;
}

std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

} // namespace io
