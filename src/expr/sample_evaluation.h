// evaluateSamples: an expression evaluated at arrays of samples, through the function-result cache.
#pragma once

#include "expr/function_result_cache.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace expr {

enum class SampleLayout { List, Grid };

// The x, y and z sample arrays; a variable without an array is 0.
using SampleArrays = std::span<const std::span<const float>>;

// Evaluates `expressionText` at the samples. With layout Grid and variableCount 2 the results form
// a grid, results[i * counts[1] + j] = f(x[i], y[j], 0); otherwise results[i] = f(x[i], y[i], z[i])
// for i < counts[0], where y is 0 below variableCount 2 and z below 3. One-variable and grid
// requests are looked up in the cache first; on a miss the results are stored (other requests
// are stored as one-variable entries keyed by their x samples). Returns counts[0] * counts[1] for
// a grid, otherwise 1. variableCount is 1, 2 or 3, and every array must hold as many samples as
// its count asks for (0 is returned, and nothing written, when they do not).
std::int32_t evaluateSamples(FunctionResultCache& cache, std::int32_t figureId,
                             std::string_view expressionText, int variableCount,
                             SampleArrays variables, std::span<const std::int32_t> counts,
                             std::span<float> results, SampleLayout layout);

// The same evaluation, without looking into a cache or storing in one.
std::int32_t evaluateWithoutCache(std::string_view expressionText, int variableCount,
                                  SampleArrays variables, std::span<const std::int32_t> counts,
                                  std::span<float> results, SampleLayout layout);

} // namespace expr
