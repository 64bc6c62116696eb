// Pens and brushes as QPainter paints them, with the meanings the command language gives them:
// flat caps and the five dash patterns in units of the pen's width, width 0 as the thinnest
// line, hatches as 8 x 8 bitmaps, gradients by angle or matrix repeating beyond their rectangle.
#pragma once

#include "scene/style.h"

#include <QBrush>
#include <QColor>
#include <QPen>

#include <optional>

namespace render {

QColor toQColor(std::uint32_t argb);

// None for a hatch style the surface does not have.
std::optional<QBrush> toQBrush(const Brush& brush);

// A pen with a fill that cannot be made is painted in the pen's colour; a dash style outside
// 0 to 4 draws solid; a negative width draws the thinnest line.
QPen toQPen(const Pen& pen);

} // namespace render
