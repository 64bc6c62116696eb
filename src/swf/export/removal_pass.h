// The removal pass of a figure frame: RemoveObject tags for the shapes the frame no longer shows.
#pragma once

#include "model/figure.h"
#include "swf/format/byte_buffer.h"
#include "swf/format/display_list.h"

#include <cstdint>
#include <span>

namespace swf {

// Walks the display list from its last entry to its first and removes, with a RemoveObject tag
// appended to `frameTags`, every entry that frame `frame` does not keep: a shape that stays is
// kept unless the frame clears the picture (frame 0 never does), and a shape placed in the frame
// itself or in a later frame is always kept (it is not on the stage yet, and the frame that
// shows it clears it). Removed entries leave the display list.
void appendRemovalPass(ByteBuffer& frameTags, SwfDisplayList& displayList,
                       std::span<const model::Frame> frames, std::uint32_t frame);

} // namespace swf
