// Sub-object editors: field tables, the arguments they write, colour words and the cube preview.
#include "figure/sub_object_form.h"

#include "geom/projection.h"
#include "lang/tokenizer.h"
#include "model/argument_text.h"
#include "model/limits.h"
#include "scene/font_size.h"
#include "scene/hatch_patterns.h"

#include <cmath>
#include <cstdio>
#include <numbers>

namespace figure {
namespace {

using model::SubObjectKind;
using enum FieldRule;

constexpr std::string_view dashStyles[] = {"Solid", "Dash", "Dot", "DashDot", "DashDotDot"};
constexpr std::string_view brushStyles[] = {"Solid", "Hatch", "Gradient"};
constexpr std::string_view brushWords[] = {"solid", "hatch", "gradient"};

constexpr FieldDefinition penRows[] = {
    {1, "Size", "2", Whole},
    {2, "Style", "0", Choice, dashStyles},
    {3, "Color", "0xFF000000", Colour},
};
constexpr FieldDefinition brushRows[] = {
    {1, "Style", "0", Choice, brushStyles},  {2, "Color 1", "0x0", Colour},
    {3, "Color 2", "0x0", Colour},           {4, "Angle/Style", "0", Number},
    {5, "Full Gradient Matrix", "0", Check}, {6, "Matrix", "1 0 0 1 0 0", Matrix},
};
constexpr FieldDefinition transformRows[] = {
    {1, "m11", "1", Number}, {2, "m12", "0", Number}, {3, "m21", "0", Number},
    {4, "m22", "1", Number}, {5, "dx", "0", Number},  {6, "dy", "0", Number},
};
constexpr FieldDefinition ownTransformRows[] = {
    {1, "X Move", "0", Number},    {2, "Y Move", "0", Number}, {3, "Scale X", "1.0", Number},
    {4, "Scale Y", "1.0", Number}, {5, "Rotate", "0", Number}, {6, "Rot OrX", "0", Number},
    {7, "RotOr Y", "0", Number},
};
constexpr FieldDefinition transform3DRows[] = {
    {1, "World x", "0", Number},     {2, "World y", "0", Number},
    {3, "World z", "0", Number},     {4, "Scale x", "1", Number},
    {5, "Scale y", "1", Number},     {6, "Scale z", "1", Number},
    {7, "Eye x", "0", Number},       {8, "Eye y", "0", Number},
    {9, "Eye z", "0", Number},       {10, "Rotation x", "0", Number},
    {11, "Rotation y", "0", Number}, {12, "Rotation z", "0", Number},
};
constexpr FieldDefinition rangeAnimationRows[] = {
    {1, "From Frame", "0", Whole},
    {2, "To frame", "0", Whole},
};

std::string unsignedText(double value)
{
    return std::to_string(model::truncateToUint32(static_cast<float>(value)));
}

std::uint32_t wholeOf(std::string_view text)
{
    return model::truncateToUint32(model::parseNumber(text));
}

// Values from the arguments in order, defaults where arguments are missing.
std::vector<std::string> valuesInOrder(std::span<const FieldDefinition> rows,
                                       const model::SubObject& subObject)
{
    std::vector<std::string> values;
    for (std::size_t i = 0; i < rows.size(); ++i)
        values.emplace_back(i < subObject.arguments.size() ? subObject.arguments[i]
                                                           : std::string(rows[i].defaultText));
    return values;
}

std::vector<std::string> penValues(const model::SubObject& pen)
{
    // Arguments: size, colour, dash style; the rows show the colour last.
    const auto& arguments = pen.arguments;
    return {arguments.empty() ? std::string(penRows[0].defaultText)
                              : std::to_string(wholeOf(arguments[0])),
            std::to_string(arguments.size() > 2 ? std::min<std::uint32_t>(wholeOf(arguments[2]), 4)
                                                : 0),
            colourText(arguments.size() > 1 ? model::parseColour(arguments[1]) : 0xFF000000)};
}

std::vector<std::string> brushValues(const model::SubObject& brush)
{
    std::vector<std::string> values;
    const auto& arguments = brush.arguments;
    std::size_t style = 0;
    for (std::size_t i = 0; i < std::size(brushWords); ++i)
        if (!arguments.empty() && model::equalsIgnoringCase(arguments[0], brushWords[i])) style = i;
    values.push_back(std::to_string(style));
    for (std::size_t i = 1; i <= 2; ++i)
        values.push_back(colourText(arguments.size() > i ? model::parseColour(arguments[i]) : 0));
    const bool fullMatrix = style == 2 && arguments.size() >= 9;
    values.push_back(!fullMatrix && arguments.size() > 3 ? arguments[3] : "0");
    values.push_back(fullMatrix ? "1" : "0");
    std::string matrix = fullMatrix ? "" : std::string(brushRows[5].defaultText);
    for (std::size_t i = 3; fullMatrix && i < 9; ++i)
        matrix += (i > 3 ? " " : "") + arguments[i];
    values.push_back(matrix);
    return values;
}

std::vector<std::string> rangeValues(const model::SubObject& split)
{
    const std::uint32_t from = split.arguments.empty() ? 0 : wholeOf(split.arguments[0]);
    const std::uint32_t count = split.arguments.size() < 2 ? 0 : wholeOf(split.arguments[1]);
    return {std::to_string(from), std::to_string(std::uint64_t{from} + count)};
}

std::vector<std::string> brushArguments(std::span<const std::string> values)
{
    const std::size_t style = wholeOf(values[0]) % std::size(brushWords);
    std::vector<std::string> arguments = {std::string(brushWords[style]),
                                          colourText(model::parseColour(values[1])),
                                          colourText(model::parseColour(values[2]))};
    if (style == 2 && values[4] == "1") {
        for (std::string& number : lang::splitTokens(values[5], " ", lang::QuoteProtection::Off))
            arguments.push_back(std::move(number));
    } else {
        arguments.push_back(values[3]);
    }
    return arguments;
}

std::string sixDecimals(std::string_view text)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%f", static_cast<double>(model::parseNumber(text)));
    return buffer;
}

} // namespace

