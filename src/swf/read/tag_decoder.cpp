// Decoding tag bodies.
//
// Sections: the decoding context · records shared by several tags (RECT, MATRIX, colours) ·
// styles · shape records · shapes and morph shapes · placements · actions · dispatch.
#include "swf/read/tag_decoder.h"

#include "swf/read/byte_reader.h"
#include "swf/format/movie_limits.h"
#include "swf/format/tag_header.h"

#include <bit>

namespace swf {

namespace {

// --- the decoding context -----------------------------------------------------------------------

// A reader with the first problem found; later problems do not replace it.
class Decoder {
public:
    explicit Decoder(std::span<const std::uint8_t> body) : reader(body) {}

    ByteReader reader;

    bool good() const { return m_status == ReadStatus::Ok && !reader.failed(); }

    void problem(ReadStatus status, std::string message)
    {
        if (m_status != ReadStatus::Ok) return;
        m_status = status;
        m_message = std::move(message);
    }

    // The result for `value`: its status, the record `what` ends early when the reader ran out,
    // or has bytes left over when it did not use the whole body.
    template <typename T> Decoded<TagContent> finish(const char* what, T value)
    {
        if (m_status == ReadStatus::Ok && reader.failed())
            problem(ReadStatus::Malformed, std::string(what) + " ends early");
        if (m_status == ReadStatus::Ok && reader.remaining() != 0)
            problem(ReadStatus::Malformed, std::string(what) + " has " +
                                               std::to_string(reader.remaining()) +
                                               " bytes left over");
        if (m_status != ReadStatus::Ok) return {m_status, m_message, {}};
        return {ReadStatus::Ok, {}, TagContent{std::move(value)}};
    }

private:
    ReadStatus m_status = ReadStatus::Ok;
    std::string m_message;
};

// --- records shared by several tags
// ---------------------------------------------------------------

TwipsRect readRect(ByteReader& in)
{
    const unsigned width = in.readBits(5);
    TwipsRect rect;
    rect.xMin = {in.readSignedBits(width)};
    rect.xMax = {in.readSignedBits(width)};
    rect.yMin = {in.readSignedBits(width)};
    rect.yMax = {in.readSignedBits(width)};
    in.alignToByte();
    return rect;
}

std::optional<FixedPair> readFactors(ByteReader& in)
{
    if (in.readBits(1) == 0) return std::nullopt;
    const unsigned width = in.readBits(5);
    const std::int32_t first = in.readSignedBits(width);
    return FixedPair{first, in.readSignedBits(width)};
}

SwfMatrix readMatrix(ByteReader& in)
{
    SwfMatrix matrix;
    matrix.scale = readFactors(in);
    matrix.rotateSkew = readFactors(in);
    const unsigned width = in.readBits(5);
    matrix.translateX = {in.readSignedBits(width)};
    matrix.translateY = {in.readSignedBits(width)};
    in.alignToByte();
    return matrix;
}

Rgba readRgba(ByteReader& in)
{
    Rgba colour;
    colour.red = in.readUi8();
    colour.green = in.readUi8();
    colour.blue = in.readUi8();
    colour.alpha = in.readUi8();
    return colour;
}

std::uint32_t readStyleCount(ByteReader& in)
{
    const std::uint8_t count = in.readUi8();
    return count == 0xFF ? in.readUi16() : count;
}

// --- styles -------------------------------------------------------------------------------------

std::string fillTypeMessage(std::uint8_t type)
{
    return "fill style type " + std::to_string(type) + " is not one this program writes";
}

std::vector<FillStyle> readFillStyles(Decoder& decoder)
{
    ByteReader& in = decoder.reader;
    const std::uint32_t count = readStyleCount(in);
    std::vector<FillStyle> styles;
    for (std::uint32_t index = 0; index < count && decoder.good(); ++index) {
        const std::uint8_t type = in.readUi8();
        if (type == 0x00) {
            styles.emplace_back(SolidFill{readRgba(in)});
        } else if (type == 0x10) {
            LinearGradientFill gradient{readMatrix(in), {}};
            const std::uint8_t records = in.readUi8() & 0x0F; // spread and interpolation above
            for (std::uint8_t record = 0; record < records && decoder.good(); ++record) {
                const std::uint8_t ratio = in.readUi8();
                gradient.records.push_back({ratio, readRgba(in)});
            }
            styles.emplace_back(std::move(gradient));
        } else {
            decoder.problem(ReadStatus::Unsupported, fillTypeMessage(type));
        }
    }
    return styles;
}

std::vector<LineStyle> readLineStyles(Decoder& decoder)
{
    ByteReader& in = decoder.reader;
    const std::uint32_t count = readStyleCount(in);
    std::vector<LineStyle> styles;
    for (std::uint32_t index = 0; index < count && decoder.good(); ++index) {
        const std::uint16_t width = in.readUi16();
        styles.push_back({width, readRgba(in)});
    }
    return styles;
}

std::vector<MorphFillStyle> readMorphFillStyles(Decoder& decoder)
{
    ByteReader& in = decoder.reader;
    const std::uint32_t count = readStyleCount(in);
    std::vector<MorphFillStyle> styles;
    for (std::uint32_t index = 0; index < count && decoder.good(); ++index) {
        const std::uint8_t type = in.readUi8();
        if (type == 0x00) {
            const Rgba start = readRgba(in);
            styles.emplace_back(MorphSolidFill{start, readRgba(in)});
        } else if (type == 0x10) {
            MorphLinearGradientFill gradient;
            gradient.startMatrix = readMatrix(in);
            gradient.endMatrix = readMatrix(in);
            const std::uint8_t records = in.readUi8();
            for (std::uint8_t record = 0; record < records && decoder.good(); ++record) {
                MorphGradientRecord entry;
                entry.startRatio = in.readUi8();
                entry.startColour = readRgba(in);
                entry.endRatio = in.readUi8();
                entry.endColour = readRgba(in);
                gradient.records.push_back(entry);
            }
            styles.emplace_back(std::move(gradient));
        } else {
            decoder.problem(ReadStatus::Unsupported, "morph " + fillTypeMessage(type));
        }
    }
    return styles;
}

std::vector<MorphLineStyle> readMorphLineStyles(Decoder& decoder)
{
    ByteReader& in = decoder.reader;
    const std::uint32_t count = readStyleCount(in);
    std::vector<MorphLineStyle> styles;
    for (std::uint32_t index = 0; index < count && decoder.good(); ++index) {
        MorphLineStyle style;
        style.startWidth = in.readUi16();
        style.endWidth = in.readUi16();
        style.startColour = readRgba(in);
        style.endColour = readRgba(in);
        styles.push_back(style);
    }
    return styles;
}

// --- shape records ------------------------------------------------------------------------------

struct StyleCounts {
    std::uint32_t fills = 0;
    std::uint32_t lines = 0;
};

// The style indices of a style change must name existing styles (0 is none).
void checkStyleIndices(Decoder& decoder, const StyleChangeRecord& change, StyleCounts counts)
{
    const auto check = [&](const std::optional<std::uint32_t>& index, std::uint32_t count,
                           const char* what) {
        if (index && *index > count)
            decoder.problem(ReadStatus::Malformed, std::string("a shape refers to ") + what +
                                                       " style " + std::to_string(*index) + " of " +
                                                       std::to_string(count));
    };
    check(change.fillStyle0, counts.fills, "fill");
    check(change.fillStyle1, counts.fills, "fill");
    check(change.lineStyle, counts.lines, "line");
}

StyleChangeRecord readStyleChange(Decoder& decoder, unsigned flags, unsigned fillBits,
                                  unsigned lineBits)
{
    ByteReader& in = decoder.reader;
    StyleChangeRecord change;
    if ((flags & 0x10) != 0)
        decoder.problem(ReadStatus::Unsupported, "a shape defines new styles inside its records");
    if ((flags & 0x01) != 0) {
        const unsigned width = in.readBits(5);
        const std::int32_t x = in.readSignedBits(width);
        change.moveTo = TwipsPoint{{x}, {in.readSignedBits(width)}};
    }
    if ((flags & 0x02) != 0) change.fillStyle0 = in.readBits(fillBits);
    if ((flags & 0x04) != 0) change.fillStyle1 = in.readBits(fillBits);
    if ((flags & 0x08) != 0) change.lineStyle = in.readBits(lineBits);
    return change;
}

ShapeRecord readEdge(ByteReader& in)
{
    const bool straight = in.readBits(1) == 1;
    const unsigned width = in.readBits(4) + 2;
    if (!straight) {
        CurvedEdgeRecord curve;
        curve.controlDeltaX = {in.readSignedBits(width)};
        curve.controlDeltaY = {in.readSignedBits(width)};
        curve.anchorDeltaX = {in.readSignedBits(width)};
        curve.anchorDeltaY = {in.readSignedBits(width)};
        return curve;
    }
    StraightEdgeRecord line;
    if (in.readBits(1) == 1) { // general line
        line.deltaX = {in.readSignedBits(width)};
        line.deltaY = {in.readSignedBits(width)};
    } else if (in.readBits(1) == 1) { // vertical
        line.deltaY = {in.readSignedBits(width)};
    } else {
        line.deltaX = {in.readSignedBits(width)};
    }
    return line;
}

// The style-bits byte, then records up to the end-of-shape record.
std::vector<ShapeRecord> readShapeRecords(Decoder& decoder, StyleCounts counts)
{
    ByteReader& in = decoder.reader;
    const std::uint8_t styleBits = in.readUi8();
    const unsigned fillBits = styleBits >> 4;
    const unsigned lineBits = styleBits & 0x0F;
    std::vector<ShapeRecord> records;
    while (decoder.good()) {
        if (records.size() >= maxShapeRecordsRead) {
            decoder.problem(ReadStatus::TooLarge, "a shape has more than " +
                                                      std::to_string(maxShapeRecordsRead) +
                                                      " records, the limit of the reader");
            break;
        }
        if (in.readBits(1) == 1) {
            records.push_back(readEdge(in));
            continue;
        }
        const unsigned flags = in.readBits(5);
        if (flags == 0) break; // end of shape
        const StyleChangeRecord change = readStyleChange(decoder, flags, fillBits, lineBits);
        checkStyleIndices(decoder, change, counts);
        records.emplace_back(change);
    }
    in.alignToByte();
    return records;
}

std::size_t edgeCount(const std::vector<ShapeRecord>& records)
{
    std::size_t count = 0;
    for (const ShapeRecord& record : records)
        if (!std::holds_alternative<StyleChangeRecord>(record)) ++count;
    return count;
}

// --- shapes and morph shapes
// ----------------------------------------------------------------------

Decoded<TagContent> decodeDefineShape3(std::span<const std::uint8_t> body)
{
    Decoder decoder(body);
    DefineShape3 shape;
    shape.shapeId = decoder.reader.readUi16();
    shape.bounds = readRect(decoder.reader);
    shape.fillStyles = readFillStyles(decoder);
    shape.lineStyles = readLineStyles(decoder);
    const StyleCounts counts{static_cast<std::uint32_t>(shape.fillStyles.size()),
                             static_cast<std::uint32_t>(shape.lineStyles.size())};
    if (decoder.good()) shape.records = readShapeRecords(decoder, counts);
    return decoder.finish("DefineShape3", std::move(shape));
}

Decoded<TagContent> decodeDefineMorphShape(std::span<const std::uint8_t> body)
{
    Decoder decoder(body);
    ByteReader& in = decoder.reader;
    DefineMorphShape morph;
    morph.characterId = in.readUi16();
    morph.startBounds = readRect(in);
    morph.endBounds = readRect(in);
    const std::uint32_t offset = in.readUi32();
    const std::size_t offsetBase = in.position();
    morph.fillStyles = readMorphFillStyles(decoder);
    morph.lineStyles = readMorphLineStyles(decoder);
    const StyleCounts counts{static_cast<std::uint32_t>(morph.fillStyles.size()),
                             static_cast<std::uint32_t>(morph.lineStyles.size())};
    if (decoder.good()) morph.startRecords = readShapeRecords(decoder, counts);
    if (decoder.good() && in.position() - offsetBase != offset)
        decoder.problem(ReadStatus::Malformed,
                        "DefineMorphShape: Offset " + std::to_string(offset) +
                            " does not lead to the end edges, which start " +
                            std::to_string(in.position() - offsetBase) + " bytes after it");
    if (decoder.good()) morph.endRecords = readShapeRecords(decoder, counts);
    if (decoder.good() && edgeCount(morph.startRecords) != edgeCount(morph.endRecords))
        decoder.problem(ReadStatus::Malformed,
                        "DefineMorphShape: " + std::to_string(edgeCount(morph.startRecords)) +
                            " start edges but " + std::to_string(edgeCount(morph.endRecords)) +
                            " end edges");
    return decoder.finish("DefineMorphShape", std::move(morph));
}

// --- placements ---------------------------------------------------------------------------------

Decoded<TagContent> decodePlaceObject(std::span<const std::uint8_t> body)
{
    Decoder decoder(body);
    PlaceObject place;
    place.characterId = decoder.reader.readUi16();
    place.depth = decoder.reader.readUi16();
    place.matrix = readMatrix(decoder.reader);
    if (decoder.good() && decoder.reader.remaining() != 0)
        decoder.problem(ReadStatus::Unsupported, "PlaceObject with a colour transform");
    return decoder.finish("PlaceObject", place);
}

Decoded<TagContent> decodePlaceObject2(std::span<const std::uint8_t> body)
{
    Decoder decoder(body);
    ByteReader& in = decoder.reader;
    const std::uint8_t flags = in.readUi8();
    if ((flags & 0xE8) != 0)
        decoder.problem(ReadStatus::Unsupported,
                        "PlaceObject2 with a colour transform, name, clip depth or clip actions");
    PlaceObject2 place;
    place.kind = (flags & 0x01) != 0 ? PlacementKind::Move : PlacementKind::New;
    place.depth = in.readUi16();
    if ((flags & 0x02) != 0) place.characterId = in.readUi16();
    if ((flags & 0x04) != 0) place.matrix = readMatrix(in);
    if ((flags & 0x10) != 0) place.ratio = in.readUi16();
    return decoder.finish("PlaceObject2", place);
}

Decoded<TagContent> decodeRemoveObject(std::span<const std::uint8_t> body)
{
    Decoder decoder(body);
    RemoveObject remove;
    remove.characterId = decoder.reader.readUi16();
    remove.depth = decoder.reader.readUi16();
    return decoder.finish("RemoveObject", remove);
}

Decoded<TagContent> decodeBackground(std::span<const std::uint8_t> body)
{
    Decoder decoder(body);
    BackgroundColour colour;
    colour.red = decoder.reader.readUi8();
    colour.green = decoder.reader.readUi8();
    colour.blue = decoder.reader.readUi8();
    return decoder.finish("SetBackgroundColor", colour);
}

// --- actions ------------------------------------------------------------------------------------

ConstantPoolAction readConstantPool(Decoder& decoder, std::span<const std::uint8_t> payload)
{
    Decoder pool(payload);
    ConstantPoolAction action;
    const std::uint16_t count = pool.reader.readUi16();
    for (std::uint16_t index = 0; index < count && pool.good(); ++index)
        action.constants.push_back(pool.reader.readTerminatedString());
    if (pool.reader.failed() || pool.reader.remaining() != 0)
        decoder.problem(ReadStatus::Malformed,
                        "ConstantPool: its strings do not fill its length exactly");
    return action;
}

std::optional<PushValue> readPushValue(Decoder& decoder, ByteReader& in)
{
    const std::uint8_t type = in.readUi8();
    switch (type) {
    case 0:
        return PushString{in.readTerminatedString()};
    case 1:
        return PushFloat{std::bit_cast<float>(in.readUi32())};
    case 4:
        return PushRegister{in.readUi8()};
    case 5:
        return PushBoolean{in.readUi8() != 0};
    case 6: {
        const std::uint64_t high = in.readUi32();
        const std::uint64_t low = in.readUi32();
        return PushDouble{std::bit_cast<double>((high << 32) | low)};
    }
    case 7:
        return PushInteger{in.readUi32()};
    case 8:
        return PushConstant{in.readUi8()};
    case 9:
        return PushConstant{in.readUi16()};
    default:
        decoder.problem(ReadStatus::Unsupported,
                        "Push of type " + std::to_string(type) + " is not one this program writes");
        return std::nullopt;
    }
}

PushAction readPush(Decoder& decoder, std::span<const std::uint8_t> payload)
{
    ByteReader in(payload);
    PushAction action;
    while (in.remaining() > 0 && decoder.good() && !in.failed()) {
        std::optional<PushValue> value = readPushValue(decoder, in);
        if (value && !in.failed()) action.values.push_back(std::move(*value));
    }
    if (in.failed()) decoder.problem(ReadStatus::Malformed, "Push: a value ends early");
    if (action.values.empty() && decoder.good())
        decoder.problem(ReadStatus::Malformed, "Push without a value");
    return action;
}

Decoded<TagContent> decodeDoAction(std::span<const std::uint8_t> body)
{
    Decoder decoder(body);
    ByteReader& in = decoder.reader;
    DoAction program;
    bool ended = false;
    while (decoder.good() && in.remaining() > 0) {
        const std::uint8_t code = in.readUi8();
        if (code == static_cast<std::uint8_t>(ActionCode::End)) {
            ended = true;
            break;
        }
        if (program.actions.size() >= maxActionsRead) {
            decoder.problem(ReadStatus::TooLarge, "DoAction has more than " +
                                                      std::to_string(maxActionsRead) +
                                                      " actions, the limit of the reader");
            break;
        }
        std::span<const std::uint8_t> payload;
        if (code >= 0x80) payload = in.readBytes(in.readUi16());
        if (!decoder.good()) break;
        if (code == static_cast<std::uint8_t>(ActionCode::ConstantPool))
            program.actions.emplace_back(readConstantPool(decoder, payload));
        else if (code == static_cast<std::uint8_t>(ActionCode::Push))
            program.actions.emplace_back(readPush(decoder, payload));
        else
            program.actions.emplace_back(
                OtherAction{code, std::vector<std::uint8_t>(payload.begin(), payload.end())});
    }
    if (decoder.good() && !ended)
        decoder.problem(ReadStatus::Malformed, "DoAction without its end-of-actions byte");
    return decoder.finish("DoAction", std::move(program));
}

// --- dispatch -----------------------------------------------------------------------------------

Decoded<TagContent> decodeEmpty(std::span<const std::uint8_t> body, const char* what,
                                TagContent value)
{
    if (!body.empty())
        return {ReadStatus::Malformed,
                std::string(what) + " with a body of " + std::to_string(body.size()) + " bytes",
                {}};
    return {ReadStatus::Ok, {}, std::move(value)};
}

} // namespace

Decoded<TagContent> decodeTagBody(std::uint16_t code, std::span<const std::uint8_t> body)
{
    switch (static_cast<TagCode>(code)) {
    case TagCode::End:
        return decodeEmpty(body, "End", EndTag{});
    case TagCode::ShowFrame:
        return decodeEmpty(body, "ShowFrame", ShowFrameTag{});
    case TagCode::PlaceObject:
        return decodePlaceObject(body);
    case TagCode::RemoveObject:
        return decodeRemoveObject(body);
    case TagCode::SetBackgroundColor:
        return decodeBackground(body);
    case TagCode::DoAction:
        return decodeDoAction(body);
    case TagCode::PlaceObject2:
        return decodePlaceObject2(body);
    case TagCode::DefineShape3:
        return decodeDefineShape3(body);
    case TagCode::DefineMorphShape:
        return decodeDefineMorphShape(body);
    }
    return {ReadStatus::Unsupported,
            "tag code " + std::to_string(code) + " is not one this program writes",
            {}};
}

} // namespace swf
