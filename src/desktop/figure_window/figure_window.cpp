// Figure window: placement, painting and closing.
#include "desktop/figure_window/figure_window.h"

#include "render/draw_pass.h"
#include "desktop/qt/qt_surface.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

namespace desktop {

FigureWindow::FigureWindow(lang::Session& session, model::Figure& figure)
    : QWidget(nullptr), m_session(session), m_figure(figure)
{
    setWindowTitle(QStringLiteral("Kelvo Plotter Figure"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
}

void FigureWindow::place(bool visible)
{
    resize(m_figure.clientWidth, m_figure.clientHeight);
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
    update();
}

void FigureWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    // While a document runs, its figures are not drawn until the whole document has been read.
    if (m_session.documentRunning) return;
    render::QtSurface surface(painter);
    render::DrawFigure(m_figure, surface, m_session.functionCache);
}

void FigureWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_figure.clientWidth = width();
    m_figure.clientHeight = height();
}

void FigureWindow::closeEvent(QCloseEvent* event)
{
    event->ignore(); // the owner destroys the window together with its figure
    emit closeRequested(this);
}

} // namespace desktop
