// Movies saved on worker threads.
#include "desktop/exports/movie_saving.h"

#include "desktop/exports/figure_exports.h"
#include "desktop/qt/qt_measuring_surface.h"
#include "lang/host.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressDialog>
#include <QRegularExpressionValidator>
#include <QThread>
#include <QTimer>
#include <QWidget>

namespace desktop {

namespace {

constexpr const char* renderingNotice = "SWF Rendering...";
constexpr const char* savedNotice = "SWF Saved!";

void showNotes(lang::Session& session, const std::vector<std::string>& notes)
{
    std::vector<lang::StyledRun> runs;
    for (const std::string& note : notes)
        runs.push_back({note + "\r\n", {}, {}});
    if (!runs.empty()) session.host().appendOutput(runs);
}

} // namespace

void saveMovie(QWidget* parent, lang::Session& session, model::Figure& figure)
{
    QFileDialog dialog(parent, QStringLiteral("Save SWF"), QString(),
                       QStringLiteral("Flash Files *.SWF (*.SWF *.swf)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("SWF"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    saveMovieTo(parent, session, figure, dialog.selectedFiles().front().toStdString());
}

std::optional<std::uint32_t> askSwfFrameRate(QWidget* parent)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("SWF Export Options"));
    auto* layout = new QHBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("FPS:")));
    auto* rate = new QLineEdit(QStringLiteral("25"));
    rate->setObjectName(QStringLiteral("fps"));
    rate->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,9}")), rate));
    layout->addWidget(rate);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    // Read as an unsigned number without a range check; the movie refuses rates it cannot hold.
    return rate->text().toUInt();
}

void saveMovieTo(QWidget* parent, lang::Session& session, model::Figure& figure,
                 const std::string& path)
{
    session.host().notify(renderingNotice);
    swf::SwfExportJob job =
        swf::prepareSwfExport(figure, path, 25, [&](const std::string& question) {
            return session.host().askYesNo(question);
        });
    const std::optional<std::uint32_t> rate = askSwfFrameRate(parent);
    if (!rate) {
        // A cancelled rate writes nothing; the figure still keeps the frames the question added.
        swf::SwfExportResult kept{false, {}, {}, job.figure.frames, job.addedFrames};
        swf::applySwfExportFrames(figure, kept);
        session.host().notify(savedNotice);
        return;
    }
    job.framesPerSecond = *rate;
    auto* task = new MovieExportTask(session, figure.id, std::move(job), parent);
    task->start();
}

MovieExportTask::MovieExportTask(lang::Session& session, std::uint32_t figureId,
                                 swf::SwfExportJob job, QWidget* progressParent, MovieWork work,
                                 MovieTaskTexts texts)
    : m_session(session), m_figureId(figureId), m_job(std::move(job)), m_work(std::move(work)),
      m_texts(texts), m_progressParent(progressParent)
{
    // Quitting waits for the worker, which stops after the object it is rendering.
    connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this, [this] {
        cancel();
        if (m_thread) m_thread->wait();
    });
}

MovieExportTask::~MovieExportTask()
{
    if (m_thread) {
        cancel();
        m_thread->wait();
    }
    delete m_progress;
}

void MovieExportTask::start()
{
    m_thread = QThread::create([this] {
        swf::QtMeasuringSurface measuring;
        m_result = m_work(m_job, measuring.surface());
    });
    m_thread->setParent(this);
    connect(m_thread, &QThread::finished, this, &MovieExportTask::finish);
    m_progressTimer = new QTimer(this);
    m_progressTimer->setInterval(100);
    connect(m_progressTimer, &QTimer::timeout, this, &MovieExportTask::updateProgress);
    QTimer::singleShot(movieProgressDelayMs, this, &MovieExportTask::showProgress);
    m_thread->start(QThread::LowPriority);
}

void MovieExportTask::cancel()
{
    m_job.progress->cancelled = true;
}

void MovieExportTask::showProgress()
{
    if (!m_thread || m_thread->isFinished()) return;
    m_progress =
        new QProgressDialog(QString::fromUtf8(m_texts.rendering), QStringLiteral("Cancel"), 0,
                            static_cast<int>(m_job.figure.objects.size()) + 1, m_progressParent);
    m_progress->setWindowTitle(QString::fromUtf8(messageCaption));
    m_progress->setWindowModality(Qt::NonModal);
    m_progress->setMinimumDuration(0);
    m_progress->setAutoClose(false);
    m_progress->setAutoReset(false);
    connect(m_progress, &QProgressDialog::canceled, this, &MovieExportTask::cancel);
    updateProgress();
    m_progress->show();
    m_progressTimer->start();
}

void MovieExportTask::updateProgress()
{
    if (!m_progress) return;
    m_progress->setValue(static_cast<int>(m_job.progress->objectsDone.load()));
    if (m_job.progress->cancelled) m_progress->setLabelText(QStringLiteral("Cancelling..."));
}

void MovieExportTask::finish()
{
    m_progressTimer->stop();
    delete m_progress;
    m_progress = nullptr;
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
    const bool cancelled = m_job.progress->cancelled;
    if (model::Figure* figure = m_session.figures.findFigure(m_figureId)) {
        swf::applySwfExportFrames(*figure, m_result);
        m_session.host().repaintFigure(*figure);
    }
    showNotes(m_session, m_result.notes);
    if (m_result.written)
        m_session.host().notify(m_texts.saved);
    else if (!cancelled && !QCoreApplication::closingDown())
        QMessageBox::warning(m_progressParent, QString::fromUtf8(messageCaption),
                             QString::fromStdString(m_result.message));
    emit done(this);
    deleteLater();
}

} // namespace desktop
