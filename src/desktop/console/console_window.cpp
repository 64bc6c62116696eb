// Console window: output pane, input line with history, toolbar and menus.
#include "desktop/console/console_window.h"

#include "desktop/app/options.h"
#include "desktop/app/program_info.h"
#include "desktop/console/console_commands.h"
#include "desktop/dialogs/command_dialogs.h"

#include "lang/document.h"
#include "lang/interpreter.h"
#include "lang/serialiser.h"

#include <QAction>
#include <QClipboard>
#include <QColorDialog>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMessageBox>
#include <QScrollBar>
#include <QStatusBar>
#include <QTextBrowser>
#include <QTextCursor>
#include <QToolBar>
#include <QUrl>

namespace desktop {
namespace {

constexpr const char* caption = "Kelvo Plotter 2.0";

QColor fromRichTextColour(std::uint32_t colour)
{
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

// The rich-text pane keeps paragraphs; CR LF and lone CR or LF become paragraph breaks.
QString paneText(const std::string& text)
{
    QString result = QString::fromStdString(text);
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    result.replace(QChar('\r'), QChar('\n'));
    return result;
}

} // namespace

void CommandLineEdit::keyPressEvent(QKeyEvent* event)
{
    const bool lineFeed = event->key() == Qt::Key_J && event->modifiers() & Qt::ControlModifier;
    switch (lineFeed ? Qt::Key_Return : event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        const QString line = text();
        history.enter(line.toStdString());
        clear();
        emit lineEntered(line);
        return;
    }
    case Qt::Key_Escape:
        clear();
        history.reset();
        return;
    case Qt::Key_Up:
        if (auto entry = history.up()) show(*entry);
        return;
    case Qt::Key_Down:
        if (auto entry = history.down()) show(*entry);
        return;
    default:
        QLineEdit::keyPressEvent(event);
    }
}

void CommandLineEdit::show(const std::string& entry)
{
    setText(QString::fromStdString(entry));
    end(false);
}

ConsoleWindow::ConsoleWindow(lang::Session& session, Options& options)
    : m_session(session), m_options(options)
{
    setWindowTitle(caption);
    setWindowIcon(QIcon(QStringLiteral(":/icons/kelvoplot.svg")));
    m_central = new QWidget(this);
    setCentralWidget(m_central);
    m_output = new QTextBrowser(m_central);
    m_output->setReadOnly(true);
    m_output->setOpenLinks(false);
    m_output->setOpenExternalLinks(false);
    m_input = new CommandLineEdit(m_central);
    connect(m_output, &QTextBrowser::anchorClicked, this, &ConsoleWindow::openLink);
    connect(m_input, &CommandLineEdit::lineEntered, this, &ConsoleWindow::enterLine);
    createActions();
    createMenus();
    createToolBar();
    readAppearance();
    resize(800, 600);
    move(100, 100);
}

// One action per row of the command table; the menus, the toolbar and the shortcuts share them.
void ConsoleWindow::createActions()
{
    for (const ConsoleCommand& entry : consoleCommands) {
        auto* action = new QAction(QString::fromUtf8(entry.text.data(),
                                                     static_cast<qsizetype>(entry.text.size())),
                                   this);
        if (!entry.shortcut.empty())
            action->setShortcut(QKeySequence(QString::fromLatin1(
                entry.shortcut.data(), static_cast<qsizetype>(entry.shortcut.size()))));
        if (!entry.toolbarIcon.empty())
            action->setIcon(QIcon(QString::fromLatin1(
                entry.toolbarIcon.data(), static_cast<qsizetype>(entry.toolbarIcon.size()))));
        const int id = entry.id;
        connect(action, &QAction::triggered, this, [this, id] { runCommand(id); });
        addAction(action); // shortcuts work even for commands without a menu item
        m_actions[id] = action;
    }
    // Options... has no dialog: the console's appearance is under Font, BG and FG.
    m_actions.at(command::options)->setEnabled(false);
}

void ConsoleWindow::createMenus()
{
    for (const ConsoleMenuTitle& title : consoleMenuTitles) {
        QMenu* menu = menuBar()->addMenu(
            QString::fromLatin1(title.title.data(), static_cast<qsizetype>(title.title.size())));
        for (const ConsoleCommand& entry : consoleCommands) {
            if (entry.menu != title.menu) continue;
            if (entry.separatorBefore) menu->addSeparator();
            menu->addAction(m_actions.at(entry.id));
        }
    }
}

// The toolbar's buttons are the commands with an icon; a separator stands between menus.
void ConsoleWindow::createToolBar()
{
    QToolBar* toolbar = addToolBar(QStringLiteral("Console"));
    toolbar->setMovable(false);
    toolbar->setIconSize(QSize(30, 30));
    std::optional<ConsoleMenu> previous;
    for (const ConsoleCommand& entry : consoleCommands) {
        if (entry.toolbarIcon.empty()) continue;
        if (previous && *previous != entry.menu) toolbar->addSeparator();
        toolbar->addAction(m_actions.at(entry.id));
        previous = entry.menu;
    }
}

void ConsoleWindow::readAppearance()
{
    setConsoleFont(m_options.consoleFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont)));
    setConsoleBackground(m_options.consoleBackground());
    setConsoleForeground(m_options.consoleForeground());
}

