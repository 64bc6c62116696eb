// Notices (`notify`): short messages that appear outside the console, so that they are seen even
// while it is hidden. They go to the desktop's notification service over D-Bus, or else to a
// system tray icon's balloon, or else to the console's status bar (and standard error while the
// console is hidden).
#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>

#include <functional>

class QSystemTrayIcon;

namespace desktop {

// How long a notice stays, in milliseconds.
inline constexpr int noticeMilliseconds = 5000;

struct Notice {
    QString caption;
    QString text;

    bool operator==(const Notice&) const = default;
};

// A caption longer than 62 characters is cut to 60, a text longer than 255 to 250.
Notice cutNotice(const QString& caption, const QString& text);

enum class NoticeChannel { Desktop, Tray, StatusBar };

class Notifier : public QObject {
    Q_OBJECT
public:
    // `statusBar` shows a text in the console's status bar; `consoleVisible` says whether the
    // console can be seen. The channel is chosen here, once.
    Notifier(QDBusConnection bus, std::function<void(const QString&)> statusBar,
             std::function<bool()> consoleVisible, QObject* parent = nullptr);
    ~Notifier() override;

    NoticeChannel channel() const { return m_channel; }
    void notify(const QString& caption, const QString& text);

private:
    void notifyDesktop(const Notice& notice);

    QDBusConnection m_bus;
    std::function<void(const QString&)> m_statusBar;
    std::function<bool()> m_consoleVisible;
    NoticeChannel m_channel = NoticeChannel::StatusBar;
    QSystemTrayIcon* m_tray = nullptr;
    quint32 m_lastId = 0; // the desktop notice shown last, replaced by the next one
};

} // namespace desktop
