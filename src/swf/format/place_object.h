// The placement tags: PlaceObject (a character at its depth), PlaceObject2 (a morph at a ratio)
// and RemoveObject.
#pragma once

#include "swf/format/byte_buffer.h"
#include "swf/format/matrix.h"

#include <cstdint>
#include <optional>

namespace swf {

struct PlaceObject {
    std::uint16_t characterId = 0;
    std::uint16_t depth = 0;
    SwfMatrix matrix;
    bool operator==(const PlaceObject&) const = default;
};

// Whether PlaceObject2 changes the character already at its depth.
enum class PlacementKind { New, Move };

struct PlaceObject2 {
    PlacementKind kind = PlacementKind::New;
    std::uint16_t depth = 0;
    std::optional<std::uint16_t> characterId;
    std::optional<SwfMatrix> matrix;
    std::optional<std::uint16_t> ratio; // 0 at the morph's start, 65535 at its end
    bool operator==(const PlaceObject2&) const = default;
};

struct RemoveObject {
    std::uint16_t characterId = 0;
    std::uint16_t depth = 0;
    bool operator==(const RemoveObject&) const = default;
};

void appendPlaceObject(ByteBuffer& buffer, const PlaceObject& tag);
// The flag byte follows the fields present: with character, matrix and ratio it is 0x16.
void appendPlaceObject2(ByteBuffer& buffer, const PlaceObject2& tag);
void appendRemoveObject(ByteBuffer& buffer, const RemoveObject& tag);

} // namespace swf
