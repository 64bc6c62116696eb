// Save SWF (Alt+S) from the desktop: the file dialog, the required-frames question and the frame
// rate on the user-interface thread, then the movie rendered and written on a worker thread from
// a snapshot of the figure, so the figure stays usable and several exports may run at once.
// "SWF Rendering..." announces it, "SWF Saved!" ends it; an export that lasts longer than half
// a second shows its progress with a Cancel button, and a cancelled export writes nothing.
#pragma once

#include "lang/session.h"
#include "model/figure.h"
#include "swf/export/movie_export.h"

#include <QObject>
#include <QPointer>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class QProgressDialog;
class QThread;
class QTimer;
class QWidget;

namespace desktop {

// How long an export runs before its progress shows.
inline constexpr int movieProgressDelayMs = 500;

// Save SWF: the "Flash Files *.SWF" dialog (default extension SWF, overwrite prompt), then
// saveMovieTo. Cancelling the dialog does nothing.
void saveMovie(QWidget* parent, lang::Session& session, model::Figure& figure);

// The export of `figure` to `path`, as Save SWF does after its dialog.
void saveMovieTo(QWidget* parent, lang::Session& session, model::Figure& figure,
                 const std::string& path);

// The frame rate of a movie: the "SWF Export Options" question, offering 25. Nothing when
// cancelled.
std::optional<std::uint32_t> askSwfFrameRate(QWidget* parent);

// What a task runs on its worker thread: the movie export, or a picture made from the movie.
using MovieWork = std::function<swf::SwfExportResult(const swf::SwfExportJob& job,
                                                     render::DrawingSurface& measuringSurface)>;

// The notices that announce and end a task.
struct MovieTaskTexts {
    const char* rendering = "SWF Rendering...";
    const char* saved = "SWF Saved!";
};

// One export on its own thread. It deletes itself when the thread has ended and the result has
// been given to the figure, if that still exists; quitting the program waits for it.
class MovieExportTask : public QObject {
    Q_OBJECT
public:
    MovieExportTask(lang::Session& session, std::uint32_t figureId, swf::SwfExportJob job,
                    QWidget* progressParent, MovieWork work = swf::runSwfExport,
                    MovieTaskTexts texts = {});
    ~MovieExportTask() override;

    void start();
    void cancel();
    const swf::SwfExportResult& result() const { return m_result; }

signals:
    // The result is in, on the user-interface thread, just before the task goes.
    void done(MovieExportTask* task);

private:
    void showProgress();
    void updateProgress();
    void finish();

    lang::Session& m_session;
    std::uint32_t m_figureId;
    swf::SwfExportJob m_job;
    MovieWork m_work;
    MovieTaskTexts m_texts;
    swf::SwfExportResult m_result;
    QThread* m_thread = nullptr;
    QTimer* m_progressTimer = nullptr;
    QPointer<QWidget> m_progressParent;
    QProgressDialog* m_progress = nullptr;
};

} // namespace desktop
