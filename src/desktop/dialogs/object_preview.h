// The live preview of the dialogs: a figure's settings and a list of objects, drawn by the same
// draw pass as the figure windows, scaled to the preview's size.
#pragma once

#include "expr/function_result_cache.h"
#include "mesh/mesh_scene.h"
#include "model/figure.h"

#include <QWidget>

#include <vector>

namespace desktop {

class ObjectPreview : public QWidget {
    Q_OBJECT

public:
    explicit ObjectPreview(QWidget* parent = nullptr);

    // Draws `objects` in `layers` with the look of `figure` (a blank figure when null).
    void showObjects(const model::Figure* figure, std::vector<model::PlotObject> objects,
                     std::vector<model::Layer> layers, bool showLayers = false);
    const std::vector<model::PlotObject>& objects() const { return m_objects; }

    QSize sizeHint() const override { return {320, 320}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    model::Figure m_figure; // settings only: size, background, own2d, frames
    std::vector<model::PlotObject> m_objects;
    std::vector<model::Layer> m_layers;
    expr::FunctionResultCache m_cache; // the preview's own, so figures' caches stay as they are
    mesh::MeshScene m_meshes;          // the meshes of a DX figure's preview
};

} // namespace desktop
