// The movie renderer's loop over the objects.
#include "swf/export/movie_renderer.h"

#include "model/object_views.h"
#include "scene/axis_record.h"
#include "render/function_drawing.h"
#include "scene/object_context.h"
#include "scene/object_walk.h"
#include "swf/export/frame_list.h"
#include "swf/export/movie_canvas.h"
#include "swf/export/object_content.h"

#include <cassert>

namespace swf {

namespace {

// The world matrix the screen draws an object with: in OWN2D figures the scale of its own-2D
// reading, otherwise its TRANSFORM matrix followed by the figure's view matrix.
geom::Matrix2D placementMatrix(const model::Figure& figure, const render::ObjectContext& context)
{
    if (context.own2d) return {context.own2d->sx, 0, 0, context.own2d->sy, 0, 0};
    if (const std::optional<geom::Matrix2D> matrix = model::transformMatrixOf(*context.object))
        return geom::objectWorldMatrix(figure.viewTransform, *matrix);
    return figure.viewTransform;
}

// SPLITTR: the whole object in every frame of its list, shown there alone (each frame removes
// the last one's shapes), its transforms advanced by one step per frame in OWN2D figures. The
// steps move copies; the figure keeps its transforms.
void emitAnimatedObject(MovieCanvas& canvas, const model::Figure& figure,
                        const render::ObjectContext& context, const FrameList& frames,
                        const AnimationStep& step, render::FunctionValues functions)
{
    render::ObjectContext moving = context;
    for (std::size_t index = 0; index < frames.size(); ++index) {
        if (index > 0) canvas.removalPass(frames[index]);
        if (figure.own2d) {
            if (moving.own2d) advance(*moving.own2d, step);
            advance(moving.transform3D, step);
        }
        emitWholeObject(canvas, moving, frames[index], placementMatrix(figure, moving),
                        Transience::Transient, functions);
    }
}

} // namespace

MovieRenderResult renderFigureToTags(const model::Figure& figure, SwfTagList& tags,
                                     render::DrawingSurface& measuringSurface,
                                     expr::FunctionResultCache& functionCache,
                                     MovieProgress* progress)
{
    assert(tags.frameCount() == figure.frames.size() && "one tag buffer per figure frame");
    MovieCanvas canvas(tags, figure.frames,
                       twipsRectFromPixels(0, 0, figure.clientWidth, figure.clientHeight),
                       measuringSurface);
    const render::DrawingArea drawing{
        {0, 0, figure.clientWidth, figure.clientHeight}, figure.layers, figure.own2d};
    const FigureTransforms transforms =
        figure.own2d ? FigureTransforms::Own2D : FigureTransforms::Matrix;
    const render::FunctionValues functions{functionCache, static_cast<std::int32_t>(figure.id)};
    render::walkObjects(
        figure, figure.objects, drawing, render::FrameFilter::ExistingFrames,
        [&](const render::ObjectContext& context, std::span<const render::AxisRecord>) {
            const model::PlotObject& object = *context.object;
            if (progress) {
                if (progress->cancelled) return render::WalkStep::Stop;
                // objects before this one, hidden ones included, are done
                progress->objectsDone = static_cast<std::size_t>(&object - figure.objects.data());
            }
            const auto atFrame = static_cast<std::uint32_t>(model::placementOf(object).frameId);
            const FrameList frames =
                objectFrameList(object, figure.frames.size(), transforms, atFrame);
            canvas.removalPass(atFrame);
            const std::optional<AnimationStep> step = animationStepOf(object, transforms);
            if (step && isAnimatedType(object.type))
                emitAnimatedObject(canvas, figure, context, frames, *step, functions);
            else
                emitObjectContent(canvas,
                                  {context, atFrame, frames, placementMatrix(figure, context)},
                                  functions);
            return canvas.refusal() ? render::WalkStep::Stop : render::WalkStep::Continue;
        });
    return {canvas.refusal(), canvas.notes()};
}

} // namespace swf
