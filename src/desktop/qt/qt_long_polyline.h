// Long polylines on pixel devices. Qt strokes a wide polyline as one outline and fills it with a
// general rasterizer whose time grows steeply with the number of edges: a million points take
// seconds. So a long polyline is drawn another way, and every one of its points is drawn:
// - the thinnest lines (a width of at most one pixel) in one call, with Qt's own fast stroker;
// - wide antialiased lines through their exact coverage (polylineCoverage), painted with the
//   pen's brush;
// - what remains (aliased or dashed wide lines) in pieces that overlap by one segment, so that
//   every join is drawn and dashes continue where the piece before stopped; a translucent line
//   so drawn goes opaque onto a layer of its own, which is then laid over with its alpha.
#pragma once

#include "geom/matrix2d.h"
#include "render/coverage_cache.h"
#include "render/polyline_simplification.h"
#include "scene/style.h"

#include <QPainter>
#include <QPointF>

#include <optional>
#include <span>
#include <vector>

namespace render {

// Polylines with more points than this are long; pieces have this many segments.
inline constexpr std::size_t polylinePiece = 1024;

bool isLongPolyline(std::size_t count);

// Wide antialiased lines of up to this many points are drawn by their exact coverage even while
// the user works: computed over the device alone, a million points take about 15 ms on two
// cores, within the 33 ms a step may take.
inline constexpr std::size_t exactWhileWorking = 1'500'000;

// How a window draws its long polylines: coverage kept from paint to paint in `cache`, and,
// while the user works, the points a viewer can tell apart where the cache has nothing (for
// wide antialiased lines, only those longer than exactWhileWorking). A line so drawn by its
// coverage is added to `approximated`, so that its exact coverage can be computed away from
// the paint. While the user works, a wide antialiased line the cache does not have is covered
// over the device alone and added to `widened`, so that its coverage with a margin for later
// moves can be computed away from the paint too.
struct LongPolylineOptions {
    CoverageCache* cache = nullptr;
    std::optional<SimplificationTolerance> simplification;
    std::vector<CoverageRequest>* approximated = nullptr;
    std::vector<CoverageRequest>* widened = nullptr;
};

enum class Fidelity { Exact, Approximate };

// Draws the polyline through `points` (user coordinates, all finite) with the painter's pen,
// which was made from `pen`; Approximate when fewer points were drawn.
Fidelity drawLongPolyline(QPainter& painter, const Pen& pen, std::span<const geom::Point2D> points,
                          const LongPolylineOptions& options = {});

} // namespace render
