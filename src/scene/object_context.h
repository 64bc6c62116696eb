// What the draw pass resolves once for an object before the branch of its type draws it.
#pragma once

#include "geom/axis_mapping.h"
#include "geom/layer_rect.h"
#include "geom/own_2d.h"
#include "geom/transform_3d.h"
#include "model/figure.h"
#include "model/plot_object.h"
#include "scene/axis_record.h"
#include "scene/number_lists.h"
#include "scene/style.h"

#include <optional>
#include <span>
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

// Where the objects of one drawing are placed: the area drawn into (left, top, right, bottom),
// the layers that divide it, and whether the figure moves points by the own-2D reading.
struct DrawingArea {
    geom::LayerRect area;
    std::span<const model::Layer> layers;
    bool own2d = false;
};

// Everything the branches of `object` read, resolved once: its layer's rectangle (the area for
// layer 0 or a layer that does not exist), its 2D axis system or the 3D transform of its 3D axis
// system among `axes`, its text, pen, brush and font, its own-2D reading in OWN2D figures and
// its number lists. The frame and hidden flag are the caller's to check.
ObjectContext resolveObjectContext(const model::PlotObject& object, const DrawingArea& drawing,
                                   std::span<const AxisRecord> axes);

// Longest object text, in UTF-16 code units as the command language counts characters.
inline constexpr std::size_t maxObjectTextLength = 999;

// The first argument of the object's N, cut to maxObjectTextLength characters.
std::string objectText(const model::PlotObject& object);

} // namespace render
