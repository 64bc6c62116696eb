// Reading function objects, sampling them and placing their points; the limits that keep
// sampling bounded.
//
// Sections: reading · limits · FUNCTION and FUNCTION3A · FUNCTION3D · limit messages
#include "expr/sampler.h"
#include "model/argument_text.h"

#include "expr/expression.h"
#include "expr/sample_evaluation.h"
#include "expr/spectrum.h"
#include "model/limits.h"

#include <cassert>
#include <cmath>
#include <cstdio>
#include <limits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace expr {
namespace {

using model::ObjectType;
using model::SubObjectKind;

// --- reading ------------------------------------------------------------------------------------

// Argument `index` of the occurrence-th sub-object of `kind` as a number; 0 when it is missing.
float argument(const model::PlotObject& object, SubObjectKind kind, int occurrence,
               std::size_t index, float missing = 0.0f)
{
    const model::SubObject* sub = model::findSubObject(object, kind, occurrence);
    if (!sub) return missing;
    return index < sub->arguments.size() ? model::parseNumber(sub->arguments[index]) : 0.0f;
}

std::int32_t option(const model::PlotObject& object, int occurrence)
{
    return model::truncateToInt32(argument(object, SubObjectKind::P1, occurrence, 0));
}

bool has(const model::PlotObject& object, SubObjectKind kind, int occurrence)
{
    return model::findSubObject(object, kind, occurrence) != nullptr;
}

AxisSamples readAxis(const model::PlotObject& object, int occurrence)
{
    return axisSamples(argument(object, SubObjectKind::P2, occurrence, 0),
                       argument(object, SubObjectKind::P2, occurrence, 1),
                       argument(object, SubObjectKind::P1, occurrence, 0));
}

// --- limits -------------------------------------------------------------------------------------

std::int64_t wholeCount(const AxisSamples& axis)
{
    return static_cast<std::int64_t>(axis.count);
}

bool isSurface(const FunctionSampling& sampling)
{
    return sampling.type == ObjectType::Function3D;
}

double pointCount(const FunctionSampling& sampling)
{
    return isSurface(sampling) ? sampling.x.count * sampling.y.count : sampling.x.count;
}

bool countsWithinLimits(const FunctionSampling& sampling)
{
    if (isSurface(sampling))
        return pointCount(sampling) <= static_cast<double>(model::maxSurfacePoints);
    return sampling.x.count <= static_cast<double>(model::maxFunctionSamples);
}

bool costWithinLimit(const FunctionSampling& sampling, const Expression& expression)
{
    return pointCount(sampling) * static_cast<double>(expression.evaluationCost()) <=
           static_cast<double>(model::maxOperandEvaluations);
}

// The sampling when it yields points: usable counts within every limit.
std::optional<FunctionSampling> usableSampling(const model::PlotObject& object, ObjectType type)
{
    std::optional<FunctionSampling> sampling = readFunctionSampling(object);
    if (!sampling || sampling->type != type || sampling->x.count < 1) return std::nullopt;
    if (isSurface(*sampling) && sampling->y.count < 1) return std::nullopt;
    if (!countsWithinLimits(*sampling) ||
        !costWithinLimit(*sampling, parseExpression(sampling->expression)))
        return std::nullopt;
    return sampling;
}

std::vector<float> positions(const AxisSamples& axis)
{
    // Counts stay far below 2^31 (the sample limits), and an index converts to the same float
    // from 32 bits as from 64, in a loop the compiler can vectorize.
    assert(wholeCount(axis) <= std::numeric_limits<std::int32_t>::max() &&
           "sample counts are checked against the limits first");
    const auto count = static_cast<std::int32_t>(wholeCount(axis));
    std::vector<float> samples(static_cast<std::size_t>(count));
    const float step = axis.step, from = axis.from;
    for (std::int32_t i = 0; i < count; ++i)
        samples[static_cast<std::size_t>(i)] = static_cast<float>(i) * step + from;
    return samples;
}

// --- FUNCTION and FUNCTION3A --------------------------------------------------------------------

EvenSamples evenSamples(const AxisSamples& axis)
{
    return {axis.from, axis.step, static_cast<std::size_t>(wholeCount(axis))};
}

// The values of the expression at the x samples, as evaluateSamples gives them: found in the
// cache by the description of the samples (a repaint makes and compares no samples then), or
// through the samples themselves, or evaluated into `evaluated` and stored.
std::span<const float> cachedValues(FunctionResultCache& cache, std::int32_t figureId,
                                    const FunctionSampling& sampling, std::vector<float>& evaluated)
{
    const EvenSamples even = evenSamples(sampling.x);
    if (const std::vector<float>* kept = cache.findEven(sampling.expression, even)) return *kept;
    const std::vector<float> parameters = positions(sampling.x);
    if (const std::vector<float>* kept = cache.findList(sampling.expression, parameters))
        return *kept;
    evaluated.resize(parameters.size());
    const std::span<const float> arrays[] = {parameters};
    const std::int32_t counts[] = {static_cast<std::int32_t>(parameters.size())};
    evaluateWithoutCache(sampling.expression, 1, arrays, counts, evaluated, SampleLayout::List);
    cache.storeList(figureId, sampling.expression, parameters, evaluated, even);
    return evaluated;
}

// The values of a curve, with the spectrum taken (in `own`) when the object asks for it.
std::span<const float> curveValues(FunctionResultCache& cache, std::int32_t figureId,
                                   const FunctionSampling& sampling, std::vector<float>& own)
{
    const std::span<const float> values = cachedValues(cache, figureId, sampling, own);
    if (!sampling.spectrum) return values;
    if (values.data() != own.data()) own.assign(values.begin(), values.end());
    magnitudeSpectrum(own);
    return own;
}

// Tiny values are drawn as 0.
float snapped(float value)
{
    return std::fabs(value) < 0.0001f ? 0.0f : value;
}

// Sample i of an axis, as positions makes it.
float parameter(const AxisSamples& axis, std::int32_t i)
{
    return static_cast<float>(i) * axis.step + axis.from;
}

// Points left where their axis units put them.
struct Unmapped {
    geom::Point2D operator()(geom::Point2D point) const { return point; }
#if defined(__SSE2__)
    void columns(__m128&, __m128&) const {}
#endif
};

// Points through an axis mapping.
struct Mapped {
    geom::AxisMap map;

