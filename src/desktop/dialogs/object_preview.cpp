// The dialogs' live preview.
#include "desktop/dialogs/object_preview.h"

#include "desktop/qt/qt_surface.h"
#include "figure/object_form.h"
#include "render/draw_pass.h"

#include <QPainter>

namespace desktop {

ObjectPreview::ObjectPreview(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(200, 200);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ObjectPreview::showObjects(const model::Figure* figure, std::vector<model::PlotObject> objects,
                                std::vector<model::Layer> layers, bool showLayers)
{
    m_figure = figure ? figure::figureLook(*figure) : model::Figure();
    if (m_figure.frames.empty()) m_figure.frames.push_back({0, 1, 1, 0});
    m_figure.showLayers = showLayers;
    m_objects = std::move(objects);
    m_layers = std::move(layers);
    update();
}

void ObjectPreview::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    const int width = std::max(m_figure.clientWidth, 1);
    const int height = std::max(m_figure.clientHeight, 1);
    // The figure at its own size, scaled down (never up) to fit, keeping its proportions.
    const qreal scale =
        std::min({1.0, qreal(this->width()) / width, qreal(this->height()) / height});
    painter.translate((this->width() - width * scale) / 2, (this->height() - height * scale) / 2);
    painter.scale(scale, scale);
    painter.fillRect(QRect(0, 0, width, height), Qt::white);
    render::QtSurface surface(painter);
    render::DrawFigure(m_figure, surface, {m_cache, &m_meshes}, &m_objects, &m_layers);
}

} // namespace desktop
