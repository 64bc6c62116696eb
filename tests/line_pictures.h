// Pictures of one polyline: drawn by QtSurface, and by Qt's own painter in one piece as the
// reference, with how much the two differ.
#pragma once

#include "desktop/qt/qt_styles.h"
#include "desktop/qt/qt_surface.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstdlib>
#include <span>
#include <vector>

namespace testing_support {

inline QImage whitePicture(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    return image;
}

// The polyline drawn through QtSurface with antialiasing under `transform`.
inline QImage surfacePicture(std::span<const render::Point2D> points, const render::Pen& pen,
                             const QTransform& transform, int size)
{
    QImage image = whitePicture(size);
    QPainter painter(&image);
    painter.setTransform(transform);
    render::QtSurface surface(painter);
    surface.setSmoothingMode(render::SmoothingMode::HighQuality);
    surface.drawPolyline(pen, points);
    return image;
}

// The same line as Qt draws it in one call, half a pixel in as the surface draws lines.
inline QImage qtPicture(std::span<const render::Point2D> points, const render::Pen& pen,
                        const QTransform& transform, int size)
{
    QImage image = whitePicture(size);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setTransform(transform * QTransform::fromTranslate(0.5, 0.5));
    painter.setPen(render::toQPen(pen));
    std::vector<QPointF> qpoints;
    for (const render::Point2D& p : points)
        qpoints.emplace_back(p.x, p.y);
    painter.drawPolyline(qpoints.data(), static_cast<int>(qpoints.size()));
    return image;
}

struct PictureDifference {
    int inked = 0;   // pixels the reference changed
    int largest = 0; // the largest difference of a colour channel
};

inline PictureDifference pictureDifference(const QImage& drawn, const QImage& reference)
{
    PictureDifference d;
    for (int y = 0; y < reference.height(); ++y)
        for (int x = 0; x < reference.width(); ++x) {
            const QRgb a = drawn.pixel(x, y), b = reference.pixel(x, y);
            d.inked += b != 0xFFFFFFFF ? 1 : 0;
            for (const int shift : {0, 8, 16})
                d.largest = std::max(d.largest,
                                     std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)));
        }
    return d;
}

} // namespace testing_support
