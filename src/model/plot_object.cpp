// Sub-object lookup by kind and occurrence.
#include "model/plot_object.h"

namespace model {

const SubObject* findSubObject(const PlotObject& object, SubObjectKind kind, int occurrence)
{
    if (occurrence < 0) return nullptr;
    int seen = 0;
    for (const SubObject& sub : object.subObjects) {
        if (sub.kind != kind) continue;
        if (seen == occurrence) return &sub;
        ++seen;
    }
    return nullptr;
}

SubObject* findSubObject(PlotObject& object, SubObjectKind kind, int occurrence,
                         SubObjectCreation creation)
{
    const PlotObject& constObject = object;
    if (const SubObject* found = findSubObject(constObject, kind, occurrence))
        return const_cast<SubObject*>(found);
    if (creation == SubObjectCreation::Find) return nullptr;
    object.subObjects.push_back(SubObject{kind, {}});
    return &object.subObjects.back();
}

int countSubObjects(const PlotObject& object, SubObjectKind kind)
{
    int count = 0;
    for (const SubObject& sub : object.subObjects)
        if (sub.kind == kind) ++count;
    return count;
}

} // namespace model
