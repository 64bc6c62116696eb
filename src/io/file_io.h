// Reading whole files with a size bound, and paths. Files are written through io/atomic_file.h.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace io {

enum class ReadStatus { Read, Missing, Unreadable, TooLarge };

struct FileContents {
    ReadStatus status = ReadStatus::Missing;
    std::string bytes;
    std::string reason; // why not, for messages ("No such file or directory")

    bool operator==(const FileContents&) const = default;
};

// Reads the whole file, refusing more than `maximumBytes` (the file is not read to its end then).
FileContents readWholeFile(const std::string& path, std::size_t maximumBytes);

// The absolute path with symbolic links resolved, or `path` itself when it does not exist.
std::string canonicalPath(const std::string& path);

// Why `path` cannot be read as a stream of text: the system's reason when it does not open, or
// that it is a folder, a device or a socket. Nothing for a regular file or a pipe.
std::optional<std::string> unreadableReason(const std::string& path);

// True when something exists at `path`.
bool fileExists(const std::string& path);

// The folder part of `path` ("." for a bare file name).
std::string folderOf(const std::string& path);

} // namespace io
