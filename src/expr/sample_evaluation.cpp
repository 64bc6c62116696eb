// The sample loops of evaluateSamples and its use of the cache.
#include "expr/sample_evaluation.h"

#include "expr/expression.h"

#include <algorithm>
#include <cassert>
#include <optional>

namespace expr {
namespace {

// A request with its counts checked against the arrays it comes with.
struct SampleRequest {
    bool grid = false;
    int variableCount = 1;
    std::span<const float> x, y, z; // y and z are empty where their variable is 0
    std::size_t xCount = 0;
    std::size_t yCount = 0; // grid only
    std::size_t resultCount = 0;
};

std::size_t countAt(std::span<const std::int32_t> counts, std::size_t index)
{
    return static_cast<std::size_t>(std::max(counts[index], 0));
}

std::optional<SampleRequest> checkRequest(int variableCount, SampleArrays variables,
                                          std::span<const std::int32_t> counts,
                                          std::span<float> results, SampleLayout layout)
{
    if (variableCount < 1 || variableCount > 3) return std::nullopt;
    SampleRequest request;
    request.variableCount = variableCount;
    request.grid = layout == SampleLayout::Grid && variableCount == 2;
    if (variables.size() < static_cast<std::size_t>(request.variableCount) || counts.empty() ||
        (request.grid && counts.size() < 2))
        return std::nullopt;
    request.xCount = countAt(counts, 0);
    request.x = variables[0].first(std::min(request.xCount, variables[0].size()));
    if (request.grid) {
        request.yCount = countAt(counts, 1);
        request.y = variables[1].first(std::min(request.yCount, variables[1].size()));
        request.resultCount = request.xCount * request.yCount;
        if (request.y.size() < request.yCount) return std::nullopt;
    } else {
        request.resultCount = request.xCount;
        if (request.variableCount >= 2) request.y = variables[1];
        if (request.variableCount >= 3) request.z = variables[2];
        if ((request.variableCount >= 2 && request.y.size() < request.xCount) ||
            (request.variableCount >= 3 && request.z.size() < request.xCount))
            return std::nullopt;
    }
    if (request.x.size() < request.xCount || results.size() < request.resultCount)
        return std::nullopt;
    return request;
}

void evaluate(std::string_view text, const SampleRequest& request, std::span<float> results)
{
    Expression expression = parseExpression(text);
    if (request.grid)
        evaluateGrid(expression, request.x, request.y, results);
    else
        evaluateList(expression, request.x, request.y.first(request.y.empty() ? 0 : request.xCount),
                     request.z.first(request.z.empty() ? 0 : request.xCount), results);
}

std::int32_t returnedCount(const SampleRequest& request)
{
    return request.grid ? static_cast<std::int32_t>(request.resultCount) : 1;
}

} // namespace

std::int32_t evaluateSamples(FunctionResultCache& cache, std::int32_t figureId,
                             std::string_view expressionText, int variableCount,
                             SampleArrays variables, std::span<const std::int32_t> counts,
                             std::span<float> results, SampleLayout layout)
{
    const std::optional<SampleRequest> request =
        checkRequest(variableCount, variables, counts, results, layout);
    assert(request && "evaluateSamples needs arrays as long as its counts");
    if (!request) return 0;

    const std::vector<float>* cached = nullptr;
    if (variableCount == 1)
        cached = cache.findList(expressionText, request->x);
    else if (request->grid)
        cached = cache.findGrid(expressionText, request->x, request->y);
    if (cached) {
        std::copy_n(cached->begin(), request->resultCount, results.begin());
        return returnedCount(*request);
    }

    const std::span<float> written = results.first(request->resultCount);
    evaluate(expressionText, *request, written);
    if (request->grid)
        cache.storeGrid(figureId, expressionText, request->x, request->y, written);
    else
        cache.storeList(figureId, expressionText, request->x, written);
    return returnedCount(*request);
}

std::int32_t evaluateWithoutCache(std::string_view expressionText, int variableCount,
                                  SampleArrays variables, std::span<const std::int32_t> counts,
                                  std::span<float> results, SampleLayout layout)
{
    const std::optional<SampleRequest> request =
        checkRequest(variableCount, variables, counts, results, layout);
    assert(request && "evaluateWithoutCache needs arrays as long as its counts");
    if (!request) return 0;
    evaluate(expressionText, *request, results.first(request->resultCount));
    return returnedCount(*request);
}

} // namespace expr
