// Animated pictures from the movie player's frames.
#include "desktop/exports/animation_export.h"

#include "desktop/qt/qt_animation_writer.h"
#include "desktop/qt/qt_image_export.h"
#include "desktop/qt/qt_measuring_surface.h"
#include "desktop/qt/qt_surface.h"
#include "io/atomic_file.h"
#include "io/export_formats.h"
#include "swf/export/timeline.h"
#include "swf/format/movie_limits.h"
#include "swf/play/movie_player.h"
#include "swf/read/reader.h"

#include <QPainter>

#include <algorithm>
#include <thread>

namespace desktop {

namespace {

std::optional<io::ExportFormat> animationFormat(const std::string& path)
{
    const std::optional<io::ExportFormatRow> row = io::exportFormatForPath(path);
    if (!row || (row->format != io::ExportFormat::Gif && row->format != io::ExportFormat::Webp))
        return std::nullopt;
    return row->format;
}

std::uint64_t frameStartMs(std::uint64_t frame, std::uint32_t framesPerSecond)
{
    return frame * 1000 / framesPerSecond;
}

// Frames drawn at once, at most, and how many each painter draws before the encoder takes them.
constexpr std::size_t maxFramePainters = 8;
constexpr std::size_t framesPerPainterBatch = 4;

// One player and its canvas, drawing frames in increasing order.
class FramePainter {
public:
    FramePainter(std::shared_ptr<const swf::PlayableMovie> movie, int width, int height)
        : m_player(std::move(movie)), m_canvas(width, height, QImage::Format_RGB32)
    {
    }

    QImage paint(std::size_t frame, const render::RectF& viewport)
    {
        m_player.showFrame(frame);
        QPainter painter(&m_canvas);
        render::QtSurface surface(painter);
        // A frame that only adds objects above the ones shown draws just those.
        const swf::DisplayList& shown = m_player.displayList();
        if (m_painted && !m_drawn.empty() && m_drawn.size() <= shown.size() &&
            std::equal(m_drawn.begin(), m_drawn.end(), shown.begin()))
            m_player.drawAbove(surface, viewport, m_drawn.rbegin()->first);
        else
            m_player.draw(surface, viewport);
        painter.end();
        m_drawn = shown;
        m_painted = true;
        return m_canvas.copy();
    }

    const std::vector<std::string>& notes() const { return m_player.notes(); }

private:
    swf::MoviePlayer m_player;
    QImage m_canvas;
    swf::DisplayList m_drawn; // what the canvas shows
    bool m_painted = false;
};

} // namespace

bool isAnimationPath(const std::string& path)
{
    return animationFormat(path).has_value();
}

AnimationJob prepareAnimationExport(const model::Figure& figure, const std::string& path,
                                    std::uint32_t framesPerSecond, std::optional<int> quality,
                                    const swf::AskYesNo& askYesNo)
{
    AnimationJob job{swf::prepareSwfExport(figure, path, framesPerSecond, askYesNo), {}, quality};
    job.lastPicture = render::renderFigureImage(job.movie.figure);
    return job;
}

swf::SwfExportResult runAnimationExport(const AnimationJob& job,
                                        render::DrawingSurface& measuringSurface)
{
    const swf::SwfExportJob& movieJob = job.movie;
    const std::string& path = movieJob.path;
    swf::SwfExportResult result{
        false, {}, movieJob.notes, movieJob.figure.frames, movieJob.addedFrames};
    const auto refuse = [&](std::string message) {
        result.message = std::move(message);
        return result;
    };
    const std::optional<io::ExportFormat> format = animationFormat(path);
    if (!format) return refuse(path + ": an animation is written as .gif or .webp");
    const std::uint32_t rate = movieJob.framesPerSecond;
    if (rate == 0 || rate > swf::maxFrameRate)
        return refuse(path + ": a frame rate of " + std::to_string(rate) +
                      " frames per second is outside the limit of 1 to " +
                      std::to_string(swf::maxFrameRate));
    if (job.quality && (*job.quality < 0 || *job.quality > maxWebpQuality))
        return refuse(path + ": a quality of " + std::to_string(*job.quality) +
                      " is outside the limit of 0 to " + std::to_string(maxWebpQuality));
    const std::uint64_t frames = swf::movieFrameCount(movieJob.figure.frames, rate);
    if (frames > swf::maxMovieFrames)
        return refuse(path + ": the animation needs " + std::to_string(frames) +
                      " frames, more than the limit of " + std::to_string(swf::maxMovieFrames));

    const int width = job.lastPicture.width(), height = job.lastPicture.height();
    const std::uint64_t pixels =
        (frames + 1) * static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height);
    if (pixels > maxAnimationPixels)
        return refuse(path + ": the animation would draw " + std::to_string(frames + 1) +
                      " pictures of " + std::to_string(width) + " x " + std::to_string(height) +
                      " pixels, more than the limit of " + std::to_string(maxAnimationPixels) +
                      " pixels");
    std::unique_ptr<render::AnimationEncoder> encoder =
        *format == io::ExportFormat::Gif
            ? render::makeGifAnimationEncoder(width, height)
            : render::makeWebpAnimationEncoder(width, height, job.quality);
    if (!encoder->error().empty()) return refuse(path + ": " + encoder->error());

