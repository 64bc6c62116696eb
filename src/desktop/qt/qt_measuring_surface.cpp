// The text-measuring surface of movie exports.
#include "desktop/qt/qt_measuring_surface.h"

namespace swf {

namespace {

constexpr int dotsPerMetre = 3780; // 96 dots per inch, as figure pictures are drawn

QImage measuringImage()
{
    QImage image(1, 1, QImage::Format_ARGB32_Premultiplied);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    return image;
}

} // namespace

QtMeasuringSurface::QtMeasuringSurface()
    : m_image(measuringImage()), m_painter(&m_image), m_surface(m_painter)
{
}

} // namespace swf
