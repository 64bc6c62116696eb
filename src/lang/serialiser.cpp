// The figure serialiser and the console's document texts.
#include "lang/serialiser.h"

#include "xml/entities.h"
#include "xml/utf.h"
#include "xml/xml_parser.h"

#include <cstdio>

namespace lang {
namespace {

using model::SubObjectKind;

std::string hexadecimal(std::uint32_t value)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%X", static_cast<unsigned>(value));
    return buffer;
}

std::string figureLine(const model::Figure& figure)
{
    return "FIGURE 0 " + std::to_string(figure.clientWidth) + " " +
           std::to_string(figure.clientHeight) + " " + hexadecimal(figure.backgroundColour) +
           (figure.hasDirect3D ? " dx" : " nodx") + (figure.own2d ? " own2d" : " noown2d") + "\r\n";
}

std::string layerLine(const model::Layer& layer)
{
    const std::string unit = layer.inPercent ? "%" : "";
    std::string line = "LAYER 0";
    for (const std::int32_t value : {layer.x, layer.y, layer.width, layer.height})
        line += " " + std::to_string(value) + unit;
    return line + "\r\n";
}

// Frame 0 comes with FIGURE; the others go in runs of equal delay and clear flag.
std::string frameLines(const std::vector<model::Frame>& frames)
{
    std::string lines;
    std::size_t start = 1;
    while (start < frames.size()) {
        std::size_t end = start + 1;
        while (end < frames.size() && frames[end].delayMs == frames[start].delayMs &&
               frames[end].clear == frames[start].clear)
            ++end;
        lines += "FRAMES 0 " + std::to_string(end - start) + " " +
                 std::to_string(frames[start].delayMs) + " " +
                 std::to_string(frames[start].clear ? 1 : 0) + " \r\n";
        start = end;
    }
    return lines;
}

std::string header(const model::Figure& figure)
{
    std::string text = figureLine(figure);
    for (const model::Layer& layer : figure.layers)
        text += layerLine(layer);
    return text + frameLines(figure.frames);
}

// The first AT gets figure id 0 and four arguments; in a recording also the recorded frame.
model::SubObject* rewriteFirstAt(model::PlotObject& object,
                                 std::optional<std::uint32_t> recordFrame)
{
    model::SubObject* at = model::findSubObject(object, SubObjectKind::At, 0);
    if (!at) return nullptr;
    at->arguments.resize(4);
    at->arguments[0] = "0";
    if (!recordFrame) return at;
    // Empty arguments vanish when the line is read back, which would move the frame id into
    // the layer's place: a recorded AT spells out layer and axis.
    for (std::size_t i = 1; i < 3; ++i)
        if (at->arguments[i].empty()) at->arguments[i] = "0";
    at->arguments[3] = std::to_string(*recordFrame);
    return at;
}

// "n" arguments are always quoted; another argument only when it holds a blank or a comma
// (a font family such as "Times New Roman"), which would otherwise split it when read back.
bool needsQuotes(SubObjectKind kind, const std::string& argument)
{
    return kind == SubObjectKind::Name || argument.find_first_of(" ,") != std::string::npos;
}

std::string objectLines(model::Figure& figure, SerialiseMode mode, std::uint32_t recordFrame)
{
    const bool recorder = mode == SerialiseMode::Recorder;
    const bool numberAxes = recorder && !figure.recordedBlocks.empty();
    std::uint32_t axisNumber = 0;
    std::string lines;
    for (std::size_t i = 0; i < figure.objects.size(); ++i) {
        model::PlotObject& object = figure.objects[i];
        model::SubObject* at =
            rewriteFirstAt(object, recorder ? std::optional(recordFrame) : std::nullopt);
        if (i > 0) lines += "\r\n";
        if (numberAxes && at && object.type == model::ObjectType::Axis) {
            const std::string ownAxis = at->arguments[2];
            at->arguments[2] = std::to_string(++axisNumber);
            lines += objectLine(object);
            at->arguments[2] = ownAxis;
        } else {
            lines += objectLine(object);
        }
    }
    return lines;
}

} // namespace

std::string objectLine(const model::PlotObject& object)
{
    std::string line = object.keyword + " ";
    for (const model::SubObject& subObject : object.subObjects) {
        line += model::writtenName(subObject.kind);
        line += '(';
        for (std::size_t i = 0; i < subObject.arguments.size(); ++i) {
            if (i > 0) line += ',';
            const std::string& argument = subObject.arguments[i];
            line += needsQuotes(subObject.kind, argument) ? "\"" + argument + "\"" : argument;
        }
        line += ") ";
    }
    return line;
}

std::string serialiseFigure(model::Figure& figure, SerialiseMode mode, std::uint32_t recordFrame)
{
    switch (mode) {
    case SerialiseMode::Normal:
        return header(figure) + objectLines(figure, mode, recordFrame);
    case SerialiseMode::Recorder:
        return objectLines(figure, mode, recordFrame);
    case SerialiseMode::HeaderOnly:
        return header(figure);
    }
    return {};
}

namespace {

// A figure's text as the content of a plot element of a document: UTF-8, markup encoded.
std::string plotContent(std::string_view figureText)
{
    return xml::encodeEntities(xml::replaceInvalidUtf8(figureText), xml::EntityContext::Text);
}

std::string oneFigureText(std::string_view content)
{
    return std::string(xml::defaultDeclaration) + "\r\n<root>\r\n\t<plot>\r\n" +
           std::string(content) + "\r\n\t</plot>\r\n</root>";
}

} // namespace

std::string oneFigureDocumentText(std::string_view figureText)
{
    return oneFigureText(plotContent(figureText));
}

std::string oneFigureClipboardText(std::string_view figureText)
{
    return oneFigureText(xml::replaceInvalidUtf8(figureText));
}

std::string allFiguresClipboardText(std::span<const std::string> figureTexts)
{
    std::string text;
    for (const std::string& figureText : figureTexts)
        text += "<plot>\r\n" + xml::replaceInvalidUtf8(figureText) + "\r\n</plot>\r\n";
    return text;
}

std::vector<std::string> collectFigureTexts(Session& session, FigureScope scope,
                                            std::optional<std::uint32_t> foregroundFigureId)
{
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < session.figures.size(); ++i) {
        model::Figure& figure = session.figures.at(i);
        if (scope == FigureScope::All || foregroundFigureId == figure.id)
            texts.push_back(serialiseFigure(figure));
    }
    return texts;
}

} // namespace lang
