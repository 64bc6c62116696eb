// Tests of the magnitude spectrum against a direct DFT in double precision.
#include "expr/spectrum.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <random>
#include <vector>

namespace expr {
namespace {

std::vector<float> directMagnitudes(const std::vector<float>& samples)
{
    const std::size_t n = samples.size();
    std::vector<float> magnitudes(n);
    for (std::size_t k = 0; k < n; ++k) {
        std::complex<double> sum = 0;
        for (std::size_t j = 0; j < n; ++j)
            sum += static_cast<double>(samples[j]) *
                   std::polar(1.0, -2 * std::numbers::pi * static_cast<double>(j * k % n) /
                                       static_cast<double>(n));
        magnitudes[k] = static_cast<float>(std::abs(sum) / std::sqrt(static_cast<double>(n)));
    }
    return magnitudes;
}

TEST(Spectrum, EightOnesGiveRootEightAtZero)
{
    std::vector<float> samples(8, 1.0f);
    magnitudeSpectrum(samples);
    EXPECT_NEAR(samples[0], 2.828427f, 1e-6f);
    for (std::size_t k = 1; k < 8; ++k)
        EXPECT_NEAR(samples[k], 0.0f, 1e-6f) << k;
}

TEST(Spectrum, MatchesTheDirectTransform)
{
    struct Case {
        std::size_t n;
        float tolerance; // relative to the largest magnitude
    };
    // Powers of two take the radix-2 path; the others the single-precision direct sums up to
    // maxDirectSumSamples and the chirp transform above (1031 is a prime).
    const Case cases[] = {{2, 1e-6f},    {4, 1e-6f},    {16, 2e-6f},    {1024, 1e-5f},
                          {3, 1e-6f},    {10, 2e-6f},   {100, 2e-5f},   {1000, 5e-4f},
                          {1023, 5e-4f}, {1025, 2e-6f}, {1031, 2e-6f}};
    std::mt19937 random(3);
    std::uniform_real_distribution<float> values(-2.0f, 2.0f);
    for (const Case& c : cases) {
        std::vector<float> samples(c.n);
        for (std::size_t j = 0; j < c.n; ++j)
            samples[j] = values(random) + 0.5f * std::sin(static_cast<float>(j) * 0.7f);
        const std::vector<float> expected = directMagnitudes(samples);
        magnitudeSpectrum(samples);
        const float largest = *std::max_element(expected.begin(), expected.end());
        for (std::size_t k = 0; k < c.n; ++k)
            ASSERT_NEAR(samples[k], expected[k], c.tolerance * largest)
                << "n=" << c.n << " k=" << k;
    }
}

TEST(Spectrum, FindsOneFrequencyInALongPrimeCount)
{
    // 100,003 samples of a cosine with 1000 periods: sqrt(n) / 2 in bins 1000 and n - 1000.
    constexpr std::size_t n = 100003;
    std::vector<float> samples(n);
    for (std::size_t j = 0; j < n; ++j)
        samples[j] = static_cast<float>(
            std::cos(2 * std::numbers::pi * static_cast<double>(j * 1000 % n) / n));
    magnitudeSpectrum(samples);
    const float peak = static_cast<float>(std::sqrt(static_cast<double>(n)) / 2);
    for (std::size_t k = 0; k < n; ++k)
        ASSERT_NEAR(samples[k], k == 1000 || k == n - 1000 ? peak : 0.0f, 1e-6f * peak) << k;
}

TEST(Spectrum, LeavesFewerThanTwoSamples)
{
    std::vector<float> one = {-3.0f};
    magnitudeSpectrum(one);
    EXPECT_EQ(one[0], -3.0f);
    std::vector<float> none;
    magnitudeSpectrum(none);
    EXPECT_TRUE(none.empty());
}

} // namespace
} // namespace expr
