// The arithmetic of printing a figure: the paper size in 1/120 inch from the printer's page and
// resolution, the texts of the Print Options dialog, the rectangle the figure is drawn into and
// how that rectangle's units map to printer pixels.
#pragma once

#include "geom/layer_rect.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace figure {

inline constexpr std::string_view printJobName = "Kelvo Plot Figure";

// Units of the paper size: 120 to the inch.
inline constexpr std::int32_t paperUnitsPerInch = 120;
// Screen pixels per inch, the unit of a figure printed 1:1.
inline constexpr std::int32_t screenPixelsPerInch = 96;

struct PaperSize {
    std::uint32_t width = 0, height = 0; // 1/120 inch
    bool operator==(const PaperSize&) const = default;
};

// number × numerator / denominator, rounded to the nearest integer (halves away from zero), in
// 64 bits; nothing when the denominator is 0 or the result does not fit 32 bits.
std::optional<std::int32_t> mulDiv(std::int32_t number, std::int32_t numerator,
                                   std::int32_t denominator);

// The page of physicalWidth × physicalHeight printer pixels at dpiX × dpiY dots per inch, in
// 1/120 inch: physical × 1440 / dpi (rounded), then / 12 (truncated). Nothing for a resolution
// of 0 or a negative result.
std::optional<PaperSize> paperSizeOf(std::int32_t physicalWidth, std::int32_t physicalHeight,
                                      std::int32_t dpiX, std::int32_t dpiY);

// "%ux%u": the paper size and the client size as the Print Options dialog shows them.
std::string sizeText(std::uint32_t width, std::uint32_t height);

enum class PrintArea { PaperSize, OneToOne };
enum class PrintData { Default, RawBitmap };

struct PrintOptions {
    PrintArea area = PrintArea::PaperSize;
    PrintData data = PrintData::Default;
    bool operator==(const PrintOptions&) const = default;
};

// The rectangle the draw pass fills: the paper (0, 0, width, height) in 1/120 inch, or the
// figure's client rectangle in screen pixels for 1:1.
geom::LayerRect printRectangle(PrintArea area, PaperSize paper, std::int32_t clientWidth,
                               std::int32_t clientHeight);

// Printer pixels per unit of the print rectangle on a printer of `printerDpi`: the paper's
// 1/120 inch, or a screen pixel of 1/96 inch for 1:1, so both come out at their true size.
double printScale(PrintArea area, double printerDpi);

} // namespace figure
