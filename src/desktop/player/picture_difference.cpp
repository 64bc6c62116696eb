// Picture differences away from edges.
#include "desktop/player/picture_difference.h"

#include <algorithm>
#include <cstdlib>

namespace desktop {

namespace {

bool flatAround(const QImage& image, int x, int y, int reach)
{
    const QRgb centre = image.pixel(x, y);
    for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx)
            if (image.pixel(x + dx, y + dy) != centre) return false;
    return true;
}

int channelDifference(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

} // namespace

PictureDifference differenceOffEdges(const QImage& reference, const QImage& picture, int reach)
{
    const QImage first = reference.convertToFormat(QImage::Format_RGB32);
    const QImage second = picture.convertToFormat(QImage::Format_RGB32);
    const int width = std::min(first.width(), second.width());
    const int height = std::min(first.height(), second.height());
    PictureDifference result;
    for (int y = reach; y + reach < height; ++y)
        for (int x = reach; x + reach < width; ++x) {
            if (!flatAround(first, x, y, reach) || !flatAround(second, x, y, reach)) continue;
            ++result.compared;
            const int difference = channelDifference(first.pixel(x, y), second.pixel(x, y));
            if (difference > result.largest) result = {difference, x, y, result.compared};
        }
    return result;
}

} // namespace desktop
