// The "SWF Preview" window: plays a movie with the program's own player at the movie's frame
// rate, filling the window as it is resized, with play, pause, single-step and loop controls.
// Its File menu's Save SWF copies the movie to a chosen file. A movie that cannot be read leaves
// the picture empty and says why.
#pragma once

#include "swf/play/movie_player.h"

#include <QElapsedTimer>
#include <QMainWindow>

#include <memory>
#include <optional>
#include <string>

class QAction;
class QLabel;
class QTimer;

namespace desktop {

// Paints the player's frame scaled to fit the widget.
class MoviePlayerView : public QWidget {
    Q_OBJECT
public:
    explicit MoviePlayerView(QWidget* parent = nullptr);

    void setPlayer(swf::MoviePlayer* player) { m_player = player; }
    void setMessage(const QString& message) { m_message = message; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    swf::MoviePlayer* m_player = nullptr;
    QString m_message;
};

class MoviePreviewWindow : public QMainWindow {
    Q_OBJECT
public:
    // Opens `path`; with an owner, the window takes the owner's client size.
    MoviePreviewWindow(const std::string& path, QWidget* owner = nullptr);

    // The movie, when it could be read.
    const swf::MoviePlayer* player() const { return m_player.get(); }
    bool playing() const;
    void play();
    void pause();
    void stepForward();
    void stepBack();
    void setLooping(bool loop);
    // The copy made by File > Save SWF; the message when it fails.
    std::optional<std::string> saveCopy(const std::string& target);

private:
    void createActions();
    void createMenus();
    void createToolBar();
    void load();
    void showFrame(std::size_t frame);
    void tick();
    void saveSwf();

    std::string m_path;
    std::unique_ptr<swf::MoviePlayer> m_player;
    MoviePlayerView* m_view = nullptr;
    QLabel* m_frameLabel = nullptr;
    QTimer* m_timer = nullptr;
    QElapsedTimer m_clock;
    std::size_t m_clockFrame = 0; // the frame shown when the clock started
    QAction* m_saveAction = nullptr;
    QAction* m_playAction = nullptr;
    QAction* m_stepBackAction = nullptr;
    QAction* m_stepAction = nullptr;
    QAction* m_loopAction = nullptr;
};

// Opens the preview of the movie at `path` and shows it.
MoviePreviewWindow* openMoviePreview(const std::string& path, QWidget* owner = nullptr);

} // namespace desktop