const std::array<SubObjectButton, 7> subObjectButtons = {{
    {721, "Pen...", SubObjectKind::Pen, 0, SubDialog::Pen},
    {722, "Brush...", SubObjectKind::Brush, 0, SubDialog::Brush},
    {723, "Font...", SubObjectKind::Font, 0, std::nullopt},
    {724, "2D Transform...", SubObjectKind::Transform, 0, SubDialog::Transform},
    {725, "3D Transform...", SubObjectKind::Transform3D, 0, SubDialog::Transform3D},
    {726, "Surface...", SubObjectKind::Brush, 1, SubDialog::Brush},
    {727, "Animation...", SubObjectKind::SplitR, 0, SubDialog::RangeAnimation},
}};

const std::array<MatrixOperationRow, 8> matrixOperations = {{
    {MatrixOperation::Rotate, "Rotate", "0"},
    {MatrixOperation::ScaleX, "Scale X", "1.0"},
    {MatrixOperation::ScaleY, "Scale Y", "1.0"},
    {MatrixOperation::Zoom, "Zoom", "1.0"},
    {MatrixOperation::MoveX, "X Move", "0"},
    {MatrixOperation::MoveY, "Y Move", "0"},
    {MatrixOperation::ShearX, "X Shear", "0"},
    {MatrixOperation::ShearY, "Y Shear", "0"},
}};

std::string_view subDialogTitle(SubDialog dialog)
{
    switch (dialog) {
    case SubDialog::Pen:
        return "Pen";
    case SubDialog::Brush:
        return "Brush";
    case SubDialog::Transform:
        return "2D Transform";
    case SubDialog::OwnTransform:
        return "Own 2D Transform";
    case SubDialog::Transform3D:
        return "3D Transform";
    case SubDialog::RangeAnimation:
        return "Range Animation";
    }
    return {};
}

