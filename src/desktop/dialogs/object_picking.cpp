// Picking an object by drawing candidates around a point.
#include "desktop/dialogs/object_picking.h"

#include "desktop/qt/qt_surface.h"
#include "figure/object_form.h"
#include "render/draw_pass.h"

#include <QImage>
#include <QPainter>

namespace desktop {
namespace {

// The pixels around the point, with `objects` drawn by the draw pass over a blank figure.
QImage pictureAround(lang::Session& session, model::Figure& figure,
                     const std::vector<model::PlotObject>& objects, int x, int y, int tolerance)
{
    const int side = 2 * tolerance + 1;
    QImage picture(side, side, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.translate(tolerance - x, tolerance - y);
    render::QtSurface surface(painter);
    // The background is the same with and without the candidate; white makes it plainer.
    model::Figure plain = figure::figureLook(figure);
    plain.backgroundColour = 0xFFFFFFFF;
    render::DrawFigure(plain, surface, session.passServices(), &objects, &figure.layers,
                       std::nullopt, render::DrawMode::TwoDOnly);
    return picture;
}

} // namespace

std::optional<std::size_t> objectAt(lang::Session& session, model::Figure& figure, int x, int y,
                                    int tolerance)
{
    for (std::size_t i = figure.objects.size(); i-- > 0;) {
        const model::PlotObject& candidate = figure.objects[i];
        if (candidate.hidden) continue;
        std::vector<model::PlotObject> axes;
        for (std::size_t j = 0; j < i; ++j)
            if (figure.objects[j].type == model::ObjectType::Axis)
                axes.push_back(figure.objects[j]);
        const QImage without = pictureAround(session, figure, axes, x, y, tolerance);
        axes.push_back(candidate);
        if (pictureAround(session, figure, axes, x, y, tolerance) != without) return i;
    }
    return std::nullopt;
}

} // namespace desktop
