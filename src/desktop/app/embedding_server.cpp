// The embedding server on QLocalServer, and the client that `--send` uses.
#include "desktop/app/embedding_server.h"

#include "io/file_io.h"
#include "lang/document.h"
#include "model/limits.h"
#include "xml/xml_document.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

#include <iostream>

#include <unistd.h>

namespace desktop {
namespace {

// The id a registration answer carries for the console (its process id).
std::uint32_t consoleId()
{
    return static_cast<std::uint32_t>(QCoreApplication::applicationPid());
}

// Whether a program answers at `path` (then it is not a socket left behind).
bool someoneServes(const QString& path)
{
    QLocalSocket probe;
    probe.connectToServer(path);
    const bool connected = probe.waitForConnected(1000);
    probe.abort();
    return connected;
}

std::string_view bytesOf(const QByteArray& bytes)
{
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

} // namespace

QString embeddingSocketPath()
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty()) return runtime + QStringLiteral("/kelvoplot.socket");
    return QDir::tempPath() + QStringLiteral("/kelvoplot-%1.socket").arg(getuid());
}

EmbeddingServer::EmbeddingServer(lang::Session& session, std::function<void()> newDefaultFigure,
                                 QObject* parent)
    : QObject(parent), m_session(session), m_newDefaultFigure(std::move(newDefaultFigure))
{
}

EmbeddingServer::~EmbeddingServer()
{
    if (m_server) m_server->close();
}

// The socket is made private by creating it in a private folder and renaming it into place,
// which would replace a running program's socket: so a program that answers keeps it.
bool EmbeddingServer::listen(const QString& path, std::string& message)
{
    if (someoneServes(path)) {
        message = path.toStdString() + ": another running Kelvo Plot serves embedding clients";
        return false;
    }
    QLocalServer::removeServer(path); // left behind by a program that has ended
    delete m_server;
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    m_server->setMaxPendingConnections(maxEmbeddingConnections);
    if (!m_server->listen(path)) {
        message = path.toStdString() + ": " + m_server->errorString().toStdString();
        return false;
    }
    connect(m_server, &QLocalServer::newConnection, this, &EmbeddingServer::acceptConnections);
    return true;
}

void EmbeddingServer::acceptConnections()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        if (m_readers.size() >= static_cast<std::size_t>(maxEmbeddingConnections)) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        m_readers[socket];
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readFrom(socket); });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
            readFrom(socket); // what arrived just before the client went
            drop(socket);
        });
    }
}

// Running a document can open dialogs, whose event loops may read or drop this same socket, so
// the reader is looked up again for every frame.
void EmbeddingServer::readFrom(QLocalSocket* socket)
{
    auto found = m_readers.find(socket);
    if (found == m_readers.end()) return;
    found->second.append(bytesOf(socket->readAll()));
    for (;;) {
        found = m_readers.find(socket);
        if (found == m_readers.end()) return;
        std::optional<lang::EmbeddingFrame> frame = found->second.next();
        if (found->second.failed()) {
            socket->abort(); // garbage gets nothing
            drop(socket);
            return;
        }
        if (!frame) return;
        handle(socket, *frame);
    }
}

void EmbeddingServer::handle(QLocalSocket* socket, const lang::EmbeddingFrame& frame)
{
    switch (frame.kind) {
    case lang::FrameKind::Register:
        m_client = socket;
        send(socket, {lang::FrameKind::Answer, lang::registrationAnswer, {}});
        break;
    case lang::FrameKind::Handshake:
        if (m_client) send(m_client, {lang::FrameKind::Answer, consoleId(), {}});
        break;
    case lang::FrameKind::Document:
        if (socket != m_client) break; // documents from others are ignored
        if (frame.value == 0) {
            m_newDefaultFigure();
        } else {
            xml::XmlDocument document;
            document.openText(std::string_view(frame.payload).substr(0, frame.value));
            lang::runDocument(m_session, document, 0);
        }
        break;
    case lang::FrameKind::Answer:
        break; // answers are the console's to give
    }
    emit frameHandled(frame.kind);
}