std::span<const FieldDefinition> subDialogRows(SubDialog dialog)
{
    switch (dialog) {
    case SubDialog::Pen:
        return penRows;
    case SubDialog::Brush:
        return brushRows;
    case SubDialog::Transform:
        return transformRows;
    case SubDialog::OwnTransform:
        return ownTransformRows;
    case SubDialog::Transform3D:
        return transform3DRows;
    case SubDialog::RangeAnimation:
        return rangeAnimationRows;
    }
    return {};
}

std::vector<std::string> subDialogValues(SubDialog dialog, const model::SubObject& subObject)
{
    switch (dialog) {
    case SubDialog::Pen:
        return penValues(subObject);
    case SubDialog::Brush:
        return brushValues(subObject);
    case SubDialog::RangeAnimation:
        return rangeValues(subObject);
    default:
        return valuesInOrder(subDialogRows(dialog), subObject);
    }
}

std::optional<std::string> subDialogProblem(SubDialog dialog, std::span<const std::string> values)
{
    const std::span<const FieldDefinition> rows = subDialogRows(dialog);
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (auto problem = fieldProblem(rows[i].rule, values[i]))
            return std::string(rows[i].label) + ": " + *problem;
    if (dialog == SubDialog::Brush && wholeOf(values[0]) == 1) {
        const double style = *readFieldNumber(values[3]);
        if (style < 0 || style >= render::hatchStyleCount || style != std::trunc(style))
            return "Angle/Style: a hatch style is a whole number from 0 to " +
                   std::to_string(render::hatchStyleCount - 1);
    }
    if (dialog == SubDialog::RangeAnimation) {
        const double from = *readFieldNumber(values[0]);
        const double to = *readFieldNumber(values[1]);
        if (to < from) return "To frame: the range ends before it starts";
        if (to >= model::maxFramesPerFigure)
            return "To frame: frame " + unsignedText(to) + " is past the limit of " +
                   std::to_string(model::maxFramesPerFigure) + " frames";
    }
    return std::nullopt;
}

std::vector<std::string> subDialogArguments(SubDialog dialog, std::span<const std::string> values)
{
    switch (dialog) {
    case SubDialog::Pen:
        return {std::to_string(wholeOf(values[0])), std::to_string(model::parseColour(values[2])),
                std::to_string(wholeOf(values[1]))};
    case SubDialog::Brush:
        return brushArguments(values);
    case SubDialog::OwnTransform: {
        std::vector<std::string> arguments;
        for (const std::string& value : values)
            arguments.push_back(sixDecimals(value));
        return arguments;
    }
    case SubDialog::RangeAnimation: {
        const std::uint32_t from = wholeOf(values[0]);
        return {std::to_string(from), std::to_string(wholeOf(values[1]) - from)};
    }
    default:
        return {values.begin(), values.end()};
    }
}

geom::Matrix2D combineMatrix(const geom::Matrix2D& matrix, MatrixOperation operation, float value)
{
    geom::Matrix2D step;
    switch (operation) {
    case MatrixOperation::Rotate: {
        const float radians = value * std::numbers::pi_v<float> / 180.0f;
        step = {std::cos(radians), std::sin(radians), -std::sin(radians), std::cos(radians), 0, 0};
        break;
    }
    case MatrixOperation::ScaleX:
        step.m11 = value;
        break;
    case MatrixOperation::ScaleY:
        step.m22 = value;
        break;
    case MatrixOperation::Zoom:
        step.m11 = step.m22 = value;
        break;
    case MatrixOperation::MoveX:
        step.dx = value;
        break;
    case MatrixOperation::MoveY:
        step.dy = value;
        break;
    case MatrixOperation::ShearX:
        step.m21 = value;
        break;
    case MatrixOperation::ShearY:
        step.m12 = value;
        break;
    }
    return geom::Matrix2D::product(step, matrix);
}

