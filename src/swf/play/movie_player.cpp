// Loading a movie for playing, its display list over the frames, and drawing it.
//
// Sections: loading · the display list · drawing.
#include "swf/play/movie_player.h"

#include "swf/play/shape_painting.h"
#include "swf/format/tag_header.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace swf {

// --- loading ------------------------------------------------------------------------------------

namespace {

PlayableMovieResult unplayable(ReadStatus status, std::string message)
{
    return {status, std::move(message), nullptr};
}

std::string tagPlace(const TagEntry& tag)
{
    return "tag " + std::to_string(tag.code) + " at byte " +
           std::to_string(tag.bodyOffset - (tag.form == TagHeaderForm::Long ? 6u : 2u));
}

// The character a placement names, if any.
std::optional<std::uint16_t> placedCharacter(const TagContent& content)
{
    if (const auto* place = std::get_if<PlaceObject>(&content)) return place->characterId;
    if (const auto* place = std::get_if<PlaceObject2>(&content)) return place->characterId;
    return std::nullopt;
}

} // namespace

double PlayableMovie::framesPerSecond() const
{
    return std::max(1.0, movie.header.frameRate / 256.0);
}

render::RectF PlayableMovie::stage() const
{
    const TwipsRect& rect = movie.header.frameRect;
    const auto pixels = [](Twips t) { return static_cast<float>(t.value) / twipsPerPixel; };
    return {pixels(rect.xMin), pixels(rect.yMin), pixels(rect.xMax - rect.xMin),
            pixels(rect.yMax - rect.yMin)};
}

PlayableMovieResult playableMovieOf(Movie movie)
{
    auto playable = std::make_shared<PlayableMovie>();
    playable->movie = std::move(movie);
    const Movie& read = playable->movie;
    playable->frames.resize(read.showFrames.size());
    std::size_t frame = 0;
    for (const TagEntry& tag : read.tags) {
        Decoded<TagContent> decoded = decodeTag(read, tag);
        if (!decoded.ok())
            return unplayable(decoded.status, tagPlace(tag) + ": " + decoded.message);
        TagContent& content = decoded.value;
        if (const auto* shape = std::get_if<DefineShape3>(&content)) {
            playable->characters[shape->shapeId] = tag;
        } else if (const auto* morph = std::get_if<DefineMorphShape>(&content)) {
            playable->characters[morph->characterId] = tag;
        } else if (const auto* colour = std::get_if<BackgroundColour>(&content)) {
            playable->background = 0xFF000000u | std::uint32_t{colour->red} << 16 |
                                   std::uint32_t{colour->green} << 8 | colour->blue;
        } else if (std::holds_alternative<ShowFrameTag>(content)) {
            ++frame;
        } else if (frame < playable->frames.size()) {
            const std::optional<std::uint16_t> character = placedCharacter(content);
            if (character && !playable->characters.contains(*character))
                return unplayable(ReadStatus::Malformed, tagPlace(tag) + ": places character " +
                                                             std::to_string(*character) +
                                                             ", which is not defined before it");
            std::visit(
                [&](auto& value) {
                    using T = std::decay_t<decltype(value)>;
                    if constexpr (std::is_constructible_v<FrameOperation, T>)
                        playable->frames[frame].emplace_back(std::move(value));
                },
                content);
        }
    }
    if (playable->frames.empty())
        return unplayable(ReadStatus::Malformed, "the movie has no frames");
    return {ReadStatus::Ok, {}, std::move(playable)};
}

PlayableMovieResult loadPlayableMovie(const std::string& path)
{
    MovieReadResult read = readMovieFile(path);
    if (!read.ok()) return unplayable(read.status, read.message);
    PlayableMovieResult result = playableMovieOf(std::move(read.movie));
    if (!result.ok()) result.message = path + ": " + result.message;
    return result;
}

// --- the display list ---------------------------------------------------------------------------

class MoviePlayer::Root : public RootTimeline {
public:
    explicit Root(DisplayList& display) : m_display(display) {}

    bool createTextField(TextField field) override
    {
        const std::int64_t depth = field.depth + programDepthOffset;
        if (!m_display.contains(depth) && fieldCount() >= maxActionObjects) return false;
        m_display[depth] = std::move(field);
        return true;
    }

