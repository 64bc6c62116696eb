// The figure frames an object appears in within a movie: those SPLIT, SPLITR or SPLITTR name,
// or the frame of its AT; and the step by which SPLITTR moves an animated object each frame.
#pragma once

#include "geom/own_2d.h"
#include "geom/transform_3d.h"
#include "model/plot_object.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace swf {

// Figure frame numbers in the order an object takes them.
using FrameList = std::vector<std::uint32_t>;

// Whether the figure reads TRANSFORM as the own-2D point arithmetic (FIGURE ... OWN2D).
enum class FigureTransforms { Matrix, Own2D };

// SPLIT(a, b, ...): each argument, truncated, that names one of the `frameCount` frames, in
// argument order. SPLITR(first, count) with exactly two arguments replaces that list by first,
// first + 1, ... (count numbers, stopping at the first that is not a frame); SPLITTR with exactly
// 22 arguments (23 in OWN2D figures) does the same with its first two. An empty list becomes
// the AT frame alone.
FrameList objectFrameList(const model::PlotObject& object, std::size_t frameCount,
                          FigureTransforms transforms, std::uint32_t atFrame);

// What SPLITTR adds to an animated object's transforms at every frame: the own-2D reading
// (dx, dy, angle and centre added, sx and sy multiplied) and the 3D transform (world, eye and
// angles added, scales multiplied).
struct AnimationStep {
    geom::Own2DTransform own2d{0, 0, 1, 1, 0, 0, 0};
    geom::Transform3D transform3D{0, 0, 0, 1, 1, 1, 0, 0, 0, 0, 0, 0};

    bool operator==(const AnimationStep&) const = default;
};

// The step of an object with a usable SPLITTR (a2 to a8 for the own-2D reading, a9 to a20 for
// the 3D transform); none without one.
std::optional<AnimationStep> animationStepOf(const model::PlotObject& object,
                                             FigureTransforms transforms);

void advance(geom::Own2DTransform& transform, const AnimationStep& step);
void advance(geom::Transform3D& transform, const AnimationStep& step);

} // namespace swf
