// Where the movie renderer writes the content of one export: the tag buffers of the figure's
// frames, the character ids, the display list, the morph waiting for its partner, and notes on
// what the movie shows differently from the figure. Nothing here outlives its export.
#pragma once

#include "geom/matrix2d.h"
#include "model/figure.h"
#include "scene/style.h"
#include "render/surface.h"
#include "swf/format/character_counter.h"
#include "swf/format/define_shape.h"
#include "swf/format/display_list.h"
#include "swf/format/morph_shape.h"
#include "swf/format/movie_limits.h"
#include "swf/format/shape_records.h"
#include "swf/format/tag_list.h"
#include "swf/format/twips.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace swf {

// Why a movie cannot be written whole.
enum class MovieRefusal {
    CharactersUsedUp, // more shapes and text fields than character ids
    TooLarge,         // more bytes than the movie's limit
};

// One end of a morph as an object gives it: the frame it was drawn in, its outline (made from
// `pointCount` points), its styles and the matrix it is placed with.
struct MorphRecord {
    std::uint32_t frame = 0;
    std::size_t pointCount = 0;
    std::vector<PathRecord> outline;
    EdgeMode mode = EdgeMode::Polyline;
    ShapeStyle style;
    geom::Matrix2D matrix;
};

class MovieCanvas {
public:
    // `tags` has one buffer per frame of `frames`; `frameRect` is the figure's client area in
    // twips, the bounds of every shape that stays within it; `measuringSurface` measures text as
    // the screen does. The tags may grow to `byteLimit` bytes in all.
    MovieCanvas(SwfTagList& tags, std::span<const model::Frame> frames, const TwipsRect& frameRect,
                render::DrawingSurface& measuringSurface, std::uint64_t byteLimit = maxMovieBytes);

    std::size_t frameCount() const { return m_frames.size(); }
    render::DrawingSurface& measuringSurface() { return m_measuringSurface; }

    // One shape in `frame` (DefineShape3 and PlaceObject), entered in the display list. An empty
    // outline adds nothing.
    void placeShape(std::uint32_t frame, const ShapeOutline& outline, const ShapeStyle& style,
                    const geom::Matrix2D& matrix, Transience transience);

    // One text field in `frame`, its size from the font's line height on the measuring surface.
    void placeText(std::uint32_t frame, std::string_view text, geom::Point2D position,
                   const render::Pen& pen, const render::Font& font);

    // The removal pass of `frame`.
    void removalPass(std::uint32_t frame);

    // Morphs pair in the order they arrive: a record waits until the next one comes, then the
    // two become one morph shape, defined in the first one's frame and placed in every frame
    // from there to the second one's frame with a ratio from 0 to 65535. Two outlines with
    // different edges cannot morph: the pair is left out with a note.
    void offerMorph(MorphRecord record);

    // Set once the movie cannot be complete: a shape or text field found no character id, or
    // the tags outgrew their byte limit. Nothing more is added then.
    std::optional<MovieRefusal> refusal() const { return m_refusal; }

    // Notes in the order they first arose, each once.
    const std::vector<std::string>& notes() const { return m_notes; }

private:
    void note(const std::string& message);
    // Adds what `tags` grew by since it held `sizeBefore` bytes to the movie's size.
    void account(const ByteBuffer& tags, std::uint32_t sizeBefore);
    void placeMorph(std::uint16_t id, std::uint32_t startFrame, std::uint32_t endFrame,
                    const geom::Matrix2D& matrix);

    SwfTagList& m_tags;
    std::span<const model::Frame> m_frames;
    TwipsRect m_frameRect;
    render::DrawingSurface& m_measuringSurface;
    CharacterCounter m_characterCounter;
    SwfDisplayList m_displayList;
    std::optional<MorphRecord> m_waitingMorph;
    std::optional<MovieRefusal> m_refusal;
    std::uint64_t m_movieBytes = 0;
    std::uint64_t m_byteLimit;
    std::vector<std::string> m_notes;
};

} // namespace swf
