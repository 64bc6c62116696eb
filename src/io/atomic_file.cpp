// Atomic writing on POSIX file descriptors.
#include "io/atomic_file.h"

#include "io/file_io.h"

#include <cerrno>
#include <cstring>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace io {

AtomicFile::AtomicFile(const std::string& path) : m_path(path), m_destination(canonicalPath(path))
{
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        m_temporaryPath = m_destination + "." + std::to_string(random() % 1000000000u) + ".part";
        m_descriptor =
            ::open(m_temporaryPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_descriptor >= 0 || errno != EEXIST) break;
    }
    if (m_descriptor < 0) {
        fail("cannot be written", errno);
        m_temporaryPath.clear();
        return;
    }
    struct stat existing {};
    const mode_t mode =
        ::stat(m_destination.c_str(), &existing) == 0 ? existing.st_mode & 07777 : 0644;
    if (::fchmod(m_descriptor, mode) != 0) fail("cannot be written", errno);
}

AtomicFile::~AtomicFile()
{
    if (m_descriptor >= 0) ::close(m_descriptor);
    if (!m_committed && !m_temporaryPath.empty()) ::unlink(m_temporaryPath.c_str());
}

bool AtomicFile::write(std::span<const std::uint8_t> bytes)
{
    if (!m_error.empty() || m_descriptor < 0) return false;
    while (!bytes.empty()) {
        const ssize_t written = ::write(m_descriptor, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return fail("cannot be written", written < 0 ? errno : EIO);
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    return true;
}

bool AtomicFile::write(std::string_view bytes)
{
    return write(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

bool AtomicFile::writeAt(std::span<const std::uint8_t> bytes, off_t offset)
{
    if (!m_error.empty() || m_descriptor < 0) return false;
    const ssize_t written = ::pwrite(m_descriptor, bytes.data(), bytes.size(), offset);
    if (written != static_cast<ssize_t>(bytes.size()))
        return fail("cannot be written", written < 0 ? errno : EIO);
    return true;
}

WriteResult AtomicFile::commit()
{
    if (!m_error.empty() || m_descriptor < 0) return failure();
    if (::fsync(m_descriptor) != 0) fail("cannot be written", errno);
    const int descriptor = m_descriptor;
    m_descriptor = -1;
    if (::close(descriptor) != 0) fail("cannot be written", errno);
    if (!m_error.empty()) return failure();
    if (::rename(m_temporaryPath.c_str(), m_destination.c_str()) != 0) {
        fail("cannot be replaced", errno);
        return failure();
    }
    m_committed = true;
    return {true, {}};
}

bool AtomicFile::fail(std::string_view what, int error)
{
    if (m_error.empty()) m_error = m_path + ": " + std::string(what) + ": " + std::strerror(error);
    return false;
}

WriteResult writeFileAtomically(const std::string& path, std::string_view bytes)
{
    AtomicFile file(path);
    file.write(bytes);
    return file.commit();
}

} // namespace io
