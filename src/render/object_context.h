// What the draw pass resolves once for an object before the branch of its type draws it.
#pragma once

#include "geom/axis_mapping.h"
#include "geom/layer_rect.h"
#include "geom/own_2d.h"
#include "geom/transform_3d.h"
#include "model/plot_object.h"
#include "render/number_lists.h"
#include "render/style.h"

#include <optional>
#include <string>

namespace render {

struct ObjectContext {
    const model::PlotObject* object = nullptr;
    geom::LayerRect rect;                 // the current rectangle (a, b, c, d)
    std::optional<geom::AxisWindow> axis; // set for an object mapped into a 2D axis system
    std::string text;                     // the first N argument, at most 999 characters
    Pen pen;
    std::optional<Brush> brush;
    Font font;
    StringFormat format;
    std::optional<geom::Own2DTransform> own2d; // set in figures made with OWN2D
    NumberLists numbers;
    geom::Transform3D transform3D; // its own 3DTRANSFORM, or that of its 3D axis system

    bool mapped() const { return axis.has_value(); }
    // A point through the own-2D mapping (unchanged in ordinary figures).
    Point2D own2D(Point2D point) const { return geom::applyOwn2D(own2d, point); }
    // The pen for brush-stroked lines: painted with the brush when the object has one.
    Pen strokePen() const;
};

// Longest object text, in UTF-16 code units as the command language counts characters.
inline constexpr std::size_t maxObjectTextLength = 999;

// The first argument of the object's N, cut to maxObjectTextLength characters.
std::string objectText(const model::PlotObject& object);

} // namespace render
