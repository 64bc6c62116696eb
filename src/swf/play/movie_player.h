// The movie player: a movie read and checked once (PlayableMovie), and the display list it
// builds frame by frame (MoviePlayer), drawn through a DrawingSurface. Shapes sit at their
// depths; text fields made by the frames' programs sit above them, at their program depth plus
// 16384, as the movie format places objects that programs make.
#pragma once

#include "render/surface.h"
#include "swf/play/action_runner.h"
#include "swf/play/shape_geometry.h"
#include "swf/read/reader.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <variant>
#include <vector>

namespace swf {

// The depth a program's depth 0 takes among the movie's own.
inline constexpr std::int64_t programDepthOffset = 16384;

// Flattened points the player keeps ready for drawing; beyond this it prepares shapes again.
inline constexpr std::size_t maxCachedShapePoints = 16'000'000;

using FrameOperation = std::variant<PlaceObject, PlaceObject2, RemoveObject, DoAction>;

// A movie every tag of which decoded: its characters and, per frame, what changes.
struct PlayableMovie {
    Movie movie;
    std::uint32_t background = 0xFFFFFFFF;                  // ARGB; white when the movie sets none
    std::unordered_map<std::uint16_t, TagEntry> characters; // shapes and morph shapes by id
    std::vector<std::vector<FrameOperation>> frames;

    std::size_t frameCount() const { return frames.size(); }
    double framesPerSecond() const; // at least 1 for a movie whose rate says 0
    // The stage: the header's frame rectangle in pixels.
    render::RectF stage() const;
};

struct PlayableMovieResult {
    ReadStatus status = ReadStatus::Ok;
    std::string message; // what is wrong, and where
    std::shared_ptr<const PlayableMovie> movie;
    bool ok() const { return status == ReadStatus::Ok; }
};

// Decodes every tag of a read movie; the first tag that does not decode, or a placement of a
// character that is not defined before it, makes the movie unplayable.
PlayableMovieResult playableMovieOf(Movie movie);

// readMovieFile and playableMovieOf; messages name the file.
PlayableMovieResult loadPlayableMovie(const std::string& path);

struct PlacedCharacter {
    std::uint16_t characterId = 0;
    geom::Matrix2D matrix;
    std::uint16_t ratio = 0; // of a morph shape
    bool operator==(const PlacedCharacter&) const = default;
};

using DisplayObject = std::variant<PlacedCharacter, TextField>;
enum class BackgroundFill { Fill, Keep };
using DisplayList = std::map<std::int64_t, DisplayObject>; // by depth, drawn from the lowest

class MoviePlayer {
public:
    explicit MoviePlayer(std::shared_ptr<const PlayableMovie> movie);

    const PlayableMovie& movie() const { return *m_movie; }
    // The frame shown; frameCount() before the first is shown.
    std::size_t frame() const { return m_frame; }
    // Builds the display list of `frame` (at most the last frame): the next ones by applying
    // their tags, earlier ones by playing again from the first.
    void showFrame(std::size_t frame);
    const DisplayList& displayList() const { return m_display; }
    // What the frames' programs could not do, each once.
    const std::vector<std::string>& notes() const { return m_notes; }

    // Fills `viewport` with the background and draws the display list scaled to fit it whole,
    // keeping its proportions, centred.
    void draw(render::DrawingSurface& surface, const render::RectF& viewport);
    // Draws the objects at depths from `from` up to, not including, `to` (the largest depth:
    // to the end) over what the surface shows, after filling the viewport with the background
    // when `fill` says so. Consecutive depth ranges drawn in turn give the picture of one
    // draw(), so a movie that grows frame by frame can draw only what each frame adds.
    void drawDepths(render::DrawingSurface& surface, const render::RectF& viewport,
                    std::int64_t from, std::int64_t to, BackgroundFill fill);

private:
    class Root;
    void restart();
    void apply(const FrameOperation& operation);
    const ShapeGeometry* geometryOf(const PlacedCharacter& placed);
    void note(std::string text);

    std::shared_ptr<const PlayableMovie> m_movie;
    std::size_t m_frame;
    DisplayList m_display;
    ActionState m_actions;
    std::vector<std::string> m_notes;
    std::unordered_map<std::uint16_t, ShapeGeometry> m_shapes; // static shapes, prepared
    std::size_t m_cachedPoints = 0;
    ShapeGeometry m_morph; // the last morph prepared, and which
    std::uint16_t m_morphId = 0, m_morphRatio = 0;
    bool m_morphReady = false;
};

// Frame `frame` of `movie` drawn into `viewport` as MoviePlayer::draw does.
void drawMovieFrame(std::shared_ptr<const PlayableMovie> movie, std::size_t frame,
                    render::DrawingSurface& surface, const render::RectF& viewport);

} // namespace swf
