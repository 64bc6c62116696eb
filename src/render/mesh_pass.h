// What the draw pass asks of the mesh scene of figures made with DX. The scene is built on the
// drawing layer, so the pass knows it only through this interface; the session owns the scene.
#pragma once

#include "geom/layer_rect.h"
#include "model/figure.h"
#include "render/surface.h"

#include <span>

namespace render {

class MeshPass {
public:
    virtual ~MeshPass() = default;

    // Clears `area` (left, top, right, bottom) to white and draws the shown mesh objects among
    // `objects` into it.
    virtual void drawMeshes(const model::Figure& figure, std::span<const model::PlotObject> objects,
                            DrawingSurface& surface, const geom::LayerRect& area) = 0;
};

} // namespace render