    geom::Point2D operator()(geom::Point2D point) const { return map(point); }
#if defined(__SSE2__)
    // Four points, with the operations of AxisMap in their order, so the floats are the same.
    void columns(__m128& x, __m128& y) const
    {
        x = _mm_add_ps(
            _mm_set1_ps(map.left),
            _mm_div_ps(_mm_mul_ps(_mm_set1_ps(map.width), _mm_sub_ps(x, _mm_set1_ps(map.xFrom))),
                       _mm_set1_ps(map.xRange)));
        y = _mm_add_ps(
            _mm_set1_ps(map.top),
            _mm_div_ps(_mm_mul_ps(_mm_set1_ps(map.height), _mm_sub_ps(_mm_set1_ps(map.yTo), y)),
                       _mm_set1_ps(map.yRange)));
    }
#endif
};

// Point i: (sample, snapped value), or (snapped value, sample) when swapped, placed; whether
// every coordinate is finite. The first points are made four at a time (samples, snapping and
// placing as the loop at the end does them, the same floats), the rest one at a time.
template <typename Place>
bool placeFunctionPoints(const AxisSamples& axis, std::span<const float> values, bool swapped,
                         const Place& place, std::span<geom::Point2D> points)
{
    assert(points.size() == values.size() &&
           values.size() <= static_cast<std::size_t>(model::maxFunctionSamples));
    const auto count = static_cast<std::int32_t>(values.size());
    std::int32_t i = 0;
    bool finite = true;
#if defined(__SSE2__)
    const __m128 step = _mm_set1_ps(axis.step), from = _mm_set1_ps(axis.from);
    const __m128 magnitude = _mm_castsi128_ps(_mm_set1_epi32(0x7FFFFFFF));
    const __m128 tiny = _mm_set1_ps(0.0001f);
    const __m128i exponent = _mm_set1_epi32(0x7F800000); // all set: not finite
    __m128i index = _mm_setr_epi32(0, 1, 2, 3), notFinite = _mm_setzero_si128();
    float* floats = reinterpret_cast<float*>(points.data());
    for (; i + 4 <= count; i += 4, index = _mm_add_epi32(index, _mm_set1_epi32(4))) {
        const auto at = static_cast<std::size_t>(i);
        const __m128 sample = _mm_add_ps(_mm_mul_ps(_mm_cvtepi32_ps(index), step), from);
        const __m128 raw = _mm_loadu_ps(values.data() + at);
        const __m128 value = _mm_andnot_ps(_mm_cmplt_ps(_mm_and_ps(raw, magnitude), tiny), raw);
        __m128 x = swapped ? value : sample, y = swapped ? sample : value;
        place.columns(x, y);
        for (const __m128 column : {x, y})
            notFinite = _mm_or_si128(
                notFinite,
                _mm_cmpeq_epi32(_mm_and_si128(_mm_castps_si128(column), exponent), exponent));
        _mm_storeu_ps(floats + 2 * at, _mm_unpacklo_ps(x, y));
        _mm_storeu_ps(floats + 2 * at + 4, _mm_unpackhi_ps(x, y));
    }
    finite = _mm_movemask_epi8(notFinite) == 0;
#endif
    for (; i < count; ++i) {
        const auto at = static_cast<std::size_t>(i);
        const float sample = parameter(axis, i), value = snapped(values[at]);
        const geom::Point2D point =
            place(swapped ? geom::Point2D{value, sample} : geom::Point2D{sample, value});
        points[at] = point;
        finite = finite && std::isfinite(point.x) && std::isfinite(point.y);
    }
    return finite;
}

// The points of a FUNCTION object, placed as they are made from the values.
template <typename Place>
FunctionPoints placedFunctionPoints(FunctionResultCache& cache, std::int32_t figureId,
                                    const model::PlotObject& object, const Place& place)
{
    const std::optional<FunctionSampling> sampling = usableSampling(object, ObjectType::Function);
    if (!sampling) return {};
    std::vector<float> own;
    const std::span<const float> values = curveValues(cache, figureId, *sampling, own);
    FunctionPoints placed{std::vector<geom::Point2D>(values.size()), true};
    placed.allFinite = placeFunctionPoints(sampling->x, values, sampling->projectionType == 1,
                                           place, placed.points);
    return placed;
}

geom::Point3D placeOnAxes(std::int32_t projectionType, float t, float v)
{
    switch (projectionType) {
    case 0:
        return {t, v, 0}; // "0 - y=f(x) (Default)"
    case 1:
        return {v, t, 0}; // "1 - x=f(y)"
    case 2:
        return {t, 0, v}; // "2 - z=f(x)"
    case 3:
        return {v, 0, t}; // "3 - x=f(z)"
    case 4:
        return {0, t, v}; // "4 - z=f(y)"
    case 5:
        return {0, v, t}; // "5 - y=f(z)"
    default:
        return {};
    }
}

// --- FUNCTION3D ---------------------------------------------------------------------------------

geom::Point3D placeOnSurfaceAxes(std::int32_t projectionType, float a, float b, float v)
{
    switch (projectionType) {
    case 1:
        return {b, a, v}; // "1 - z = f(y,x)"
    case 2:
        return {a, v, b}; // "2 - y = f(x,z)"
    case 3:
        return {b, v, a}; // "3 - y = f(z,x)"
    case 4:
        return {v, a, b}; // "4 - x = f(y,z)"
    case 5:
        return {v, b, a}; // "5 - x = f(z,y)"
    default:
        return {a, b, v}; // "0 - z = f(x,y)"
    }
}

// --- limit messages -----------------------------------------------------------------------------

std::string countText(double count)
{
    if (count < 1e15) return std::to_string(static_cast<std::int64_t>(count));
    char text[32];
    std::snprintf(text, sizeof text, "%.3g", count);
    return text;
}

std::string keywordOf(ObjectType type)
{
    switch (type) {
    case ObjectType::Function3A:
        return "FUNCTION3A";
    case ObjectType::Function3D:
        return "FUNCTION3D";
    default:
        return "FUNCTION";
    }
}

void describeCountLimits(const FunctionSampling& sampling, const std::string& keyword,
                         std::vector<std::string>& messages)
{
    const bool unbounded = std::isinf(sampling.x.count) || std::isinf(sampling.y.count);
    if (isSurface(sampling)) {
        if (unbounded)
            messages.push_back(keyword + ": the ranges and steps give an unbounded number of grid "
                                         "points, more than the limit of " +
                               std::to_string(model::maxSurfacePoints));
        else if (pointCount(sampling) > static_cast<double>(model::maxSurfacePoints))
            messages.push_back(keyword + ": " + countText(sampling.x.count) + " x " +
                               countText(sampling.y.count) +
                               " grid points is more than the limit of " +
                               std::to_string(model::maxSurfacePoints));
        return;
    }
    if (unbounded)
        messages.push_back(keyword + ": the range and step give an unbounded number of samples, "
                                     "more than the limit of " +
                           std::to_string(model::maxFunctionSamples));
    else if (sampling.x.count > static_cast<double>(model::maxFunctionSamples))
        messages.push_back(keyword + ": " + countText(sampling.x.count) +
                           " samples is more than the limit of " +
                           std::to_string(model::maxFunctionSamples));
}

// Expression texts longer than their limits are cut silently: the limits belong to the
// language. Only the evaluation cost, a limit of this program, is reported.
void describeCostLimit(const FunctionSampling& sampling, const Expression& expression,
                       const std::string& keyword, std::vector<std::string>& messages)
{
    const bool sampled = sampling.x.count >= 1 && (!isSurface(sampling) || sampling.y.count >= 1);
    if (sampled && countsWithinLimits(sampling) && !costWithinLimit(sampling, expression))
        messages.push_back(
            keyword + ": " + countText(pointCount(sampling)) + " samples of this expression need " +
            countText(pointCount(sampling) * static_cast<double>(expression.evaluationCost())) +
            " operand evaluations, more than the limit of " +
            std::to_string(model::maxOperandEvaluations));
}

} // namespace

