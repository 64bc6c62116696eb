// The small dialogs' fields, checks and command lines.
#include "figure/command_forms.h"

#include "figure/sub_object_form.h"
#include "lang/tokenizer.h"
#include "model/argument_text.h"
#include "model/limits.h"

namespace figure {
namespace {

using enum FieldRule;

std::uint32_t wholeOf(std::string_view text)
{
    return model::truncateToUint32(model::parseNumber(text));
}

std::optional<std::string> rowsProblem(std::span<const FieldDefinition> rows,
                                       std::span<const std::string> values)
{
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (auto problem = fieldProblem(rows[i].rule, values[i]))
            return std::string(rows[i].label) + ": " + *problem;
    return std::nullopt;
}

} // namespace

const std::array<FieldDefinition, 5> newFigureRows = {{
    {101, "Width", "500", Whole},
    {102, "Height", "500", Whole},
    {103, "Color", "0xFFFFFF", Colour},
    {201, "Direct3D Figure", "0", Check},
    {203, "Perform Own 2D Transforms", "0", Check},
}};

std::optional<std::string> newFigureProblem(std::span<const std::string> values)
{
    if (auto problem = rowsProblem(newFigureRows, values)) return problem;
    for (std::size_t i = 0; i < 2; ++i) {
        const std::uint32_t side = wholeOf(values[i]);
        if (side == 0 || side > static_cast<std::uint32_t>(model::maxFigureSide))
            return std::string(newFigureRows[i].label) + ": " + values[i] +
                   " pixels is outside the limit of 1 to " + std::to_string(model::maxFigureSide);
    }
    return std::nullopt;
}

std::string newFigureCommand(std::uint32_t figureId, std::span<const std::string> values)
{
    return "figure " + std::to_string(figureId) + " " + std::to_string(wholeOf(values[0])) + " " +
           std::to_string(wholeOf(values[1])) + " " +
           colourText(0xFF000000u | model::parseColour(values[2])) + " " +
           (values[3] == "1" ? "dx" : "nodx") + " " + (values[4] == "1" ? "OWN2D" : "no2d");
}

const std::array<FieldDefinition, 4> newLayerRows = {{
    {101, "x1", "0", Coordinate},
    {102, "y1", "0", Coordinate},
    {103, "x2", "50%", Coordinate},
    {104, "y2", "50%", Coordinate},
}};

std::optional<std::string> newLayerProblem(std::span<const std::string> values)
{
    return rowsProblem(newLayerRows, values);
}

std::string newLayerCommand(std::uint32_t figureId, std::span<const std::string> values)
{
    std::string line = "LAYER " + std::to_string(figureId);
    for (const std::string& value : values)
        line += " " + value;
    return line;
}

model::Layer layerOfValues(std::span<const std::string> values)
{
    std::int32_t numbers[4];
    std::int32_t inPercent = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        numbers[i] = model::truncateToInt32(model::parseNumber(values[i]));
        if (model::isPercent(values[i])) inPercent = 1;
    }
    return {numbers[0], numbers[1], numbers[2], numbers[3], inPercent};
}

std::uint32_t nextLayerId(const model::Figure& figure)
{
    return static_cast<std::uint32_t>(figure.layers.size() + 1);
}

const std::array<FieldDefinition, 3> newFramesRows = {{
    {101, "Sleep", "50", Whole},
    {102, "# of frames", "1", Whole},
    {201, "Clear previous", "0", Check},
}};

std::optional<std::string> newFramesProblem(const model::Figure& figure,
                                            std::span<const std::string> values)
{
    if (auto problem = rowsProblem(newFramesRows, values)) return problem;
    const std::uint64_t total =
        figure.frames.size() + std::max<std::uint32_t>(wholeOf(values[1]), 1);
    if (total > model::maxFramesPerFigure)
        return "# of frames: figure " + std::to_string(figure.id) + " would have " +
               std::to_string(total) + " frames, more than the limit of " +
               std::to_string(model::maxFramesPerFigure);
    return std::nullopt;
}

std::string newFramesCommand(std::uint32_t figureId, std::span<const std::string> values)
{
    return "FRAMES " + std::to_string(figureId) + " " +
           std::to_string(std::max<std::uint32_t>(wholeOf(values[1]), 1)) + " " +
           std::to_string(wholeOf(values[0])) + " " + (values[2] == "1" ? "1" : "0");
}

const std::array<FieldDefinition, 3> animationRecordRows = {{
    {101, "Frame", "0", Whole},
    {102, "Sleep MS", "250", Whole},
    {201, "Clear", "0", Check},
}};

std::optional<std::string> animationRecordProblem(std::span<const std::string> values)
{
    if (auto problem = rowsProblem(animationRecordRows, values)) return problem;
    if (wholeOf(values[0]) >= model::maxFramesPerFigure)
        return "Frame: frame " + values[0] + " is past the limit of " +
               std::to_string(model::maxFramesPerFigure) + " frames";
    return std::nullopt;
}

RecordingSettings recordingSettings(std::span<const std::string> values)
{
    return {wholeOf(values[0]), wholeOf(values[1]), values[2] == "1"};
}

} // namespace figure
