// The FunctionSampler: sample positions and point lists of FUNCTION, FUNCTION3A and FUNCTION3D
// objects. Points are placed on the axes the object's projection type names, in axis units and
// before any projection to the device; the drawing code projects and maps them.
#pragma once

#include "expr/function_result_cache.h"
#include "geom/axis_mapping.h"
#include "geom/matrix2d.h"
#include "geom/point3d.h"
#include "model/plot_object.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace expr {

enum class DrawingType : std::int32_t { Lines = 0, Points = 1, LinesAndPoints = 2 };

// Samples along one axis: x[i] = i * step + from for i < count, in single precision.
struct AxisSamples {
    float from = 0;
    float step = 0;
    // trunc((to - from) / step) + 2; 0 when the step is 0 or runs against the range; infinite
    // when the quotient is (an infinite range, or a step too small for the range)
    double count = 0;

    bool operator==(const AxisSamples&) const = default;
};

// The samples of a range and step; the quotient is computed and truncated in single precision.
AxisSamples axisSamples(float from, float to, float step);

// What a function object's sub-objects ask for.
struct FunctionSampling {
    model::ObjectType type = model::ObjectType::Function;
    AxisSamples x;
    AxisSamples y; // FUNCTION3D only
    std::string expression;
    std::int32_t projectionType = 0;
    bool spectrum = false;                        // FUNCTION and FUNCTION3A: the third P1 is 1
    DrawingType drawingType = DrawingType::Lines; // FUNCTION3D only
    float pointSize = 3.0f;                       // FUNCTION3D only, device units

    bool operator==(const FunctionSampling&) const = default;
};

// Reads ranges, steps, expression and options; nothing for other object types or when a
// mandatory sub-object (P2, P1 and N of each axis) is missing.
std::optional<FunctionSampling> readFunctionSampling(const model::PlotObject& object);

// Samples a FUNCTION object: count points (x, value), or (value, x) for projection type 1.
std::vector<geom::Point2D> sampleFunction(FunctionResultCache& cache, std::int32_t figureId,
                                          const model::PlotObject& object);
// Points of a FUNCTION object, and whether every coordinate of them is finite.
struct FunctionPoints {
    std::vector<geom::Point2D> points;
    bool allFinite = true;
};

// The same points through the mapping of their axis system, mapped as they are made, and
// whether they are all finite, found on the way.
FunctionPoints sampleFunction(FunctionResultCache& cache, std::int32_t figureId,
                              const model::PlotObject& object, const geom::AxisMap& map);

// Samples a FUNCTION3A object: count 3D points placed by its projection type.
std::vector<geom::Point3D> sampleFunction3A(FunctionResultCache& cache, std::int32_t figureId,
                                            const model::PlotObject& object);

struct SurfacePoints {
    std::vector<geom::Point3D> points; // x-major: point k = i * ny + j
    std::int32_t nx = 0;
    std::int32_t ny = 0;
    DrawingType drawingType = DrawingType::Lines;
    float pointSize = 3.0f;

    bool operator==(const SurfacePoints&) const = default;
};

// Samples a FUNCTION3D object over its grid.
SurfacePoints sampleSurface(FunctionResultCache& cache, std::int32_t figureId,
                            const model::PlotObject& object);

// The messages for what the program refuses to sample: more samples, grid points or operand
// evaluations than the limits of model/limits.h, or an unbounded count (such an object draws
// nothing). Expression texts cut at the language's own limits are not reported. Empty for
// every other object.
std::vector<std::string> describeSampleLimits(const model::PlotObject& object);

} // namespace expr
