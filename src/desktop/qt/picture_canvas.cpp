// The vector surfaces' shared pieces.
#include "desktop/qt/picture_canvas.h"

#include "desktop/qt/offscreen_gui.h"
#include "desktop/qt/qt_styles.h"
#include "desktop/qt/qt_surface.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace desktop {

double largestScale(const geom::Matrix2D& m)
{
    const double columns = std::max(std::hypot(m.m11, m.m12), std::hypot(m.m21, m.m22));
    return std::isfinite(columns) ? columns : 1.0;
}

QRectF normalisedRect(const render::RectF& rect)
{
    return QRectF(rect.x, rect.y, rect.width, rect.height).normalized();
}

std::vector<double> dashLengths(const render::Pen& pen)
{
    const QPen qpen = render::toQPen(pen);
    std::vector<double> lengths;
    if (qpen.style() == Qt::SolidLine) return lengths;
    const double unit = std::max(1.0, static_cast<double>(pen.width));
    for (const qreal length : qpen.dashPattern())
        lengths.push_back(length * unit);
    return lengths;
}

PictureCanvas::PictureCanvas(int width, int height) : m_width(width), m_height(height) {}

PictureCanvas::~PictureCanvas()
{
    close();
}

void PictureCanvas::close()
{
    m_surface.reset();
    m_painter.reset();
}

render::QtSurface& PictureCanvas::surface(const geom::Matrix2D& world,
                                          render::SmoothingMode smoothing)
{
    if (!m_surface) {
        ensureGuiApplication();
        m_canvas = QImage(m_width, m_height, QImage::Format_ARGB32_Premultiplied);
        m_canvas.setDotsPerMeterX(3780);
        m_canvas.setDotsPerMeterY(3780);
        m_canvas.fill(Qt::transparent);
        m_painter = std::make_unique<QPainter>(&m_canvas);
        m_surface = std::make_unique<render::QtSurface>(*m_painter);
    }
    m_surface->setWorldTransform(world);
    m_surface->setSmoothingMode(smoothing);
    return *m_surface;
}

std::optional<PaintedPiece> PictureCanvas::takePainted()
{
    // The smallest rectangle holding every pixel that is not fully transparent.
    int top = m_canvas.height(), bottom = -1, left = m_canvas.width(), right = -1;
    for (int y = 0; y < m_canvas.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(m_canvas.constScanLine(y));
        for (int x = 0; x < m_canvas.width(); ++x) {
            if (row[x] == 0) continue;
            top = std::min(top, y);
            bottom = y;
            left = std::min(left, x);
            right = std::max(right, x);
        }
    }
    if (bottom < 0) return std::nullopt;
    const QRect area(QPoint(left, top), QPoint(right, bottom));
    PaintedPiece piece{area, m_canvas.copy(area)};
    for (int y = area.top(); y <= area.bottom(); ++y)
        std::fill_n(reinterpret_cast<QRgb*>(m_canvas.scanLine(y)) + area.left(), area.width(),
                    QRgb{0});
    return piece;
}

void VectorState::setWorld(const geom::Matrix2D& matrix)
{
    m_world = matrix;
    const double decimals = m_pixelDecimals + std::ceil(std::log10(largestScale(m_world)));
    m_userDecimals = static_cast<int>(
        std::clamp(decimals, static_cast<double>(m_pixelDecimals), double{maxUserDecimals}));
}

void VectorState::multiplyWorld(const geom::Matrix2D& matrix, render::MatrixOrder order)
{
    setWorld(order == render::MatrixOrder::Prepend ? geom::Matrix2D::product(matrix, m_world)
                                                   : geom::Matrix2D::product(m_world, matrix));
}

render::ContainerState VectorState::beginContainer()
{
    m_containers.push_back({m_world, m_smoothing});
    return static_cast<render::ContainerState>(m_containers.size());
}

bool VectorState::endContainer(render::ContainerState state)
{
    if (state == 0 || state > m_containers.size()) return false;
    const Saved saved = m_containers[state - 1];
    m_containers.resize(state - 1);
    setWorld(saved.world);
    m_smoothing = saved.smoothing;
    return true;
}

} // namespace desktop
