// Conversion of pixel values to twips.
#include "swf/format/twips.h"

#include <cmath>
#include <limits>

namespace swf {

Twips twipsFromPixels(float pixels)
{
    const float scaled = pixels * static_cast<float>(twipsPerPixel);
    if (std::isnan(scaled)) return {0};
    if (scaled >= 2147483648.0f) return {std::numeric_limits<std::int32_t>::max()};
    if (scaled < -2147483648.0f) return {std::numeric_limits<std::int32_t>::min()};
    return {static_cast<std::int32_t>(scaled)};
}

TwipsRect twipsRectFromPixels(std::int32_t left, std::int32_t top, std::int32_t right,
                              std::int32_t bottom)
{
    const auto times20 = [](std::int32_t pixels) {
        const std::int64_t twips = static_cast<std::int64_t>(pixels) * twipsPerPixel;
        const std::int64_t limit = std::numeric_limits<std::int32_t>::max();
        return Twips{static_cast<std::int32_t>(twips > limit    ? limit
                                               : twips < -limit ? -limit
                                                                : twips)};
    };
    return {times20(left), times20(right), times20(top), times20(bottom)};
}

} // namespace swf