    std::vector<std::uint8_t> bytes;
    swf::SwfExportResult rendered = swf::renderSwfMovie(movieJob, measuringSurface, bytes);
    if (!rendered.written) return rendered;
    result = rendered;
    result.written = false;
    swf::MovieReadResult read = swf::readMovie(std::move(bytes));
    if (!read.ok()) return refuse(path + ": the movie could not be read: " + read.message);
    swf::PlayableMovieResult playable = swf::playableMovieOf(std::move(read.movie));
    if (!playable.ok())
        return refuse(path + ": the movie could not be played: " + playable.message);

    const render::RectF viewport{0, 0, static_cast<float>(width), static_cast<float>(height)};
    const std::size_t movieFrames = playable.movie->frameCount();
    // Frames are drawn by several painters at once (painter i draws every i-th frame of a
    // batch) and handed to the encoder in order.
    const std::size_t painterCount =
        std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1, maxFramePainters);
    std::vector<FramePainter> painters;
    for (std::size_t i = 0; i < painterCount; ++i)
        painters.emplace_back(playable.movie, width, height);
    const std::size_t batch = painterCount * framesPerPainterBatch;
    std::vector<QImage> pictures(batch);
    for (std::size_t first = 0; first < movieFrames; first += batch) {
        if (movieJob.progress->cancelled)
            return refuse(path + ": the animation was cancelled; nothing was written");
        const std::size_t count = std::min(batch, movieFrames - first);
        const auto paintShare = [&](std::size_t painter) {
            for (std::size_t i = painter; i < count; i += painterCount)
                pictures[i] = painters[painter].paint(first + i, viewport);
        };
        std::vector<std::thread> threads;
        for (std::size_t painter = 1; painter < std::min(painterCount, count); ++painter)
            threads.emplace_back(paintShare, painter);
        paintShare(0);
        for (std::thread& thread : threads)
            thread.join();
        for (std::size_t i = 0; i < count; ++i)
            if (!encoder->add(pictures[i], frameStartMs(first + i, rate)))
                return refuse(path + ": " + encoder->error());
    }
    for (const FramePainter& painter : painters)
        for (const std::string& note : painter.notes())
            if (std::find(result.notes.begin(), result.notes.end(), note) == result.notes.end())
                result.notes.push_back(note);
    const std::optional<QByteArray> picture =
        encoder->add(job.lastPicture, frameStartMs(movieFrames, rate))
            ? encoder->finish(frameStartMs(movieFrames + 1, rate))
            : std::nullopt;
    if (!picture) return refuse(path + ": " + encoder->error());
    if (movieJob.progress->cancelled)
        return refuse(path + ": the animation was cancelled; nothing was written");
    const io::WriteResult written = io::writeFileAtomically(
        path, std::string_view(picture->constData(), static_cast<std::size_t>(picture->size())));
    result.written = written.written;
    result.message = written.message;
    return result;
}

io::WriteResult exportFigureAnimation(model::Figure& figure, const std::string& path,
                                      std::uint32_t framesPerSecond, std::optional<int> quality,
                                      const swf::AskYesNo& askYesNo,
                                      std::vector<std::string>& notes)
{
    const AnimationJob job =
        prepareAnimationExport(figure, path, framesPerSecond, quality, askYesNo);
    swf::QtMeasuringSurface measuring;
    const swf::SwfExportResult result = runAnimationExport(job, measuring.surface());
    swf::applySwfExportFrames(figure, result);
    notes.insert(notes.end(), result.notes.begin(), result.notes.end());
    return {result.written, result.message};
}

} // namespace desktop
