// The content of one export.
#include "swf/export/movie_canvas.h"

#include "swf/format/place_object.h"
#include "swf/export/removal_pass.h"
#include "swf/format/shape_bounds.h"
#include "swf/format/text_field.h"

#include <algorithm>

namespace swf {

namespace {

constexpr std::uint32_t lastRatio = 65535;

std::string morphMismatchMessage(const MorphRecord& start, const MorphRecord& end)
{
    const auto described = [](const MorphRecord& record) {
        return std::string(record.mode == EdgeMode::Curve ? "a curve of " : "a line of ") +
               std::to_string(record.pointCount) + " points";
    };
    return "SWF: a MORPH pair joins " + described(start) + " with " + described(end) +
           "; a morph needs two objects of the same type and number of points, so this pair is "
           "left out";
}

} // namespace

MovieCanvas::MovieCanvas(SwfTagList& tags, std::span<const model::Frame> frames,
                         const TwipsRect& frameRect, render::DrawingSurface& measuringSurface,
                         std::uint64_t byteLimit)
    : m_tags(tags), m_frames(frames), m_frameRect(frameRect), m_measuringSurface(measuringSurface),
      m_byteLimit(byteLimit)
{
}

void MovieCanvas::placeShape(std::uint32_t frame, const ShapeOutline& outline,
                             const ShapeStyle& style, const geom::Matrix2D& matrix,
                             Transience transience)
{
    if (outline.records.empty() || m_refusal) return;
    if (exceedsCoordinateLimit(outline.records, outline.mode)) note(coordinateLimitMessage());
    ByteBuffer& tags = m_tags.frame(frame);
    const std::uint32_t sizeBefore = tags.size();
    const std::optional<std::uint16_t> id =
        defineAndPlaceShape(tags, shapeBounds(m_frameRect, outline, style.pen), outline, style,
                            {frame, matrix, transience}, m_characterCounter, m_displayList);
    if (!id) m_refusal = MovieRefusal::CharactersUsedUp;
    account(tags, sizeBefore);
}

void MovieCanvas::placeText(std::uint32_t frame, std::string_view text, geom::Point2D position,
                            const render::Pen& pen, const render::Font& font)
{
    if (m_refusal) return;
    ByteBuffer& tags = m_tags.frame(frame);
    const std::uint32_t sizeBefore = tags.size();
    const TextFieldResult result =
        emitTextField(tags, text, position, m_frameRect, pen, font, m_characterCounter,
                      m_measuringSurface.fontLineHeight(font));
    if (result.status == TextFieldStatus::NoCharacterIds)
        m_refusal = MovieRefusal::CharactersUsedUp;
    if (result.status == TextFieldStatus::Shortened) note(result.message);
    account(tags, sizeBefore);
}

void MovieCanvas::removalPass(std::uint32_t frame)
{
    ByteBuffer& tags = m_tags.frame(frame);
    const std::uint32_t sizeBefore = tags.size();
    appendRemovalPass(tags, m_displayList, m_frames, frame);
    account(tags, sizeBefore);
}

void MovieCanvas::offerMorph(MorphRecord record)
{
    if (!m_waitingMorph) {
        m_waitingMorph = std::move(record);
        return;
    }
    const MorphRecord start = std::move(*m_waitingMorph);
    m_waitingMorph.reset();
    if (m_refusal) return;
    if (start.mode != record.mode || start.outline.size() != record.outline.size()) {
        note(morphMismatchMessage(start, record));
        return;
    }
    if (exceedsCoordinateLimit(start.outline, start.mode) ||
        exceedsCoordinateLimit(record.outline, record.mode))
        note(coordinateLimitMessage());
    const ShapeOutline startOutline{start.outline, start.mode};
    const ShapeOutline endOutline{record.outline, record.mode};
    const MorphEnd startEnd{shapeBounds(m_frameRect, startOutline, start.style.pen), startOutline,
                            start.style};
    const MorphEnd endEnd{shapeBounds(m_frameRect, endOutline, record.style.pen), endOutline,
                          record.style};
    ByteBuffer& tags = m_tags.frame(start.frame);
    const std::uint32_t sizeBefore = tags.size();
    const std::optional<std::uint16_t> id =
        defineMorphShape(tags, startEnd, endEnd, m_characterCounter);
    account(tags, sizeBefore);
    if (!id) {
        m_refusal = MovieRefusal::CharactersUsedUp;
        return;
    }
    placeMorph(*id, start.frame, record.frame, start.matrix);
}

void MovieCanvas::placeMorph(std::uint16_t id, std::uint32_t startFrame, std::uint32_t endFrame,
                             const geom::Matrix2D& matrix)
{
    if (startFrame >= m_frames.size() || endFrame < startFrame) return;
    endFrame = std::min<std::uint32_t>(endFrame, static_cast<std::uint32_t>(m_frames.size() - 1));
    const std::uint32_t span = endFrame - startFrame;
    const SwfMatrix placement = swfMatrixOf(matrix);
    for (std::uint32_t step = 0; step <= span; ++step) {
        ByteBuffer& tags = m_tags.frame(startFrame + step);
        const std::uint32_t sizeBefore = tags.size();
        if (step > 0) appendRemoveObject(tags, {id, id});
        // A morph that starts and ends in one frame shows its start.
        const std::uint32_t ratio =
            span == 0 ? 0 : static_cast<std::uint32_t>(std::uint64_t{step} * lastRatio / span);
        appendPlaceObject2(
            tags, {PlacementKind::New, id, id, placement, static_cast<std::uint16_t>(ratio)});
        account(tags, sizeBefore);
    }
}

void MovieCanvas::account(const ByteBuffer& tags, std::uint32_t sizeBefore)
{
    m_movieBytes += tags.size() - sizeBefore;
    if (tags.overflowed() || m_movieBytes > m_byteLimit) m_refusal = MovieRefusal::TooLarge;
}

void MovieCanvas::note(const std::string& message)
{
    if (std::find(m_notes.begin(), m_notes.end(), message) == m_notes.end())
        m_notes.push_back(message);
}

} // namespace swf
