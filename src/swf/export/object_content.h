// What each type of object puts into a movie: shapes, text fields and morph records made from
// the geometry the draw pass computes, spread over the object's frames.
#pragma once

#include "geom/matrix2d.h"
#include "render/function_drawing.h"
#include "scene/object_context.h"
#include "swf/format/display_list.h"
#include "swf/export/frame_list.h"
#include "swf/export/movie_canvas.h"

#include <cstdint>

namespace swf {

// One object as the renderer has resolved it.
struct MovieObject {
    const render::ObjectContext& context;
    std::uint32_t atFrame = 0; // the frame of its AT
    const FrameList& frames;   // the frames it is spread over
    geom::Matrix2D matrix;     // the world matrix its shapes are placed with
};

// The object's content by type: rectangles, ellipses, points, POINT3 and text in the AT frame;
// polylines and curves in the one frame of their list (or as a morph record with MORPH), or
// piece by piece over several; functions growing over their frames; axis systems and surfaces
// whole in the AT frame. Other types add nothing.
void emitObjectContent(MovieCanvas& canvas, const MovieObject& object,
                       render::FunctionValues functions);

// True for the types SPLITTR animates: FUNCTION, FUNCTION3A, FUNCTION3D and AXIS.
bool isAnimatedType(model::ObjectType type);

// An animated object drawn whole into `frame`: every sample of a function, every part of an
// axis system or surface.
void emitWholeObject(MovieCanvas& canvas, const render::ObjectContext& context, std::uint32_t frame,
                     const geom::Matrix2D& matrix, Transience transience,
                     render::FunctionValues functions);

} // namespace swf
