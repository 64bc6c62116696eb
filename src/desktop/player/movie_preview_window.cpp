// The movie preview window.
#include "desktop/player/movie_preview_window.h"

#include "desktop/exports/figure_exports.h"
#include "desktop/qt/qt_surface.h"
#include "io/atomic_file.h"
#include "io/file_io.h"
#include "swf/format/movie_limits.h"

#include <QAction>
#include <QFileDialog>
#include <QIcon>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include <cmath>

namespace desktop {

MoviePlayerView::MoviePlayerView(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(40, 30);
}

void MoviePlayerView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!m_player) {
        painter.drawText(rect().adjusted(10, 10, -10, -10), Qt::AlignCenter | Qt::TextWordWrap,
                         m_message);
        return;
    }
    render::QtSurface surface(painter);
    m_player->draw(surface, {0, 0, static_cast<float>(width()), static_cast<float>(height())});
}

MoviePreviewWindow::MoviePreviewWindow(const std::string& path, QWidget* owner)
    : QMainWindow(nullptr), m_path(path)
{
    setWindowTitle(QStringLiteral("SWF Preview"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(QIcon(QStringLiteral(":/icons/kelvoplot-preview.svg")));
    m_view = new MoviePlayerView(this);
    setCentralWidget(m_view);
    m_timer = new QTimer(this);
    m_timer->setTimerType(Qt::PreciseTimer);
    connect(m_timer, &QTimer::timeout, this, &MoviePreviewWindow::tick);
    createActions();
    createMenus();
    createToolBar();
    // 433 x 229 dialog units, or the owner's client area.
    const QFontMetrics metrics(font());
    resize(owner ? owner->size()
                 : QSize(433 * metrics.averageCharWidth() / 4, 229 * metrics.height() / 8));
    load();
}

void MoviePreviewWindow::createActions()
{
    m_saveAction = new QAction(QStringLiteral("Save SWF"), this);
    connect(m_saveAction, &QAction::triggered, this, &MoviePreviewWindow::saveSwf);
    m_playAction = new QAction(QStringLiteral("Pause"), this);
    m_playAction->setShortcut(Qt::Key_Space);
    connect(m_playAction, &QAction::triggered, this, [this] { playing() ? pause() : play(); });
    m_stepBackAction = new QAction(QStringLiteral("Step Back"), this);
    m_stepBackAction->setShortcut(Qt::Key_Left);
    connect(m_stepBackAction, &QAction::triggered, this, &MoviePreviewWindow::stepBack);
    m_stepAction = new QAction(QStringLiteral("Step"), this);
    m_stepAction->setShortcut(Qt::Key_Right);
    connect(m_stepAction, &QAction::triggered, this, &MoviePreviewWindow::stepForward);
    m_loopAction = new QAction(QStringLiteral("Loop"), this);
    m_loopAction->setCheckable(true);
    m_loopAction->setChecked(true);
}

void MoviePreviewWindow::createMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(m_saveAction);
}

void MoviePreviewWindow::createToolBar()
{
    QToolBar* controls = addToolBar(QStringLiteral("Playback"));
    controls->setMovable(false);
    controls->addAction(m_playAction);
    controls->addAction(m_stepBackAction);
    controls->addAction(m_stepAction);
    controls->addAction(m_loopAction);
    m_frameLabel = new QLabel(this);
    controls->addSeparator();
    controls->addWidget(m_frameLabel);
}

void MoviePreviewWindow::load()
{
    swf::PlayableMovieResult loaded = swf::loadPlayableMovie(m_path);
    if (!loaded.ok()) {
        const QString message = QString::fromStdString(loaded.message);
        m_view->setMessage(message);
        statusBar()->showMessage(message);
        for (QAction* action : {m_playAction, m_stepBackAction, m_stepAction})
            action->setEnabled(false);
        return;
    }
    m_player = std::make_unique<swf::MoviePlayer>(std::move(loaded.movie));
    m_view->setPlayer(m_player.get());
    showFrame(0);
    play();
}

bool MoviePreviewWindow::playing() const
{
    return m_timer->isActive();
}

void MoviePreviewWindow::play()
{
    if (!m_player) return;
    if (m_player->frame() + 1 >= m_player->movie().frameCount() && !m_loopAction->isChecked())
        showFrame(0);
    m_clockFrame = m_player->frame();
    m_clock.start();
    const double period = 1000.0 / m_player->movie().framesPerSecond();
    m_timer->start(std::max(1, static_cast<int>(std::floor(period / 2))));
    m_playAction->setText(QStringLiteral("Pause"));
}

void MoviePreviewWindow::pause()
{
    m_timer->stop();
    m_playAction->setText(QStringLiteral("Play"));
}

void MoviePreviewWindow::setLooping(bool loop)
{
    m_loopAction->setChecked(loop);
}

void MoviePreviewWindow::stepForward()
{
    if (!m_player) return;
    pause();
    const std::size_t count = m_player->movie().frameCount();
    showFrame(m_player->frame() + 1 < count ? m_player->frame() + 1 : 0);
}

void MoviePreviewWindow::stepBack()
{
    if (!m_player) return;
    pause();
    const std::size_t count = m_player->movie().frameCount();
    showFrame(m_player->frame() > 0 ? m_player->frame() - 1 : count - 1);
}

// The frame the clock has reached at the movie's rate; at the end the movie starts again when
// it loops and stops otherwise.
void MoviePreviewWindow::tick()
{
    const double elapsedFrames =
        static_cast<double>(m_clock.nsecsElapsed()) * 1e-9 * m_player->movie().framesPerSecond();
    const std::size_t count = m_player->movie().frameCount();
    std::size_t frame = m_clockFrame + static_cast<std::size_t>(elapsedFrames);
    if (frame >= count) {
        if (!m_loopAction->isChecked()) {
            showFrame(count - 1);
            pause();
            return;
        }
        m_clockFrame = 0;
        m_clock.start();
        frame = 0;
    }
    if (frame != m_player->frame()) showFrame(frame);
}

void MoviePreviewWindow::showFrame(std::size_t frame)
{
    m_player->showFrame(frame);
    m_frameLabel->setText(QStringLiteral(" frame %1 of %2 ")
                              .arg(m_player->frame() + 1)
                              .arg(m_player->movie().frameCount()));
    if (!m_player->notes().empty())
        statusBar()->showMessage(QString::fromStdString(m_player->notes().back()));
    m_view->update();
}

std::optional<std::string> MoviePreviewWindow::saveCopy(const std::string& target)
{
    std::string bytes;
    if (m_player) {
        const std::vector<std::uint8_t>& movie = m_player->movie().movie.bytes;
        bytes.assign(movie.begin(), movie.end());
    } else {
        io::FileContents read = io::readWholeFile(m_path, swf::maxMovieBytes);
        if (read.status != io::ReadStatus::Read)
            return m_path + ": " + (read.status == io::ReadStatus::TooLarge
                                        ? "larger than the limit of " +
                                              std::to_string(swf::maxMovieBytes) + " bytes"
                                        : read.reason);
        bytes = std::move(read.bytes);
    }
    const io::WriteResult written = io::writeFileAtomically(target, bytes);
    if (!written.written) return written.message;
    return std::nullopt;
}

void MoviePreviewWindow::saveSwf()
{
    QFileDialog dialog(this, QStringLiteral("Save SWF"), QString(),
                       QStringLiteral("Flash Files *.SWF (*.SWF *.swf)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("SWF"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    if (const std::optional<std::string> problem =
            saveCopy(dialog.selectedFiles().front().toStdString()))
        QMessageBox::warning(this, QString::fromUtf8(messageCaption),
                             QString::fromStdString(*problem));
}

MoviePreviewWindow* openMoviePreview(const std::string& path, QWidget* owner)
{
    auto* window = new MoviePreviewWindow(path, owner);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

} // namespace desktop
