// Tool cursors: 32 x 32 pictures drawn with QPainter, black with a white outline.
#include "desktop/figure_window/tool_cursors.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace desktop {

namespace {

using figure::Tool;

constexpr int side = 32;

void drawCross(QPainterPath& path)
{
    path.moveTo(16, 2);
    path.lineTo(16, 30);
    path.moveTo(2, 16);
    path.lineTo(30, 16);
}

void drawArrowHead(QPainterPath& path, QPointF tip, QPointF back)
{
    const QPointF along = (tip - back) / 3.0;
    const QPointF across(-along.y(), along.x());
    path.moveTo(tip - along + across);
    path.lineTo(tip);
    path.lineTo(tip - along - across);
}

void drawFourArrows(QPainterPath& path)
{
    drawCross(path);
    const QPointF centre(16, 16);
    for (const QPointF tip : {QPointF(16, 2), QPointF(16, 30), QPointF(2, 16), QPointF(30, 16)})
        drawArrowHead(path, tip, (tip + centre) / 2);
}

void drawTurn(QPainterPath& path)
{
    path.arcMoveTo(5, 5, 22, 22, 120);
    path.arcTo(5, 5, 22, 22, 120, 270);
    const QPointF end = path.currentPosition();
    drawArrowHead(path, end, end + QPointF(-5, -3));
}

void drawMagnifier(QPainterPath& path)
{
    path.addEllipse(4, 4, 16, 16);
    path.moveTo(18, 18);
    path.lineTo(29, 29);
    path.moveTo(8, 12);
    path.lineTo(16, 12);
    path.moveTo(12, 8);
    path.lineTo(12, 16);
}

void drawRingedPoint(QPainterPath& path)
{
    drawCross(path);
    path.addEllipse(9, 9, 14, 14);
}

void drawCube(QPainterPath& path)
{
    path.addRect(20, 22, 7, 7);
    path.moveTo(20, 22);
    path.lineTo(23, 19);
    path.lineTo(30, 19);
    path.lineTo(27, 22);
    path.moveTo(30, 19);
    path.lineTo(30, 26);
    path.lineTo(27, 29);
}

QPainterPath shapeOf(Tool tool)
{
    QPainterPath path;
    switch (tool) {
    case Tool::Cross:
        drawCross(path);
        break;
    case Tool::Origin:
        drawRingedPoint(path);
        break;
    case Tool::Move2D:
    case Tool::Move3D:
        drawFourArrows(path);
        break;
    case Tool::Rotate2D:
    case Tool::Rotate3D:
        drawTurn(path);
        break;
    case Tool::Scale2D:
    case Tool::Scale3D:
        drawMagnifier(path);
        break;
    }
    if (tool == Tool::Move3D || tool == Tool::Rotate3D || tool == Tool::Scale3D) drawCube(path);
    return path;
}

QPoint hotSpotOf(Tool tool)
{
    if (tool == Tool::Scale2D || tool == Tool::Scale3D) return {12, 12};
    return {16, 16};
}

} // namespace

QCursor toolCursor(Tool tool)
{
    QPixmap picture(side, side);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPainterPath path = shapeOf(tool);
    painter.strokePath(path, QPen(Qt::white, 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.strokePath(path, QPen(Qt::black, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.end();
    const QPoint hotSpot = hotSpotOf(tool);
    return QCursor(picture, hotSpot.x(), hotSpot.y());
}

} // namespace desktop
