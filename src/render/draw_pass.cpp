// The draw pass: set-up, then one loop that resolves each object once and calls its branch.
//
// Sections: set-up · resolving an object · drawing by type · the pass
#include "render/draw_pass.h"

#include "model/object_views.h"
#include "render/axis_drawing.h"
#include "render/chart_drawing.h"
#include "render/function_drawing.h"
#include "render/image_drawing.h"
#include "scene/object_context.h"
#include "scene/object_walk.h"
#include "scene/object_styles.h"
#include "render/projected_drawing.h"
#include "render/shape_drawing.h"
#include "render/text_drawing.h"

namespace render {
namespace {

using model::ObjectType;

struct PassInput {
    model::Figure& figure;
    DrawingSurface& surface;
    const std::vector<model::PlotObject>& objects;
    const std::vector<model::Layer>& layers;
    geom::LayerRect area; // the drawing area (left, top, right, bottom)
    expr::FunctionResultCache& functionCache;
};

// --- set-up -------------------------------------------------------------------------------------

RectF rectFromEdges(const geom::LayerRect& r)
{
    return {static_cast<float>(r.left), static_cast<float>(r.top),
            static_cast<float>(static_cast<std::int64_t>(r.right) - r.left),
            static_cast<float>(static_cast<std::int64_t>(r.bottom) - r.top)};
}

// The platform fill reads the low 24 bits as 0x00BBGGRR and is always opaque; the surface fill
// over it uses the background as ARGB, so a translucent background shows both.
void paintBackground(const PassInput& pass)
{
    model::Figure& figure = pass.figure;
    const std::uint32_t low = figure.backgroundColour & 0x00FFFFFFu;
    const std::uint32_t platformColour =
        0xFF000000u | (low & 0xFFu) << 16 | (low & 0xFF00u) | (low >> 16);
    pass.surface.fillRectangle(SolidBrush{platformColour}, rectFromEdges(pass.area));
    figure.backgroundColour = penColour(figure.backgroundColour);
    pass.surface.fillRectangle(
        SolidBrush{figure.backgroundColour},
        RectF{0, 0, static_cast<float>(pass.area.right), static_cast<float>(pass.area.bottom)});
}

void setSmoothing(DrawingSurface& surface, std::int32_t quality)
{
    switch (quality) {
    case 0:
        surface.setSmoothingMode(SmoothingMode::HighSpeed);
        break;
    case 1:
        surface.setSmoothingMode(SmoothingMode::HighQuality);
        break;
    case 2:
        if (!surface.setSmoothingMode(SmoothingMode::AntiAlias8x4))
            surface.setSmoothingMode(SmoothingMode::HighQuality);
        break;
    default:
        break; // no other quality can be chosen; the surface keeps its mode
    }
}

void drawLayerOutlines(const PassInput& pass)
{
    const Pen pen{pass.figure.backgroundColour ^ 0x00FFFFFFu, 1.0f,
                  static_cast<std::int32_t>(DashStyle::Dot), std::nullopt};
    for (const model::Layer& layer : pass.layers) {
        const geom::LayerRect r = geom::layerRectangle(layer, pass.area.right, pass.area.bottom);
        pass.surface.drawRectangle(pen, RectF{static_cast<float>(r.left), static_cast<float>(r.top),
                                              static_cast<float>(r.right),
                                              static_cast<float>(r.bottom)});
    }
}

// --- resolving an object ------------------------------------------------------------------------

// Step 11: a container with the object's own transform, when it has one.
std::optional<ContainerState> beginObjectTransform(const PassInput& pass,
                                                   const model::PlotObject& object,
                                                   const ObjectContext& context)
{
    if (!pass.figure.own2d) {
        const std::optional<geom::Matrix2D> matrix = model::transformMatrixOf(object);
        if (!matrix) return std::nullopt;
        const ContainerState state = pass.surface.beginContainer();
        pass.surface.setWorldTransform(pass.figure.viewTransform);
        pass.surface.multiplyWorldTransform(*matrix, MatrixOrder::Prepend);
        return state;
    }
    if (!model::findSubObject(object, model::SubObjectKind::Transform, 0)) return std::nullopt;
    const ContainerState state = pass.surface.beginContainer();
    pass.surface.scaleWorldTransform(context.own2d->sx, context.own2d->sy, MatrixOrder::Prepend);
    return state;
}

// --- drawing by type ----------------------------------------------------------------------------

void drawByType(DrawingSurface& surface, const ObjectContext& context, FunctionValues functions)
{
    const model::PlotObject& object = *context.object;
    switch (object.type) {
    case ObjectType::Rectangle:
        drawRectangleObject(surface, context);
        break;
    case ObjectType::Ellipse:
        drawEllipseObject(surface, context);
        break;
    case ObjectType::Arc:
        drawArcObject(surface, context);
        break;
    case ObjectType::Pie:
        drawPieObject(surface, context);
        break;
    case ObjectType::Point:
        drawPointObject(surface, context);
        break;
    case ObjectType::Text:
        drawTextObject(surface, context);
        break;
    case ObjectType::Poly:
        drawPolyObject(surface, context);
        break;
    case ObjectType::Image:
        drawImageObject(surface, context);
        break;
    case ObjectType::Bezier:
        drawBezierObject(surface, context);
        break;
    case ObjectType::OCurve:
        drawOpenCurveObject(surface, context);
        break;
    case ObjectType::CCurve:
        drawClosedCurveObject(surface, context);
        break;
    case ObjectType::Curve:
        drawCurveObject(surface, context);
        break;
    case ObjectType::Axis: // registers itself, so that the objects after it are mapped into it
        drawAxisObject(surface, context);
        break;
    case ObjectType::Function:
    case ObjectType::Function3A:
        drawFunctionObject(surface, context, functions);
        break;
    case ObjectType::Function3D:
        drawSurfaceObject(surface, context, functions);
        break;
    case ObjectType::Chart:
        drawChartObject(surface, context);
        break;
    case ObjectType::Point3:
        drawPoint3Object(surface, context);
        break;
    case ObjectType::Poly3:
        drawPoly3Object(surface, context);
        break;
    case ObjectType::Bezier3:
        drawBezier3Object(surface, context);
        break;
    case ObjectType::OCurve3:
        drawOpenCurve3Object(surface, context);
        break;
    case ObjectType::CCurve3:
        drawClosedCurve3Object(surface, context);
        break;
    case ObjectType::Curve3:
        drawCurve3Object(surface, context);
        break;
    case ObjectType::Poly4:
        drawPoly4Object(surface, context);
        break;

    // Nothing in the 2D pass: meshes belong to the Direct3D pass, the rest draw nothing at all.
    case ObjectType::Mesh:
    case ObjectType::MeshF:
    case ObjectType::MeshB:
    case ObjectType::Tetrahedron:
    case ObjectType::Cube:
    case ObjectType::Chart3:
    case ObjectType::Null:
    case ObjectType::None:
        break;
    }
}

// --- the pass -----------------------------------------------------------------------------------

// The meshes of a figure made with DX, on white; only the white without a mesh pass.
void drawMeshes(const PassInput& pass, MeshPass* meshPass)
{
    if (meshPass) {
        meshPass->drawMeshes(pass.figure, pass.objects, pass.surface, pass.area);
        return;
    }
    pass.surface.fillRectangle(SolidBrush{0xFFFFFFFF}, rectFromEdges(pass.area));
}

void drawTwoD(const PassInput& pass)
{
    model::Figure& figure = pass.figure;
    DrawingSurface& surface = pass.surface;
    if (!figure.hasDirect3D) paintBackground(pass);
    setSmoothing(surface, figure.quality);
    if (!figure.own2d) surface.setWorldTransform(figure.viewTransform);
    if (figure.showLayers) drawLayerOutlines(pass);

    const FunctionValues functions{pass.functionCache, static_cast<std::int32_t>(figure.id)};
    walkObjects(figure, pass.objects, {pass.area, pass.layers, figure.own2d},
                FrameFilter::ShownFrames,
                [&](const ObjectContext& context, std::span<const AxisRecord>) {
                    const std::optional<ContainerState> container =
                        beginObjectTransform(pass, *context.object, context);
                    drawByType(surface, context, functions);
                    if (container) surface.endContainer(*container);
                    return WalkStep::Continue;
                });
}

} // namespace

void DrawFigure(model::Figure& figure, DrawingSurface& surface, const PassServices& services,
                const std::vector<model::PlotObject>* objects,
                const std::vector<model::Layer>* layers, std::optional<geom::LayerRect> targetRect,
                DrawMode mode)
{
    const PassInput pass{
        figure,
        surface,
        objects ? *objects : figure.objects,
        layers ? *layers : figure.layers,
        targetRect.value_or(geom::LayerRect{0, 0, figure.clientWidth, figure.clientHeight}),
        services.functionCache};
    if (figure.hasDirect3D && mode != DrawMode::TwoDOnly) drawMeshes(pass, services.meshPass);
    if (mode != DrawMode::Direct3DOnly) drawTwoD(pass);
}

void DrawFigure(model::Figure& figure, DrawingSurface& surface,
                expr::FunctionResultCache& functionCache,
                const std::vector<model::PlotObject>* objects,
                const std::vector<model::Layer>* layers, std::optional<geom::LayerRect> targetRect,
                DrawMode mode)
{
    DrawFigure(figure, surface, PassServices{functionCache, nullptr}, objects, layers, targetRect,
               mode);
}

void DrawFigure(model::Figure& figure, DrawingSurface& surface,
                const std::vector<model::PlotObject>* objects,
                const std::vector<model::Layer>* layers, std::optional<geom::LayerRect> targetRect,
                DrawMode mode, MeshPass* meshPass)
{
    expr::FunctionResultCache passCache;
    DrawFigure(figure, surface, PassServices{passCache, meshPass}, objects, layers, targetRect,
               mode);
}

} // namespace render
