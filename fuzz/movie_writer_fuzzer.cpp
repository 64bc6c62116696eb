// Fuzz target: the movie writer's pieces on fuzzed shapes, morphs, placements and text fields in
// fuzzed frames, the movie written to a file and parsed back. A written movie must read back,
// every tag must decode, and every decoded tag written again must give the same bytes; a refused
// movie must leave the file that was there untouched.
#include "fuzz_support.h"

#include "swf/format/curve_builders.h"
#include "swf/format/define_shape.h"
#include "swf/export/file_writer.h"
#include "swf/format/morph_shape.h"
#include "swf/format/place_object.h"
#include "swf/read/reader.h"
#include "swf/format/tag_header.h"
#include "swf/format/tag_list.h"
#include "swf/format/text_field.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <bit>
#include <fstream>
#include <iterator>

namespace {

constexpr std::size_t maxFrames = 8;
constexpr int maxOperations = 48;
constexpr std::size_t maxOutlinePoints = 48;

// A movie being made: its frames and tag buffers, the ids and the display list of the export.
struct MovieUnderConstruction {
    std::vector<model::Frame> frames;
    swf::SwfTagList tags{0};
    swf::TwipsRect frameRect;
    std::uint32_t framesPerSecond = 25;
    swf::CharacterCounter ids;
    swf::SwfDisplayList displayList;
    std::vector<std::uint16_t> morphs;
};

// Mostly ordinary numbers, now and then any bit pattern (NaN, infinities, huge values).
float numberFrom(FuzzedDataProvider& input, float range = 2000.0f)
{
    if (input.ConsumeIntegralInRange(0, 7) == 0)
        return std::bit_cast<float>(input.ConsumeIntegral<std::uint32_t>());
    return input.ConsumeFloatingPointInRange(-range, range);
}

std::uint32_t colourFrom(FuzzedDataProvider& input)
{
    return input.ConsumeIntegral<std::uint32_t>();
}

render::Brush brushFrom(FuzzedDataProvider& input)
{
    switch (input.ConsumeIntegralInRange(0, 2)) {
    case 0:
        return render::SolidBrush{colourFrom(input)};
    case 1:
        return render::HatchBrush{input.ConsumeIntegralInRange(-2, 60), colourFrom(input),
                                  colourFrom(input)};
    default: {
        render::LinearGradientBrush gradient;
        gradient.rect = {numberFrom(input), numberFrom(input), numberFrom(input),
                         numberFrom(input)};
        gradient.colour1 = colourFrom(input);
        gradient.colour2 = colourFrom(input);
        gradient.angle = numberFrom(input, 720.0f);
        if (input.ConsumeBool())
            gradient.transform =
                geom::Matrix2D{numberFrom(input, 4), numberFrom(input, 4), numberFrom(input, 4),
                               numberFrom(input, 4), numberFrom(input),    numberFrom(input)};
        return gradient;
    }
    }
}

render::Pen penFrom(FuzzedDataProvider& input)
{
    render::Pen pen;
    pen.colour = colourFrom(input);
    pen.width = numberFrom(input, 40.0f);
    pen.dashStyle = input.ConsumeIntegralInRange(-1, 5);
    if (input.ConsumeIntegralInRange(0, 3) == 0) pen.fill = brushFrom(input);
    return pen;
}

swf::ShapeStyle styleFrom(FuzzedDataProvider& input)
{
    swf::ShapeStyle style;
    if (input.ConsumeBool()) style.brush = brushFrom(input);
    style.pen = penFrom(input);
    return style;
}

geom::Matrix2D matrixFrom(FuzzedDataProvider& input)
{
    if (input.ConsumeBool()) return {};
    return {numberFrom(input, 8), numberFrom(input, 8), numberFrom(input, 8),
            numberFrom(input, 8), numberFrom(input),    numberFrom(input)};
}

// An outline as one of the writer's builders makes it, or as arbitrary records.
std::vector<swf::PathRecord> outlineFrom(FuzzedDataProvider& input, swf::EdgeMode& mode)
{
    switch (input.ConsumeIntegralInRange(0, 3)) {
    case 0:
        mode = swf::EdgeMode::Curve;
        return swf::ellipseOutline(numberFrom(input), numberFrom(input), numberFrom(input),
                                   numberFrom(input));
    case 1: {
        mode = swf::EdgeMode::Curve;
        std::vector<geom::Point2D> triples;
        const std::size_t count = input.ConsumeIntegralInRange<std::size_t>(0, 8);
        for (std::size_t i = 0; i < count; ++i)
            swf::appendCurveTriple(triples, {numberFrom(input), numberFrom(input)},
                                   {numberFrom(input), numberFrom(input)},
                                   {numberFrom(input), numberFrom(input)});
        return swf::curveRecordsFromTriples(triples);
    }
    default: {
        mode = input.ConsumeBool() ? swf::EdgeMode::Curve : swf::EdgeMode::Polyline;
        std::vector<swf::PathRecord> records(
            input.ConsumeIntegralInRange<std::size_t>(0, maxOutlinePoints));
        for (swf::PathRecord& record : records)
            record = {numberFrom(input, 60000.0f), numberFrom(input, 60000.0f),
                      numberFrom(input, 60000.0f), numberFrom(input, 60000.0f)};
        return records;
    }
    }
}

std::size_t frameFrom(FuzzedDataProvider& input, const MovieUnderConstruction& movie)
{
    return input.ConsumeIntegralInRange<std::size_t>(0, movie.frames.size() - 1);
}

void addShape(FuzzedDataProvider& input, MovieUnderConstruction& movie)
{
    swf::EdgeMode mode = swf::EdgeMode::Polyline;
    const std::vector<swf::PathRecord> outline = outlineFrom(input, mode);
    const swf::ShapeStyle style = styleFrom(input);
    swf::ShapePlacement placement;
    const std::size_t frame = frameFrom(input, movie);
    placement.figureFrame = static_cast<std::uint32_t>(frame);
    placement.matrix = matrixFrom(input);
    placement.transience =
        input.ConsumeBool() ? swf::Transience::Transient : swf::Transience::Stays;
    swf::defineAndPlaceShape(movie.tags.frame(frame), movie.frameRect, {outline, mode}, style,
                             placement, movie.ids, movie.displayList);
}

void addMorph(FuzzedDataProvider& input, MovieUnderConstruction& movie)
{
    swf::EdgeMode startMode = swf::EdgeMode::Polyline;
    swf::EdgeMode endMode = swf::EdgeMode::Polyline;
    const std::vector<swf::PathRecord> startOutline = outlineFrom(input, startMode);
    const std::vector<swf::PathRecord> endOutline = outlineFrom(input, endMode);
    const swf::MorphEnd start{movie.frameRect, {startOutline, startMode}, styleFrom(input)};
    const swf::MorphEnd end{movie.frameRect, {endOutline, endMode}, styleFrom(input)};
    const std::size_t frame = frameFrom(input, movie);
    const std::optional<std::uint16_t> id =
        swf::defineMorphShape(movie.tags.frame(frame), start, end, movie.ids);
    if (!id) return;
    movie.morphs.push_back(*id);
    swf::appendPlaceObject2(
        movie.tags.frame(frame),
        {swf::PlacementKind::New, *id, *id, swf::swfMatrixOf(matrixFrom(input)), std::uint16_t{0}});
}

void moveMorph(FuzzedDataProvider& input, MovieUnderConstruction& movie)
{
    if (movie.morphs.empty()) return;
    const std::uint16_t id =
        movie.morphs[input.ConsumeIntegralInRange<std::size_t>(0, movie.morphs.size() - 1)];
    swf::PlaceObject2 place{swf::PlacementKind::Move, id, std::nullopt, std::nullopt,
                            input.ConsumeIntegral<std::uint16_t>()};
    if (input.ConsumeBool()) place.matrix = swf::swfMatrixOf(matrixFrom(input));
    swf::appendPlaceObject2(movie.tags.frame(frameFrom(input, movie)), place);
}

void removeCharacter(FuzzedDataProvider& input, MovieUnderConstruction& movie)
{
    if (movie.displayList.empty()) return;
    const swf::SwfDisplayEntry entry = movie.displayList[input.ConsumeIntegralInRange<std::size_t>(
        0, movie.displayList.size() - 1)];
    swf::appendRemoveObject(movie.tags.frame(frameFrom(input, movie)),
                            {entry.characterId, entry.characterId});
}

// Text of any bytes; now and then past the text field's limit.
std::string textFrom(FuzzedDataProvider& input)
{
    std::string text = input.ConsumeRandomLengthString(200);
    if (input.ConsumeIntegralInRange(0, 15) == 0 && !text.empty()) {
        const std::size_t copies = 61000 / text.size() + 1;
        std::string repeated;
        repeated.reserve(copies * text.size());
        for (std::size_t i = 0; i < copies; ++i)
            repeated += text;
        text = std::move(repeated);
    }
    return text;
}

void addTextField(FuzzedDataProvider& input, MovieUnderConstruction& movie)
{
    render::Font font;
    font.family = input.ConsumeRandomLengthString(40);
    font.size = numberFrom(input, 200.0f);
    font.style = input.ConsumeIntegralInRange(0, 15);
    font.unit = input.ConsumeIntegralInRange(-1, 7);
    const std::string text = textFrom(input);
    const geom::Point2D position{numberFrom(input), numberFrom(input)};
    const render::Pen pen = penFrom(input);
    const float lineHeight = numberFrom(input, 300.0f);
    swf::emitTextField(movie.tags.frame(frameFrom(input, movie)), text, position, movie.frameRect,
                       pen, font, movie.ids, lineHeight);
}

MovieUnderConstruction movieFrom(FuzzedDataProvider& input)
{
    MovieUnderConstruction movie;
    movie.frames.resize(input.ConsumeIntegralInRange<std::size_t>(1, maxFrames));
    for (std::size_t i = 1; i < movie.frames.size(); ++i) {
        model::Frame& frame = movie.frames[i];
        frame.delayMs = input.ConsumeIntegralInRange(0, 15) == 0
                            ? input.ConsumeIntegral<std::uint32_t>()
                            : input.ConsumeIntegralInRange<std::uint32_t>(0, 2000);
        frame.clear = input.ConsumeBool() ? 1 : 0;
    }
    movie.tags = swf::SwfTagList(movie.frames.size());
    const bool anySize = input.ConsumeIntegralInRange(0, 15) == 0;
    const auto side = [&] {
        return anySize ? input.ConsumeIntegral<std::int32_t>()
                       : input.ConsumeIntegralInRange<std::int32_t>(1, model::maxFigureSide);
    };
    const std::int32_t width = side();
    movie.frameRect = swf::twipsRectFromPixels(0, 0, width, side());
    movie.framesPerSecond = input.ConsumeIntegralInRange(0, 15) == 0
                                ? input.ConsumeIntegral<std::uint32_t>()
                                : input.ConsumeIntegralInRange<std::uint32_t>(1, 255);
    swf::appendSetBackgroundColor(movie.tags.background(), colourFrom(input));

    for (int operation = 0; operation < maxOperations && input.remaining_bytes() > 0; ++operation) {
        switch (input.ConsumeIntegralInRange(0, 5)) {
        case 0:
        case 1:
            addShape(input, movie);
            break;
        case 2:
            addMorph(input, movie);
            break;
        case 3:
            moveMorph(input, movie);
            break;
        case 4:
            removeCharacter(input, movie);
            break;
        default:
            addTextField(input, movie);
            break;
        }
    }
    return movie;
}

// --- reading back --------------------------------------------------------------------------------

using Bytes = std::vector<std::uint8_t>;

Bytes appendedActions(const swf::DoAction& program)
{
    swf::ByteBuffer actions;
    for (const swf::Action& action : program.actions) {
        if (const auto* pool = std::get_if<swf::ConstantPoolAction>(&action)) {
            if (!swf::appendConstantPool(actions, pool->constants))
                fuzzing::reportFinding("a constant pool read back does not fit again");
        }
        if (const auto* push = std::get_if<swf::PushAction>(&action)) {
            for (const swf::PushValue& value : push->values)
                if (!swf::appendPush(actions, value))
                    fuzzing::reportFinding("a pushed value read back does not fit again");
        }
        if (const auto* other = std::get_if<swf::OtherAction>(&action))
            swf::appendAction(actions, static_cast<swf::ActionCode>(other->code));
    }
    swf::appendAction(actions, swf::ActionCode::End);
    return {actions.bytes().begin(), actions.bytes().end()};
}

// The tag written again from its decoded value.
Bytes rewritten(const swf::TagContent& content)
{
    swf::ByteBuffer out;
    struct Visitor {
        swf::ByteBuffer& out;
        void operator()(const swf::ShowFrameTag&)
        {
            swf::appendTagHeader(out, swf::TagCode::ShowFrame, 0);
        }
        void operator()(const swf::EndTag&) { swf::appendTagHeader(out, swf::TagCode::End, 0); }
        void operator()(const swf::BackgroundColour& colour)
        {
            swf::appendSetBackgroundColor(out, 0xFF000000u | colour.red << 16 | colour.green << 8 |
                                                   colour.blue);
        }
        void operator()(const swf::PlaceObject& place) { swf::appendPlaceObject(out, place); }
        void operator()(const swf::PlaceObject2& place) { swf::appendPlaceObject2(out, place); }
        void operator()(const swf::RemoveObject& remove) { swf::appendRemoveObject(out, remove); }
        void operator()(const swf::DefineShape3& shape) { swf::appendDefineShape3(out, shape); }
        void operator()(const swf::DefineMorphShape& morph)
        {
            swf::appendDefineMorphShape(out, morph);
        }
        void operator()(const swf::DoAction& program)
        {
            const Bytes actions = appendedActions(program);
            swf::ByteBuffer body;
            body.appendBytes(actions);
            swf::appendTag(out, swf::TagCode::DoAction, body);
        }
    };
    std::visit(Visitor{out}, content);
    return {out.bytes().begin(), out.bytes().end()};
}

Bytes originalTag(const swf::Movie& movie, const swf::TagEntry& tag)
{
    const std::size_t headerLength = tag.form == swf::TagHeaderForm::Long ? 6 : 2;
    const auto begin = movie.bytes.begin() + tag.bodyOffset - static_cast<long>(headerLength);
    return Bytes(begin, begin + static_cast<long>(headerLength + tag.bodyLength));
}

void checkReadsBack(const std::string& path)
{
    const swf::MovieReadResult read = swf::readMovieFile(path);
    if (!read.ok()) fuzzing::reportFinding("a written movie does not read: " + read.message);
    for (const swf::TagEntry& tag : read.movie.tags) {
        const swf::Decoded<swf::TagContent> content = swf::decodeTag(read.movie, tag);
        if (!content.ok())
            fuzzing::reportFinding("tag " + std::to_string(tag.code) +
                                   " of a written movie does not decode: " + content.message);
        if (rewritten(content.value) != originalTag(read.movie, tag))
            fuzzing::reportFinding("tag " + std::to_string(tag.code) +
                                   " written again from its decoded value gives other bytes");
    }
}

std::string contentsOf(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

const fuzzing::ScratchFolder& scratchFolder()
{
    static const fuzzing::ScratchFolder folder;
    return folder;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    MovieUnderConstruction movie = movieFrom(input);

    const std::string path = scratchFolder().file("movie.swf");
    const std::string previous = "the movie that was there";
    std::ofstream(path, std::ios::binary | std::ios::trunc) << previous;
    const io::WriteResult written =
        swf::writeSwfFile(path, movie.tags, movie.frames, movie.frameRect, movie.framesPerSecond);
    if (written.written) {
        checkReadsBack(path);
    } else {
        if (written.message.empty()) fuzzing::reportFinding("a refused movie gives no reason");
        if (contentsOf(path) != previous)
            fuzzing::reportFinding("a refused movie changed the file: " + written.message);
    }
    return 0;
}
