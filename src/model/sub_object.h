// Sub-objects: the styles, places and parameters written behind an object keyword, kept as text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace model {

enum class SubObjectKind : std::int32_t {
    Unknown = -1,
    Name = 0,
    Brush = 1,
    Pen = 2,
    Font = 3,
    At = 4,
    Transform = 5,
    Transform3D = 6,
    P1 = 7,
    P2 = 8,
    P3 = 9,
    P4 = 10,
    Split = 11,
    SplitR = 12,
    SplitTR = 13,
    Morph = 14,
    Transform4D = 15,
};

struct SubObject {
    SubObjectKind kind = SubObjectKind::Unknown;
    std::vector<std::string> arguments; // as typed, quotes of the command line removed

    bool operator==(const SubObject&) const = default;
};

// The lower-case name the serialiser writes for a kind ("unknown" for Unknown).
std::string_view writtenName(SubObjectKind kind);

} // namespace model
