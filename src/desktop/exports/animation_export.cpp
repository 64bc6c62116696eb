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
#include <condition_variable>
#include <cstring>
#include <deque>
#include <exception>
#include <future>
#include <limits>
#include <mutex>
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

// Threads that draw frames, at most, and the frames drawn ahead of the encoder per thread; large
// pictures are drawn fewer frames ahead, down to one per thread, so that they hold about
// framesAheadBytes.
constexpr std::size_t maxFramePainters = 8;
constexpr std::size_t framesAheadPerPainter = 4;
constexpr std::size_t framesAheadBytes = std::size_t{256} << 20;

std::size_t framesAhead(std::size_t painters, int width, int height)
{
    const std::size_t pictureBytes =
        static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
    return std::clamp(framesAheadBytes / pictureBytes, painters, painters * framesAheadPerPainter);
}

constexpr const char* notEnoughMemory = "there is not enough memory to draw the animation";

constexpr std::int64_t lowestDepth = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t pastLastDepth = std::numeric_limits<std::int64_t>::max();

// The shapes of a display list are the objects below its first text field.
swf::DisplayList::const_iterator firstTextField(const swf::DisplayList& shown)
{
    return std::find_if(shown.begin(), shown.end(), [](const auto& entry) {
        return std::holds_alternative<swf::TextField>(entry.second);
    });
}

// True when the shapes up to `fields` begin with all of `drawn`, so that drawing the rest over
// them gives the frame's shapes.
bool addsTo(const swf::DisplayList& drawn, const swf::DisplayList& shown,
            swf::DisplayList::const_iterator fields)
{
    return drawn.size() <= static_cast<std::size_t>(std::distance(shown.begin(), fields)) &&
           std::equal(drawn.begin(), drawn.end(), shown.begin());
}

// True when at most one frame in ten has to be drawn whole, its shapes not only adding to
// those of the frame before: a second painter would only draw the same shapes again.
bool mostlyGrows(std::shared_ptr<const swf::PlayableMovie> movie)
{
    const std::size_t frames = movie->frameCount();
    swf::MoviePlayer player(std::move(movie));
    swf::DisplayList before;
    std::size_t whole = 0;
    for (std::size_t frame = 0; frame < frames; ++frame) {
        player.showFrame(frame);
        const swf::DisplayList& shown = player.displayList();
        const auto fields = firstTextField(shown);
        if (frame == 0 || !addsTo(before, shown, fields)) ++whole;
        before = swf::DisplayList(shown.begin(), fields);
    }
    return whole * 10 <= frames;
}

// One player drawing frames in increasing order. The movie's shapes sit below the text fields
// that its programs make, and the canvas keeps the shapes alone: a frame whose shapes only add
// to those draws just the new ones, then its text fields over a copy.
class FramePainter {
public:
    FramePainter(std::shared_ptr<const swf::PlayableMovie> movie, int width, int height)
        : m_player(std::move(movie)), m_shapes(width, height, QImage::Format_RGB32)
    {
    }

    // The frame, drawn into `spare` when it is a free picture of the right size; a null picture
    // when memory ran out.
    QImage paint(std::size_t frame, const render::RectF& viewport, QImage spare)
    {
        if (m_shapes.isNull()) return {};
        m_player.showFrame(frame);
        const swf::DisplayList& shown = m_player.displayList();
        const auto fields = firstTextField(shown);
        const std::int64_t fieldDepth = fields == shown.end() ? pastLastDepth : fields->first;
        const auto shapeCount = static_cast<std::size_t>(std::distance(shown.begin(), fields));
        const bool adds = m_painted && addsTo(m_drawn, shown, fields);
        if (!adds)
            draw(m_shapes, viewport, lowestDepth, fieldDepth, swf::BackgroundFill::Fill);
        else if (shapeCount > m_drawn.size())
            draw(m_shapes, viewport, m_drawn.empty() ? lowestDepth : m_drawn.rbegin()->first + 1,
                 fieldDepth, swf::BackgroundFill::Keep);
        if (!adds || shapeCount > m_drawn.size()) m_drawn = swf::DisplayList(shown.begin(), fields);
        m_painted = true;
        QImage picture = spare.size() == m_shapes.size() && spare.format() == m_shapes.format()
                             ? std::move(spare)
                             : QImage(m_shapes.size(), m_shapes.format());
        if (picture.isNull()) return {};
        std::memcpy(picture.bits(), m_shapes.constBits(),
                    static_cast<std::size_t>(m_shapes.sizeInBytes()));
        if (fields != shown.end())
            draw(picture, viewport, fieldDepth, pastLastDepth, swf::BackgroundFill::Keep);
        return picture;
    }

    const std::vector<std::string>& notes() const { return m_player.notes(); }

private:
    void draw(QImage& image, const render::RectF& viewport, std::int64_t from, std::int64_t to,
              swf::BackgroundFill fill)
    {
        QPainter painter(&image);
        render::QtSurface surface(painter);
        m_player.drawDepths(surface, viewport, from, to, fill);
    }

    swf::MoviePlayer m_player;
    QImage m_shapes;
    swf::DisplayList m_drawn; // the shapes m_shapes shows
    bool m_painted = false;
};

// Frames handed from the painters to the encoder in order; a painter waits while its frame is
// too far ahead of the encoder, so that memory holds a few frames only, and pictures the encoder
// is done with come back to be drawn again.
class FrameQueue {
public:
    explicit FrameQueue(std::size_t capacity) : m_slots(capacity) {}

