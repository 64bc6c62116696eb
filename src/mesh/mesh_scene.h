// The mesh scene of figures made with DX: their MESHF and MESHB objects drawn as wireframes on
// white through the fixed camera, before the figure's 2D drawing.
#pragma once

#include "mesh/mesh_cache.h"
#include "render/mesh_pass.h"

#include <cstdint>

namespace mesh {

// Whether a figure can be made a DX figure: the camera needs a client area with an aspect
// ratio, so both sides must be positive.
bool canCreateMeshScene(const model::Figure& figure);

class MeshScene : public render::MeshPass {
public:
    // Clears the area to white, then draws every shown MESHF and MESHB object among `objects`
    // in drawing order: its mesh (the file named by N, or the box of P3 width, height and
    // depth) scaled, turned and moved by its 3DTRANSFORM, seen through the camera made for the
    // area's size, as one-pixel lines in the colour of its PEN (black without one). Hidden
    // objects, objects of frames not shown and meshes that cannot be loaded or built draw
    // nothing.
    void drawMeshes(const model::Figure& figure, std::span<const model::PlotObject> objects,
                    render::DrawingSurface& surface, const geom::LayerRect& area) override;

    // The loaded mesh files, kept while they are unchanged.
    MeshCache& cache() { return m_cache; }

private:
    MeshCache m_cache;
};

} // namespace mesh