AxisSamples axisSamples(float from, float to, float step)
{
    constexpr double unbounded = std::numeric_limits<double>::infinity();
    const float range = to - from;
    if (step == 0.0f) return {from, step, std::isfinite(range) ? 0.0 : unbounded};
    const float quotient = range / step;
    if (quotient == -std::numeric_limits<float>::infinity()) return {from, step, 0};
    if (!std::isfinite(quotient)) return {from, step, unbounded};
    const double count = std::trunc(static_cast<double>(quotient)) + 2.0;
    return {from, step, count < 1.0 ? 0.0 : count};
}

std::optional<FunctionSampling> readFunctionSampling(const model::PlotObject& object)
{
    const bool surface = object.type == ObjectType::Function3D;
    if (!surface && object.type != ObjectType::Function && object.type != ObjectType::Function3A)
        return std::nullopt;
    const model::SubObject* name = model::findSubObject(object, SubObjectKind::Name, 0);
    const int axes = surface ? 2 : 1;
    for (int axis = 0; axis < axes; ++axis)
        if (!has(object, SubObjectKind::P2, axis) || !has(object, SubObjectKind::P1, axis))
            return std::nullopt;
    if (!name || name->arguments.empty()) return std::nullopt;

    FunctionSampling sampling;
    sampling.type = object.type;
    sampling.x = readAxis(object, 0);
    sampling.expression = name->arguments[0];
    if (surface) {
        sampling.y = readAxis(object, 1);
        sampling.projectionType = option(object, 2);
        sampling.drawingType = static_cast<DrawingType>(option(object, 3));
        sampling.pointSize = argument(object, SubObjectKind::P1, 4, 0, 3.0f);
    } else {
        sampling.projectionType = option(object, 1);
        sampling.spectrum = option(object, 2) == 1;
    }
    return sampling;
}