    TextField* textField(std::string_view name) override
    {
        for (auto& [depth, object] : m_display)
            if (auto* field = std::get_if<TextField>(&object); field && field->name == name)
                return field;
        return nullptr;
    }

private:
    std::size_t fieldCount() const
    {
        return static_cast<std::size_t>(
            std::count_if(m_display.begin(), m_display.end(), [](const auto& entry) {
                return std::holds_alternative<TextField>(entry.second);
            }));
    }

    DisplayList& m_display;
};

MoviePlayer::MoviePlayer(std::shared_ptr<const PlayableMovie> movie)
    : m_movie(std::move(movie)), m_frame(m_movie->frameCount())
{
}

void MoviePlayer::restart()
{
    m_display.clear();
    m_actions = {};
    m_frame = m_movie->frameCount();
}

void MoviePlayer::showFrame(std::size_t frame)
{
    frame = std::min(frame, m_movie->frameCount() - 1);
    if (frame == m_frame) return;
    if (m_frame == m_movie->frameCount() || frame < m_frame) {
        restart();
        for (const FrameOperation& operation : m_movie->frames[0])
            apply(operation);
        m_frame = 0;
    }
    while (m_frame < frame) {
        ++m_frame;
        for (const FrameOperation& operation : m_movie->frames[m_frame])
            apply(operation);
    }
}

void MoviePlayer::apply(const FrameOperation& operation)
{
    if (const auto* place = std::get_if<PlaceObject>(&operation)) {
        m_display[place->depth] = PlacedCharacter{place->characterId, matrixOf(place->matrix), 0};
        return;
    }
    if (const auto* place = std::get_if<PlaceObject2>(&operation)) {
        auto found = m_display.find(place->depth);
        auto* existing =
            found == m_display.end() ? nullptr : std::get_if<PlacedCharacter>(&found->second);
        if (place->kind == PlacementKind::Move && existing) {
            if (place->characterId) existing->characterId = *place->characterId;
            if (place->matrix) existing->matrix = matrixOf(*place->matrix);
            if (place->ratio) existing->ratio = *place->ratio;
        } else if (place->characterId) {
            m_display[place->depth] = PlacedCharacter{
                *place->characterId, place->matrix ? matrixOf(*place->matrix) : geom::Matrix2D{},
                place->ratio.value_or(0)};
        }
        return;
    }
    if (const auto* remove = std::get_if<RemoveObject>(&operation)) {
        m_display.erase(remove->depth);
        return;
    }
    Root root(m_display);
    if (std::optional<std::string> problem =
            runActions(std::get<DoAction>(operation), root, m_actions))
        note("frame " + std::to_string(m_frame) + ": " + *problem);
}

void MoviePlayer::note(std::string text)
{
    if (std::find(m_notes.begin(), m_notes.end(), text) == m_notes.end())
        m_notes.push_back(std::move(text));
}

// --- drawing ------------------------------------------------------------------------------------

const ShapeGeometry* MoviePlayer::geometryOf(const PlacedCharacter& placed)
{
    const auto character = m_movie->characters.find(placed.characterId);
    if (character == m_movie->characters.end()) return nullptr;
    if (character->second.code == static_cast<std::uint16_t>(TagCode::DefineMorphShape)) {
        if (m_morphReady && m_morphId == placed.characterId && m_morphRatio == placed.ratio)
            return &m_morph;
        const Decoded<TagContent> decoded = decodeTag(m_movie->movie, character->second);
        const auto* morph = std::get_if<DefineMorphShape>(&decoded.value);
        if (!morph) return nullptr;
        m_morph = morphGeometryAt(*morph, placed.ratio);
        m_morphId = placed.characterId;
        m_morphRatio = placed.ratio;
        m_morphReady = true;
        return &m_morph;
    }
    if (const auto cached = m_shapes.find(placed.characterId); cached != m_shapes.end())
        return &cached->second;
    const Decoded<TagContent> decoded = decodeTag(m_movie->movie, character->second);
    const auto* shape = std::get_if<DefineShape3>(&decoded.value);
    if (!shape) return nullptr;
    ShapeGeometry geometry = shapeGeometryOf(*shape);
    if (m_cachedPoints + geometry.pointCount() > maxCachedShapePoints) {
        m_shapes.clear();
        m_cachedPoints = 0;
    }
    m_cachedPoints += geometry.pointCount();
    return &(m_shapes[placed.characterId] = std::move(geometry));
}

