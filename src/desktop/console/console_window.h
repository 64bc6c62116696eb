// The console: the program's main window with the output pane, the command input line, the
// toolbar and the main menu. Typed lines, clicked help links and menu commands reach the
// interpreter here, and figure windows forward the commands they do not handle.
#pragma once

#include "desktop/console/command_history.h"
#include "lang/markup.h"
#include "lang/session.h"

#include <QLineEdit>
#include <QMainWindow>

#include <functional>
#include <map>
#include <string>
#include <vector>

class QAction;
class QTextBrowser;
class QUrl;

namespace desktop {

class Options;

// The input line: Enter (or a line feed) runs the line, Up and Down browse the history, Escape
// empties it.
class CommandLineEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CommandLineEdit(QWidget* parent = nullptr) : QLineEdit(parent) {}

    CommandHistory history;

signals:
    void lineEntered(const QString& line);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void show(const std::string& entry);
};

// What the console asks of the rest of the program for some commands.
struct ConsoleServices {
    std::function<bool()> embeddingClientRegistered;
    // Carries out a command of the figure in front (exports, Update Client); false when it is not
    // one the program handles.
    std::function<bool(int id)> figureCommand;
};

class ConsoleWindow : public QMainWindow {
    Q_OBJECT
public:
    ConsoleWindow(lang::Session& session, Options& options);

    void setServices(ConsoleServices services) { m_services = std::move(services); }

    // Appends rendered markup at the end of the output pane and scrolls to it.
    void appendRuns(const std::vector<lang::StyledRun>& runs);
    void clearOutput();
    void focusInput();
    void clearInput();
    // The output pane's text, for tests and the status of a session.
    QString outputText() const;
    // Runs a line as if typed and entered.
    void enterLine(const QString& line);
    void showStatus(const QString& text);

    // Carries out a command by id: a menu or toolbar command of the console, or one forwarded by
    // a figure window. False when no one handles it (it is then dropped).
    bool runCommand(int id);
    // The action of a console command (nullptr for ids outside the console's table).
    QAction* action(int id) const;
    CommandLineEdit& input() { return *m_input; }

    // The console's appearance, as stored in the options and shown in both panes.
    void setConsoleFont(const QFont& font);
    void setConsoleBackground(const QColor& colour);
    void setConsoleForeground(const QColor& colour);

signals:
    // The console was closed: the program ends.
    void closed();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createActions();
    void createMenus();
    void createToolBar();
    void readAppearance();
    void layoutPanes();
    bool runConsoleCommand(int id);
    void reportOptionsFailure(const std::string& message);

    void openLink(const QUrl& url);
    void openDocument();
    bool oneFigureForEmbeddingClient() const;
    void newDefaultFigure();
    void newFigure();
    void saveAllFiguresToFile();
    void copyAllFiguresToClipboard();
    void chooseFont();
    void chooseBackground();
    void chooseForeground();
    void chooseColour(const QString& title, const QColor& stored,
                      void (ConsoleWindow::*apply)(const QColor&),
                      std::string (Options::*store)(const QColor&));
    void showAbout();
    void showUpdates();

    lang::Session& m_session;
    Options& m_options;
    ConsoleServices m_services;
    QWidget* m_central = nullptr;
    QTextBrowser* m_output = nullptr;
    CommandLineEdit* m_input = nullptr;
    std::map<int, QAction*> m_actions;
    std::vector<std::string> m_links; // link texts by anchor number
};

} // namespace desktop
