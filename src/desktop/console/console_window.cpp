// Console window: output pane, input line with history, toolbar and menus.
#include "desktop/console/console_window.h"

#include "lang/document.h"
#include "lang/interpreter.h"
#include "lang/serialiser.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMenuBar>
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
    switch (event->key()) {
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

ConsoleWindow::ConsoleWindow(lang::Session& session) : m_session(session)
{
    setWindowTitle(caption);
    m_central = new QWidget(this);
    setCentralWidget(m_central);
    m_output = new QTextBrowser(m_central);
    m_output->setReadOnly(true);
    m_output->setOpenLinks(false);
    m_output->setOpenExternalLinks(false);
    m_input = new CommandLineEdit(m_central);
    connect(m_output, &QTextBrowser::anchorClicked, this, &ConsoleWindow::openLink);
    connect(m_input, &CommandLineEdit::lineEntered, this, &ConsoleWindow::enterLine);
    buildMenus();
    resize(800, 600);
    move(100, 100);
}

void ConsoleWindow::buildMenus()
{
    QMenu* file = menuBar()->addMenu(tr("&File"));
    QAction* open = file->addAction(tr("Open file"), this, &ConsoleWindow::openDocument);
    open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    file->addAction(tr("Save All Figures (File)..."), this, &ConsoleWindow::saveAllFiguresToFile);
    file->addAction(tr("Save All Figures (Clipboard)"), this,
                    &ConsoleWindow::copyAllFiguresToClipboard);
    file->addSeparator();
    file->addAction(tr("Exit"), this, &QWidget::close);

    QMenu* figure = menuBar()->addMenu(tr("Fi&gure"));
    QAction* newFigure =
        figure->addAction(tr("New Figure (Default)"), this, &ConsoleWindow::newDefaultFigure);
    newFigure->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    QAction* helpTopics = help->addAction(tr("Help..."), this, [this] { enterLine("HELP"); });
    helpTopics->setShortcut(QKeySequence(Qt::Key_F1));

    QToolBar* toolbar = addToolBar(tr("Console"));
    toolbar->setMovable(false);
    toolbar->addAction(open);
    toolbar->addSeparator();
    toolbar->addAction(newFigure);
}

void ConsoleWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    layoutPanes();
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
    QGuiApplication::clipboard()->setText(QString::fromStdString(lang::allFiguresText(texts)));
    m_session.host().notify("Text copied to clipboard");
}

void ConsoleWindow::newDefaultFigure()
{
    lang::executeCommand(m_session,
                         "figure " + std::to_string(m_session.figures.lowestUnusedFigureId()), 0);
}

} // namespace desktop
