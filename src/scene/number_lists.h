// An object's P1 to P4 sub-objects read as numbers, points, triples and quads, with the percent
// rule of its layer and, for an object in a 2D axis system, the axis mapping.
#pragma once

#include "geom/axis_mapping.h"
#include "geom/layer_rect.h"
#include "model/plot_object.h"

#include <optional>
#include <string_view>
#include <vector>

namespace render {

using geom::Point2D;

struct Triple {
    float x = 0, y = 0, value = 0;
    bool operator==(const Triple&) const = default;
};

struct Quad {
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    bool operator==(const Quad&) const = default;
};

struct NumberLists {
    std::vector<float> p1Values;   // every argument of the first P1
    std::vector<Point2D> p2Points; // the first P2 in pairs
    std::vector<Triple> p3Triples; // the first P3 in groups of three
    std::vector<Quad> p4Quads;     // the first P4 in groups of four
    float p1 = 0;                  // the first P1 value
    Point2D pt;                    // the first P2 point
    Triple tri;                    // the first P3 triple
    Quad quad;                     // the first P4 quad
    Quad typedQuad;                // the first P4 quad before the axis mapping

    bool operator==(const NumberLists&) const = default;
};

// A coordinate: a number, or with a trailing "%" that percentage of `extent`.
float readCoordinate(std::string_view text, std::int32_t extent);

// The arguments of a P4 in groups of four, x values as percentages of the layer's right edge and
// y values of its bottom edge; an incomplete last group is left out.
std::vector<Quad> readQuads(const model::SubObject& sub, const geom::LayerRect& rect);

// The number lists of `object` in `rect`. With `axis`, P2 points (except for ARC, PIE, FUNCTION
// and FUNCTION3A, whose P2 holds angles or ranges), the (x, y) of P3 triples (read as polar
// radius and angle first for POINT with p1 = 1) and both corners of P4 quads go through the
// axis mapping.
NumberLists readNumberLists(const model::PlotObject& object, const geom::LayerRect& rect,
                            const std::optional<geom::AxisWindow>& axis);

} // namespace render
