// DefineMorphShape: a shape that changes from a start outline to an end outline; its placement
// over frames (PlaceObject2 with ratios) belongs to the renderer.
#pragma once

#include "swf/format/byte_buffer.h"
#include "swf/format/character_counter.h"
#include "swf/format/define_shape.h"
#include "swf/format/morph_styles.h"
#include "swf/format/shape_records.h"
#include "swf/format/twips.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace swf {

struct DefineMorphShape {
    std::uint16_t characterId = 0;
    TwipsRect startBounds, endBounds;
    std::vector<MorphFillStyle> fillStyles;
    std::vector<MorphLineStyle> lineStyles;
    std::vector<ShapeRecord> startRecords; // selects fill style 1 and line style 1
    std::vector<ShapeRecord> endRecords;   // moves only
    bool operator==(const DefineMorphShape&) const = default;
};

// One end of a morph: bounds, outline and styles.
struct MorphEnd {
    TwipsRect bounds;
    ShapeOutline outline;
    ShapeStyle style;
};

// The tag value of a morph. Long edges of both outlines are split in step, so the two keep the
// same number of edges, and the shorter list of edges is made as long as the other with
// zero-length edges at its end.
DefineMorphShape defineMorphShapeOf(std::uint16_t characterId, const MorphEnd& start,
                                    const MorphEnd& end);

// The tag; its Offset counts the bytes from the end of the Offset field to the end edges.
void appendDefineMorphShape(ByteBuffer& buffer, const DefineMorphShape& morph);

// Appends the DefineMorphShape tag of the two ends and returns its id, or nothing (and appends
// nothing) when the ids are used up.
std::optional<std::uint16_t> defineMorphShape(ByteBuffer& tags, const MorphEnd& start,
                                              const MorphEnd& end,
                                              CharacterCounter& characterCounter);

} // namespace swf
