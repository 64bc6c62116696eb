// Notices over D-Bus, the tray or the status bar.
#include "desktop/app/notices.h"

#include <QApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QIcon>
#include <QSystemTrayIcon>

#include <iostream>

namespace desktop {
namespace {

const QString notificationService = QStringLiteral("org.freedesktop.Notifications");
const QString notificationPath = QStringLiteral("/org/freedesktop/Notifications");

bool hasNotificationService(const QDBusConnection& bus)
{
    if (!bus.isConnected() || !bus.interface()) return false;
    const QDBusConnectionInterface* interface = bus.interface();
    return interface->isServiceRegistered(notificationService).value() ||
           interface->activatableServiceNames().value().contains(notificationService);
}

QString cut(const QString& text, qsizetype longest, qsizetype cutTo)
{
    return text.size() > longest ? text.left(cutTo) : text;
}

} // namespace

Notice cutNotice(const QString& caption, const QString& text)
{
    return {cut(caption, 62, 60), cut(text, 255, 250)};
}

Notifier::Notifier(QDBusConnection bus, std::function<void(const QString&)> statusBar,
                   std::function<bool()> consoleVisible, QObject* parent)
    : QObject(parent), m_bus(std::move(bus)), m_statusBar(std::move(statusBar)),
      m_consoleVisible(std::move(consoleVisible))
{
    if (hasNotificationService(m_bus)) {
        m_channel = NoticeChannel::Desktop;
    } else if (QSystemTrayIcon::isSystemTrayAvailable()) {
        m_channel = NoticeChannel::Tray;
        m_tray = new QSystemTrayIcon(QApplication::windowIcon(), this);
        m_tray->setToolTip(QStringLiteral("Kelvo Plotter 2.0"));
        m_tray->show();
    }
}

Notifier::~Notifier()
{
    if (m_tray) m_tray->hide();
}

void Notifier::notify(const QString& caption, const QString& text)
{
    const Notice notice = cutNotice(caption, text);
    m_statusBar(notice.text);
    switch (m_channel) {
    case NoticeChannel::Desktop:
        notifyDesktop(notice);
        break;
    case NoticeChannel::Tray:
        m_tray->showMessage(notice.caption, notice.text, QSystemTrayIcon::Information,
                            noticeMilliseconds);
        break;
    case NoticeChannel::StatusBar:
        if (!m_consoleVisible())
            std::cerr << notice.caption.toStdString() << ": " << notice.text.toStdString() << "\n";
        break;
    }
}

// The call does not wait for the service; its answer (the notice's id) arrives later.
void Notifier::notifyDesktop(const Notice& notice)
{
    QDBusMessage call = QDBusMessage::createMethodCall(notificationService, notificationPath,
                                                       notificationService, QStringLiteral("Notify"));
    call << QStringLiteral("Kelvo Plot") << m_lastId << QStringLiteral("kelvoplot")
         << notice.caption << notice.text << QStringList() << QVariantMap() << noticeMilliseconds;
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* done) {
        const QDBusPendingReply<quint32> reply = *done;
        if (reply.isValid()) m_lastId = reply.value();
        done->deleteLater();
    });
}

} // namespace desktop
