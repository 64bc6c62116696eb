// The object table and the building of a PlotObject from an object command line.
#pragma once

#include "model/plot_object.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lang {

struct ObjectTableEntry {
    std::string_view keyword;
    model::ObjectType type;
    std::string_view displayName;
};

extern const std::array<ObjectTableEntry, 31> objectTable;

// The table entry whose keyword equals `keyword` without regard to case.
std::optional<ObjectTableEntry> findObjectKeyword(std::string_view keyword);

// Fills `object` from an object command line: keyword, type, display name and sub-objects.
// Sub-objects with too few arguments become kind Unknown; their help topics are appended to
// `rejectedTopics` in typed order.
void buildObject(std::string_view line, model::PlotObject& object,
                 std::vector<std::string>& rejectedTopics);

} // namespace lang
