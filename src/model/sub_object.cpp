// Written names of sub-object kinds.
#include "model/sub_object.h"

#include <array>

namespace model {

std::string_view writtenName(SubObjectKind kind)
{
    static constexpr std::array<std::string_view, 16> names = {
        "n",  "brush", "pen", "font",  "at",     "transform", "3dtransform", "p1",
        "p2", "p3",    "p4",  "split", "splitr", "splittr",   "morph",       "4dtransform"};
    const auto code = static_cast<std::int32_t>(kind);
    if (code < 0 || code >= static_cast<std::int32_t>(names.size())) return "unknown";
    return names[static_cast<std::size_t>(code)];
}

} // namespace model
