// Warnings about movies.
#include "swf/export/movie_warnings.h"

#include "model/object_views.h"
#include "swf/export/frame_list.h"
#include "swf/export/movie_export.h"
#include "swf/export/timeline.h"

#include <algorithm>

namespace swf {
namespace {

// How many visible objects draw something in figure frame `frame`.
std::size_t objectsInFrame(const model::Figure& figure, std::uint32_t frame)
{
    const FigureTransforms transforms =
        figure.own2d ? FigureTransforms::Own2D : FigureTransforms::Matrix;
    std::size_t count = 0;
    for (const model::PlotObject& object : figure.objects) {
        const std::int32_t atFrame = model::placementOf(object).frameId;
        if (object.hidden || atFrame < 0 ||
            static_cast<std::size_t>(atFrame) >= figure.frames.size())
            continue;
        const FrameList frames = objectFrameList(object, figure.frames.size(), transforms,
                                                 static_cast<std::uint32_t>(atFrame));
        if (std::find(frames.begin(), frames.end(), frame) != frames.end()) ++count;
    }
    return count;
}

void addUnseenFrames(std::vector<std::string>& warnings, const model::Figure& figure,
                     std::uint32_t framesPerSecond)
{
    const std::vector<std::uint64_t> first = firstMovieFrames(figure.frames, framesPerSecond);
    const std::uint64_t end = movieFrameCount(figure.frames, framesPerSecond);
    for (std::size_t frame = 0; frame < first.size(); ++frame) {
        if (first[frame] < end) continue;
        const std::size_t objects = objectsInFrame(figure, static_cast<std::uint32_t>(frame));
        if (objects == 0) continue;
        const std::uint32_t delay =
            std::max(figure.frames.back().delayMs, framePeriodMs(framesPerSecond));
        warnings.push_back("frame " + std::to_string(frame) + " starts at movie frame " +
                           std::to_string(first[frame]) + ", where the movie ends, so what " +
                           std::to_string(objects) +
                           (objects == 1 ? " object draws" : " objects draw") +
                           " in it is never seen; a frame after it shows it, as in FRAME " +
                           std::to_string(figure.id) + " " + std::to_string(delay) + " 0");
    }
}

} // namespace

std::vector<std::string> movieWarnings(const model::Figure& figure, std::uint32_t framesPerSecond)
{
    std::vector<std::string> warnings;
    if (const std::int64_t required = requiredFrames(figure); required > 0)
        warnings.push_back("figure " + std::to_string(figure.id) +
                           " has one frame, but its objects name frames up to " +
                           std::to_string(required) + "; the question \"" + requiredFramesQuestion +
                           "\" was answered No, so what they draw there is not in the movie");
    if (framesPerSecond >= 1) addUnseenFrames(warnings, figure, framesPerSecond);
    return warnings;
}

} // namespace swf
