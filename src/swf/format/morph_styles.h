// The morph line and fill styles of DefineMorphShape: a start and an end value for each field.
#pragma once

#include "scene/style.h"
#include "swf/format/byte_buffer.h"
#include "swf/format/matrix.h"
#include "swf/format/styles.h"

#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

namespace swf {

struct MorphLineStyle {
    std::uint16_t startWidth = 0, endWidth = 0; // twips
    Rgba startColour, endColour;
    bool operator==(const MorphLineStyle&) const = default;
};

struct MorphSolidFill {
    Rgba startColour, endColour;
    bool operator==(const MorphSolidFill&) const = default;
};

struct MorphGradientRecord {
    std::uint8_t startRatio = 0;
    Rgba startColour;
    std::uint8_t endRatio = 0;
    Rgba endColour;
    bool operator==(const MorphGradientRecord&) const = default;
};

struct MorphLinearGradientFill {
    SwfMatrix startMatrix, endMatrix;
    std::vector<MorphGradientRecord> records;
    bool operator==(const MorphLinearGradientFill&) const = default;
};

using MorphFillStyle = std::variant<MorphSolidFill, MorphLinearGradientFill>;

// Widths and colours read from each pen as for a line style.
MorphLineStyle morphLineStyleOf(const render::Pen& start, const render::Pen& end);

// With either brush missing: transparent. A solid or hatch start brush gives a solid morph from
// its colour (a hatch's foreground) to the end brush's colour, or to its own colour again when
// the end brush is a gradient. Two gradients morph as gradients (ratios 150 and 200); a gradient
// start with another end brush is transparent.
MorphFillStyle morphFillStyleOf(const std::optional<render::Brush>& start,
                                const std::optional<render::Brush>& end);

// Arrays with a count byte, then the styles.
void appendMorphLineStyles(ByteBuffer& buffer, std::span<const MorphLineStyle> styles);
void appendMorphFillStyles(ByteBuffer& buffer, std::span<const MorphFillStyle> styles);

} // namespace swf
