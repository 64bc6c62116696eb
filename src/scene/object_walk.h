// One walk over the drawable objects of a figure, in drawing order: the draw pass, the movie
// renderer and hit testing all place objects through it, so they agree on which objects count,
// where each one is and which axis system it is mapped into.
#pragma once

#include "model/figure.h"
#include "scene/axis_record.h"
#include "scene/object_context.h"

#include <span>
#include <vector>

namespace render {

// Which frames' objects a walk visits: every frame that exists (movies), or only the frames whose
// objects are shown (the screen and the exports).
enum class FrameFilter { ExistingFrames, ShownFrames };

enum class WalkStep { Continue, Stop };

// True when the walk visits `object`: it is not hidden and its frame passes the filter.
bool isWalked(const model::Figure& figure, const model::PlotObject& object, FrameFilter filter);

// Registers the axis record of an AXIS object: appended, or replacing the record its own axis
// id names, so that the objects after it are mapped into it.
void registerAxisOf(std::vector<AxisRecord>& axes, const ObjectContext& context);

// Calls `visit(context, axes)` for each walked object of `objects` with its context resolved
// against the axis systems before it, and registers each AXIS after its visit. Stops early when
// the visit returns WalkStep::Stop.
template <class Visit>
void walkObjects(const model::Figure& figure, std::span<const model::PlotObject> objects,
                 const DrawingArea& drawing, FrameFilter filter, Visit&& visit)
{
    std::vector<AxisRecord> axes;
    for (const model::PlotObject& object : objects) {
        if (!isWalked(figure, object, filter)) continue;
        const ObjectContext context = resolveObjectContext(object, drawing, axes);
        if (visit(context, std::span<const AxisRecord>(axes)) == WalkStep::Stop) return;
        if (object.type == model::ObjectType::Axis) registerAxisOf(axes, context);
    }
}

} // namespace render
