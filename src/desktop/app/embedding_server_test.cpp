// Tests of the embedding interface: the server and its clients in one process, over a real local
// socket. Clients that block run on a thread of their own while the server's event loop turns.
#include "desktop/app/embedding_server.h"

#include "desktop/app/desktop_app.h"
#include "desktop/figure_window/figure_window.h"
#include "qt_application.h"
#include "temporary_folder.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QLocalSocket>

#include <future>
#include <thread>

namespace desktop {
namespace {

const std::string sineDocument =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<root>\r\n<plot>\r\nFIGURE 0 200 150\r\n"
    "</plot>\r\n</root>\r\n";

class EmbeddingServerTest : public ::testing::Test {
protected:
    EmbeddingServerTest()
    {
        std::string message;
        EXPECT_TRUE(app.start(message)) << message;
        socketPath = QString::fromStdString(folder.file("kelvoplot.socket"));
        EXPECT_TRUE(app.embeddingServer().listen(socketPath, message)) << message;
    }

    // Turns the event loop until `done` holds, for at most `milliseconds`.
    template <typename Condition> bool waitFor(Condition done, int milliseconds = 2000)
    {
        QElapsedTimer timer;
        timer.start();
        while (!done() && timer.elapsed() < milliseconds)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return done();
    }

    // A raw client: connects and sends `bytes`.
    std::unique_ptr<QLocalSocket> rawClient(const std::string& bytes)
    {
        auto socket = std::make_unique<QLocalSocket>();
        socket->connectToServer(socketPath);
        EXPECT_TRUE(socket->waitForConnected(1000));
        socket->write(bytes.data(), static_cast<qint64>(bytes.size()));
        socket->flush();
        return socket;
    }

    std::vector<lang::EmbeddingFrame> framesFrom(QLocalSocket& socket, std::size_t count)
    {
        lang::FrameReader reader;
        std::vector<lang::EmbeddingFrame> frames;
        waitFor([&] {
            reader.append(socket.readAll().toStdString());
            while (auto frame = reader.next())
                frames.push_back(*frame);
            return frames.size() >= count;
        });
        return frames;
    }

    QApplication& application = testing_support::qtApplication();
    testing_support::TemporaryFolder folder;
    DesktopApp app{LaunchOptions{LaunchMode::Embedding, {}, {}, {}},
                   DesktopPaths{folder.file("vexa.xml"), {}}};
    QString socketPath;
};

TEST_F(EmbeddingServerTest, TheSendClientRegistersAndItsDocumentRuns)
{
    std::string message;
    auto sent = std::async(std::launch::async,
                           [&] { return sendDocument(socketPath, sineDocument, message); });
    ASSERT_TRUE(waitFor([&] { return app.session().figures.size() == 1; }));
    EXPECT_TRUE(sent.get()) << message;
    EXPECT_EQ(app.session().figures.at(0).id, 1u);
    EXPECT_FALSE(app.host().windowOf(app.session().figures.at(0))->isVisible()); // -ax

    // An empty document runs New Figure (Default), except while the registered client has its
    // one figure.
    auto empty = rawClient(lang::encodeFrame({lang::FrameKind::Register, 7, {}}) +
                           lang::encodeFrame(lang::documentFrame("")));
    EXPECT_EQ(framesFrom(*empty, 1).front(),
              (lang::EmbeddingFrame{lang::FrameKind::Answer, lang::registrationAnswer, {}}));
    EXPECT_FALSE(waitFor([&] { return app.session().figures.size() == 2; }, 300));
    app.session().destroyFigure(1);
    const std::string again = lang::encodeFrame(lang::documentFrame(""));
    empty->write(again.data(), static_cast<qint64>(again.size()));
    EXPECT_TRUE(waitFor([&] { return app.session().figures.size() == 1; }));
}

TEST_F(EmbeddingServerTest, HandshakeAnswersWithTheConsolesIdAndOthersAreIgnored)
{
    auto client = rawClient(lang::encodeFrame({lang::FrameKind::Register, 7, {}}) +
                            lang::encodeFrame({lang::FrameKind::Handshake, 0, {}}));
    const auto frames = framesFrom(*client, 2);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[1].value, static_cast<std::uint32_t>(QCoreApplication::applicationPid()));

