// Paper sizes and print rectangles.
#include "figure/print_layout.h"

#include <algorithm>
#include <cstdio>
#include <limits>

namespace figure {

std::optional<std::int32_t> mulDiv(std::int32_t number, std::int32_t numerator,
                                   std::int32_t denominator)
{
    if (denominator == 0) return std::nullopt;
    const std::int64_t product = std::int64_t{number} * numerator;
    const std::int64_t half = (denominator < 0 ? -std::int64_t{denominator} : denominator) / 2;
    const bool negative = (product < 0) != (denominator < 0);
    const std::int64_t magnitude = (product < 0 ? -product : product) + half;
    const std::int64_t divisor = denominator < 0 ? -std::int64_t{denominator} : denominator;
    const std::int64_t result = (negative ? -1 : 1) * (magnitude / divisor);
    if (result > std::numeric_limits<std::int32_t>::max() ||
        result < std::numeric_limits<std::int32_t>::min())
        return std::nullopt;
    return static_cast<std::int32_t>(result);
}

std::optional<PaperSize> paperSizeOf(std::int32_t physicalWidth, std::int32_t physicalHeight,
                                      std::int32_t dpiX, std::int32_t dpiY)
{
    const std::optional<std::int32_t> width = mulDiv(physicalWidth, 1440, dpiX);
    const std::optional<std::int32_t> height = mulDiv(physicalHeight, 1440, dpiY);
    if (!width || !height || *width < 0 || *height < 0) return std::nullopt;
    return PaperSize{static_cast<std::uint32_t>(*width / 12), static_cast<std::uint32_t>(*height / 12)};
}

std::string sizeText(std::uint32_t width, std::uint32_t height)
{
    char text[32];
    std::snprintf(text, sizeof text, "%ux%u", width, height);
    return text;
}

geom::LayerRect printRectangle(PrintArea area, PaperSize paper, std::int32_t clientWidth,
                               std::int32_t clientHeight)
{
    if (area == PrintArea::OneToOne) return {0, 0, clientWidth, clientHeight};
    const auto side = [](std::uint32_t value) {
        return static_cast<std::int32_t>(
            std::min<std::uint32_t>(value, std::numeric_limits<std::int32_t>::max()));
    };
    return {0, 0, side(paper.width), side(paper.height)};
}

double printScale(PrintArea area, double printerDpi)
{
    return printerDpi / (area == PrintArea::OneToOne ? screenPixelsPerInch : paperUnitsPerInch);
}

} // namespace figure
