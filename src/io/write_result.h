// The result of every write and export: done, or a message that names the file and the reason.
#pragma once

#include <string>

namespace io {

struct WriteResult {
    bool written = false;
    std::string message; // why not, naming the file (or the limit); empty when written

    bool operator==(const WriteResult&) const = default;
};

// A refusal or failure with its message.
inline WriteResult writeFailure(std::string message)
{
    return {false, std::move(message)};
}

} // namespace io
