// The Host of the desktop: the console window, one window per figure, message boxes and
// notifications.
#pragma once

#include "figure/figure_command_handler.h"
#include "lang/host.h"
#include "lang/session.h"

#include <QObject>

#include <map>

namespace desktop {

class ConsoleWindow;
class FigureWindow;
class Notifier;

class DesktopHost : public QObject, public lang::Host {
    Q_OBJECT
public:
    DesktopHost() = default;
    ~DesktopHost() override;

    void attach(lang::Session& session, ConsoleWindow& console);
    // Notices go through `notifier` from now on (the console's status bar before).
    void setNotifier(Notifier* notifier) { m_notifier = notifier; }
    FigureWindow* windowOf(const model::Figure& figure) const;
    // The figure whose window is the active window, or nullptr when none is in front.
    model::Figure* foregroundFigure() const;
    // Raises the figure's window (when shown) and repaints it.
    void bringToFront(model::Figure& figure);
    // Closes every figure window, as at the end of the program.
    void closeAllWindows();

    void beginCommand() override;
    void clearOutput() override;
    void appendOutput(const std::vector<lang::StyledRun>& runs) override;
    void focusInput() override;
    void figureCreated(model::Figure& figure) override;
    void setFigureTitle(model::Figure& figure, const std::string& title) override;
    void placeFigure(model::Figure& figure, lang::FigureVisibility visibility) override;
    void repaintFigure(model::Figure& figure) override;
    void figureListChanged() override;
    void previewMovie(const std::string& path) override;
    bool askYesNo(const std::string& question) override;
    void notify(const std::string& text) override;
    void showError(const std::string& text) override;
    std::optional<std::string> askSaveFilePath(const lang::SaveFileRequest& request) override;
    lang::Answer askYesNoCancel(const std::string& question) override;

signals:
    // A figure window passed on a command it does not carry out (File, Layer, Insert, ...).
    void commandForwarded(FigureWindow* window, std::int32_t id);

private:
    void closeFigure(FigureWindow* window);
    // New Frames and Animation Record, asked for by a figure window for its figure.
    void openFigureDialog(FigureWindow* window, figure::DialogRequest request);

    lang::Session* m_session = nullptr;
    ConsoleWindow* m_console = nullptr;
    Notifier* m_notifier = nullptr;
    std::map<const model::Figure*, FigureWindow*> m_windows;
};

} // namespace desktop
