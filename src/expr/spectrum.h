// The magnitude spectrum of sampled function values: the FFT option of FUNCTION and FUNCTION3A.
#pragma once

#include <span>

namespace expr {

// Replaces the n samples by |X[k]| / sqrt(n), where X is their discrete Fourier transform: by the
// radix-2 transform when n is a power of two, otherwise by direct sums for k up to n / 2 with the
// other bins mirrored (|X[n - k]| = |X[k]| for real samples). Fewer than two samples stay as they
// are. The direct sums take time growing with n squared; callers keep n within
// model::maxDirectSpectrumSamples for such counts.
void magnitudeSpectrum(std::span<float> samples);

} // namespace expr
