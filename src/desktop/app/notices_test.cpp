// Tests of notices: the cutting of caption and text, the status-bar fallback, and a notice
// delivered to a notification service on a private D-Bus.
#include "desktop/app/notices.h"

#include "qt_application.h"

#include <gtest/gtest.h>

#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>

namespace desktop {
namespace {

TEST(Notices, LongCaptionsAndTextsAreCut)
{
    const std::vector<std::tuple<qsizetype, qsizetype, qsizetype, qsizetype>> cases = {
        {62, 62, 255, 255}, {63, 60, 256, 250}, {10, 10, 0, 0}, {500, 60, 5000, 250},
    };
    for (const auto& [captionLength, captionCut, textLength, textCut] : cases) {
        const Notice notice = cutNotice(QString(captionLength, 'c'), QString(textLength, 't'));
        EXPECT_EQ(notice.caption.size(), captionCut) << captionLength;
        EXPECT_EQ(notice.text.size(), textCut) << textLength;
    }
}

TEST(Notices, WithoutAServiceOrTrayTheStatusBarShowsThem)
{
    testing_support::qtApplication();
    QStringList shown;
    Notifier notifier(QDBusConnection(QStringLiteral("none")),
                      [&](const QString& text) { shown << text; }, [] { return true; });
    EXPECT_EQ(notifier.channel(), NoticeChannel::StatusBar);
    notifier.notify(QStringLiteral("Kelvo Plotter 2.0"), QStringLiteral("SWF Saved!"));
    EXPECT_EQ(shown, QStringList{QStringLiteral("SWF Saved!")});
}

// A stand-in for the desktop's notification service that keeps what it is sent.
class FakeNotifications : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    QStringList received;

public slots:
    uint Notify(const QString& application, uint replaces, const QString& icon,
                const QString& summary, const QString& body, const QStringList& actions,
                const QVariantMap& hints, int timeout)
    {
        (void)icon, (void)actions, (void)hints;
        received << application << QString::number(replaces) << summary << body
                 << QString::number(timeout);
        return 42;
    }
};

TEST(Notices, GoToTheDesktopNotificationService)
{
    testing_support::qtApplication();
    const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    if (daemon.isEmpty()) GTEST_SKIP() << "no dbus-daemon to run a private bus";
    QProcess bus;
    bus.start(daemon, {QStringLiteral("--session"), QStringLiteral("--nofork"),
                       QStringLiteral("--print-address")});
    ASSERT_TRUE(bus.waitForReadyRead(5000));
    const QString address = QString::fromUtf8(bus.readLine()).trimmed();
    {
        QDBusConnection service = QDBusConnection::connectToBus(address, QStringLiteral("service"));
        FakeNotifications fake;
        ASSERT_TRUE(service.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &fake,
                                           QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(service.registerService(QStringLiteral("org.freedesktop.Notifications")));
        QDBusConnection client = QDBusConnection::connectToBus(address, QStringLiteral("client"));
        Notifier notifier(client, [](const QString&) {}, [] { return false; });
        ASSERT_EQ(notifier.channel(), NoticeChannel::Desktop);
        notifier.notify(QString(70, 'c'), QStringLiteral("VEXXML file saved."));
        QElapsedTimer timer;
        timer.start();
        while (fake.received.isEmpty() && timer.elapsed() < 3000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        EXPECT_EQ(fake.received, QStringList({"Kelvo Plot", "0", QString(60, 'c'),
                                              "VEXXML file saved.", "5000"}));
    }
    QDBusConnection::disconnectFromBus(QStringLiteral("service"));
    QDBusConnection::disconnectFromBus(QStringLiteral("client"));
    bus.kill();
    bus.waitForFinished();
}

} // namespace
} // namespace desktop

#include "notices_test.moc"
