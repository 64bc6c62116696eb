// Removal passes.
#include "swf/export/removal_pass.h"

#include "swf/format/place_object.h"

#include <algorithm>

namespace swf {

void appendRemovalPass(ByteBuffer& frameTags, SwfDisplayList& displayList,
                       std::span<const model::Frame> frames, std::uint32_t frame)
{
    if (frame == 0) return; // nothing is placed before frame 0
    const bool clears = frame < frames.size() && frames[frame].clear != 0;
    const auto removed = [&](const SwfDisplayEntry& entry) {
        if (entry.figureFrame >= frame) return false;
        return entry.transience == Transience::Transient || clears;
    };
    for (auto entry = displayList.rbegin(); entry != displayList.rend(); ++entry)
        if (removed(*entry))
            appendRemoveObject(frameTags, {entry->characterId, entry->characterId});
    std::erase_if(displayList, removed);
}

} // namespace swf
