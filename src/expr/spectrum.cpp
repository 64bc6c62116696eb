// Radix-2 transform, direct sums and the chirp transform for the magnitude spectrum.
#include "expr/spectrum.h"

#include "expr/chirp_transform.h"

#include <bit>
#include <cmath>
#include <numbers>
#include <vector>

namespace expr {
namespace {

struct Spectrum {
    std::vector<float> real;
    std::vector<float> imaginary;
};

std::size_t reverseBits(std::size_t value, int bits)
{
    std::size_t reversed = 0;
    for (int i = 0; i < bits; ++i, value >>= 1)
        reversed = (reversed << 1) | (value & 1);
    return reversed;
}

// Iterative radix-2 transform: a bit-reversed copy, then butterflies over blocks of 2, 4, ..., n.
// The twiddle factors of each block come from the recurrence w(k) = 2 cos(delta) w(k-1) - w(k-2),
// started from the cos and sin of -delta and -2 delta, in double precision with pi taken in
// single precision. The factors run as e^(+i k delta); for real samples that gives the conjugate
// of every bin, with the same magnitudes.
Spectrum radix2Transform(std::span<const float> samples)
{
    const std::size_t n = samples.size();
    const int bits = std::countr_zero(n);
    Spectrum spectrum{std::vector<float>(n), std::vector<float>(n, 0.0f)};
    for (std::size_t i = 0; i < n; ++i)
        spectrum.real[reverseBits(i, bits)] = samples[i];
    float* real = spectrum.real.data();
    float* imaginary = spectrum.imaginary.data();

    const double pi = static_cast<double>(static_cast<float>(std::numbers::pi));
    std::size_t half = 1;
    for (std::size_t block = 2; block <= n; block <<= 1) {
        const double delta = 2.0 * pi / static_cast<double>(block);
        const double sinOne = std::sin(-delta), sinTwo = std::sin(-2.0 * delta);
        const double cosOne = std::cos(-delta), cosTwo = std::cos(-2.0 * delta);
        const double factor = 2.0 * cosOne;
        for (std::size_t start = 0; start < n; start += block) {
            double realBefore = cosTwo, realLast = cosOne;
            double imaginaryBefore = sinTwo, imaginaryLast = sinOne;
            for (std::size_t j = start; j < start + half; ++j) {
                const double twiddleReal = factor * realLast - realBefore;
                realBefore = realLast;
                realLast = twiddleReal;
                const double twiddleImaginary = factor * imaginaryLast - imaginaryBefore;
                imaginaryBefore = imaginaryLast;
                imaginaryLast = twiddleImaginary;

                const std::size_t m = j + half;
                const double productReal = twiddleReal * real[m] - twiddleImaginary * imaginary[m];
                const double productImaginary =
                    twiddleReal * imaginary[m] + twiddleImaginary * real[m];
                real[m] = static_cast<float>(real[j] - productReal);
                imaginary[m] = static_cast<float>(imaginary[j] - productImaginary);
                real[j] = static_cast<float>(real[j] + productReal);
                imaginary[j] = static_cast<float>(imaginary[j] + productImaginary);
            }
        }
        half = block;
    }
    return spectrum;
}

// Direct sums in single precision for k up to n / 2; the bins above mirror those below.
Spectrum directTransform(std::span<const float> samples)
{
    const std::size_t n = samples.size();
    Spectrum spectrum{std::vector<float>(n), std::vector<float>(n)};
    constexpr float pi = 3.1415925f;
    for (std::size_t k = 0; k <= n / 2; ++k) {
        const float w = static_cast<float>(k) * -2.0f * pi / static_cast<float>(n);
        float real = 0, imaginary = 0;
        for (std::size_t j = 0; j < n; ++j) {
            const float angle = static_cast<float>(j) * w;
            real += samples[j] * std::cos(angle);
            imaginary += samples[j] * std::sin(angle);
        }
        spectrum.real[k] = real;
        spectrum.imaginary[k] = imaginary;
    }
    for (std::size_t k = n / 2 + 1; k < n; ++k) {
        spectrum.real[k] = spectrum.real[n - k];
        spectrum.imaginary[k] = spectrum.imaginary[n - k];
    }
    return spectrum;
}

// |X[k]| / sqrt(n) by the chirp transform, computed for k up to n / 2 and mirrored above.
void chirpSpectrum(std::span<float> samples)
{
    const std::size_t n = samples.size();
    const std::vector<float> magnitudes = chirpMagnitudes(samples);
    const float scale = std::sqrt(static_cast<float>(n));
    for (std::size_t k = 0; k < n; ++k)
        samples[k] = magnitudes[k <= n / 2 ? k : n - k] / scale;
}

} // namespace

void magnitudeSpectrum(std::span<float> samples)
{
    const std::size_t n = samples.size();
    if (n < 2) return;
    if (!std::has_single_bit(n) && n > maxDirectSumSamples) return chirpSpectrum(samples);
    const Spectrum spectrum =
        std::has_single_bit(n) ? radix2Transform(samples) : directTransform(samples);
    const float scale = std::sqrt(static_cast<float>(n));
    for (std::size_t k = 0; k < n; ++k) {
        const float real = spectrum.real[k], imaginary = spectrum.imaginary[k];
        samples[k] = std::sqrt(real * real + imaginary * imaginary) / scale;
    }
}

} // namespace expr
