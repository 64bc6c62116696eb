// The filter and the axis registration of the object walk.
#include "scene/object_walk.h"

#include "model/object_views.h"

namespace render {

bool isWalked(const model::Figure& figure, const model::PlotObject& object, FrameFilter filter)
{
    if (object.hidden) return false;
    const std::int32_t frameId = model::placementOf(object).frameId;
    if (frameId < 0 || static_cast<std::size_t>(frameId) >= figure.frames.size()) return false;
    return filter == FrameFilter::ExistingFrames ||
           figure.frames[static_cast<std::size_t>(frameId)].frameFlag != 0;
}

void registerAxisOf(std::vector<AxisRecord>& axes, const ObjectContext& context)
{
    registerAxisRecord(axes, model::placementOf(*context.object).axisId,
                       axisRecordOf(*context.object, context.rect, context.transform3D));
}

} // namespace render
