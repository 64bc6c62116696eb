// The console: the program's main window with the output pane, the command input line, the
// toolbar and the main menu. Typed lines and clicked help links reach the interpreter here.
#pragma once

#include "desktop/console/command_history.h"
#include "lang/markup.h"
#include "lang/session.h"

#include <QLineEdit>
#include <QMainWindow>

#include <string>
#include <vector>

class QTextBrowser;
class QUrl;

namespace desktop {

// The input line: Enter runs the line, Up and Down browse the history, Escape empties it.
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

class ConsoleWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit ConsoleWindow(lang::Session& session);

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

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildMenus();
    void layoutPanes();
    void openLink(const QUrl& url);
    void openDocument();
    void newDefaultFigure();
    void saveAllFiguresToFile();
    void copyAllFiguresToClipboard();

    lang::Session& m_session;
    QWidget* m_central = nullptr;
    QTextBrowser* m_output = nullptr;
    CommandLineEdit* m_input = nullptr;
    std::vector<std::string> m_links; // link texts by anchor number
};

} // namespace desktop
