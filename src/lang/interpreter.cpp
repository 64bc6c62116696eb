// executeCommand and the figure, layer and frame commands.
//
// Sections: console answers · FIGURE · DX, LAYER, FRAME, FRAMES · objects · the line itself
#include "lang/interpreter.h"
#include "model/argument_text.h"

#include "expr/sampler.h"
#include "lang/document.h"
#include "lang/help_texts.h"
#include "lang/host.h"
#include "lang/line_warnings.h"
#include "lang/markup.h"
#include "lang/object_builder.h"
#include "lang/tokenizer.h"
#include "mesh/mesh_scene.h"
#include "model/limits.h"
#include "render/axis_drawing.h"
#include "scene/object_context.h"

#include <new>
#include <vector>

namespace lang {
namespace {

using Tokens = std::vector<std::string>;

struct CommandLine {
    std::string_view text;
    const Tokens& tokens;
    std::uint32_t figureId; // default id, second token, or the lowest unused id
    bool figureIdImposed;   // the caller gave the default id
};

// --- console answers ----------------------------------------------------------------------------

// Warnings go to the host's diagnostics with the place of the line. The checks run only for a
// host that shows warnings: the console shows none.
template <typename Check> void warn(Session& session, Check check)
{
    if (!session.host().showsWarnings()) return;
    for (std::string& text : check())
        session.host().diagnose({DiagnosticKind::Warning, session.place, std::move(text)});
}

void appendAsterisk(Session& session)
{
    session.host().appendOutput({StyledRun{"*\r\n", {}, {}}});
    session.host().focusInput();
}

// --- FIGURE -------------------------------------------------------------------------------------

struct RequestedSize {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    bool given = false;
    std::string limitMessage; // when a side was cut to the limit
};

// The size a FIGURE line asks for; a side past the limit gets the limit, so that the figure
// still exists for the lines after it.
RequestedSize requestedSize(const CommandLine& line)
{
    if (line.tokens.size() < 4) return {};
    RequestedSize size{model::truncateToUint32(model::parseNumber(line.tokens[2])),
                       model::truncateToUint32(model::parseNumber(line.tokens[3])),
                       false,
                       {}};
    size.given = size.width != 0 && size.height != 0 && size.width != 0xFFFFFFFFu &&
                 size.height != 0xFFFFFFFFu;
    const auto limit = static_cast<std::uint32_t>(model::maxFigureSide);
    if (!size.given || (size.width <= limit && size.height <= limit)) return size;
    size.width = std::min(size.width, limit);
    size.height = std::min(size.height, limit);
    size.limitMessage = "FIGURE: " + line.tokens[2] + " x " + line.tokens[3] +
                        " pixels is more than the limit of " + std::to_string(limit) + " x " +
                        std::to_string(limit) + "; the figure gets " + std::to_string(size.width) +
                        " x " + std::to_string(size.height);
    return size;
}

// A figure made with DX draws its meshes through the mesh scene; when its client area cannot
// have one, the user is told once and the figure stays an ordinary one.
void makeDirect3D(Session& session, model::Figure& figure)
{
    if (figure.hasDirect3D) return;
    if (!mesh::canCreateMeshScene(figure)) {
        session.host().showError("Cannot create Direct3D Figure");
        return;
    }
    figure.hasDirect3D = true;
}

void runFigure(Session& session, const CommandLine& line)
{
    const RequestedSize size = requestedSize(line);
    if (!size.limitMessage.empty()) showMessage(session, size.limitMessage);
    const Tokens& tokens = line.tokens;
    model::Figure* figure = session.figures.findFigure(line.figureId);
    if (!figure) {
        figure = &session.figures.append(line.figureId);
        session.host().figureCreated(*figure);
        session.host().setFigureTitle(*figure, "Figure " + std::to_string(line.figureId));
    }
    if (size.given) {
        figure->clientWidth = static_cast<std::int32_t>(size.width);
        figure->clientHeight = static_cast<std::int32_t>(size.height);
    }
    figure->backgroundColour = tokens.size() >= 5 ? model::parseColour(tokens[4]) : 0xFFFFFFFFu;
    if (tokens.size() >= 6 && model::equalsIgnoringCase(tokens[5], "DX"))
        figure->hasDirect3D = true;
    if (tokens.size() >= 7 && model::equalsIgnoringCase(tokens[6], "OWN2D")) figure->own2d = true;
    if (figure->frames.empty()) figure->frames.push_back(model::Frame{0, 1, 1, 0});
    session.host().placeFigure(*figure, session.hiddenFigures ? FigureVisibility::Hidden
                                                              : FigureVisibility::Shown);
    session.host().repaintFigure(*figure);
}

// --- DX, LAYER, FRAME, FRAMES -------------------------------------------------------------------

void runDx(Session& session, const CommandLine& line)
{
    model::Figure* figure = session.figures.findFigure(line.figureId);
    if (!figure || figure->hasDirect3D) return;
    makeDirect3D(session, *figure);
    session.host().repaintFigure(*figure);
}

void runLayer(Session& session, const CommandLine& line)
{
    model::Figure* figure = session.figures.findFigure(line.figureId);
    if (!figure) return;
    const Tokens& tokens = line.tokens;
    model::Layer layer{model::truncateToInt32(model::parseNumber(tokens[2])),
                       model::truncateToInt32(model::parseNumber(tokens[3])),
                       model::truncateToInt32(model::parseNumber(tokens[4])),
                       model::truncateToInt32(model::parseNumber(tokens[5])), 0};
    for (std::size_t i = 2; i <= 5; ++i)
        if (model::isPercent(tokens[i])) layer.inPercent = 1;
    figure->layers.push_back(layer);
}

void checkFrameLimit(const model::Figure& figure, std::uint64_t added, std::string_view command,
                     std::string_view countText)
{
    const std::uint64_t total = figure.frames.size() + added;
    if (total <= model::maxFramesPerFigure) return;
    const std::string limit = std::to_string(model::maxFramesPerFigure);
    if (added > model::maxFramesPerFigure)
        throw LimitError(std::string(command) + ": " + std::string(countText) +
                         " frames is more than the limit of " + limit);
    throw LimitError(std::string(command) + ": figure " + std::to_string(figure.id) +
                     " would have " + std::to_string(total) + " frames, more than the limit of " +
                     limit);
}

void runFrame(Session& session, const CommandLine& line)
{
    model::Figure* figure = session.figures.findFigure(line.figureId);
    if (!figure) return;
    checkFrameLimit(*figure, 1, "FRAME", "1");
    const std::uint8_t clear = model::parseNumber(line.tokens[3]) != 0.0f ? 1 : 0;
    figure->frames.push_back(
        model::Frame{model::truncateToUint32(model::parseNumber(line.tokens[2])), clear, 1, 0});
}

void runFrames(Session& session, const CommandLine& line)
{
    model::Figure* figure = session.figures.findFigure(line.figureId);
    if (!figure) return;
    const Tokens& tokens = line.tokens;
    const float requested = model::parseNumber(tokens[2]);
    if (!(requested >= 1.0f)) return; // a count below 1 (or not a number) adds nothing
    const std::uint32_t count = model::truncateToUint32(requested);
    checkFrameLimit(*figure, count, "FRAMES", tokens[2]);
    const std::uint32_t delay = model::truncateToUint32(model::parseNumber(tokens[3]));
    const std::uint8_t clear = model::truncateToInt32(model::parseNumber(tokens[4])) != 0 ? 1 : 0;
    figure->frames.insert(figure->frames.end(), count, model::Frame{delay, clear, 1, 0});
}

// --- objects ------------------------------------------------------------------------------------

// A MESHF whose file passes a limit of the program is refused with the limit's message. A file
// that is missing or cannot be read is kept: it draws nothing until it can be read. The load
// stays in the session's mesh cache for the first paint.
void refuseMeshFileOverLimit(Session& session, const model::PlotObject& object)
{
    if (object.type != model::ObjectType::MeshF) return;
    const mesh::MeshFileResult& file =
        session.meshScene.cache().meshFile(render::objectText(object));
    if (file.status == mesh::MeshFileStatus::TooLarge ||
        file.status == mesh::MeshFileStatus::TooManyTriangles)
        throw LimitError(file.message);
}

void runObject(Session& session, const CommandLine& line)
{
    model::PlotObject object;
    std::vector<std::string> rejectedTopics;
    buildObject(line.text, object, rejectedTopics);
    for (const std::string& topic : rejectedTopics)
        showHelpTopic(session, topic);
    warn(session, [&] {
        return object.type == model::ObjectType::None
                   ? unknownCommandWarnings(line.tokens)
                   : objectWarnings(object, line.tokens, session.figures, line.figureId,
                                    line.figureIdImposed, session.lineChecks);
    });

    if (object.type == model::ObjectType::None) {
        showHelpTopic(session, line.text);
        return;
    }
    model::SubObject* at = model::findSubObject(object, model::SubObjectKind::At, 0);
    if (!at || at->arguments.empty()) {
        showHelpTopic(session, line.tokens[0]);
        return;
    }
    std::uint32_t figureId = model::truncateToUint32(model::parseNumber(at->arguments[0]));
    if (figureId == 0) figureId = line.figureId;
    model::Figure* figure = session.figures.findFigure(figureId);
    if (!figure) {
        showHelpTopic(session, line.tokens[0]);
        return;
    }
    at->arguments[0] = std::to_string(figureId);
    refuseMeshFileOverLimit(session, object);
    figure->objects.push_back(std::move(object));
    // Said once here: a function past a sampling limit is kept but draws nothing, an axis past
    // its limits draws without what they leave out.
    for (const std::string& message : expr::describeSampleLimits(figure->objects.back()))
        showMessage(session, message);
    for (const std::string& message : render::describeAxisLimits(*figure, figure->objects.back()))
        showMessage(session, message);
    session.host().repaintFigure(*figure);
}

// --- the line itself ----------------------------------------------------------------------------

bool isKeyword(const Tokens& tokens, std::string_view keyword, std::size_t minimumTokens)
{
    return tokens.size() >= minimumTokens && model::equalsIgnoringCase(tokens[0], keyword);
}

void runFileCommand(Session& session, const std::string& path)
{
    const bool movie =
        path.size() >= 4 &&
        model::equalsIgnoringCase(std::string_view(path).substr(path.size() - 4), ".swf");
    if (movie) {
        session.host().previewMovie(path);
        return;
    }
    const DocumentLoad load = runDocumentFile(session, path);
    if (load.status != xml::LoadStatus::Loaded && !load.refused)
        showMessage(session, "file: " + load.message);
}

void runLine(Session& session, std::string_view text, std::uint32_t defaultFigureId)
{
    const Tokens tokens = splitTokens(text, " ", QuoteProtection::On);
    if (tokens.empty()) {
        appendAsterisk(session);
        return;
    }
    bool handled = false;
    if (model::equalsIgnoringCase(text, "cls")) {
        session.host().clearOutput();
        handled = true;
    }
    if (text.starts_with("//") || text.starts_with("#"))
        handled = true;
    else
        warn(session, [&] { return quoteWarnings(text); });
    if (isKeyword(tokens, "file", 2)) {
        runFileCommand(session, tokens[1]);
        handled = true;
    }
    if (tokens.size() == 1) {
        warn(session, [&] { return loneTokenWarnings(tokens[0]); });
        showHelpTopic(session, tokens[0]);
        return;
    }

    std::uint32_t figureId = defaultFigureId;
    if (figureId == 0) figureId = model::truncateToUint32(model::parseNumber(tokens[1]));
    if (figureId == 0) figureId = session.figures.lowestUnusedFigureId();
    const CommandLine line{text, tokens, figureId, defaultFigureId != 0};

    // FIGURE, DX, LAYER and FRAME each test their own keyword; FRAMES comes last, and a line
    // that nothing handled is an object line.
    struct FigureCommand {
        std::string_view keyword;
        std::size_t minimumTokens;
        void (*run)(Session&, const CommandLine&);
    };
    static constexpr FigureCommand figureCommands[] = {
        {"figure", 2, runFigure}, {"dx", 2, runDx}, {"layer", 6, runLayer}, {"frame", 4, runFrame}};
    for (const FigureCommand& command : figureCommands) {
        if (!isKeyword(tokens, command.keyword, command.minimumTokens)) continue;
        warn(session, [&] { return figureCommandWarnings(tokens, session.figures, figureId); });
        command.run(session, line);
        handled = true;
    }
    if (isKeyword(tokens, "frames", 5)) {
        warn(session, [&] { return figureCommandWarnings(tokens, session.figures, figureId); });
        runFrames(session, line);
    } else if (!handled)
        runObject(session, line);
}

} // namespace

void executeCommand(Session& session, std::optional<std::string_view> text,
                    std::uint32_t defaultFigureId)
{
    session.host().beginCommand();
    if (!text) return;
    try {
        runLine(session, *text, defaultFigureId);
    } catch (const CommandError& error) {
        showHelpTopic(session, error.what());
    } catch (const LimitError& error) {
        showMessage(session, error.what());
    } catch (const std::bad_alloc&) {
        showMessage(session, "Not enough memory to carry out this command.");
    }
}

void showHelpTopic(Session& session, std::string_view keyword)
{
    const std::string_view text = findHelpText(keyword).value_or(notAvailableMessage);
    session.host().appendOutput(renderMarkup(text));
    session.host().focusInput();
}

void showMessage(Session& session, std::string_view text)
{
    if (session.host().diagnose({DiagnosticKind::Limit, session.place, std::string(text)})) return;
    constexpr std::uint32_t red = 0x0000FF; // rich-text colours are 0x00BBGGRR
    session.host().appendOutput(
        {StyledRun{std::string(text) + "\r\n", {true, false, false, red}, {}},
         StyledRun{std::string(separatorLine), {}, {}}});
    session.host().focusInput();
}

void activateLink(Session& session, std::string_view linkText)
{
    for (const std::string& command : linkCommands(linkText))
        executeCommand(session, command, 0);
}

} // namespace lang
