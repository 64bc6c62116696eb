// Saving a figure as a movie: the question about the frames its objects need, a snapshot of the
// figure, the renderer, the background and the file. The snapshot lets the figure change while
// a movie is written; what the export changes in the figure (added frames, the movie frame each
// frame starts at) is written back afterwards, on the thread that owns the figure.
#pragma once

#include "model/figure.h"
#include "render/surface.h"
#include "swf/export/movie_renderer.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace swf {

// Asks the user a question with Yes and No; true for Yes.
using AskYesNo = std::function<bool(const std::string& question)>;

// The question asked when a figure of fewer than two frames has objects in later frames.
inline constexpr const char* requiredFramesQuestion = "Added required frames to SWF now?";
// The frames the answer Yes adds beyond the last one the objects name, and their delay.
inline constexpr std::uint32_t spareRequiredFrames = 100;
inline constexpr std::uint32_t requiredFrameDelayMs = 50;

// The last frame the objects of a figure with fewer than two frames name: the largest frame of
// an AT with four arguments and, for such an object, the end (first + count) of its SPLITR.
// 0 when nothing is needed (two or more frames, no objects, or no such frame).
std::int64_t requiredFrames(const model::Figure& figure);

// One export as it runs away from the figure: a copy of the figure (with the frames the question
// added), the file and the frame rate.
struct SwfExportJob {
    model::Figure figure;
    std::string path;
    std::uint32_t framesPerSecond = 25;
    std::size_t addedFrames = 0;    // frames the question added at the end of the snapshot
    std::vector<std::string> notes; // what preparing it reported
    // Followed and cancelled from another thread; a cancelled export writes nothing.
    std::shared_ptr<MovieProgress> progress = std::make_shared<MovieProgress>();
};

struct SwfExportResult {
    bool written = false;
    std::string message;              // why not, naming the file or the limit
    std::vector<std::string> notes;   // what the movie shows differently, each once
    std::vector<model::Frame> frames; // the snapshot's frames after the export
    std::size_t addedFrames = 0;      // how many of them, at the end, the question added

    bool operator==(const SwfExportResult&) const = default;
};

// Takes the snapshot and, when the figure's objects need frames it lacks, asks whether
// to add them (through `askYesNo`): on Yes the snapshot gets required + spareRequiredFrames frames
// (at most model::maxFramesPerFigure) of requiredFrameDelayMs each.
SwfExportJob prepareSwfExport(const model::Figure& figure, const std::string& path,
                              std::uint32_t framesPerSecond, const AskYesNo& askYesNo);

// Renders the snapshot and writes the movie; it touches nothing outside the job, so it may run
// on a thread of its own. Text is measured on `measuringSurface`. Nothing is written when the
// rate, the frame count, the size or the character ids exceed what a movie holds.
SwfExportResult runSwfExport(const SwfExportJob& job, render::DrawingSurface& measuringSurface);

// runSwfExport with the movie built in `movie` instead of written (for pictures made from it);
// `written` then says the movie was built.
SwfExportResult renderSwfMovie(const SwfExportJob& job, render::DrawingSurface& measuringSurface,
                               std::vector<std::uint8_t>& movie);

// Appends to `figure` the frames the question added and gives its frames the movie frame each
// starts at (set only by a movie that was written). A figure whose frames changed during the
// export keeps its own; only the movie frames are written into those that remain.
void applySwfExportFrames(model::Figure& figure, const SwfExportResult& result);

struct SwfExportOptions {
    AskYesNo askYesNo;                        // asks the question
    render::DrawingSurface& measuringSurface; // measures text as the screen does
    std::uint32_t framesPerSecond = 25;
};

// prepareSwfExport, runSwfExport and applySwfExportFrames in one, for callers that wait for the
// movie (batch mode).
SwfExportResult exportFigureToSwf(model::Figure& figure, const std::string& path,
                                  const SwfExportOptions& options);

} // namespace swf
