// The sub-object editors of the insert dialogs without their windows: pen, brush, font, the two
// readings of the 2D transform, the 3D transform and the range animation, each a table of fields
// and the arguments written from them; and the colour words the colour fields write.
#pragma once

#include "figure/form_field.h"
#include "geom/matrix2d.h"
#include "geom/transform_3d.h"
#include "model/sub_object.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace figure {

enum class SubDialog { Pen, Brush, Transform, OwnTransform, Transform3D, RangeAnimation };

// The sub-object button of the object dialogs: its id, text, the sub-object it edits and the
// dialog that edits it (Font... uses the system's font dialog and has none).
struct SubObjectButton {
    int id = 0;
    std::string_view text;
    model::SubObjectKind kind = model::SubObjectKind::Pen;
    int occurrence = 0;
    std::optional<SubDialog> dialog;
};
extern const std::array<SubObjectButton, 7> subObjectButtons;

std::string_view subDialogTitle(SubDialog dialog);
std::span<const FieldDefinition> subDialogRows(SubDialog dialog);

// The field values an editor shows for a sub-object's arguments (defaults where it has none).
std::vector<std::string> subDialogValues(SubDialog dialog, const model::SubObject& subObject);
// What is wrong with the values as a whole, beyond each field's rule; nothing when they are fine.
std::optional<std::string> subDialogProblem(SubDialog dialog, std::span<const std::string> values);
// The arguments written from valid values.
std::vector<std::string> subDialogArguments(SubDialog dialog, std::span<const std::string> values);

// The Set buttons of the matrix editor: each combines the shown matrix with one operation.
enum class MatrixOperation { Rotate, ScaleX, ScaleY, Zoom, MoveX, MoveY, ShearX, ShearY };
struct MatrixOperationRow {
    MatrixOperation operation;
    std::string_view label;
    std::string_view defaultText;
};
extern const std::array<MatrixOperationRow, 8> matrixOperations;
// The operation (angles in degrees) applied before the matrix, as GDI-style prepending does.
geom::Matrix2D combineMatrix(const geom::Matrix2D& matrix, MatrixOperation operation, float value);

// Colours: pens and figure backgrounds are 0xAARRGGBB (a top byte of 0 reads as opaque), brushes
// 0xTTBBGGRR with alpha 255 - TT.
enum class ColourUse { Pen, Brush, Background };
struct Rgba {
    std::uint8_t red = 0, green = 0, blue = 0, alpha = 255;
    bool operator==(const Rgba&) const = default;
};
// The word a colour field writes for a colour chosen with its opacity. A pen cannot be fully
// transparent, so an opacity of 0 is written as 1; a background is always opaque.
std::uint32_t colourWord(ColourUse use, Rgba colour);
Rgba colourOfWord(ColourUse use, std::uint32_t word);
std::string colourText(std::uint32_t word); // "0x%X"

// FONT arguments from a font choice, and back. Sizes are in points (unit 3).
struct FontChoice {
    std::string family;
    double pointSize = 8;
    bool bold = false, italic = false, underline = false, strikeOut = false;
    bool operator==(const FontChoice&) const = default;
};
std::vector<std::string> fontArguments(const FontChoice& font);
// A FONT's arguments read back; sizes in other units are converted at 96 pixels per inch.
FontChoice fontChoiceOf(const model::SubObject& font);

// The twelve edges of the unit cube centred on the origin, projected with a 3D transform into a
// viewport (left, top, right, bottom): the transform editor's cube preview. Edges with a point on
// the eye plane are left out.
std::vector<std::array<geom::Point2D, 2>> cubePreviewEdges(const geom::Transform3D& transform,
                                                           const std::array<float, 4>& viewport);
// The Transform3D of valid 3D transform editor values.
geom::Transform3D transform3DOfValues(std::span<const std::string> values);

} // namespace figure