QAction* ConsoleWindow::action(int id) const
{
    const auto found = m_actions.find(id);
    return found == m_actions.end() ? nullptr : found->second;
}

// The console's own commands give the keyboard back to the input line when they are done.
bool ConsoleWindow::runCommand(int id)
{
    if (!runConsoleCommand(id)) return m_services.figureCommand && m_services.figureCommand(id);
    if (isVisible()) focusInput();
    return true;
}

bool ConsoleWindow::runConsoleCommand(int id)
{
    switch (id) {
    case command::openFile: openDocument(); return true;
    case command::saveAllFiguresToFile: saveAllFiguresToFile(); return true;
    case command::saveAllFiguresToClipboard: copyAllFiguresToClipboard(); return true;
    case command::exit: close(); return true;
    case command::newDefaultFigure: newDefaultFigure(); return true;
    case command::newFigure: newFigure(); return true;
    case command::newLayer: runNewLayerDialog(this, m_session); return true;
    case command::clearHistory: m_input->history.clear(); return true;
    case command::consoleFont: chooseFont(); return true;
    case command::consoleBackground: chooseBackground(); return true;
    case command::consoleForeground: chooseForeground(); return true;
    case command::help: openHelp(this, QCoreApplication::applicationDirPath()); return true;
    case command::checkForUpdates: showUpdates(); return true;
    case command::about: showAbout(); return true;
    default: return false;
    }
}

void ConsoleWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    layoutPanes();
}

void ConsoleWindow::closeEvent(QCloseEvent* event)
{
    QMainWindow::closeEvent(event);
    emit closed();
}

// The output pane fills the client area down to 95 % of its height; the input line the rest.
void ConsoleWindow::layoutPanes()
{
    const int width = m_central->width();
    const int height = m_central->height();
    const int split = static_cast<int>(height * 0.95);
    const int inputHeight = std::max(height - split, m_input->sizeHint().height());
    m_output->setGeometry(0, 0, width, std::max(0, height - inputHeight));
    m_input->setGeometry(0, height - inputHeight, width, inputHeight);
}

void ConsoleWindow::appendRuns(const std::vector<lang::StyledRun>& runs)
{
    QTextCursor cursor(m_output->document());
    cursor.movePosition(QTextCursor::End);
    for (const lang::StyledRun& run : runs) {
        QTextCharFormat format;
        format.setFontWeight(run.style.bold ? QFont::Bold : QFont::Normal);
        format.setFontItalic(run.style.italic);
        format.setFontUnderline(run.style.underline);
        format.setForeground(fromRichTextColour(run.style.colour));
        if (!run.link.empty()) {
            format.setAnchor(true);
            format.setAnchorHref(QStringLiteral("kelvo:%1").arg(m_links.size()));
            m_links.push_back(run.link);
        }
        cursor.insertText(paneText(run.text), format);
    }
    m_output->setTextCursor(cursor);
    m_output->ensureCursorVisible();
    m_output->verticalScrollBar()->setValue(m_output->verticalScrollBar()->maximum());
}

void ConsoleWindow::clearOutput()
{
    m_output->clear();
    m_links.clear();
}

void ConsoleWindow::focusInput()
{
    m_input->setFocus();
}

void ConsoleWindow::clearInput()
{
    m_input->clear();
}

QString ConsoleWindow::outputText() const
{
    return m_output->toPlainText();
}

void ConsoleWindow::enterLine(const QString& line)
{
    lang::executeCommand(m_session, line.toStdString(), 0);
}

void ConsoleWindow::showStatus(const QString& text)
{
    statusBar()->showMessage(text, 5000);
}

void ConsoleWindow::openLink(const QUrl& url)
{
    bool ok = false;
    const std::size_t index = url.path().toULong(&ok);
    if (url.scheme() != QLatin1String("kelvo") || !ok || index >= m_links.size()) return;
    const std::string link = m_links[index]; // activation may clear the pane and the table
    lang::activateLink(m_session, link);
}

void ConsoleWindow::openDocument()
{
    const QString path = QFileDialog::getOpenFileName(
        this, tr("Open file"), QString(), tr("Kelvo Plot documents (*.vexxml *.VEXXML)"));
    if (path.isEmpty()) return;
    lang::executeCommand(m_session, lang::openFileCommand(path.toStdString()), 0);
}