std::uint32_t colourWord(ColourUse use, Rgba colour)
{
    const std::uint32_t r = colour.red, g = colour.green, b = colour.blue;
    switch (use) {
    case ColourUse::Pen: {
        const std::uint32_t alpha = colour.alpha == 0 ? 1 : colour.alpha;
        return alpha << 24 | r << 16 | g << 8 | b;
    }
    case ColourUse::Brush:
        return std::uint32_t{255u - colour.alpha} << 24 | b << 16 | g << 8 | r;
    case ColourUse::Background:
        return 0xFF000000u | r << 16 | g << 8 | b;
    }
    return 0;
}

Rgba colourOfWord(ColourUse use, std::uint32_t word)
{
    const auto byte = [word](int shift) { return static_cast<std::uint8_t>(word >> shift); };
    switch (use) {
    case ColourUse::Brush:
        return {byte(0), byte(8), byte(16), static_cast<std::uint8_t>(255 - byte(24))};
    case ColourUse::Pen:
    case ColourUse::Background:
        return {byte(16), byte(8), byte(0), byte(24) == 0 ? std::uint8_t{255} : byte(24)};
    }
    return {};
}

std::string colourText(std::uint32_t word)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%X", static_cast<unsigned>(word));
    return buffer;
}

std::vector<std::string> fontArguments(const FontChoice& font)
{
    std::string family;
    for (const char c : font.family)
        if (c != '"' && c != '\'') family += c;
    char size[32];
    std::snprintf(size, sizeof size, "%g", font.pointSize);
    const int style = (font.bold ? 1 : 0) | (font.italic ? 2 : 0) | (font.underline ? 4 : 0) |
                      (font.strikeOut ? 8 : 0);
    return {family, size, std::to_string(style), "3"};
}

FontChoice fontChoiceOf(const model::SubObject& font)
{
    FontChoice choice;
    const auto& arguments = font.arguments;
    if (!arguments.empty()) choice.family = arguments[0];
    const std::int32_t style =
        arguments.size() > 2 ? model::truncateToInt32(model::parseNumber(arguments[2])) : 0;
    choice.bold = style & 1;
    choice.italic = style & 2;
    choice.underline = style & 4;
    choice.strikeOut = style & 8;
    render::Font measured;
    measured.size = arguments.size() > 1 ? model::parseNumber(arguments[1]) : 8.0f;
    if (arguments.size() > 3)
        measured.unit = model::truncateToInt32(model::parseNumber(arguments[3]));
    const std::optional<float> pixels = render::fontPixelSize(measured);
    choice.pointSize = pixels ? std::round(*pixels * 72.0 / render::pixelsPerInch * 10) / 10 : 8;
    return choice;
}

geom::Transform3D transform3DOfValues(std::span<const std::string> values)
{
    float numbers[12];
    for (std::size_t i = 0; i < 12; ++i)
        numbers[i] = i < values.size() ? model::parseNumber(values[i]) : 0.0f;
    return {numbers[0], numbers[1], numbers[2], numbers[3], numbers[4],  numbers[5],
            numbers[6], numbers[7], numbers[8], numbers[9], numbers[10], numbers[11]};
}

std::vector<std::array<geom::Point2D, 2>> cubePreviewEdges(const geom::Transform3D& transform,
                                                           const std::array<float, 4>& viewport)
{
    std::vector<std::array<geom::Point2D, 2>> edges;
    const auto corner = [](int bits) {
        return geom::Point3D{(bits & 1) ? 0.5f : -0.5f, (bits & 2) ? 0.5f : -0.5f,
                             (bits & 4) ? 0.5f : -0.5f};
    };
    for (int from = 0; from < 8; ++from) {
        for (const int axis : {1, 2, 4}) {
            if (from & axis) continue;
            const geom::Point2D a = geom::project3D(transform, viewport, corner(from));
            const geom::Point2D b = geom::project3D(transform, viewport, corner(from | axis));
            if (std::isfinite(a.x) && std::isfinite(a.y) && std::isfinite(b.x) &&
                std::isfinite(b.y))
                edges.push_back({a, b});
        }
    }
    return edges;
}

} // namespace figure
