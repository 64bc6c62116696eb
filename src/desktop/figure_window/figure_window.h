// A figure's window: shows the figure at its client size and repaints it with the draw pass.
#pragma once

#include "lang/session.h"
#include "model/figure.h"

#include <QWidget>

namespace desktop {

class FigureWindow : public QWidget {
    Q_OBJECT
public:
    FigureWindow(lang::Session& session, model::Figure& figure);

    model::Figure& figure() { return m_figure; }

    // Sizes the client area to the figure record, centres the window on the primary screen and
    // shows it unless `visible` is false.
    void place(bool visible);

signals:
    // The user closed the window; the figure is to be destroyed.
    void closeRequested(FigureWindow* window);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    lang::Session& m_session;
    model::Figure& m_figure;
};

} // namespace desktop