void ConsoleWindow::saveAllFiguresToFile()
{
    const std::vector<std::string> texts =
        lang::collectFigureTexts(m_session, lang::FigureScope::All);
    const lang::DocumentSave saved = lang::saveAllFigures(m_session, texts);
    if (saved.outcome == lang::SaveOutcome::Failed && !saved.message.empty())
        lang::showMessage(m_session, saved.message);
}

void ConsoleWindow::copyAllFiguresToClipboard()
{
    const std::vector<std::string> texts =
        lang::collectFigureTexts(m_session, lang::FigureScope::All);
    if (texts.empty()) return;
    QGuiApplication::clipboard()->setText(QString::fromStdString(lang::allFiguresClipboardText(texts)));
    m_session.host().notify("Text copied to clipboard");
}

// With an embedding client registered, its one figure is all there is: no second one.
bool ConsoleWindow::oneFigureForEmbeddingClient() const
{
    return m_session.figures.size() == 1 && m_services.embeddingClientRegistered &&
           m_services.embeddingClientRegistered();
}

void ConsoleWindow::newDefaultFigure()
{
    if (oneFigureForEmbeddingClient()) return;
    lang::executeCommand(m_session,
                         "figure " + std::to_string(m_session.figures.lowestUnusedFigureId()), 0);
}

void ConsoleWindow::newFigure()
{
    if (oneFigureForEmbeddingClient()) return;
    runNewFigureDialog(this, m_session);
}

// A style name ("Regular") would override the bold and italic of the markup, so it is dropped.
void ConsoleWindow::setConsoleFont(const QFont& chosen)
{
    QFont font = chosen;
    font.setStyleName(QString());
    m_output->setFont(font);
    m_output->document()->setDefaultFont(font);
    m_input->setFont(font);
    layoutPanes();
}

void ConsoleWindow::setConsoleBackground(const QColor& colour)
{
    for (QWidget* pane : {static_cast<QWidget*>(m_output), static_cast<QWidget*>(m_input)}) {
        QPalette palette = pane->palette();
        palette.setColor(QPalette::Base, colour);
        pane->setPalette(palette);
    }
}

// Every character already in the panes takes the colour; text appended later brings its own.
void ConsoleWindow::setConsoleForeground(const QColor& colour)
{
    QTextCursor cursor(m_output->document());
    cursor.select(QTextCursor::Document);
    QTextCharFormat format;
    format.setForeground(colour);
    cursor.mergeCharFormat(format);
    QPalette palette = m_input->palette();
    palette.setColor(QPalette::Text, colour);
    m_input->setPalette(palette);
}

void ConsoleWindow::reportOptionsFailure(const std::string& message)
{
    if (!message.empty())
        QMessageBox::warning(this, caption, QString::fromStdString(message));
}

void ConsoleWindow::chooseFont()
{
    bool chosen = false;
    const QFont font = QFontDialog::getFont(&chosen, m_input->font(), this,
                                            QStringLiteral("Console Font"));
    if (!chosen) return;
    setConsoleFont(font);
    reportOptionsFailure(m_options.setConsoleFont(m_input->font()));
}

void ConsoleWindow::chooseBackground()
{
    chooseColour(QStringLiteral("Console BG"), m_options.consoleBackground(),
                 &ConsoleWindow::setConsoleBackground, &Options::setConsoleBackground);
}

void ConsoleWindow::chooseForeground()
{
    chooseColour(QStringLiteral("Console FG"), m_options.consoleForeground(),
                 &ConsoleWindow::setConsoleForeground, &Options::setConsoleForeground);
}

// A colour dialog with alpha, seeded from the stored colour; on OK both panes take the colour and
// the options keep it.
void ConsoleWindow::chooseColour(const QString& title, const QColor& stored,
                                 void (ConsoleWindow::*apply)(const QColor&),
                                 std::string (Options::*store)(const QColor&))
{
    const QColor colour =
        QColorDialog::getColor(stored, this, title, QColorDialog::ShowAlphaChannel);
    if (!colour.isValid()) return;
    (this->*apply)(colour);
    reportOptionsFailure((m_options.*store)(colour));
}

void ConsoleWindow::showAbout()
{
    QMessageBox box(QMessageBox::NoIcon, caption, aboutText(), QMessageBox::Ok, this);
    box.setIconPixmap(QIcon(QStringLiteral(":/icons/kelvoplot.svg")).pixmap(64, 64));
    box.exec();
}

void ConsoleWindow::showUpdates()
{
    QMessageBox::information(this, caption, updatesText());
}

} // namespace desktop
