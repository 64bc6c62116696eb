// The embedding interface: a local socket, one per user and reachable only by that user, through
// which another program registers, asks for the console's id, and sends documents to run. The
// registered client gets the Update Client frames (a figure's document and its SVG picture).
#pragma once

#include "lang/embedding_frames.h"
#include "lang/session.h"

#include <QObject>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

class QLocalServer;
class QLocalSocket;

namespace desktop {

// Clients connected at once; further connections are closed unread.
inline constexpr int maxEmbeddingConnections = 8;

// The socket's path for this user: "kelvoplot.socket" in the user's runtime folder, or in the
// temporary folder with the user's id in its name when there is none.
QString embeddingSocketPath();

class EmbeddingServer : public QObject {
    Q_OBJECT
public:
    // `newDefaultFigure` runs New Figure (Default) for an empty document.
    EmbeddingServer(lang::Session& session, std::function<void()> newDefaultFigure,
                    QObject* parent = nullptr);
    ~EmbeddingServer() override;

    // Starts serving at `path`. A socket left behind by a program that has ended is replaced;
    // one that another running program serves is left to it. The message says why not.
    bool listen(const QString& path, std::string& message);

    bool hasClient() const { return m_client != nullptr; }
    // Sends the registered client a figure's document followed by its picture.
    bool sendUpdate(std::string_view documentText, std::string_view picture);

signals:
    // A frame was handled (tests and the console wait on it).
    void frameHandled(lang::FrameKind kind);

private:
    void acceptConnections();
    void readFrom(QLocalSocket* socket);
    void handle(QLocalSocket* socket, const lang::EmbeddingFrame& frame);
    void drop(QLocalSocket* socket);
    void send(QLocalSocket* socket, const lang::EmbeddingFrame& frame);

    lang::Session& m_session;
    std::function<void()> m_newDefaultFigure;
    QLocalServer* m_server = nullptr;
    std::map<QLocalSocket*, lang::FrameReader> m_readers;
    QLocalSocket* m_client = nullptr; // the registered client
};

// The client side (`kelvoplot --send`): registers with the running program at `socketPath`, sends
// the document and waits until it is delivered. The message says why not; `timeoutMs` bounds each
// wait.
bool sendDocument(const QString& socketPath, std::string_view documentText, std::string& message,
                  int timeoutMs = 5000);

// `kelvoplot --send PATH`: reads the document (standard input for "-") and sends it to the
// running program; returns the exit status (0 sent, 1 not), saying why on standard error.
int runSend(int argc, char** argv, const std::string& path);

} // namespace desktop
