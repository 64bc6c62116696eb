// Decoding the bodies of the tags this program writes back into their values: shapes with their
// styles and edge records, morph shapes, placements, background colours and action records.
// Every length is checked; a body that does not parse gives a status and a message.
#pragma once

#include "swf/format/actions.h"
#include "swf/format/define_shape.h"
#include "swf/format/morph_shape.h"
#include "swf/format/place_object.h"

#include <cstdint>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace swf {

enum class ReadStatus {
    Ok,
    FileError,   // the file could not be read
    TooLarge,    // beyond a reader limit
    NotAMovie,   // no uncompressed movie signature
    Malformed,   // lengths, counts or fields that do not add up
    Unsupported, // valid, but a kind of record this program never writes
};

template <typename T> struct Decoded {
    ReadStatus status = ReadStatus::Ok;
    std::string message; // what is wrong, and where
    T value{};
    bool ok() const { return status == ReadStatus::Ok; }
};

struct ShowFrameTag {
    bool operator==(const ShowFrameTag&) const = default;
};
struct EndTag {
    bool operator==(const EndTag&) const = default;
};

struct BackgroundColour {
    std::uint8_t red = 0, green = 0, blue = 0;
    bool operator==(const BackgroundColour&) const = default;
};

struct ConstantPoolAction {
    std::vector<std::string> constants;
    bool operator==(const ConstantPoolAction&) const = default;
};

struct PushAction {
    std::vector<PushValue> values;
    bool operator==(const PushAction&) const = default;
};

// Any other action: its code and, for codes from 0x80 on, its payload.
struct OtherAction {
    std::uint8_t code = 0;
    std::vector<std::uint8_t> payload;
    bool operator==(const OtherAction&) const = default;
};

using Action = std::variant<ConstantPoolAction, PushAction, OtherAction>;

// The actions of a DoAction tag, without its closing end-of-actions byte.
struct DoAction {
    std::vector<Action> actions;
    bool operator==(const DoAction&) const = default;
};

using TagContent = std::variant<ShowFrameTag, EndTag, BackgroundColour, PlaceObject, PlaceObject2,
                                RemoveObject, DoAction, DefineShape3, DefineMorphShape>;

// Decodes the body of a tag with the given code.
Decoded<TagContent> decodeTagBody(std::uint16_t code, std::span<const std::uint8_t> body);

} // namespace swf
