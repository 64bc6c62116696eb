// The movie renderer: walks a figure's objects in drawing order and writes what each one shows
// into the tag buffers of the figure frames it appears in, with the positions, styles and
// samples the draw pass computes.
#pragma once

#include "expr/function_result_cache.h"
#include "model/figure.h"
#include "render/surface.h"
#include "swf/export/movie_canvas.h"
#include "swf/format/tag_list.h"

#include <atomic>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace swf {

struct MovieRenderResult {
    std::optional<MovieRefusal> refusal; // set when the tags do not hold the whole movie
    std::vector<std::string> notes;      // what the movie shows differently, each once

    bool operator==(const MovieRenderResult&) const = default;
};

// Lets another thread follow a rendering and stop it.
struct MovieProgress {
    std::atomic<std::size_t> objectsDone{0}; // of the figure's objects, hidden ones included
    std::atomic<bool> cancelled{false};      // set to stop after the object being rendered
};

// Fills `tags` (one buffer per frame of `figure`) with the figure's objects. Hidden objects and
// objects whose AT frame does not exist are left out, as on screen. Rendering stops as soon as
// the movie would need more character ids or bytes than a movie holds. Text is measured, and the
// size of text fields taken, on `measuringSurface`; function values come from `functionCache`.
// With `progress`, each object counts when it is done, and a cancellation stops the rendering
// (the tags then hold only part of the movie).
MovieRenderResult renderFigureToTags(const model::Figure& figure, SwfTagList& tags,
                                     render::DrawingSurface& measuringSurface,
                                     expr::FunctionResultCache& functionCache,
                                     MovieProgress* progress = nullptr);

} // namespace swf
