// Samples per second of evaluateSamples with the cache bypassed: the program's evaluator, the
// literal reference evaluator (format with "%f", replace, read back) and native C++ computing the
// same mathematics, side by side for four expressions.
#include "expr/sample_evaluation.h"

#include "reference_evaluator.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <string_view>
#include <vector>

namespace {

enum class Shape { Line, Grid };

struct Workload {
    std::string_view text;
    Shape shape;
    double (*native)(double x, double y);
};

// Operators apply from left to right, so "0.2*sin(10*pi*x)+cos(3*x)^2" squares the whole sum.
const Workload sine{"sin(4*pi*x)", Shape::Line,
                    [](double x, double) { return std::sin(4 * std::numbers::pi * x); }};
const Workload twoWaves{"0.2*sin(10*pi*x)+cos(3*x)^2", Shape::Line, [](double x, double) {
                            const double sum =
                                0.2 * std::sin(10 * std::numbers::pi * x) + std::cos(3 * x);
                            return sum * sum;
                        }};
// Twelve groups: placeholders EEEE1 and EEEE10 both occur.
const Workload twelveGroups{"(sin(x)+cos(x))*(x^2)-(exp(x)/(1+(x^2)))+(tanh(x)*(x^2))", Shape::Line,
                            [](double x, double) {
                                return (std::sin(x) + std::cos(x)) * (x * x) -
                                       std::exp(x) / (1 + x * x) + std::tanh(x) * (x * x);
                            }};
const Workload product{"x*(y^2)", Shape::Grid, [](double x, double y) { return x * (y * y); }};

constexpr std::size_t lineSamples = 100000;
constexpr std::size_t gridSide = 1000;

// Positions as the sampler makes them: i * step + from in single precision.
std::vector<float> positions(std::size_t count, float from, float step)
{
    std::vector<float> samples(count);
    for (std::size_t i = 0; i < count; ++i)
        samples[i] = static_cast<float>(i) * step + from;
    return samples;
}

struct Samples {
    std::vector<float> x, y, results;
    std::size_t count = 0;
};

Samples samplesFor(const Workload& workload)
{
    Samples samples;
    if (workload.shape == Shape::Line) {
        samples.x = positions(lineSamples, -0.1f, 0.0001f);
        samples.count = lineSamples;
    } else {
        samples.x = positions(gridSide, -1.0f, 0.002f);
        samples.y = positions(gridSide, -1.0f, 0.002f);
        samples.count = gridSide * gridSide;
    }
    samples.results.resize(samples.count);
    return samples;
}

void program(benchmark::State& state, const Workload& workload)
{
    Samples samples = samplesFor(workload);
    const bool grid = workload.shape == Shape::Grid;
    const std::span<const float> arrays[] = {samples.x, samples.y};
    const std::int32_t counts[] = {static_cast<std::int32_t>(samples.x.size()),
                                   static_cast<std::int32_t>(samples.y.size())};
    for (auto _ : state) {
        expr::evaluateWithoutCache(workload.text, grid ? 2 : 1, arrays, counts, samples.results,
                                   grid ? expr::SampleLayout::Grid : expr::SampleLayout::List);
        benchmark::DoNotOptimize(samples.results.data());
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * samples.count));
}

void reference(benchmark::State& state, const Workload& workload)
{
    Samples samples = samplesFor(workload);
    for (auto _ : state) {
        if (workload.shape == Shape::Grid)
            testing_support::referenceEvaluateGrid(workload.text, samples.x, samples.y,
                                                   samples.results);
        else
            testing_support::referenceEvaluateList(workload.text, samples.x, samples.results);
        benchmark::DoNotOptimize(samples.results.data());
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * samples.count));
}

void native(benchmark::State& state, const Workload& workload)
{
    Samples samples = samplesFor(workload);
    for (auto _ : state) {
        if (workload.shape == Shape::Grid) {
            for (std::size_t i = 0; i < samples.x.size(); ++i)
                for (std::size_t j = 0; j < samples.y.size(); ++j)
                    samples.results[i * samples.y.size() + j] =
                        static_cast<float>(workload.native(samples.x[i], samples.y[j]));
        } else {
            for (std::size_t i = 0; i < samples.count; ++i)
                samples.results[i] = static_cast<float>(workload.native(samples.x[i], 0));
        }
        benchmark::DoNotOptimize(samples.results.data());
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * samples.count));
}

} // namespace

BENCHMARK_CAPTURE(program, sine, sine)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(reference, sine, sine)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(native, sine, sine)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(program, twoWaves, twoWaves)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(reference, twoWaves, twoWaves)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(native, twoWaves, twoWaves)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(program, twelveGroups, twelveGroups)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(reference, twelveGroups, twelveGroups)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(native, twelveGroups, twelveGroups)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(program, gridProduct, product)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(reference, gridProduct, product)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(native, gridProduct, product)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
