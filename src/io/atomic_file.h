// The one atomic writer: a file written under a temporary name beside its destination, flushed
// to the disk and renamed over it once complete. Until then the destination keeps its old
// contents, and a failed or abandoned write leaves no temporary file. A symbolic link keeps
// pointing at the file it names; that file is replaced. An existing file keeps its permissions.
#pragma once

#include "io/write_result.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include <sys/types.h>

namespace io {

class AtomicFile {
public:
    explicit AtomicFile(const std::string& path);
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;
    ~AtomicFile(); // an uncommitted file is abandoned: the destination stays as it was

    bool isOpen() const { return m_descriptor >= 0; }

    bool write(std::span<const std::uint8_t> bytes);
    bool write(std::string_view bytes);
    // Overwrites bytes already written (a length field patched at the end).
    bool writeAt(std::span<const std::uint8_t> bytes, off_t offset);
    // Flushes, closes and renames over the destination. After a failure of any step the result
    // names the file and the first reason.
    WriteResult commit();
    // The failure so far, naming the file and the reason.
    WriteResult failure() const { return {false, m_error}; }

private:
    bool fail(std::string_view what, int error);

    std::string m_path;        // as given, for messages
    std::string m_destination; // the file replaced: the path with symbolic links resolved
    std::string m_temporaryPath;
    int m_descriptor = -1;
    bool m_committed = false;
    std::string m_error;
};

// Writes `bytes` to `path` through an AtomicFile.
WriteResult writeFileAtomically(const std::string& path, std::string_view bytes);

} // namespace io
