// The draw pass: one figure's background, layer outlines and objects onto a drawing surface.
#pragma once

#include "expr/function_result_cache.h"
#include "geom/layer_rect.h"
#include "model/figure.h"
#include "render/mesh_pass.h"
#include "render/surface.h"

#include <optional>
#include <vector>

namespace render {

enum class DrawMode {
    Full = 0,         // the Direct3D pass, then the 2D pass
    Direct3DOnly = 1, // only the meshes of a figure made with DX
    TwoDOnly = 2,
};

// What a pass draws with besides the figure: function values from `functionCache` (the
// session's, so that a repaint does not evaluate unchanged functions again) and the meshes of a
// figure made with DX from `meshPass` (the session's mesh scene, which keeps loaded files between
// paints). Without a mesh pass such a figure is white where its meshes would be.
struct PassServices {
    expr::FunctionResultCache& functionCache;
    MeshPass* meshPass = nullptr;
};

// Draws `objects` (the figure's own when null) in `layers` (the figure's own when null) into
// `targetRect` (left, top, right, bottom; the figure's client area when not given): for a figure
// made with DX first its meshes on white (modes Full and Direct3DOnly), then the 2D pass (modes
// Full and TwoDOnly). Writes one thing into the figure: a background alpha of 0 becomes 0xFF.
void DrawFigure(model::Figure& figure, DrawingSurface& surface, const PassServices& services,
                const std::vector<model::PlotObject>* objects = nullptr,
                const std::vector<model::Layer>* layers = nullptr,
                std::optional<geom::LayerRect> targetRect = std::nullopt,
                DrawMode mode = DrawMode::Full);

// The same without a mesh pass.
void DrawFigure(model::Figure& figure, DrawingSurface& surface,
                expr::FunctionResultCache& functionCache,
                const std::vector<model::PlotObject>* objects = nullptr,
                const std::vector<model::Layer>* layers = nullptr,
                std::optional<geom::LayerRect> targetRect = std::nullopt,
                DrawMode mode = DrawMode::Full);

// The same with a function cache of its own for this one drawing and the given mesh pass, for
// pictures drawn once (exports).
void DrawFigure(model::Figure& figure, DrawingSurface& surface,
                const std::vector<model::PlotObject>* objects = nullptr,
                const std::vector<model::Layer>* layers = nullptr,
                std::optional<geom::LayerRect> targetRect = std::nullopt,
                DrawMode mode = DrawMode::Full, MeshPass* meshPass = nullptr);

} // namespace render
