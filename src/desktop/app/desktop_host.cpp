// Desktop host: console output, figure windows and questions.
#include "desktop/app/desktop_host.h"

#include "desktop/app/notices.h"
#include "desktop/console/console_window.h"
#include "desktop/dialogs/command_dialogs.h"
#include "desktop/figure_window/figure_window.h"
#include "desktop/player/movie_preview_window.h"
#include "figure/animation_recorder.h"

#include <QApplication>
#include <QIcon>
#include <QPointer>
#include <QTimer>
#include <QFileDialog>
#include <QMessageBox>

namespace desktop {
namespace {
constexpr const char* caption = "Kelvo Plotter 2.0";
constexpr int frontRequestDelayMs = 250;
}

DesktopHost::~DesktopHost()
{
    closeAllWindows();
}

// Windows closed earlier wait for the event loop to delete them; they go now too, while the
// figures they show still exist.
void DesktopHost::closeAllWindows()
{
    for (auto& [figure, window] : m_windows)
        delete window;
    m_windows.clear();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

model::Figure* DesktopHost::foregroundFigure() const
{
    const QWidget* active = QApplication::activeWindow();
    for (const auto& [figure, window] : m_windows)
        if (window == active) return &window->figure();
    return nullptr;
}

void DesktopHost::bringToFront(model::Figure& figure)
{
    FigureWindow* window = windowOf(figure);
    if (!window) return;
    window->update();
    if (!window->isVisible()) return;
    const QPointer<FigureWindow> guarded(window);
    const auto activate = [guarded] {
        if (!guarded) return;
        guarded->raise();
        guarded->activateWindow();
    };
    activate();
    // Windows shown just before take the focus when the display first shows them; asking again
    // once they are on screen keeps this one in front.
    QTimer::singleShot(frontRequestDelayMs, window, activate);
}

void DesktopHost::attach(lang::Session& session, ConsoleWindow& console)
{
    m_session = &session;
    m_console = &console;
}

FigureWindow* DesktopHost::windowOf(const model::Figure& figure) const
{
    const auto found = m_windows.find(&figure);
    return found == m_windows.end() ? nullptr : found->second;
}

void DesktopHost::beginCommand()
{
    m_console->clearInput();
}

void DesktopHost::clearOutput()
{
    m_console->clearOutput();
}

void DesktopHost::appendOutput(const std::vector<lang::StyledRun>& runs)
{
    m_console->appendRuns(runs);
}

void DesktopHost::focusInput()
{
    m_console->focusInput();
}

void DesktopHost::figureCreated(model::Figure& figure)
{
    auto* window = new FigureWindow(*m_session, figure);
    window->setWindowIcon(QIcon(QStringLiteral(":/icons/kelvoplot-figure.svg")));
    connect(window, &FigureWindow::closeRequested, this, &DesktopHost::closeFigure);
    connect(window, &FigureWindow::commandForwarded, this, &DesktopHost::commandForwarded);
    connect(window, &FigureWindow::dialogRequested, this, &DesktopHost::openFigureDialog);
    m_windows[&figure] = window;
}

void DesktopHost::openFigureDialog(FigureWindow* window, figure::DialogRequest request)
{
    const std::uint32_t figureId = window->figure().id;
    if (request == figure::DialogRequest::NewFrames) {
        runNewFramesDialog(window, *m_session, figureId);
    } else if (request == figure::DialogRequest::AnimationRecord) {
        const std::optional<AnimationRecordChoice> choice =
            askAnimationRecord(window, *m_session, figureId);
        model::Figure* chosen = choice ? m_session->figures.findFigure(choice->figureId) : nullptr;
        if (chosen) figure::startRecording(*chosen, choice->settings);
        if (FigureWindow* other = chosen ? windowOf(*chosen) : nullptr) other->figureChanged();
    }
    window->figureChanged(); // new frames show in the menu, recording in the title
}

void DesktopHost::setFigureTitle(model::Figure& figure, const std::string& title)
{
    if (auto* window = windowOf(figure)) window->setWindowTitle(QString::fromStdString(title));
}

void DesktopHost::placeFigure(model::Figure& figure, lang::FigureVisibility visibility)
{
    if (auto* window = windowOf(figure)) window->place(visibility == lang::FigureVisibility::Shown);
}

void DesktopHost::repaintFigure(model::Figure& figure)
{
    if (auto* window = windowOf(figure)) window->figureChanged();
}

void DesktopHost::figureListChanged()
{
    for (auto& [figure, window] : m_windows)
        window->figureChanged();
}

void DesktopHost::previewMovie(const std::string& path)
{
    openMoviePreview(path);
}

bool DesktopHost::askYesNo(const std::string& question)
{
    return QMessageBox::question(m_console, caption, QString::fromStdString(question),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void DesktopHost::showError(const std::string& text)
{
    QMessageBox::critical(m_console, caption, QString::fromStdString(text));
}

void DesktopHost::notify(const std::string& text)
{
    if (m_notifier)
        m_notifier->notify(caption, QString::fromStdString(text));
    else
        m_console->showStatus(QString::fromStdString(text));
}

std::optional<std::string> DesktopHost::askSaveFilePath(const lang::SaveFileRequest& request)
{
    QFileDialog dialog(m_console, QStringLiteral("Save"), QString(),
                       QString::fromStdString(request.filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
    if (request.overwritePrompt == lang::OverwritePrompt::None)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
}

lang::Answer DesktopHost::askYesNoCancel(const std::string& question)
{
    switch (QMessageBox::question(m_console, caption, QString::fromStdString(question),
                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                  QMessageBox::Cancel)) {
    case QMessageBox::Yes:
        return lang::Answer::Yes;
    case QMessageBox::No:
        return lang::Answer::No;
    default:
        return lang::Answer::Cancel;
    }
}

void DesktopHost::closeFigure(FigureWindow* window)
{
    const std::uint32_t id = window->figure().id;
    m_windows.erase(&window->figure());
    window->detachFigure();
    window->hide();
    // The window goes later, the figure now: what the window has posted to itself (a menu
    // rebuild) must not reach the figure after it.
    QCoreApplication::removePostedEvents(window);
    window->deleteLater();
    m_session->destroyFigure(id);
    // Started with a document and the console hidden: closing a figure ends the program.
    if (m_session->openedWithFile && !m_console->isVisible()) m_console->close();
}

} // namespace desktop
