// Bluestein's chirp transform over single-precision power-of-two FFTs.
//
// With 2jk = j^2 + k^2 - (k - j)^2 the transform becomes
//   X[k] = conj(c[k]) * sum of (y[j] conj(c[j])) c[k - j],   c[m] = e^(i pi m^2 / n),
// a convolution of a[j] = y[j] conj(c[j]) with the chirp. Since |c[k]| = 1, |X[k]| is the
// magnitude of the convolution itself. Only k <= n / 2 is needed, so the circular convolution
// needs room for the chirp from -(n - 1) to n / 2: a length of 1.5 n suffices.
#include "expr/chirp_transform.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace expr {
namespace {

struct Complex {
    float real = 0;
    float imaginary = 0;
};

Complex times(Complex a, Complex b)
{
    return {a.real * b.real - a.imaginary * b.imaginary,
            a.real * b.imaginary + a.imaginary * b.real};
}

// e^(-2 pi i k / length) for k < length / 2, each rounded from double precision. Two short
// tables of exact values are multiplied, which keeps the table accurate without a sine per entry.
std::vector<Complex> twiddleFactors(std::size_t length)
{
    const std::size_t half = length / 2;
    const std::size_t lowCount = std::size_t{1} << ((std::bit_width(half) + 1) / 2);
    const auto exact = [length](std::size_t k) {
        const double angle = -2.0 * std::numbers::pi * static_cast<double>(k) /
                             static_cast<double>(length);
        return std::pair{std::cos(angle), std::sin(angle)};
    };
    std::vector<std::pair<double, double>> low(lowCount);
    for (std::size_t k = 0; k < lowCount; ++k)
        low[k] = exact(k);
    std::vector<Complex> factors(half);
    for (std::size_t high = 0; high < half; high += lowCount) {
        const auto [highReal, highImaginary] = exact(high);
        for (std::size_t k = 0; k < lowCount && high + k < half; ++k) {
            const auto [lowReal, lowImaginary] = low[k];
            factors[high + k] = {
                static_cast<float>(highReal * lowReal - highImaginary * lowImaginary),
                static_cast<float>(highReal * lowImaginary + highImaginary * lowReal)};
        }
    }
    return factors;
}

// Stages whose blocks fit in this many values run chunk by chunk, so that a chunk stays in the
// cache for all of them instead of every stage passing over the whole array.
constexpr std::size_t cacheChunk = std::size_t{1} << 15;

// One stage of decimation in frequency over blocks of `block` values in [begin, end).
void frequencyStage(std::span<Complex> values, std::size_t begin, std::size_t end,
                    std::size_t block, std::span<const Complex> twiddles)
{
    const std::size_t half = block / 2;
    const std::size_t stride = twiddles.size() * 2 / block;
    for (std::size_t start = begin; start < end; start += block) {
        for (std::size_t j = 0; j < half; ++j) {
            const Complex first = values[start + j], second = values[start + j + half];
            values[start + j] = {first.real + second.real, first.imaginary + second.imaginary};
            values[start + j + half] =
                times({first.real - second.real, first.imaginary - second.imaginary},
                      twiddles[j * stride]);
        }
    }
}

// One stage of decimation in time over blocks of `block` values in [begin, end).
void timeStage(std::span<Complex> values, std::size_t begin, std::size_t end, std::size_t block,
               std::span<const Complex> twiddles)
{
    const std::size_t half = block / 2;
    const std::size_t stride = twiddles.size() * 2 / block;
    for (std::size_t start = begin; start < end; start += block) {
        for (std::size_t j = 0; j < half; ++j) {
            const Complex product = times(twiddles[j * stride], values[start + j + half]);
            const Complex first = values[start + j];
            values[start + j] = {first.real + product.real, first.imaginary + product.imaginary};
            values[start + j + half] = {first.real - product.real,
                                        first.imaginary - product.imaginary};
        }
    }
}

// Forward FFT of a power-of-two length from natural order to bit-reversed order.
void fftToBitReversed(std::span<Complex> values, std::span<const Complex> twiddles)
{
    const std::size_t n = values.size();
    const std::size_t chunk = std::min(n, cacheChunk);
    for (std::size_t block = n; block > chunk; block /= 2)
        frequencyStage(values, 0, n, block, twiddles);
    for (std::size_t begin = 0; begin < n; begin += chunk)
        for (std::size_t block = chunk; block >= 2; block /= 2)
            frequencyStage(values, begin, begin + chunk, block, twiddles);
}

// Forward FFT of a power-of-two length from bit-reversed order to natural order.
void fftFromBitReversed(std::span<Complex> values, std::span<const Complex> twiddles)
{
    const std::size_t n = values.size();
    const std::size_t chunk = std::min(n, cacheChunk);
    for (std::size_t begin = 0; begin < n; begin += chunk)
        for (std::size_t block = 2; block <= chunk; block *= 2)
            timeStage(values, begin, begin + chunk, block, twiddles);
    for (std::size_t block = chunk * 2; block <= n; block *= 2)
        timeStage(values, 0, n, block, twiddles);
}

// c[m] = e^(i pi m^2 / n); m^2 is reduced modulo 2n first, so the angle stays exact.
Complex chirp(std::size_t m, std::size_t n)
{
    const std::uint64_t square = static_cast<std::uint64_t>(m) * m % (2 * std::uint64_t{n});
    const double angle = std::numbers::pi * static_cast<double>(square) / static_cast<double>(n);
    return {static_cast<float>(std::cos(angle)), static_cast<float>(std::sin(angle))};
}

} // namespace

std::vector<float> chirpMagnitudes(std::span<const float> samples)
{
    const std::size_t n = samples.size();
    const std::size_t bins = n / 2 + 1;
    if (n == 0) return {};
    const std::size_t length = std::bit_ceil(n + bins);
    const std::vector<Complex> twiddles = twiddleFactors(length);

    // The chirp at offsets 0 .. n / 2 from the start and -1 .. -(n - 1) from the end; the
    // signal takes its conjugate before the chirp is transformed.
    std::vector<Complex> kernel(length);
    std::vector<Complex> signal(length);
    for (std::size_t m = 0; m < n; ++m) {
        const Complex c = chirp(m, n);
        if (m < bins) kernel[m] = c;
        if (m > 0) kernel[length - m] = c;
        signal[m] = {samples[m] * c.real, -samples[m] * c.imaginary};
    }
    fftToBitReversed(kernel, twiddles);
    fftToBitReversed(signal, twiddles);

    // The product is in bit-reversed order, which is what the last transform takes. The inverse
    // transform is the forward one of the conjugate; magnitudes ignore the conjugated result.
    for (std::size_t i = 0; i < length; ++i) {
        const Complex product = times(signal[i], kernel[i]);
        signal[i] = {product.real, -product.imaginary};
    }
    fftFromBitReversed(signal, twiddles);

    std::vector<float> magnitudes(bins);
    const double scale = 1.0 / static_cast<double>(length);
    for (std::size_t k = 0; k < bins; ++k)
        magnitudes[k] = static_cast<float>(
            std::hypot(static_cast<double>(signal[k].real), static_cast<double>(signal[k].imaginary)) *
            scale);
    return magnitudes;
}

} // namespace expr
