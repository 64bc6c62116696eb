// The frame recorder: snapshots of a figure's objects become the frames of an animation.
#pragma once

#include "lang/session.h"
#include "model/figure.h"

#include <cstdint>

namespace figure {

// What the Animation Record dialog chooses.
struct RecordingSettings {
    std::uint32_t afterFrame = 0; // the first snapshot goes into this frame
    std::uint32_t delayMs = 250;  // "Sleep MS"
    bool clear = false;           // recorded frames clear the picture

    bool operator==(const RecordingSettings&) const = default;
};

// Starts recording; false (and nothing changes) while the figure is recording already.
bool startRecording(model::Figure& figure, const RecordingSettings& settings);

// Capture Frame: adds frames up to the next recorded frame, snapshots the objects as command text
// placed in that frame and moves on to the next frame. False when not recording or when the
// frame would pass the frame limit (the console says so).
bool captureFrame(lang::Session& session, model::Figure& figure);

// End Animation Recording: stops, clears the figure and rebuilds it from its header and the
// snapshots, one frame per snapshot. False when not recording.
bool endRecording(lang::Session& session, model::Figure& figure);

} // namespace figure
