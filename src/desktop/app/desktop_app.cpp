// Desktop start-up, the program's life and shutdown.
#include "desktop/app/desktop_app.h"

#include "desktop/app/embedding_server.h"
#include "desktop/app/motion_device.h"
#include "desktop/qt/qt_image_export.h"
#include "desktop/app/notices.h"
#include "desktop/console/console_commands.h"
#include "desktop/dialogs/command_dialogs.h"
#include "desktop/dialogs/object_dialog.h"
#include "desktop/exports/export_commands.h"
#include "desktop/figure_window/figure_window.h"
#include "figure/figure_commands.h"
#include "figure/object_form.h"
#include "lang/document.h"
#include "lang/help_texts.h"
#include "lang/interpreter.h"
#include "lang/serialiser.h"

#include <QApplication>
#include <QDBusConnection>
#include <QIcon>

#include <malloc.h>

#include <iostream>

namespace desktop {
namespace {

bool isMoviePath(const std::string& path)
{
    return QString::fromStdString(path).endsWith(QStringLiteral(".swf"), Qt::CaseInsensitive);
}

bool anyWindowShown()
{
    for (const QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible()) return true;
    return false;
}

} // namespace

DesktopApp::DesktopApp(const LaunchOptions& launch, DesktopPaths paths)
    : m_launch(launch), m_paths(std::move(paths)), m_options(m_paths.options)
{
    m_host.attach(m_session, m_console);
    m_notifier = new Notifier(
        QDBusConnection::sessionBus(), [this](const QString& text) { m_console.showStatus(text); },
        [this] { return m_console.isVisible(); }, this);
    m_host.setNotifier(m_notifier);
    m_embedding = new EmbeddingServer(
        m_session, [this] { m_console.runCommand(command::newDefaultFigure); }, this);
    m_console.setServices({[this] { return m_embedding->hasClient(); },
                           [this](int id) { return runFigureCommand(id); }});
    connect(&m_console, &ConsoleWindow::closed, this, &DesktopApp::quitRequested);
    connect(&m_host, &DesktopHost::commandForwarded, this, &DesktopApp::runForwardedCommand);
    m_motion = new MotionDevice(
        [this](const std::vector<figure::MotionStep>& steps) { deliverMotionSteps(steps); }, this);
}

DesktopApp::~DesktopApp()
{
    shutdown();
}

bool DesktopApp::start(std::string& message)
{
    m_console.appendRuns(lang::renderMarkup(lang::startupBanner));
    lang::executeCommand(m_session, std::nullopt);
    if (!m_options.loadMessage().empty()) m_host.notify(m_options.loadMessage());
    m_motion->open(); // without a daemon the program runs as before, saying nothing
    switch (m_launch.mode) {
    case LaunchMode::Embedding:
        return startEmbedding(message);
    case LaunchMode::Document:
        return startDocument(message);
    default:
        break;
    }
    m_console.showMaximized();
    m_console.focusInput();
    std::string serverMessage;
    if (!m_paths.socket.isEmpty() && !m_embedding->listen(m_paths.socket, serverMessage))
        m_console.showStatus(QString::fromStdString(serverMessage));
    return true;
}

// The console stays hidden; only the document's figures show, the first one in front. A movie
// goes to the preview, and the program then lasts as long as a window is open.
bool DesktopApp::startDocument(std::string& message)
{
    m_session.openedWithFile = true;
    const std::string& path = m_launch.documentPath;
    lang::DocumentLoad load;
    if (isMoviePath(path))
        lang::executeCommand(m_session, lang::openFileCommand(path), 0);
    else
        load = lang::runDocumentFile(m_session, path);
    if (m_session.figures.empty()) {
        if (isMoviePath(path) && anyWindowShown()) {
            QApplication::setQuitOnLastWindowClosed(true);
            return true;
        }
        message = load.message.empty() ? path + ": the document holds no figure" : load.message;
        return false;
    }
    m_host.bringToFront(m_session.figures.at(0));
    return true;
}

bool DesktopApp::startEmbedding(std::string& message)
{
    m_session.hiddenFigures = true;
    if (m_paths.socket.isEmpty() || m_embedding->listen(m_paths.socket, message)) return true;
    message = "embedding mode: " + message;
    return false;
}

std::string DesktopApp::shutdown()
{
    if (m_shutDown) return {};
    m_shutDown = true;
    m_host.closeAllWindows();
    delete m_notifier; // removes the tray icon
    m_notifier = nullptr;
    m_host.setNotifier(nullptr);
    return m_options.save();
}

// Commands that reach the console's dispatch without a figure window: Update Client and the insert
// dialogs act on the figure in front; tool steps (1000 and above) go on to it when the console is
// not in front itself.
bool DesktopApp::runFigureCommand(int id)
{
    model::Figure* figure = m_host.foregroundFigure();
    if (id == command::updateClient) return sendUpdateToClient(figure);
    if (figure) {
        FigureWindow* window = m_host.windowOf(*figure);
        if (runExportCommand(id, window, window ? window->canvas() : nullptr, m_session, *figure))
            return true;
    }
    if (figure::objectKindForMenu(id)) {
        runObjectDialog(figure ? static_cast<QWidget*>(m_host.windowOf(*figure)) : &m_console,
                        m_session, id,
                        figure ? std::optional<std::uint32_t>(figure->id) : std::nullopt);
        return true;
    }
    if (id >= 1000 && figure && !m_console.isActiveWindow()) {
        m_host.windowOf(*figure)->runCommand(id, 0, {});
        return true;
    }
    return false;
}

// A command a figure window passed on: the console carries it out for that window's figure. What
// no one handles is dropped, never passed back.
void DesktopApp::runForwardedCommand(FigureWindow* window, std::int32_t id)
{
    model::Figure& figure = window->figure();
    if (id == command::updateClient) {
        sendUpdateToClient(&figure);
    } else if (runExportCommand(id, window, window->canvas(), m_session, figure)) {
        return;
    } else if (id == command::newLayer) {
        runNewLayerDialog(window, m_session, figure.id);
    } else if (figure::objectKindForMenu(id)) {
        runObjectDialog(window, m_session, id, figure.id);
    } else if (id >= figure::commands::FirstEditObject && id <= figure::commands::LastEditObject) {
        const auto index = static_cast<std::size_t>(id - figure::commands::FirstEditObject);
        if (runEditObjectDialog(window, m_session, figure.id, index)) window->figureChanged();
    } else if (findConsoleCommand(id)) {
        m_console.runCommand(id);
    }
}

// Update Client: the figure goes to the registered client as its document and picture; in
// embedding mode (where no figure is ever in front) it is the only figure, and the program then
// ends.
bool DesktopApp::sendUpdateToClient(model::Figure* figure)
{
    if (!figure && m_session.hiddenFigures && m_session.figures.size() == 1)
        figure = &m_session.figures.at(0);
    if (!figure || !m_embedding->hasClient()) return true;
    const std::string document = lang::oneFigureDocumentText(lang::serialiseFigure(*figure));
    m_embedding->sendUpdate(document, render::renderFigureSvg(*figure));
    if (m_session.hiddenFigures) emit quitRequested();
    return true;
}

// Motion device steps go to the figure in front; with none, they are dropped.
void DesktopApp::deliverMotionSteps(const std::vector<figure::MotionStep>& steps)
{
    model::Figure* figure = m_host.foregroundFigure();
    if (!figure) return;
    FigureWindow* window = m_host.windowOf(*figure);
    for (const figure::MotionStep& step : steps)
        window->runCommand(step.command, step.parameter, {});
}

void keepLargeBuffersInHeap()
{
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 64 << 20);
    mallopt(M_TOP_PAD, 8 << 20);
}

int runDesktop(int argc, char** argv, const LaunchOptions& options)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kelvoplot"));
    QApplication::setApplicationDisplayName(QStringLiteral("Kelvo Plotter 2.0"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/kelvoplot.svg")));
    QApplication::setQuitOnLastWindowClosed(false); // the console's close ends the program

    DesktopApp app(options, DesktopPaths{Options::defaultPath(), embeddingSocketPath()});
    // exit(), not quit(): quit() first asks every window to close, and a figure window hands its
    // close to the host instead of accepting it, which would cancel the quit.
    QObject::connect(&app, &DesktopApp::quitRequested, &application,
                     [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    std::string message;
    if (!app.start(message)) {
        std::cerr << "kelvoplot: " << message << "\n";
        app.shutdown();
        return 1;
    }
    const int status = QApplication::exec();
    if (const std::string failed = app.shutdown(); !failed.empty())
        std::cerr << "kelvoplot: " << failed << "\n";
    return status;
}

} // namespace desktop
