// The discrete Fourier transform of real samples of any count in O(n log n) time: Bluestein's
// chirp transform, which turns the transform into a convolution done with power-of-two FFTs.
#pragma once

#include <span>
#include <vector>

namespace expr {

// |X[k]| for k = 0 .. n / 2, where X[k] = sum of y[j] e^(-2 pi i jk / n) over the n samples.
// The chirp is computed in double precision and the convolution in single precision, so the
// magnitudes agree with the exact transform to single-precision rounding of the largest one.
// Memory: three arrays of the convolution length, the power of two at or above 1.5 n.
std::vector<float> chirpMagnitudes(std::span<const float> samples);

} // namespace expr
