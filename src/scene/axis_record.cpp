// Axis records and their registration.
#include "scene/axis_record.h"
#include "model/argument_text.h"

#include "scene/number_lists.h"

namespace render {

std::optional<AxisScale> axisScaleOf(const model::PlotObject& axisObject, int occurrence,
                                     const geom::LayerRect& rect)
{
    const model::SubObject* p4 =
        model::findSubObject(axisObject, model::SubObjectKind::P4, occurrence);
    if (!p4) return std::nullopt;
    const std::vector<Quad> quads = readQuads(*p4, rect);
    if (quads.empty()) return AxisScale{};
    const Quad& quad = quads.front();
    return AxisScale{quad.x1, quad.y1, quad.x2, model::truncateToInt32(quad.y2)};
}

AxisRecord axisRecordOf(const model::PlotObject& axisObject, const geom::LayerRect& rect,
                        const geom::Transform3D& transform3D)
{
    const AxisScale x = axisScaleOf(axisObject, 0, rect).value_or(AxisScale{});
    const AxisScale y = axisScaleOf(axisObject, 1, rect).value_or(AxisScale{});
    AxisRecord record;
    record.window = {x.from, y.to, x.to, y.from};
    if (const std::optional<AxisScale> z = axisScaleOf(axisObject, 2, rect)) {
        record.is3D = true;
        record.transform3D = transform3D;
        record.ranges3D = {z->to, x.to, y.from, z->from};
    }
    return record;
}

void registerAxisRecord(std::vector<AxisRecord>& records, std::int32_t ownAxisId,
                        const AxisRecord& record)
{
    if (ownAxisId >= 1 && static_cast<std::size_t>(ownAxisId) <= records.size())
        records[static_cast<std::size_t>(ownAxisId) - 1] = record;
    else
        records.push_back(record);
}

} // namespace render
