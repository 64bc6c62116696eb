// The export of a figure to a movie file.
#include "swf/export/movie_export.h"
#include "model/argument_text.h"

#include "expr/function_result_cache.h"
#include "model/limits.h"
#include "swf/format/character_counter.h"
#include "swf/export/file_writer.h"
#include "swf/format/movie_limits.h"
#include "swf/export/movie_renderer.h"
#include "swf/format/tag_list.h"

#include <algorithm>

namespace swf {

namespace {

std::int64_t wholeArgument(const model::SubObject& sub, std::size_t index)
{
    return model::truncateToInt32(model::parseNumber(sub.arguments[index]));
}

std::string frameLimitMessage(const model::Figure& figure, std::int64_t wanted)
{
    return "SWF: figure " + std::to_string(figure.id) + " would have " + std::to_string(wanted) +
           " frames, more than the limit of " + std::to_string(model::maxFramesPerFigure) +
           "; it gets " + std::to_string(model::maxFramesPerFigure);
}

} // namespace

std::int64_t requiredFrames(const model::Figure& figure)
{
    if (figure.frames.size() >= 2 || figure.objects.empty()) return 0;
    std::int64_t required = 0;
    for (const model::PlotObject& object : figure.objects) {
        const model::SubObject* at = model::findSubObject(object, model::SubObjectKind::At, 0);
        if (!at || at->arguments.size() < 4) continue;
        required = std::max(required, wholeArgument(*at, 3));
        const model::SubObject* range =
            model::findSubObject(object, model::SubObjectKind::SplitR, 0);
        if (range && range->arguments.size() >= 2)
            required = std::max(required, wholeArgument(*range, 0) + wholeArgument(*range, 1));
    }
    return required;
}

SwfExportJob prepareSwfExport(const model::Figure& figure, const std::string& path,
                              std::uint32_t framesPerSecond, const AskYesNo& askYesNo)
{
    SwfExportJob job{figure, path, framesPerSecond, 0, {}};
    const std::int64_t required = requiredFrames(figure);
    if (required <= 0 || !askYesNo(requiredFramesQuestion)) return job;
    const std::int64_t wanted = required + spareRequiredFrames;
    if (wanted > static_cast<std::int64_t>(model::maxFramesPerFigure))
        job.notes.push_back(frameLimitMessage(figure, wanted));
    const auto count =
        static_cast<std::size_t>(std::min<std::int64_t>(wanted, model::maxFramesPerFigure));
    if (count <= job.figure.frames.size()) return job;
    job.addedFrames = count - job.figure.frames.size();
    job.figure.frames.resize(count, model::Frame{requiredFrameDelayMs, 0, 1, 0});
    return job;
}

namespace {

// Renders the snapshot, then hands the tags to `finish` (which writes or builds the movie).
template <class Finish>
SwfExportResult renderAndFinish(const SwfExportJob& job, render::DrawingSurface& measuringSurface,
                                Finish finish)
{
    SwfExportResult result{false, {}, job.notes, job.figure.frames, job.addedFrames};
    const model::Figure& figure = job.figure;
    SwfTagList tags(figure.frames.size());
    expr::FunctionResultCache functionCache; // the export's own: it may run on another thread
    const MovieRenderResult rendered =
        renderFigureToTags(figure, tags, measuringSurface, functionCache, job.progress.get());
    if (job.progress && job.progress->cancelled) {
        result.message = job.path + ": the movie was cancelled; nothing was written";
        return result;
    }
    result.notes.insert(result.notes.end(), rendered.notes.begin(), rendered.notes.end());
    if (rendered.refusal) {
        result.message = *rendered.refusal == MovieRefusal::CharactersUsedUp
                             ? characterLimitMessage()
                             : "SWF: the movie is larger than the limit of " +
                                   std::to_string(maxMovieBytes) + " bytes";
        return result;
    }
    appendSetBackgroundColor(tags.background(), figure.backgroundColour);
    const io::WriteResult written = finish(
        tags, result.frames, twipsRectFromPixels(0, 0, figure.clientWidth, figure.clientHeight));
    result.written = written.written;
    result.message = written.message;
    return result;
}

} // namespace

SwfExportResult runSwfExport(const SwfExportJob& job, render::DrawingSurface& measuringSurface)
{
    return renderAndFinish(
        job, measuringSurface,
        [&](const SwfTagList& tags, std::vector<model::Frame>& frames, const TwipsRect& rect) {
            return writeSwfFile(job.path, tags, frames, rect, job.framesPerSecond);
        });
}

SwfExportResult renderSwfMovie(const SwfExportJob& job, render::DrawingSurface& measuringSurface,
                               std::vector<std::uint8_t>& movie)
{
    return renderAndFinish(
        job, measuringSurface,
        [&](const SwfTagList& tags, std::vector<model::Frame>& frames, const TwipsRect& rect) {
            return buildSwfMovie(job.path, tags, frames, rect, job.framesPerSecond, movie);
        });
}

void applySwfExportFrames(model::Figure& figure, const SwfExportResult& result)
{
    std::vector<model::Frame>& frames = figure.frames;
    const std::size_t kept =
        result.frames.size() - std::min(result.addedFrames, result.frames.size());
    for (std::size_t frame = 0; frame < std::min(frames.size(), kept); ++frame)
        frames[frame].firstMovieFrame = result.frames[frame].firstMovieFrame;
    const std::size_t room =
        model::maxFramesPerFigure - std::min<std::size_t>(frames.size(), model::maxFramesPerFigure);
    const std::size_t added = std::min(result.frames.size() - kept, room);
    frames.insert(frames.end(), result.frames.begin() + static_cast<std::ptrdiff_t>(kept),
                  result.frames.begin() + static_cast<std::ptrdiff_t>(kept + added));
}

SwfExportResult exportFigureToSwf(model::Figure& figure, const std::string& path,
                                  const SwfExportOptions& options)
{
    const SwfExportJob job =
        prepareSwfExport(figure, path, options.framesPerSecond, options.askYesNo);
    SwfExportResult result = runSwfExport(job, options.measuringSurface);
    applySwfExportFrames(figure, result);
    return result;
}

} // namespace swf
