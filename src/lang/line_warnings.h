// Warnings about command lines that run differently from how they read: misspelt keywords and
// sub-objects, text where numbers or colours belong, unbalanced quotes and parentheses, names the
// evaluator does not know, places that do not exist, missing mandatory sub-objects. Batch mode
// shows them on standard error; the console keeps its own answers.
#pragma once

#include "model/figure.h"
#include "model/plot_object.h"

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lang {

// What the checks remember from line to line: the axis systems counted so far in each figure, so
// that checking a long script takes time linear in its length. A figure that lost objects is
// counted anew.
class LineCheckMemory {
public:
    // Axis systems an object added now to `figure` could be drawn in: each AXIS takes the place
    // its own AT axis id names when that place exists, and the next one otherwise.
    std::int64_t axisSystems(const model::Figure& figure);

private:
    struct Counted {
        std::size_t objects = 0;
        std::int64_t axisSystems = 0;
    };
    std::map<std::uint32_t, Counted> m_figures;
};

// The name in `names` that `word` most likely misspells (ignoring case), or nothing when none is
// close: at most one edit for words of three or four letters, two for longer ones, and none for
// shorter words.
std::optional<std::string_view> nearestName(std::string_view word,
                                            std::span<const std::string_view> names);

// Every command keyword of the language: figure commands, object keywords, file, cls, help.
std::span<const std::string_view> commandKeywords();

// An odd number of quote characters turns quote protection off for the whole line.
std::vector<std::string> quoteWarnings(std::string_view line);

// A line of one token that has no help topic (it prints the not-available message); nothing for
// cls, whose lone form prints it too.
std::vector<std::string> loneTokenWarnings(std::string_view token);

// A line the object builder rejected because its keyword is not an object: a misspelling, or a
// figure command with too few values.
std::vector<std::string> unknownCommandWarnings(std::span<const std::string> tokens);

// FIGURE, DX, LAYER, FRAME and FRAMES: values that are not numbers or colours, options in the
// wrong place, values that are ignored, and a figure that does not exist (`figureId` is the id
// the line runs with).
std::vector<std::string> figureCommandWarnings(std::span<const std::string> tokens,
                                               const model::FigureList& figures,
                                               std::uint32_t figureId);

// An object line as built: its sub-object tokens, their arguments, the expression, the mandatory
// sub-objects, and what its AT names among `figures` before the object is added. `figureId` is
// the id an AT figure of 0 stands for; `idGiven` says whether the caller imposed it.
std::vector<std::string> objectWarnings(const model::PlotObject& object,
                                        std::span<const std::string> tokens,
                                        const model::FigureList& figures, std::uint32_t figureId,
                                        bool idGiven, LineCheckMemory& memory);

// A function expression: names the evaluator does not know and unbalanced parentheses.
std::vector<std::string> expressionWarnings(std::string_view expression);

} // namespace lang
