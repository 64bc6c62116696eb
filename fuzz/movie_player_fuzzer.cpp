// Fuzz target: the movie player on arbitrary bytes. A movie that reads and decodes is played
// frame by frame, every frame drawn onto a recording surface; a few frames are then shown again
// out of order, as stepping back in the preview does.
#include "render/recording_surface.h"
#include "swf/play/movie_player.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

// Frames drawn per input, so that a sanitized run stays well within a second.
constexpr std::size_t maxFramesDrawn = 64;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    swf::MovieReadResult read = swf::readMovie(std::vector<std::uint8_t>(data, data + size));
    if (!read.ok()) return 0;
    const swf::PlayableMovieResult playable = swf::playableMovieOf(std::move(read.movie));
    if (!playable.ok()) return 0;
    swf::MoviePlayer player(playable.movie);
    const std::size_t frames = std::min(playable.movie->frameCount(), maxFramesDrawn);
    for (std::size_t frame = 0; frame < frames; ++frame) {
        render::RecordingSurface surface;
        player.showFrame(frame);
        player.draw(surface, {0, 0, 320, 240});
    }
    render::RecordingSurface again;
    player.showFrame(frames / 2);
    player.draw(again, {0, 0, 64, 48});
    return 0;
}
