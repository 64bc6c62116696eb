// Axis records and their registration.
#include "render/axis_record.h"

#include "render/number_lists.h"

namespace render {
namespace {

// The first quad of the occurrence-th P4, zero when it is missing or short.
Quad axisQuad(const model::PlotObject& object, int occurrence, const geom::LayerRect& rect)
{
    const model::SubObject* p4 = model::findSubObject(object, model::SubObjectKind::P4, occurrence);
    if (!p4) return {};
    const std::vector<Quad> quads = readQuads(*p4, rect);
    return quads.empty() ? Quad{} : quads.front();
}

} // namespace

AxisRecord axisRecordOf(const model::PlotObject& axisObject, const geom::LayerRect& rect,
                        const geom::Transform3D& transform3D)
{
    const Quad x = axisQuad(axisObject, 0, rect);
    const Quad y = axisQuad(axisObject, 1, rect);
    AxisRecord record;
    record.window = {x.x1, y.y1, x.y1, y.x1};
    if (model::findSubObject(axisObject, model::SubObjectKind::P4, 2)) {
        const Quad z = axisQuad(axisObject, 2, rect);
        record.is3D = true;
        record.transform3D = transform3D;
        record.ranges3D = {z.y1, x.y1, y.x1, z.x1};
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