namespace {

std::string deviceFontFamily(const std::string& family)
{
    if (family == "_sans") return {};
    if (family == "_serif") return "Times New Roman";
    if (family == "_typewriter") return "Courier New";
    return family;
}

// Text fields keep two pixels between their edge and their text.
constexpr float textFieldGutter = 2;

void drawTextField(render::DrawingSurface& surface, const TextField& field)
{
    const TextFormat& format = field.format;
    if (field.text.empty() || !(format.size > 0) || !std::isfinite(field.x) ||
        !std::isfinite(field.y))
        return;
    render::Font font;
    font.family = deviceFontFamily(format.font);
    font.size = static_cast<float>(std::min(format.size, 10000.0));
    font.style = (format.bold ? render::fontBold : 0) | (format.italic ? render::fontItalic : 0) |
                 (format.underline ? render::fontUnderline : 0);
    font.unit = static_cast<std::int32_t>(render::FontUnit::Pixel);
    const auto extent = [](double value) {
        return static_cast<float>(std::clamp(value - 2 * textFieldGutter, 0.0, 1e6));
    };
    const render::RectF layout{static_cast<float>(field.x) + textFieldGutter,
                               static_cast<float>(field.y) + textFieldGutter, extent(field.width),
                               extent(field.height)};
    constexpr std::int32_t noWrap = 0x1000;
    surface.drawString(field.text, font, render::SolidBrush{0xFF000000u | format.colour}, layout,
                       render::StringFormat{noWrap});
}

geom::Matrix2D stageToViewport(const render::RectF& stage, const render::RectF& viewport)
{
    if (!(stage.width > 0) || !(stage.height > 0)) return {};
    const float scale = std::min(viewport.width / stage.width, viewport.height / stage.height);
    geom::Matrix2D matrix;
    matrix.m11 = matrix.m22 = scale;
    matrix.dx = viewport.x + (viewport.width - stage.width * scale) / 2 - stage.x * scale;
    matrix.dy = viewport.y + (viewport.height - stage.height * scale) / 2 - stage.y * scale;
    return matrix;
}

} // namespace

void MoviePlayer::draw(render::DrawingSurface& surface, const render::RectF& viewport)
{
    drawDepths(surface, viewport, std::numeric_limits<std::int64_t>::min(),
               std::numeric_limits<std::int64_t>::max(), BackgroundFill::Fill);
}

void MoviePlayer::drawDepths(render::DrawingSurface& surface, const render::RectF& viewport,
                             std::int64_t from, std::int64_t to, BackgroundFill fill)
{
    const render::ContainerState outer = surface.beginContainer();
    surface.setSmoothingMode(render::SmoothingMode::AntiAlias8x4);
    if (fill == BackgroundFill::Fill)
        surface.fillRectangle(render::SolidBrush{m_movie->background}, viewport);
    surface.multiplyWorldTransform(stageToViewport(m_movie->stage(), viewport),
                                   render::MatrixOrder::Prepend);
    // The largest depth stands for the end, so that draw() reaches every object.
    const auto first = m_display.lower_bound(from);
    const auto last = to == std::numeric_limits<std::int64_t>::max() ? m_display.cend()
                      : from < to                                    ? m_display.lower_bound(to)
                                                                     : first;
    for (auto it = first; it != last; ++it) {
        const DisplayObject& object = it->second;
        if (const auto* field = std::get_if<TextField>(&object)) {
            drawTextField(surface, *field);
            continue;
        }
        const auto& placed = std::get<PlacedCharacter>(object);
        const ShapeGeometry* geometry = geometryOf(placed);
        if (!geometry) continue;
        const render::ContainerState inner = surface.beginContainer();
        surface.multiplyWorldTransform(placed.matrix, render::MatrixOrder::Prepend);
        paintShape(surface, *geometry);
        surface.endContainer(inner);
    }
    surface.endContainer(outer);
}

void drawMovieFrame(std::shared_ptr<const PlayableMovie> movie, std::size_t frame,
                    render::DrawingSurface& surface, const render::RectF& viewport)
{
    MoviePlayer player(std::move(movie));
    player.showFrame(frame);
    player.draw(surface, viewport);
}

} // namespace swf
