// Figure window: menus, placement, painting, keys, mouse and closing.
#include "desktop/figure_window/figure_window.h"

#include "desktop/dialogs/object_dialog.h"
#include "desktop/dialogs/object_picking.h"
#include "desktop/figure_window/coverage_worker.h"
#include "desktop/figure_window/figure_menus.h"
#include "desktop/figure_window/tool_cursors.h"
#include "desktop/qt/qt_surface.h"
#include "figure/axis_readout.h"
#include "figure/figure_menu.h"
#include "figure/tool_steps.h"
#include "render/draw_pass.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <iterator>

namespace desktop {

// The client area: paints the figure and hands mouse events to its window.
class FigureCanvas : public QWidget {
public:
    FigureCanvas(FigureWindow& window) : QWidget(&window), m_window(window)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMouseTracking(true);
        setFocusPolicy(Qt::StrongFocus);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        // While a document runs, its figures are not drawn until the whole document has been read.
        if (m_window.m_session.documentRunning) return;
        render::QtSurface surface(painter);
        std::vector<render::CoverageRequest> approximated, widened;
        render::LongPolylineOptions longLines{&m_coverage, std::nullopt, &approximated, &widened};
        if (m_window.m_interacting) longLines.simplification = render::SimplificationTolerance{};
        surface.setLongPolylineOptions(longLines);
        render::DrawFigure(m_window.m_figure, surface, m_window.m_session.passServices());
        m_coverage.endPaint();
        m_window.m_approximated = surface.approximated();
        if (!approximated.empty() || !widened.empty()) {
            // Only lines drawn with fewer points need the window drawn again; the others
            // gain a margin that later moves find.
            m_repaintWhenComputed = !approximated.empty();
            approximated.insert(approximated.end(), std::make_move_iterator(widened.begin()),
                                std::make_move_iterator(widened.end()));
            m_worker.request(std::move(approximated));
        }
    }
    void resizeEvent(QResizeEvent* event) override
    {
        QWidget::resizeEvent(event);
        m_window.m_figure.clientWidth = width();
        m_window.m_figure.clientHeight = height();
    }
    void mousePressEvent(QMouseEvent* event) override
    {
        const auto button = event->button() == Qt::RightButton ? figure::MouseButton::Right
                                                               : figure::MouseButton::Left;
        if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton) return;
        m_window.mousePressed(button, event->position().toPoint(),
                              event->globalPosition().toPoint(), modifiersOf(event->modifiers()));
    }
    void mouseMoveEvent(QMouseEvent* event) override
    {
        m_window.mouseMoved(event->position().toPoint(), modifiersOf(event->modifiers()));
    }
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton) m_window.mouseReleased();
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton) m_window.editObjectAt(event->position().toPoint());
    }
    void wheelEvent(QWheelEvent* event) override
    {
        const int steps = event->angleDelta().y() / 120;
        if (steps != 0)
            m_window.wheelTurned(event->position().toPoint(), steps,
                                 modifiersOf(event->modifiers()));
        event->accept();
    }

public:
    static figure::KeyModifiers modifiersOf(Qt::KeyboardModifiers modifiers)
    {
        return {modifiers.testFlag(Qt::ControlModifier), modifiers.testFlag(Qt::ShiftModifier),
                modifiers.testFlag(Qt::AltModifier)};
    }

public:
    bool computingCoverage() const { return m_worker.busy(); }

private:
    // The exact coverage of lines drawn with fewer points arrived: the window is drawn again,
    // and finds it.
    void coverageComputed(std::vector<render::KeptCoverage> computed)
    {
        for (render::KeptCoverage& coverage : computed)
            m_coverage.keep(std::move(coverage));
        if (m_repaintWhenComputed) update();
    }

    FigureWindow& m_window;
    // Coverage of the long lines of the last paint, found again when a step moved them by
    // whole pixels, and the exact coverage of lines a paint drew with fewer points.
    render::CoverageCache m_coverage;
    bool m_repaintWhenComputed = false; // the newest requests hold lines drawn with fewer points
    CoverageWorker m_worker{[this](std::vector<render::KeptCoverage> computed) {
        coverageComputed(std::move(computed));
    }};
};

