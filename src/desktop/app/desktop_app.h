// The desktop program: console window, figure windows, options, notices, the embedding server,
// the motion device, and the rules of the program's life.
#pragma once

#include "desktop/app/command_line.h"
#include "desktop/app/desktop_host.h"
#include "desktop/app/options.h"
#include "desktop/console/console_window.h"
#include "figure/motion_mapping.h"
#include "lang/session.h"

#include <QObject>
#include <QString>

#include <string>

namespace desktop {

class EmbeddingServer;
class MotionDevice;
class Notifier;

// Where the program keeps its options and serves embedding clients.
struct DesktopPaths {
    std::string options = Options::defaultPath();
    QString socket;
};

class DesktopApp : public QObject {
    Q_OBJECT
public:
    DesktopApp(const LaunchOptions& launch, DesktopPaths paths);
    ~DesktopApp() override;

    // Carries out the command line: shows the console, runs the document with the console hidden,
    // or serves an embedding client with everything hidden. False when the program is to end at
    // once; `message` then says why.
    bool start(std::string& message);
    // Closes every figure and writes the options back; the message says what failed, if anything.
    std::string shutdown();

    lang::Session& session() { return m_session; }
    ConsoleWindow& console() { return m_console; }
    DesktopHost& host() { return m_host; }
    Options& options() { return m_options; }
    EmbeddingServer& embeddingServer() { return *m_embedding; }

signals:
    // The program is to end: the console was closed, or Update Client was sent in embedding mode.
    void quitRequested();

private:
    bool startDocument(std::string& message);
    bool startEmbedding(std::string& message);
    bool runFigureCommand(int id);
    void runForwardedCommand(FigureWindow* window, std::int32_t id);
    bool sendUpdateToClient(model::Figure* figure);
    void deliverMotionSteps(const std::vector<figure::MotionStep>& steps);

    LaunchOptions m_launch;
    DesktopPaths m_paths;
    DesktopHost m_host;
    lang::Session m_session{m_host};
    Options m_options;
    ConsoleWindow m_console{m_session, m_options};
    Notifier* m_notifier = nullptr;
    EmbeddingServer* m_embedding = nullptr;
    MotionDevice* m_motion = nullptr;
    bool m_shutDown = false;
};

// Each repaint of a figure window allocates and frees sample-sized buffers (megabytes for a
// function of a million samples). Kept in the heap rather than mapped and unmapped each time,
// they reuse pages already touched instead of faulting in fresh zeroed ones, which would cost
// the repaint as much time again. Called before anything is allocated.
void keepLargeBuffersInHeap();

// Runs the program's desktop side; returns the exit status.
int runDesktop(int argc, char** argv, const LaunchOptions& options);

} // namespace desktop
