// The small dialogs without their windows: New Figure, New Layer and New Frames compose a command
// line for the interpreter; Animation Record gives the recorder's settings.
#pragma once

#include "figure/animation_recorder.h"
#include "figure/form_field.h"
#include "model/figure.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace figure {

// Each form: its field rows, the problem of a set of values (a refused field, or a program limit
// passed), and what valid values give. Values are in row order.
extern const std::array<FieldDefinition, 5> newFigureRows; // Width, Height, Color, Direct3D, Own 2D
std::optional<std::string> newFigureProblem(std::span<const std::string> values);
// "figure id width height 0xFFRRGGBB dx|nodx OWN2D|no2d": the background is always opaque.
std::string newFigureCommand(std::uint32_t figureId, std::span<const std::string> values);

extern const std::array<FieldDefinition, 4> newLayerRows; // x1, y1, x2, y2
std::optional<std::string> newLayerProblem(std::span<const std::string> values);
// "LAYER fid x1 y1 x2 y2" with the fields as typed.
std::string newLayerCommand(std::uint32_t figureId, std::span<const std::string> values);
// The layer the LAYER command makes of valid values.
model::Layer layerOfValues(std::span<const std::string> values);
// The id the next layer of a figure gets.
std::uint32_t nextLayerId(const model::Figure& figure);

extern const std::array<FieldDefinition, 3> newFramesRows; // Sleep, # of frames, Clear previous
// Also refuses more frames than a figure may hold.
std::optional<std::string> newFramesProblem(const model::Figure& figure,
                                            std::span<const std::string> values);
// "FRAMES fid count sleep clear", with at least one frame.
std::string newFramesCommand(std::uint32_t figureId, std::span<const std::string> values);

// Animation Record: the frame the first snapshot goes into, its delay and clear flag.
extern const std::array<FieldDefinition, 3> animationRecordRows; // Frame, Sleep MS, Clear
std::optional<std::string> animationRecordProblem(std::span<const std::string> values);
RecordingSettings recordingSettings(std::span<const std::string> values);

} // namespace figure