void EmbeddingServer::drop(QLocalSocket* socket)
{
    if (!m_readers.erase(socket)) return;
    if (m_client == socket) m_client = nullptr;
    socket->deleteLater();
}

void EmbeddingServer::send(QLocalSocket* socket, const lang::EmbeddingFrame& frame)
{
    const std::string bytes = lang::encodeFrame(frame);
    socket->write(bytes.data(), static_cast<qint64>(bytes.size()));
}

bool EmbeddingServer::sendUpdate(std::string_view documentText, std::string_view picture)
{
    if (!m_client) return false;
    send(m_client, lang::documentFrame(documentText, picture));
    while (m_client && m_client->bytesToWrite() > 0)
        if (!m_client->waitForBytesWritten(5000)) return false;
    return true;
}

bool sendDocument(const QString& socketPath, std::string_view documentText, std::string& message,
                  int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(timeoutMs)) {
        message = socketPath.toStdString() + ": no running Kelvo Plot answers (" +
                  socket.errorString().toStdString() + ")";
        return false;
    }
    const std::string registration =
        lang::encodeFrame({lang::FrameKind::Register, consoleId(), {}});
    socket.write(registration.data(), static_cast<qint64>(registration.size()));
    lang::FrameReader reader;
    std::optional<lang::EmbeddingFrame> answer;
    while (!answer && !reader.failed() && socket.waitForReadyRead(timeoutMs)) {
        reader.append(bytesOf(socket.readAll()));
        answer = reader.next();
    }
    if (!answer || answer->kind != lang::FrameKind::Answer ||
        answer->value != lang::registrationAnswer) {
        message = socketPath.toStdString() + ": the running Kelvo Plot did not accept the registration";
        return false;
    }
    const std::string bytes = lang::encodeFrame(lang::documentFrame(documentText));
    socket.write(bytes.data(), static_cast<qint64>(bytes.size()));
    while (socket.bytesToWrite() > 0)
        if (!socket.waitForBytesWritten(timeoutMs)) {
            message = socketPath.toStdString() + ": the document was not delivered (" +
                      socket.errorString().toStdString() + ")";
            return false;
        }
    socket.disconnectFromServer();
    return true;
}

namespace {

// The document to send: the file, or standard input for "-", up to the size a document may have.
std::optional<std::string> readDocumentToSend(const std::string& path, std::string& message)
{
    if (path != "-") {
        io::FileContents contents = io::readWholeFile(path, model::maxXmlDocumentBytes);
        if (contents.status == io::ReadStatus::Read) return std::move(contents.bytes);
        message = contents.status == io::ReadStatus::TooLarge
                      ? path + ": the file is larger than the limit of " +
                            std::to_string(model::maxXmlDocumentBytes) + " bytes"
                      : path + ": " + contents.reason;
        return std::nullopt;
    }
    std::string text;
    char buffer[65536];
    while (std::cin.read(buffer, sizeof buffer) || std::cin.gcount() > 0) {
        text.append(buffer, static_cast<std::size_t>(std::cin.gcount()));
        if (text.size() > model::maxXmlDocumentBytes) {
            message = "standard input: the document is larger than the limit of " +
                      std::to_string(model::maxXmlDocumentBytes) + " bytes";
            return std::nullopt;
        }
    }
    return text;
}

} // namespace

int runSend(int argc, char** argv, const std::string& path)
{
    QCoreApplication application(argc, argv);
    std::string message;
    const std::optional<std::string> document = readDocumentToSend(path, message);
    if (!document || !sendDocument(embeddingSocketPath(), *document, message)) {
        std::cerr << "kelvoplot: " << message << "\n";
        return 1;
    }
    return 0;
}

} // namespace desktop
