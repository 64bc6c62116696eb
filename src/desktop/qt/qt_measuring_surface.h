// A drawing surface for measuring text as figure pictures do: a QtSurface on a small image of
// 96 dots per inch. Movies take the sizes of text fields and the places of axis numbers from it.
#pragma once

#include "desktop/qt/qt_surface.h"

#include <QImage>
#include <QPainter>

namespace swf {

class QtMeasuringSurface {
public:
    QtMeasuringSurface();
    QtMeasuringSurface(const QtMeasuringSurface&) = delete;
    QtMeasuringSurface& operator=(const QtMeasuringSurface&) = delete;

    render::DrawingSurface& surface() { return m_surface; }

private:
    QImage m_image;
    QPainter m_painter;
    render::QtSurface m_surface;
};

} // namespace swf