std::vector<geom::Point2D> sampleFunction(FunctionResultCache& cache, std::int32_t figureId,
                                          const model::PlotObject& object)
{
    return placedFunctionPoints(cache, figureId, object, Unmapped{}).points;
}

FunctionPoints sampleFunction(FunctionResultCache& cache, std::int32_t figureId,
                              const model::PlotObject& object, const geom::AxisMap& map)
{
    return placedFunctionPoints(cache, figureId, object, Mapped{map});
}

std::vector<geom::Point3D> sampleFunction3A(FunctionResultCache& cache, std::int32_t figureId,
                                            const model::PlotObject& object)
{
    const std::optional<FunctionSampling> sampling = usableSampling(object, ObjectType::Function3A);
    if (!sampling) return {};
    std::vector<float> own;
    const std::span<const float> values = curveValues(cache, figureId, *sampling, own);
    const auto count = static_cast<std::int32_t>(values.size());
    std::vector<geom::Point3D> points(values.size());
    for (std::int32_t i = 0; i < count; ++i)
        points[static_cast<std::size_t>(i)] =
            placeOnAxes(sampling->projectionType, parameter(sampling->x, i),
                        snapped(values[static_cast<std::size_t>(i)]));
    return points;
}

SurfacePoints sampleSurface(FunctionResultCache& cache, std::int32_t figureId,
                            const model::PlotObject& object)
{
    const std::optional<FunctionSampling> sampling = usableSampling(object, ObjectType::Function3D);
    if (!sampling) return {};
    const std::vector<float> x = positions(sampling->x), y = positions(sampling->y);
    std::vector<float> values(x.size() * y.size());
    const std::span<const float> arrays[] = {x, y};
    const std::int32_t counts[] = {static_cast<std::int32_t>(x.size()),
                                   static_cast<std::int32_t>(y.size())};
    const std::int32_t written = evaluateSamples(cache, figureId, sampling->expression, 2, arrays,
                                                 counts, values, SampleLayout::Grid);

    SurfacePoints surface{{}, counts[0], counts[1], sampling->drawingType, sampling->pointSize};
    surface.points.resize(static_cast<std::size_t>(written));
    for (std::size_t k = 0; k < surface.points.size(); ++k)
        surface.points[k] = placeOnSurfaceAxes(sampling->projectionType, x[k / y.size()],
                                               y[k % y.size()], values[k]);
    return surface;
}

std::vector<std::string> describeSampleLimits(const model::PlotObject& object)
{
    std::vector<std::string> messages;
    const std::optional<FunctionSampling> sampling = readFunctionSampling(object);
    if (!sampling) return messages;
    const std::string keyword = keywordOf(sampling->type);
    describeCountLimits(*sampling, keyword, messages);
    describeCostLimit(*sampling, parseExpression(sampling->expression), keyword, messages);
    return messages;
}

} // namespace expr