    // A document from a connection that did not register runs nothing.
    auto stranger = rawClient(lang::encodeFrame(lang::documentFrame(sineDocument)));
    EXPECT_FALSE(waitFor([&] { return !app.session().figures.empty(); }, 300));
}

TEST_F(EmbeddingServerTest, BadStreamsGetNothingAndLoseNothing)
{
    const std::string registration = lang::encodeFrame({lang::FrameKind::Register, 1, {}});
    const std::string document = lang::encodeFrame(lang::documentFrame(sineDocument));
    const std::vector<std::string> streams = {
        "GET / HTTP/1.1\r\n\r\n",                                  // garbage
        registration + std::string("\3\0\0\0\0\0\0\0\0\0\0\x7F", 12), // oversized payload
        registration + document.substr(0, document.size() - 3),    // vanishes mid-frame
    };
    for (std::size_t i = 0; i < streams.size(); ++i) {
        auto client = rawClient(streams[i]);
        if (i < 2) { // a broken frame: the server cuts the connection
            EXPECT_TRUE(waitFor([&] {
                client->waitForReadyRead(10);
                return client->state() == QLocalSocket::UnconnectedState;
            })) << i;
        }
        client->disconnectFromServer();
    }
    std::vector<std::unique_ptr<QLocalSocket>> crowd;
    for (int i = 0; i < maxEmbeddingConnections + 4; ++i)
        crowd.push_back(rawClient(registration));
    EXPECT_FALSE(waitFor([&] { return !app.session().figures.empty(); }, 300));
    crowd.clear();
    QCoreApplication::processEvents();

    // The server still serves, and Update Client reaches the registered client: the document,
    // then the figure as SVG.
    auto client = rawClient(registration + document);
    ASSERT_TRUE(waitFor([&] { return app.session().figures.size() == 1; }));
    framesFrom(*client, 1);
    bool quit = false;
    QObject::connect(&app, &DesktopApp::quitRequested, [&] { quit = true; });
    EXPECT_TRUE(app.console().runCommand(114));
    const auto update = framesFrom(*client, 1);
    ASSERT_EQ(update.size(), 1u);
    EXPECT_EQ(update[0].kind, lang::FrameKind::Document);
    const std::string_view text = std::string_view(update[0].payload).substr(0, update[0].value);
    EXPECT_TRUE(text.starts_with("<?xml")) << text;
    EXPECT_NE(text.find("FIGURE 0 200 150"), std::string_view::npos) << text;
    EXPECT_TRUE(std::string_view(update[0].payload).substr(update[0].value).find("<svg") !=
                std::string_view::npos);
    EXPECT_TRUE(quit) << "in embedding mode the program ends after Update Client";
}

TEST_F(EmbeddingServerTest, ASecondProgramLeavesTheSocketToTheFirst)
{
    std::string message;
    EmbeddingServer second(app.session(), [] {});
    EXPECT_FALSE(second.listen(socketPath, message));
    EXPECT_NE(message.find("another running Kelvo Plot serves"), std::string::npos) << message;
    auto client = rawClient(lang::encodeFrame({lang::FrameKind::Register, 1, {}}));
    EXPECT_EQ(framesFrom(*client, 1).size(), 1u) << "the first program still answers";
}

TEST_F(EmbeddingServerTest, SendingWithoutARunningProgramSaysSo)
{
    std::string message;
    EXPECT_FALSE(sendDocument(QString::fromStdString(folder.file("none.socket")), sineDocument,
                              message, 500));
    EXPECT_NE(message.find("no running Kelvo Plot answers"), std::string::npos) << message;
}

} // namespace
} // namespace desktop
