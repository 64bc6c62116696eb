// Animated GIF and WebP pictures of a figure: its movie, rendered in memory and played frame by
// frame by the movie player, then the complete figure as the last picture, so the animation ends
// on what the window shows. Each movie frame lasts one frame at the movie's frame rate, and the
// animation loops. The file is written atomically: a refusal or failure keeps an existing file.
#pragma once

#include "io/write_result.h"
#include "model/figure.h"
#include "render/surface.h"
#include "swf/export/movie_export.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace desktop {

// WebP quality for lossy pictures; WebP is lossless without one.
inline constexpr int maxWebpQuality = 100;
// Pixels an animation draws at most (pictures x width x height), so that no export runs for
// hours: 8000 pictures of 500 x 500.
inline constexpr std::uint64_t maxAnimationPixels = 2'000'000'000;

// One animation as it runs away from the figure.
struct AnimationJob {
    swf::SwfExportJob movie;    // the snapshot, the file (.gif or .webp) and the frame rate
    std::optional<int> quality; // WebP only
};

// True for the paths an animation is written to (.gif and .webp).
bool isAnimationPath(const std::string& path);

// Takes the snapshot as a movie export does (asking about required frames through `askYesNo`).
AnimationJob prepareAnimationExport(const model::Figure& figure, const std::string& path,
                                    std::uint32_t framesPerSecond, std::optional<int> quality,
                                    const swf::AskYesNo& askYesNo);

// Renders the movie, plays it, draws the snapshot as the window draws it for the last picture
// and writes the animation; it touches nothing outside the job, so it may run on a thread of its
// own. Needs a QGuiApplication. A cancellation through the job's progress writes nothing.
swf::SwfExportResult runAnimationExport(const AnimationJob& job,
                                        render::DrawingSurface& measuringSurface);

// prepareAnimationExport, runAnimationExport and swf::applySwfExportFrames in one (batch mode).
io::WriteResult exportFigureAnimation(model::Figure& figure, const std::string& path,
                                      std::uint32_t framesPerSecond, std::optional<int> quality,
                                      const swf::AskYesNo& askYesNo,
                                      std::vector<std::string>& notes);

} // namespace desktop
