// The magnitude spectrum of sampled function values: the FFT option of FUNCTION and FUNCTION3A.
#pragma once

#include <cstddef>
#include <span>

namespace expr {

// Counts that are not a power of two take the direct sums up to this many samples (a few
// milliseconds), and the chirp transform above.
inline constexpr std::size_t maxDirectSumSamples = 1024;

// Replaces the n samples by |X[k]| / sqrt(n), where X is their discrete Fourier transform: by the
// radix-2 transform when n is a power of two, otherwise for k up to n / 2 by direct sums in single
// precision (up to maxDirectSumSamples) or by the chirp transform, with the other bins mirrored
// (|X[n - k]| = |X[k]| for real samples). Fewer than two samples stay as they are.
void magnitudeSpectrum(std::span<float> samples);

} // namespace expr
