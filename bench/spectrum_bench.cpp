// The magnitude spectrum (the FFT option of FUNCTION) by sample count: direct sums for small
// counts that are not a power of two, the chirp transform above them, the radix-2 transform for
// powers of two. 1,000,003 is a prime, the hardest case for any other method.
#include "expr/spectrum.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

void spectrum(benchmark::State& state)
{
    const auto count = static_cast<std::size_t>(state.range(0));
    std::vector<float> samples(count);
    for (std::size_t j = 0; j < count; ++j)
        samples[j] = std::sin(0.001f * static_cast<float>(j)) + 0.25f;
    std::vector<float> work;
    for (auto _ : state) {
        work = samples;
        expr::magnitudeSpectrum(work);
        benchmark::DoNotOptimize(work.data());
    }
    state.counters["samples"] = static_cast<double>(count);
}

BENCHMARK(spectrum)
    ->Arg(1000)
    ->Arg(1025)
    ->Arg(9102)
    ->Arg(1'000'003)
    ->Arg(1'048'576)
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
