// Fuzz target: evaluateSamples on arbitrary expression text and sample values. The input's end
// holds the request (layout, variable count, sample counts and the samples' bits); what remains
// at its start is the expression. The results must equal the literal reference evaluator's bit
// for bit (any NaN equals any NaN), through the cache, from the cache and without it.
#include "fuzz_support.h"

#include "expr/sample_evaluation.h"

#include "reference_evaluator.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <bit>
#include <cmath>
#include <sstream>

namespace {

// Few samples: the reference evaluator writes and reads text for every operand of every point.
constexpr std::size_t maxListSamples = 32;
constexpr std::size_t maxGridSide = 6;

struct Request {
    expr::SampleLayout layout = expr::SampleLayout::List;
    int variableCount = 1;
    std::array<std::vector<float>, 3> variables; // x, y, z
    std::array<std::int32_t, 2> counts{};
    bool grid = false; // results[i * counts[1] + j] = f(x[i], y[j], 0)
    std::size_t resultCount = 0;
};

float sampleFrom(FuzzedDataProvider& input)
{
    return std::bit_cast<float>(input.ConsumeIntegral<std::uint32_t>());
}

Request requestFrom(FuzzedDataProvider& input)
{
    Request request;
    request.layout = input.ConsumeBool() ? expr::SampleLayout::Grid : expr::SampleLayout::List;
    request.variableCount = input.ConsumeIntegralInRange(1, 3);
    const bool grid = request.layout == expr::SampleLayout::Grid && request.variableCount == 2;
    request.grid = grid;
    const std::size_t xCount =
        input.ConsumeIntegralInRange<std::size_t>(0, grid ? maxGridSide : maxListSamples);
    const std::size_t yCount = grid ? input.ConsumeIntegralInRange<std::size_t>(0, maxGridSide)
                                    : (request.variableCount >= 2 ? xCount : 0);
    const std::size_t zCount = request.variableCount >= 3 ? xCount : 0;
    for (std::size_t i = 0; i < xCount; ++i)
        request.variables[0].push_back(sampleFrom(input));
    for (std::size_t i = 0; i < yCount; ++i)
        request.variables[1].push_back(sampleFrom(input));
    for (std::size_t i = 0; i < zCount; ++i)
        request.variables[2].push_back(sampleFrom(input));
    request.counts = {static_cast<std::int32_t>(xCount), static_cast<std::int32_t>(yCount)};
    request.resultCount = grid ? xCount * yCount : xCount;
    return request;
}

// The reference's results, point by point in the order the product evaluates them.
std::vector<float> referenceResults(std::string_view text, const Request& request)
{
    testing_support::ReferenceExpression reference(text);
    const auto& [x, y, z] = request.variables;
    std::vector<float> results;
    if (request.grid) {
        for (float xi : x)
            for (float yj : y)
                results.push_back(static_cast<float>(reference.evaluateAt(xi, yj, 0)));
        return results;
    }
    for (std::size_t i = 0; i < x.size(); ++i)
        results.push_back(static_cast<float>(
            reference.evaluateAt(x[i], y.empty() ? 0.0f : y[i], z.empty() ? 0.0f : z[i])));
    return results;
}

bool sameBits(float a, float b)
{
    return (std::isnan(a) && std::isnan(b)) ||
           std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}

void compare(std::string_view how, std::string_view text, const std::vector<float>& actual,
             const std::vector<float>& expected)
{
    for (std::size_t i = 0; i < expected.size(); ++i) {
        if (sameBits(actual[i], expected[i])) continue;
        std::ostringstream message;
        message.precision(9);
        message << how << ": result " << i << " of \"" << text << "\" is " << actual[i]
                << ", the reference gives " << expected[i];
        fuzzing::reportFinding(message.str());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const Request request = requestFrom(input);
    const std::string text = input.ConsumeRemainingBytesAsString();

    const std::span<const float> arrays[] = {request.variables[0], request.variables[1],
                                             request.variables[2]};
    const std::vector<float> expected = referenceResults(text, request);

    expr::FunctionResultCache cache;
    std::vector<float> results(request.resultCount);
    expr::evaluateSamples(cache, 1, text, request.variableCount, arrays, request.counts, results,
                          request.layout);
    compare("evaluateSamples", text, results, expected);

    std::vector<float> cached(request.resultCount);
    expr::evaluateSamples(cache, 1, text, request.variableCount, arrays, request.counts, cached,
                          request.layout);
    compare("evaluateSamples again", text, cached, expected);

    std::vector<float> uncached(request.resultCount);
    expr::evaluateWithoutCache(text, request.variableCount, arrays, request.counts, uncached,
                               request.layout);
    compare("evaluateWithoutCache", text, uncached, expected);
    return 0;
}
