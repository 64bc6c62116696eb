// Conversion of the style values to Qt pens and brushes.
#include "desktop/qt/qt_styles.h"

#include "scene/gradient_geometry.h"
#include "scene/hatch_patterns.h"

#include <QImage>
#include <QLinearGradient>
#include <QList>
#include <QTransform>

namespace render {
namespace {

QBrush hatchBrush(const HatchBrush& hatch, const HatchBitmap& bitmap)
{
    QImage tile(8, 8, QImage::Format_ARGB32_Premultiplied);
    const QRgb foreground = qPremultiply(hatch.foreground);
    const QRgb background = qPremultiply(hatch.background);
    for (int row = 0; row < 8; ++row)
        for (int column = 0; column < 8; ++column)
            tile.setPixel(column, row,
                          (bitmap[static_cast<std::size_t>(row)] & (0x80 >> column)) ? foreground
                                                                                     : background);
    return QBrush(tile);
}

QBrush gradientBrush(const LinearGradientBrush& gradient)
{
    QLinearGradient qgradient;
    if (gradient.transform) {
        // Horizontal across the rectangle, then moved by the matrix.
        const RectF& r = gradient.rect;
        qgradient.setStart(r.x, r.y + r.height / 2);
        qgradient.setFinalStop(r.x + r.width, r.y + r.height / 2);
    } else {
        const GradientLine line = gradientLine(gradient.rect, gradient.angle);
        qgradient.setStart(line.start.x, line.start.y);
        qgradient.setFinalStop(line.end.x, line.end.y);
    }
    qgradient.setColorAt(0, toQColor(gradient.colour1));
    qgradient.setColorAt(1, toQColor(gradient.colour2));
    qgradient.setSpread(QGradient::RepeatSpread);
    QBrush brush(qgradient);
    if (gradient.transform) {
        const geom::Matrix2D& m = *gradient.transform;
        brush.setTransform(QTransform(m.m11, m.m12, m.m21, m.m22, m.dx, m.dy));
    }
    return brush;
}

QList<qreal> dashPattern(std::int32_t dashStyle)
{
    switch (static_cast<DashStyle>(dashStyle)) {
    case DashStyle::Dash:
        return {3, 1};
    case DashStyle::Dot:
        return {1, 1};
    case DashStyle::DashDot:
        return {3, 1, 1, 1};
    case DashStyle::DashDotDot:
        return {3, 1, 1, 1, 1, 1};
    case DashStyle::Solid:
        break;
    }
    return {};
}

} // namespace

QColor toQColor(std::uint32_t argb)
{
    return QColor::fromRgba(argb);
}

std::optional<QBrush> toQBrush(const Brush& brush)
{
    if (const auto* solid = std::get_if<SolidBrush>(&brush)) return QBrush(toQColor(solid->colour));
    if (const auto* hatch = std::get_if<HatchBrush>(&brush)) {
        const std::optional<HatchBitmap> bitmap = hatchPattern(hatch->style);
        if (!bitmap) return std::nullopt;
        return hatchBrush(*hatch, *bitmap);
    }
    return gradientBrush(std::get<LinearGradientBrush>(brush));
}

QPen toQPen(const Pen& pen)
{
    std::optional<QBrush> fill;
    if (pen.fill) fill = toQBrush(*pen.fill);
    QPen qpen(fill ? *fill : QBrush(toQColor(pen.colour)), pen.width > 0 ? pen.width : 0.0,
              Qt::SolidLine, pen.ends == LineEnds::Round ? Qt::RoundCap : Qt::FlatCap,
              pen.ends == LineEnds::Round ? Qt::RoundJoin : Qt::MiterJoin);
    const QList<qreal> pattern = dashPattern(pen.dashStyle);
    if (!pattern.isEmpty()) qpen.setDashPattern(pattern);
    return qpen;
}

} // namespace render
