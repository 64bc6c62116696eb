// Save Animation... from the figure window: the file dialog (animated GIF or WebP), the frame
// rate and the WebP quality, then the picture made on a worker thread like Save SWF, with its
// progress and Cancel after half a second.
#pragma once

#include "lang/session.h"
#include "model/figure.h"

#include <cstdint>
#include <optional>
#include <string>

class QWidget;

namespace desktop {

struct AnimationChoices {
    std::uint32_t framesPerSecond = 25;
    std::optional<int> quality; // lossy WebP; lossless without
};

// The "Animation Options" dialog: the frame rate and, for a WebP file, Lossless or a quality.
// Nothing when cancelled.
std::optional<AnimationChoices> askAnimationChoices(QWidget* parent, bool webp);

// The file dialog, then saveAnimationTo. Cancelling the dialog does nothing.
void saveAnimation(QWidget* parent, lang::Session& session, model::Figure& figure);

class MovieExportTask;

// The animation of `figure` written to `path` (.gif or .webp) with `choices`, on a worker
// thread; "Animation Saved!" ends it, a refusal shows its message. The task that runs it.
MovieExportTask* saveAnimationTo(QWidget* parent, lang::Session& session, model::Figure& figure,
                                 const std::string& path, const AnimationChoices& choices);

} // namespace desktop