    // False when the encoder stopped.
    bool put(std::size_t frame, QImage picture)
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [&] { return m_stopped || frame < m_next + m_slots.size(); });
        if (m_stopped) return false;
        m_slots[frame % m_slots.size()] = std::move(picture);
        m_changed.notify_all();
        return true;
    }

    // The next frame, once painted.
    QImage take()
    {
        std::unique_lock lock(m_mutex);
        std::optional<QImage>& slot = m_slots[m_next % m_slots.size()];
        m_changed.wait(lock, [&] { return slot.has_value(); });
        QImage picture = std::move(*slot);
        slot.reset();
        ++m_next;
        m_changed.notify_all();
        return picture;
    }

    // A picture to draw into, if one came back.
    QImage spare()
    {
        const std::lock_guard lock(m_mutex);
        if (m_spares.empty()) return {};
        QImage picture = std::move(m_spares.back());
        m_spares.pop_back();
        return picture;
    }

    void giveBack(QImage picture)
    {
        const std::lock_guard lock(m_mutex);
        m_spares.push_back(std::move(picture));
    }

    void stop()
    {
        const std::lock_guard lock(m_mutex);
        m_stopped = true;
        m_changed.notify_all();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<std::optional<QImage>> m_slots;
    std::vector<QImage> m_spares;
    std::size_t m_next = 0; // the frame the encoder takes next
    bool m_stopped = false;
};

// Painters on threads of their own, painter i drawing frames i, i + n, i + 2n, ... into the
// queue: one per processor, or one alone for a movie that mostly grows. Stopped and joined when
// it goes.
class FramePainting {
public:
    FramePainting(std::shared_ptr<const swf::PlayableMovie> movie, int width, int height)
        : m_painterCount(mostlyGrows(movie)
                             ? 1
                             : std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1,
                                                       maxFramePainters)),
          m_queue(framesAhead(m_painterCount, width, height))
    {
        const render::RectF viewport{0, 0, static_cast<float>(width), static_cast<float>(height)};
        const std::size_t frames = movie->frameCount();
        for (std::size_t i = 0; i < m_painterCount; ++i)
            m_painters.emplace_back(movie, width, height);
        for (std::size_t i = 0; i < m_painterCount; ++i)
            m_threads.emplace_back([this, i, frames, viewport] {
                for (std::size_t frame = i; frame < frames; frame += m_painterCount) {
                    QImage picture;
                    try {
                        picture = m_painters[i].paint(frame, viewport, m_queue.spare());
                    } catch (const std::exception&) {
                        // Memory ran out; the picture stays null.
                    }
                    // A null picture stops the encoder, and so this painter.
                    const bool painted = !picture.isNull();
                    if (!m_queue.put(frame, std::move(picture)) || !painted) return;
                }
            });
    }
    FramePainting(const FramePainting&) = delete;
    FramePainting& operator=(const FramePainting&) = delete;
    ~FramePainting()
    {
        m_queue.stop();
        for (std::thread& thread : m_threads)
            thread.join();
    }

    // The next frame, null when memory ran out. The frames taken before go back to the painters
    // once nothing else holds them (the encoder keeps the last one or two).
    const QImage& next()
    {
        m_lent.push_back(std::move(m_current));
        for (QImage& picture : m_lent)
            if (picture.isDetached()) m_queue.giveBack(std::move(picture));
        std::erase_if(m_lent, [](const QImage& picture) { return picture.isNull(); });
        m_current = m_queue.take();
        return m_current;
    }

    // What the players could not do, each once; after every frame was taken.
    void addNotes(std::vector<std::string>& notes) const
    {
        for (const FramePainter& painter : m_painters)
            for (const std::string& note : painter.notes())
                if (std::find(notes.begin(), notes.end(), note) == notes.end())
                    notes.push_back(note);
    }

private:
    std::size_t m_painterCount;
    FrameQueue m_queue;
    std::deque<FramePainter> m_painters;
    std::vector<std::thread> m_threads;
    QImage m_current;           // the frame last taken
    std::vector<QImage> m_lent; // frames taken before it that the encoder may still hold
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
    return {swf::prepareSwfExport(figure, path, framesPerSecond, askYesNo), quality};
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

    const int width = std::max(1, movieJob.figure.clientWidth);
    const int height = std::max(1, movieJob.figure.clientHeight);
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

    // The complete figure is drawn on a thread of its own while the movie is made and played.
    std::future<QImage> lastPicture =
        std::async(std::launch::async, [figure = movieJob.figure]() mutable {
            return render::renderFigureImage(figure);
        });
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

    const std::size_t movieFrames = playable.movie->frameCount();
    {
        FramePainting painting(playable.movie, width, height);
        for (std::size_t frame = 0; frame < movieFrames; ++frame) {
            if (movieJob.progress->cancelled)
                return refuse(path + ": the animation was cancelled; nothing was written");
            const QImage& picture = painting.next();
            if (picture.isNull()) return refuse(path + ": " + notEnoughMemory);
            if (!encoder->add(picture, frameStartMs(frame, rate)))
                return refuse(path + ": " + encoder->error());
        }
        painting.addNotes(result.notes);
    }
    const QImage figurePicture = lastPicture.get();
    if (figurePicture.isNull()) return refuse(path + ": " + notEnoughMemory);
    const std::optional<QByteArray> picture =
        encoder->add(figurePicture, frameStartMs(movieFrames, rate))
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