namespace {

figure::Key keyOf(const QKeyEvent& event)
{
    using figure::Key;
    const bool keypad = event.modifiers().testFlag(Qt::KeypadModifier);
    switch (event.key()) {
    case Qt::Key_F2:
        return Key::F2;
    case Qt::Key_F3:
        return Key::F3;
    case Qt::Key_F4:
        return Key::F4;
    case Qt::Key_F5:
        return Key::F5;
    case Qt::Key_F6:
        return Key::F6;
    case Qt::Key_F7:
        return Key::F7;
    case Qt::Key_F8:
        return Key::F8;
    case Qt::Key_F9:
        return Key::F9;
    case Qt::Key_F12:
        return Key::F12;
    case Qt::Key_Period:
        return Key::Period;
    case Qt::Key_Greater:
        return Key::Greater;
    case Qt::Key_Comma:
        return Key::Comma;
    case Qt::Key_Less:
        return Key::Less;
    case Qt::Key_C:
        return Key::C;
    case Qt::Key_L:
        return Key::L;
    case Qt::Key_P:
        return Key::P;
    case Qt::Key_R:
        return Key::R;
    case Qt::Key_S:
        return Key::S;
    case Qt::Key_V:
        return Key::V;
    case Qt::Key_X:
        return Key::X;
    case Qt::Key_Delete:
        return Key::Delete;
    case Qt::Key_Left:
        return Key::Left;
    case Qt::Key_Right:
        return Key::Right;
    case Qt::Key_Up:
        return Key::Up;
    case Qt::Key_Down:
        return Key::Down;
    case Qt::Key_Plus:
        return keypad ? Key::KeypadPlus : Key::Other;
    case Qt::Key_Minus:
        return keypad ? Key::KeypadMinus : Key::Other;
    default:
        return Key::Other;
    }
}

figure::PixelPoint pixelOf(QPoint point)
{
    return {point.x(), point.y()};
}

} // namespace

MenuPresence menuPresenceNow()
{
    return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier)
               ? MenuPresence::WithoutMenu
               : MenuPresence::WithMenu;
}

FigureWindow::FigureWindow(lang::Session& session, model::Figure& figure, MenuPresence menu)
    : QWidget(nullptr), m_session(session), m_figure(figure)
{
    setWindowTitle(QStringLiteral("Kelvo Plotter Figure"));
    createMenus(menu);
    createCanvas();
    rebuildMenu();
    m_settleTimer = new QTimer(this);
    m_settleTimer->setSingleShot(true);
    m_settleTimer->setInterval(settleMilliseconds);
    connect(m_settleTimer, &QTimer::timeout, this, [this] {
        m_interacting = false;
        // A computation going on repaints the window once it is done.
        if (m_approximated && !m_canvas->computingCoverage()) m_canvas->update();
    });
}

void FigureWindow::interacted()
{
    m_interacting = true;
    m_settleTimer->start();
}

void FigureWindow::createMenus(MenuPresence menu)
{
    if (menu == MenuPresence::WithMenu) m_menuBar = new QMenuBar(this);
}

void FigureWindow::createCanvas()
{
    m_canvas = new FigureCanvas(*this);
    m_canvas->setCursor(toolCursor(m_state.tool));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    if (m_menuBar) layout->setMenuBar(m_menuBar);
    layout->addWidget(m_canvas);
    m_readout = new QLabel(m_canvas);
    m_readout->setStyleSheet(QStringLiteral(
        "QLabel { background: rgba(255, 255, 224, 220); color: black; padding: 1px 4px; }"));
    m_readout->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_readout->hide();
    setFocusProxy(m_canvas);
}

QWidget* FigureWindow::canvas() const
{
    return m_canvas;
}

QSize FigureWindow::clientSize() const
{
    return m_canvas->size();
}

void FigureWindow::place(bool visible)
{
    const int menuHeight = m_menuBar ? m_menuBar->sizeHint().height() : 0;
    resize(m_figure.clientWidth, m_figure.clientHeight + menuHeight);
    m_canvas->resize(m_figure.clientWidth, m_figure.clientHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->geometry();
        const QSize frame = frameGeometry().size().expandedTo(size());
        move(available.x() + (available.width() - frame.width()) / 2,
             available.y() + (available.height() - frame.height()) / 2);
    }
    if (!visible) return;
    show();
    raise();
    activateWindow();
    m_canvas->update();
}

