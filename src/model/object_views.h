// Views of an object's first AT, TRANSFORM and 3DTRANSFORM sub-objects, read as numbers.
#pragma once

#include "model/transforms.h"
#include "model/plot_object.h"

#include <cstdint>
#include <optional>

namespace model {

// The sub-objects the drawing styles are built from: the first PEN, the occurrence-th BRUSH
// (surfaces read a second one) and the first FONT; null when the object has none. Their
// arguments are read where the styles are built.
const SubObject* penSpecOf(const PlotObject& object);
const SubObject* brushSpecOf(const PlotObject& object, int occurrence = 0);
const SubObject* fontSpecOf(const PlotObject& object);

// Where an object lives, from its first AT: figure, layer (0 the whole figure), axis system
// (0 none) and frame. An object without AT has all four 0.
struct Placement {
    std::uint32_t figureId = 0;
    std::int32_t layerId = 0;
    std::int32_t axisId = 0;
    std::int32_t frameId = 0;

    bool operator==(const Placement&) const = default;
};

Placement placementOf(const PlotObject& object);

// The matrix reading of the first TRANSFORM (m11, m12, m21, m22, dx, dy); none when there is no
// TRANSFORM or it has fewer than six arguments.
std::optional<Matrix2D> transformMatrixOf(const PlotObject& object);

// The point reading of the first TRANSFORM: translation and scale from its first four arguments,
// the angle from the fifth (when there are more than four) and the centre from the sixth and
// seventh (when there are more than six); missing values keep their defaults. None without a
// TRANSFORM.
std::optional<Own2DTransform> own2DTransformOf(const PlotObject& object);

// The first 3DTRANSFORM's twelve numbers, with defaults for missing ones; a scale of (0, 0, 0)
// is read as (1, 1, 1).
Transform3D transform3DOf(const PlotObject& object);

} // namespace model
