// The mesh scene: white, then each mesh object's wireframe through the fixed camera.
#include "mesh/mesh_scene.h"

#include "geom/mesh_camera.h"
#include "model/object_views.h"
#include "mesh/box_mesh.h"
#include "mesh/wireframe.h"
#include "scene/object_context.h"

#include <memory>
#include <optional>

namespace mesh {
namespace {

using model::ObjectType;

bool isShownMesh(const model::Figure& figure, const model::PlotObject& object)
{
    if (object.type != ObjectType::MeshF && object.type != ObjectType::MeshB) return false;
    if (object.hidden) return false;
    const std::int32_t frame = model::placementOf(object).frameId;
    return frame >= 0 && static_cast<std::size_t>(frame) < figure.frames.size() &&
           figure.frames[static_cast<std::size_t>(frame)].frameFlag != 0;
}

// The wireframe of a mesh object: its file's (kept between paints) or its box's (built anew).
std::shared_ptr<const WireFrame> objectWireFrame(const render::ObjectContext& context,
                                                 MeshCache& cache)
{
    if (context.object->type == ObjectType::MeshF) {
        const MeshFileResult& file = cache.meshFile(context.text);
        return file.wireFrame;
    }
    const render::Triple& size = context.numbers.tri;
    const std::optional<TriangleMesh> box = buildBox(size.x, size.y, size.value);
    if (!box) return nullptr;
    return std::make_shared<const WireFrame>(wireFrameOf(*box));
}

} // namespace

bool canCreateMeshScene(const model::Figure& figure)
{
    return geom::meshCamera(figure.clientWidth, figure.clientHeight).has_value();
}

void MeshScene::drawMeshes(const model::Figure& figure, std::span<const model::PlotObject> objects,
                           render::DrawingSurface& surface, const geom::LayerRect& area)
{
    const Viewport viewport{static_cast<float>(area.left), static_cast<float>(area.top),
                            static_cast<float>(static_cast<std::int64_t>(area.right) - area.left),
                            static_cast<float>(static_cast<std::int64_t>(area.bottom) - area.top)};
    surface.fillRectangle(render::SolidBrush{0xFFFFFFFF},
                          {viewport.left, viewport.top, viewport.width, viewport.height});
    const std::optional<geom::MeshCamera> camera =
        geom::meshCamera(area.right - area.left, area.bottom - area.top);
    if (!camera) return;
    const geom::Matrix4x4 viewProjection = camera->view * camera->projection;

    // Lines of one pixel without smoothing, as a hardware wireframe draws them.
    const render::ContainerState state = surface.beginContainer();
    surface.setSmoothingMode(render::SmoothingMode::HighSpeed);
    const render::DrawingArea drawing{area, figure.layers, figure.own2d};
    for (const model::PlotObject& object : objects) {
        if (!isShownMesh(figure, object)) continue;
        const render::ObjectContext context = render::resolveObjectContext(object, drawing, {});
        const std::shared_ptr<const WireFrame> wire = objectWireFrame(context, m_cache);
        if (!wire) continue;
        const geom::Matrix4x4 toClip =
            geom::meshGeometryMatrix(context.transform3D) * viewProjection;
        const render::Pen pen{context.pen.colour, 1, 0, std::nullopt};
        surface.drawLines(pen, projectWireFrame(*wire, toClip, viewport));
    }
    surface.endContainer(state);
}

} // namespace mesh