void FigureWindow::rebuildMenu()
{
    if (m_figureDetached) return;
    const std::vector<figure::TopMenu> menus = figure::buildFigureMenu(m_figure, m_state);
    const auto sink = [this](std::int32_t id) {
        runCommand(id, 0, FigureCanvas::modifiersOf(QGuiApplication::queryKeyboardModifiers()));
    };
    if (m_menuBar) fillMenuBar(*m_menuBar, menus, *this, sink);
    fillContextMenu(m_contextMenu, menus, *this, sink);
}

void FigureWindow::detachFigure()
{
    m_figureDetached = true;
}

void FigureWindow::figureChanged()
{
    if (m_figureDetached) return;
    m_canvas->update();
    if (m_menuRebuildPending) return;
    m_menuRebuildPending = true;
    QTimer::singleShot(0, this, [this] {
        m_menuRebuildPending = false;
        rebuildMenu();
    });
}

void FigureWindow::runCommand(std::int32_t id, std::int32_t parameter,
                              figure::KeyModifiers modifiers)
{
    if (m_figureDetached) return;
    const figure::CommandResult result =
        figure::runFigureCommand(m_session, m_figure, m_state, id, parameter, modifiers);
    if (!result.handled) {
        emit commandForwarded(this, id);
        return;
    }
    if (figure::isToolStep(id) && result.repaint) interacted();
    applyResult(result);
}

void FigureWindow::applyResult(const figure::CommandResult& result)
{
    if (result.toolChanged) m_canvas->setCursor(toolCursor(m_state.tool));
    if (result.rebuildMenu) rebuildMenu();
    if (result.repaint || result.rebuildSurfaces) m_canvas->update();
    if (!m_state.coordinateReadout) m_readout->hide();
    if (result.dialog != figure::DialogRequest::None) emit dialogRequested(this, result.dialog);
}

void FigureWindow::keyPressEvent(QKeyEvent* event)
{
    const figure::KeyModifiers modifiers = FigureCanvas::modifiersOf(event->modifiers());
    const std::int32_t id = figure::commandForKey(keyOf(*event), modifiers, m_state.tool);
    if (id == 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    runCommand(id, 0, modifiers);
}

void FigureWindow::mousePressed(figure::MouseButton button, QPoint position, QPoint global,
                                figure::KeyModifiers modifiers)
{
    runPointerResponse(figure::mouseDown(m_state, button, pixelOf(position)), modifiers, global);
}

// A double click opens the dialog of the object drawn there, on that object.
void FigureWindow::editObjectAt(QPoint position)
{
    const std::optional<std::size_t> index =
        objectAt(m_session, m_figure, position.x(), position.y());
    if (index && runEditObjectDialog(this, m_session, m_figure.id, *index)) figureChanged();
}

void FigureWindow::mouseMoved(QPoint position, figure::KeyModifiers modifiers)
{
    runPointerResponse(figure::mouseMove(m_state, pixelOf(position)), modifiers, {});
    if (m_state.coordinateReadout) showReadout(position);
}

void FigureWindow::mouseReleased()
{
    figure::mouseUp(m_state);
}

void FigureWindow::wheelTurned(QPoint position, int steps, figure::KeyModifiers modifiers)
{
    if (!figure::wheelZooms(m_state.tool)) return;
    figure::zoomAbout(m_figure, pixelOf(position), figure::wheelZoomFactor(steps, modifiers));
    interacted();
    m_canvas->update();
}

void FigureWindow::runPointerResponse(const figure::PointerResponse& response,
                                      figure::KeyModifiers modifiers, QPoint global)
{
    for (const figure::PostedStep& step : response.steps)
        runCommand(step.id, step.parameter, modifiers);
    if (response.originTool) {
        figure::applyOriginTool(m_figure, m_state.originClick);
        interacted();
        m_canvas->update();
    }
    if (response.contextMenu) m_contextMenu.popup(global);
}

void FigureWindow::showReadout(QPoint position)
{
    m_readout->setText(QString::fromStdString(figure::readoutText(m_figure, pixelOf(position))));
    m_readout->adjustSize();
    m_readout->move(4, m_canvas->height() - m_readout->height() - 4);
    m_readout->show();
    m_readout->raise();
}

void FigureWindow::closeEvent(QCloseEvent* event)
{
    event->ignore(); // the owner destroys the window together with its figure
    emit closeRequested(this);
}

} // namespace desktop
