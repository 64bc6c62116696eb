// DefineShape3, one static shape, and its placement with PlaceObject: the shape of one object in
// one frame.
#pragma once

#include "geom/matrix2d.h"
#include "scene/style.h"
#include "swf/format/byte_buffer.h"
#include "swf/format/character_counter.h"
#include "swf/format/display_list.h"
#include "swf/format/shape_records.h"
#include "swf/format/styles.h"
#include "swf/format/twips.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace swf {

struct DefineShape3 {
    std::uint16_t shapeId = 0;
    TwipsRect bounds;
    std::vector<FillStyle> fillStyles;
    std::vector<LineStyle> lineStyles;
    std::vector<ShapeRecord> records; // style indices of 2 bits (the header byte 0x22)
    bool operator==(const DefineShape3&) const = default;
};

// An outline in pixels and how its records are read.
struct ShapeOutline {
    std::span<const PathRecord> records;
    EdgeMode mode = EdgeMode::Polyline;
};

// The brush fills the outline (none: not filled); the pen draws it.
struct ShapeStyle {
    std::optional<render::Brush> brush;
    render::Pen pen;
};

struct ShapePlacement {
    std::uint32_t figureFrame = 0;
    geom::Matrix2D matrix; // the figure's view transform
    Transience transience = Transience::Stays;
};

// The tag value of one shape: one fill style, one line style, the edges with both selected.
DefineShape3 defineShape3Of(std::uint16_t shapeId, const TwipsRect& bounds,
                            const ShapeOutline& outline, const ShapeStyle& style);

void appendDefineShape3(ByteBuffer& buffer, const DefineShape3& shape);

// Appends DefineShape3 and PlaceObject (depth = id) to the frame's tags and enters the shape in
// the display list. Returns the id, or nothing (and appends nothing) when the ids are used up.
std::optional<std::uint16_t>
defineAndPlaceShape(ByteBuffer& frameTags, const TwipsRect& bounds, const ShapeOutline& outline,
                    const ShapeStyle& style, const ShapePlacement& placement,
                    CharacterCounter& characterCounter, SwfDisplayList& displayList);

} // namespace swf
