// A figure's window: the menu built from the figure's state, the picture drawn by the draw pass,
// and the keys, buttons, drags and wheel that drive the tools.
#pragma once

#include "figure/figure_command_handler.h"
#include "figure/figure_commands.h"
#include "figure/pointer_input.h"
#include "lang/session.h"
#include "model/figure.h"

#include <QMenu>
#include <QWidget>

#include <cstdint>

class QLabel;
class QTimer;
class QMenuBar;

namespace desktop {

class FigureCanvas;

enum class MenuPresence { WithMenu, WithoutMenu };

// Shift held while a figure is created gives a window without a menu.
MenuPresence menuPresenceNow();

class FigureWindow : public QWidget {
    Q_OBJECT
public:
    FigureWindow(lang::Session& session, model::Figure& figure,
                 MenuPresence menu = menuPresenceNow());

    model::Figure& figure() { return m_figure; }
    const figure::WindowState& toolState() const { return m_state; }
    QMenuBar* menuBar() const { return m_menuBar; } // null in a window without a menu
    QWidget* canvas() const;
    QSize clientSize() const; // the figure's client area, without the menu bar

    // Sizes the client area to the figure record, centres the window on the primary screen and
    // shows it unless `visible` is false.
    void place(bool visible);

    // Runs a menu command for this figure, as a menu choice, a key or the motion device sends it.
    void runCommand(std::int32_t id, std::int32_t parameter, figure::KeyModifiers modifiers);

    // Time after the last tool step at which the window is drawn with every point again, when
    // the last paint left points out.
    static constexpr int settleMilliseconds = 250;
    bool isInteracting() const { return m_interacting; }

    // Rebuilds the menu from the figure's objects, selection, frames, tool and settings.
    void rebuildMenu();
    // The figure changed from outside (a command line added an object): repaints, and rebuilds
    // the menu once the event loop is idle again, so that a document of many objects builds it
    // once.
    void figureChanged();
    // The figure record is about to be destroyed while the window waits for its deletion: from
    // now on nothing reads the record (a menu rebuild already queued does nothing).
    void detachFigure();

signals:
    // The user closed the window; the figure is to be destroyed.
    void closeRequested(FigureWindow* window);
    // A command the window does not carry out itself (File, Layer, Insert): the console acts on
    // this window's figure.
    void commandForwarded(FigureWindow* window, std::int32_t id);
    // A command asks for a dialog (New Frames, Animation Record) for this figure.
    void dialogRequested(FigureWindow* window, figure::DialogRequest dialog);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    friend class FigureCanvas;

    void createMenus(MenuPresence menu);
    void createCanvas();
    void applyResult(const figure::CommandResult& result);
    void mousePressed(figure::MouseButton button, QPoint position, QPoint global,
                      figure::KeyModifiers modifiers);
    void mouseMoved(QPoint position, figure::KeyModifiers modifiers);
    void mouseReleased();
    void editObjectAt(QPoint position);
    void wheelTurned(QPoint position, int steps, figure::KeyModifiers modifiers);
    void runPointerResponse(const figure::PointerResponse& response, figure::KeyModifiers modifiers,
                            QPoint global);
    void showReadout(QPoint position);
    void interacted();

    lang::Session& m_session;
    model::Figure& m_figure;
    figure::WindowState m_state;
    QMenuBar* m_menuBar = nullptr;
    FigureCanvas* m_canvas = nullptr;
    QLabel* m_readout = nullptr;
    QMenu m_contextMenu;
    bool m_menuRebuildPending = false;
    bool m_figureDetached = false;
    // While tool steps follow one another, long lines that cannot be moved from the last paint
    // are drawn with fewer points (and their exact coverage computed on a thread of the
    // canvas); once the steps stop, the window is drawn again with every point, as the exports
    // draw it, if the last paint left some out.
    bool m_interacting = false;
    bool m_approximated = false;
    QTimer* m_settleTimer = nullptr;
};

} // namespace desktop
