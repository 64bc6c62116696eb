// Warnings about command lines.
//
// Sections: names · numbers and colours · sub-objects · expressions · objects · figure commands
#include "lang/line_warnings.h"

#include "lang/help_texts.h"
#include "lang/object_builder.h"
#include "lang/tokenizer.h"
#include "model/argument_text.h"

#include <algorithm>
#include <array>
#include <sstream>

namespace lang {
namespace {

using model::equalsIgnoringCase;
using model::parseColour;
using model::parseNumber;
using model::truncateToInt32;
using model::truncateToUint32;
using Warnings = std::vector<std::string>;

char lowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

std::string quoted(std::string_view text)
{
    return "'" + std::string(text) + "'";
}

std::string didYouMean(std::string_view word, std::span<const std::string_view> names)
{
    const std::optional<std::string_view> nearest = nearestName(word, names);
    return nearest ? "; did you mean " + std::string(*nearest) + "?" : std::string();
}

// --- names --------------------------------------------------------------------------------------

// Edits between two words ignoring case: insertions, deletions, substitutions and swaps of two
// neighbouring letters.
std::size_t editDistance(std::string_view a, std::string_view b)
{
    std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i)
        d[i][0] = i;
    for (std::size_t j = 0; j <= b.size(); ++j)
        d[0][j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const bool same = lowerAscii(a[i - 1]) == lowerAscii(b[j - 1]);
            d[i][j] =
                std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (same ? 0 : 1)});
            if (i > 1 && j > 1 && lowerAscii(a[i - 1]) == lowerAscii(b[j - 2]) &&
                lowerAscii(a[i - 2]) == lowerAscii(b[j - 1]))
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    }
    return d[a.size()][b.size()];
}

constexpr std::array<std::string_view, 19> subObjectNames = {
    "AT",    "PEN",       "BRUSH",       "FONT",        "N",     "NAME",   "P1",
    "P2",    "P3",        "P4",          "RECT",        "SPLIT", "SPLITR", "SPLITTR",
    "MORPH", "TRANSFORM", "3DTRANSFORM", "4DTRANSFORM", "P1C"};

constexpr std::array<std::string_view, 4> brushTypes = {"solid", "hatch", "gradient", "null"};

// The functions the evaluator knows, longer names first where two share a beginning, as it
// tries them.
constexpr std::array<std::string_view, 13> expressionFunctions = {
    "sinh", "sin",  "asin",  "cosh", "cos", "acos", "tanh",
    "tan",  "atan", "log10", "log",  "exp", "sqrt"};
constexpr std::array<std::string_view, 5> expressionValues = {"x", "y", "z", "e", "pi"};
constexpr std::array<std::string_view, 18> expressionNames = {
    "x",    "y",    "z",   "e",    "pi",   "sin", "sinh",  "asin", "cos",
    "cosh", "acos", "tan", "tanh", "atan", "log", "log10", "exp",  "sqrt"};

struct FigureCommandShape {
    std::string_view keyword;
    std::size_t values;     // tokens after the keyword that the command reads
    std::string_view usage; // its form, for messages
};

constexpr std::array<FigureCommandShape, 5> figureCommandShapes = {{
    {"FIGURE", 6, "FIGURE id [width] [height] [colour] [DX] [OWN2D]"},
    {"DX", 1, "DX fid"},
    {"LAYER", 5, "LAYER fid x y w h"},
    {"FRAME", 3, "FRAME fid ms clear"},
    {"FRAMES", 4, "FRAMES fid count ms clear"},
}};

const FigureCommandShape* figureCommandShape(std::string_view keyword)
{
    for (const FigureCommandShape& shape : figureCommandShapes)
        if (equalsIgnoringCase(shape.keyword, keyword)) return &shape;
    return nullptr;
}

// --- numbers and colours ------------------------------------------------------------------------

bool isHexDigit(char c)
{
    return isDigit(c) || (lowerAscii(c) >= 'a' && lowerAscii(c) <= 'f');
}

// True when the whole text is a number as parseNumber reads it (a trailing % allowed).
bool isNumberText(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    if (text.ends_with('%')) text.remove_suffix(1);
    if (text.size() > 2 && text[0] == '0' && text[1] == 'x')
        return std::all_of(text.begin() + 2, text.end(), isHexDigit);
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t digits = 0;
    for (; i < text.size() && isDigit(text[i]); ++i)
        ++digits;
    if (i < text.size() && text[i] == '.')
        for (++i; i < text.size() && isDigit(text[i]); ++i)
            ++digits;
    if (digits == 0) return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        const std::size_t exponentStart = i;
        while (i < text.size() && isDigit(text[i]))
            ++i;
        if (i == exponentStart) return false;
    }
    return i == text.size();
}

std::string readsAs(std::string_view text)
{
    std::ostringstream value;
    value << parseNumber(text);
    return value.str();
}

// A hint for the common ways of writing hexadecimal that the reading does not take.
std::string hexadecimalHint(std::string_view text)
{
    if (text.starts_with('#'))
        return " (hexadecimal numbers are written 0x" + std::string(text.substr(1)) + ")";
    if (text.starts_with("0X")) return " (hexadecimal numbers begin with a lower-case 0x)";
    return {};
}

void checkNumber(Warnings& warnings, std::string_view where, std::string_view text)
{
    if (isNumberText(text)) return;
    warnings.push_back(std::string(where) + ": " + quoted(text) + " is not a number" +
                       hexadecimalHint(text) + "; it reads as " + readsAs(text));
}

enum class ColourOrder { Argb, Bgr };

void checkColour(Warnings& warnings, std::string_view where, std::string_view text,
                 ColourOrder order)
{
    if (isNumberText(text) && !text.ends_with('%')) return;
    const std::string_view form =
        order == ColourOrder::Argb
            ? "colours are written 0xAARRGGBB, so 0xFF0000 is red"
            : "brush colours are written 0xTTBBGGRR with red in the lowest byte, so 0x0000FF is "
              "red and 0xFF0000 blue";
    warnings.push_back(std::string(where) + ": " + quoted(text) + " is not a colour" +
                       hexadecimalHint(text) + "; it reads as " +
                       std::to_string(parseColour(text)) + " (" + std::string(form) + ")");
}

// --- sub-objects --------------------------------------------------------------------------------

// The fewest arguments with which the sub-object keeps its kind, given the arguments typed.
std::size_t minimumArguments(std::span<const std::string> pieces)
{
    std::vector<std::string> padded(pieces.begin(), pieces.end());
    std::string topic = "rejected";
    while (!topic.empty() && padded.size() < 64) {
        padded.push_back("0");
        topic.clear();
        parseSubObject(padded, &topic);
    }
    return padded.size() - 1;
}

bool isFunctionObject(model::ObjectType type)
{
    return type == model::ObjectType::Function || type == model::ObjectType::Function3A ||
           type == model::ObjectType::Function3D;
}

void checkExpressionArgument(Warnings& warnings, std::string_view keyword,
                             const model::SubObject& name)
{
    if (name.arguments.size() > 1)
        warnings.push_back(std::string(keyword) + ": the expression was cut at its commas into " +
                           std::to_string(name.arguments.size()) + " arguments and only " +
                           quoted(name.arguments[0]) + " is evaluated; write it in double quotes");
    for (std::string& warning : expressionWarnings(name.arguments[0]))
        warnings.push_back(std::string(keyword) + ": " + warning);
}

void checkBrushArguments(Warnings& warnings, std::string_view keyword,
                         const model::SubObject& brush)
{
    const std::string& type = brush.arguments[0];
    if (std::none_of(brushTypes.begin(), brushTypes.end(),
                     [&](std::string_view known) { return equalsIgnoringCase(type, known); }))
        warnings.push_back(std::string(keyword) + ": " + quoted(type) +
                           " is not solid, hatch, gradient or null, so the object has no brush" +
                           didYouMean(type, brushTypes));
    for (std::size_t i = 1; i < brush.arguments.size(); ++i) {
        if (i <= 2)
            checkColour(warnings, keyword, brush.arguments[i], ColourOrder::Bgr);
        else
            checkNumber(warnings, keyword, brush.arguments[i]);
    }
}

constexpr std::array<std::string_view, 2> chartKinds = {"line", "column"};

// The first P1 of a CHART names its kind, exactly as written here.
void checkChartKind(Warnings& warnings, std::string_view keyword, const model::SubObject& p1)
{
    if (p1.arguments.empty() ||
        std::find(chartKinds.begin(), chartKinds.end(), p1.arguments[0]) != chartKinds.end())
        return;
    warnings.push_back(std::string(keyword) + ": " + quoted(p1.arguments[0]) +
                       " is not a chart kind (line or column, in lower case), so the chart draws "
                       "nothing" +
                       didYouMean(p1.arguments[0], chartKinds));
}

void checkArguments(Warnings& warnings, std::string_view keyword, const model::SubObject& sub,
                    const model::PlotObject& object)
{
    using model::SubObjectKind;
    const std::vector<std::string>& arguments = sub.arguments;
    const model::ObjectType type = object.type;
    if (type == model::ObjectType::Chart &&
        &sub == model::findSubObject(object, SubObjectKind::P1, 0)) {
        checkChartKind(warnings, keyword, sub);
        return;
    }
    switch (sub.kind) {
    case SubObjectKind::Name:
        if (isFunctionObject(type) && !arguments.empty())
            checkExpressionArgument(warnings, keyword, sub);
        return;
    case SubObjectKind::Brush:
        checkBrushArguments(warnings, keyword, sub);
        return;
    case SubObjectKind::Pen:
        for (std::size_t i = 0; i < arguments.size(); ++i) {
            if (i == 1)
                checkColour(warnings, keyword, arguments[i], ColourOrder::Argb);
            else
                checkNumber(warnings, keyword, arguments[i]);
        }
        return;
    case SubObjectKind::Font: // family, size, style, unit
        for (std::size_t i = 1; i < arguments.size(); ++i)
            checkNumber(warnings, keyword, arguments[i]);
        return;
    default:
        for (const std::string& argument : arguments)
            checkNumber(warnings, keyword, argument);
        return;
    }
}

void checkSubObjectToken(Warnings& warnings, std::string_view token, const model::SubObject& sub,
                         const model::PlotObject& object)
{
    const std::size_t openAt = token.find('(');
    const std::size_t closeAt = token.rfind(')');
    const bool open = openAt != std::string_view::npos;
    const bool close = closeAt != std::string_view::npos;
    if (open != close) {
        warnings.push_back(quoted(token) + " has no " + (open ? "closing" : "opening") +
                           " parenthesis, so it is not read as a sub-object");
        return;
    }
    if (open && closeAt < openAt) {
        warnings.push_back(quoted(token) + " closes its parenthesis before opening it, so it is "
                                           "not read as a sub-object");
        return;
    }
    const std::vector<std::string> pieces = splitSubObject(token);
    const std::string& keyword = pieces.front();
    if (sub.kind != model::SubObjectKind::Unknown) {
        checkArguments(warnings, keyword, sub, object);
        return;
    }
    std::string rejected;
    parseSubObject(pieces, &rejected);
    if (!rejected.empty())
        warnings.push_back(quoted(token) + " has too few arguments (it needs at least " +
                           std::to_string(minimumArguments(pieces)) + ") and is left out");
    else if (!open)
        warnings.push_back(quoted(token) +
                           " is not a sub-object: sub-objects are written name(arguments)" +
                           didYouMean(keyword, subObjectNames));
    else
        warnings.push_back("unknown sub-object " + quoted(keyword) +
                           didYouMean(keyword, subObjectNames));
}

// --- expressions --------------------------------------------------------------------------------

// True when the evaluator reads the letters as it is meant: an optional function name followed
// by nothing or by one variable or constant.
bool isKnownLetterRun(std::string_view letters)
{
    for (std::string_view function : expressionFunctions) {
        if (!letters.starts_with(function)) continue;
        letters.remove_prefix(function.size());
        break;
    }
    return letters.empty() || std::find(expressionValues.begin(), expressionValues.end(),
                                        letters) != expressionValues.end();
}

// An upper-case E between digits, as in 2E3, is an exponent.
bool isExponent(std::string_view text, std::size_t begin, std::size_t end)
{
    if (end != begin + 1 || text[begin] != 'E' || begin == 0 || !isDigit(text[begin - 1]))
        return false;
    std::size_t next = end;
    if (next < text.size() && (text[next] == '+' || text[next] == '-')) ++next;
    return next < text.size() && isDigit(text[next]);
}

void checkParentheses(Warnings& warnings, std::string_view expression)
{
    std::size_t depth = 0;
    for (const char c : expression) {
        if (c == '(') ++depth;
        if (c != ')') continue;
        if (depth == 0) {
            warnings.push_back("a ')' in " + quoted(expression) +
                               " comes before its '(', so grouping stops there");
            return;
        }
        --depth;
    }
    if (depth > 0)
        warnings.push_back("a '(' in " + quoted(expression) +
                           " has no ')', so grouping stops there and the text after it reads "
                           "as 0");
}

std::string unknownNameWarning(std::string_view name)
{
    std::string lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(), lowerAscii);
    std::string warning = quoted(name) + " is not a name the evaluator knows, so it reads as 0";
    if (lower != name && isKnownLetterRun(lower))
        return warning + "; names are lower case: " + lower;
    if (const auto nearest = nearestName(name, expressionNames))
        return warning + "; did you mean " + std::string(*nearest) + "?";
    return warning + "; it knows x y z e pi sin sinh asin cos cosh acos tan tanh atan log log10 "
                     "exp sqrt";
}

// --- objects ------------------------------------------------------------------------------------

struct MandatorySubObject {
    model::ObjectType type;
    model::SubObjectKind kind;
    int count;
    std::string_view what;
};

constexpr std::array<MandatorySubObject, 13> mandatorySubObjects = {{
    {model::ObjectType::Axis, model::SubObjectKind::P4, 2,
     "two P4 (the x and the y axis: from, to, spacing, numbering precision)"},
    {model::ObjectType::Image, model::SubObjectKind::Name, 1,
     "N (the picture file, in double quotes)"},
    {model::ObjectType::MeshF, model::SubObjectKind::Name, 1,
     "N (the mesh file, in double quotes)"},
    {model::ObjectType::MeshB, model::SubObjectKind::P3, 1, "P3 (the size of the box)"},
    {model::ObjectType::Function, model::SubObjectKind::P2, 1, "P2 (the range of x)"},
    {model::ObjectType::Function, model::SubObjectKind::P1, 1, "P1 (the spacing of x)"},
    {model::ObjectType::Function, model::SubObjectKind::Name, 1,
     "N (the expression, in double quotes)"},
    {model::ObjectType::Function3A, model::SubObjectKind::P2, 1, "P2 (the range of x)"},
    {model::ObjectType::Function3A, model::SubObjectKind::P1, 1, "P1 (the spacing of x)"},
    {model::ObjectType::Function3A, model::SubObjectKind::Name, 1,
     "N (the expression, in double quotes)"},
    {model::ObjectType::Function3D, model::SubObjectKind::P2, 2,
     "two P2 (the ranges of x and of y)"},
    {model::ObjectType::Function3D, model::SubObjectKind::P1, 4,
     "four P1 (spacing of x and of y, projection, drawing)"},
    {model::ObjectType::Function3D, model::SubObjectKind::Name, 1,
     "N (the expression, in double quotes)"},
}};

void checkMandatory(Warnings& warnings, const model::PlotObject& object)
{
    for (const MandatorySubObject& entry : mandatorySubObjects) {
        if (entry.type != object.type) continue;
        if (model::countSubObjects(object, entry.kind) >= entry.count) continue;
        warnings.push_back(object.keyword + " needs " + std::string(entry.what));
    }
    const model::SubObject* drawing = model::findSubObject(object, model::SubObjectKind::P1, 3);
    if (object.type == model::ObjectType::Function3D && drawing && !drawing->arguments.empty() &&
        model::countSubObjects(object, model::SubObjectKind::P1) < 5) {
        const std::int32_t kind = truncateToInt32(parseNumber(drawing->arguments[0]));
        if (kind == 1 || kind == 2)
            warnings.push_back(object.keyword + " draws points and needs a fifth P1 (their size)");
    }
    if (object.type == model::ObjectType::Image &&
        model::countSubObjects(object, model::SubObjectKind::P2) == 0 &&
        model::countSubObjects(object, model::SubObjectKind::P4) == 0)
        warnings.push_back(object.keyword +
                           " needs P2 (left, top) or P4 (left, top, width, height)");
}

std::int32_t wholeArgument(const model::SubObject& sub, std::size_t index)
{
    return index < sub.arguments.size() ? truncateToInt32(parseNumber(sub.arguments[index])) : 0;
}

std::string plural(std::int64_t count, std::string_view one, std::string_view many)
{
    return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

void checkPlacement(Warnings& warnings, const model::PlotObject& object, const model::SubObject& at,
                    const model::Figure& figure, LineCheckMemory& memory)
{
    const std::int32_t layer = wholeArgument(at, 1);
    const auto layers = static_cast<std::int64_t>(figure.layers.size());
    if (layer != 0 && (layer < 0 || layer > layers))
        warnings.push_back("AT names layer " + std::to_string(layer) + ", but figure " +
                           std::to_string(figure.id) + " has " + plural(layers, "layer", "layers") +
                           " (LAYER adds them), so the object is drawn on the whole figure");
    if (object.type == model::ObjectType::Axis) return; // its axis id is its own place
    const std::int32_t axis = wholeArgument(at, 2);
    if (axis == 0) return;
    const std::int64_t axes = memory.axisSystems(figure);
    if (axis < 0 || axis > axes)
        warnings.push_back("AT names axis " + std::to_string(axis) + ", but figure " +
                           std::to_string(figure.id) + " has " +
                           plural(axes, "axis system", "axis systems") +
                           " before this line (an AXIS line must come first), so the object is "
                           "drawn without one");
}

void checkAt(Warnings& warnings, const model::PlotObject& object, const model::FigureList& figures,
             std::uint32_t figureId, bool idGiven, LineCheckMemory& memory)
{
    const model::SubObject* at = model::findSubObject(object, model::SubObjectKind::At, 0);
    if (!at || at->arguments.empty()) {
        warnings.push_back(object.keyword +
                           " needs AT(figure,[layer],[axis],[frame]), so the line was not run");
        return;
    }
    const std::uint32_t written = truncateToUint32(parseNumber(at->arguments[0]));
    const std::uint32_t id = written == 0 ? figureId : written;
    const model::Figure* figure = figures.findFigure(id);
    if (figure) {
        checkPlacement(warnings, object, *at, *figure, memory);
        return;
    }
    if (written == 0 && !idGiven)
        warnings.push_back("AT names figure 0, which stands for a figure that does not exist "
                           "yet, so the line was not run; name the figure, as in at(1)");
    else
        warnings.push_back("AT names figure " + std::to_string(id) +
                           ", which does not exist, so the line was not run (FIGURE " +
                           std::to_string(id) + " creates it)");
}

// --- figure commands ----------------------------------------------------------------------------

void checkFigureOptions(Warnings& warnings, std::span<const std::string> tokens)
{
    if (tokens.size() == 3)
        warnings.push_back("FIGURE: a width without a height leaves the size as it was");
    if (tokens.size() >= 5) checkColour(warnings, "FIGURE", tokens[4], ColourOrder::Argb);
    // Options count by position: DX only as the sixth value, OWN2D only as the seventh.
    if (tokens.size() >= 6 && equalsIgnoringCase(tokens[5], "OWN2D"))
        warnings.push_back("FIGURE: OWN2D as the sixth value is ignored; it counts only as the "
                           "seventh, as in FIGURE 1 500 500 0xFFFFFFFF nodx OWN2D");
    if (tokens.size() >= 7 && equalsIgnoringCase(tokens[6], "DX"))
        warnings.push_back("FIGURE: DX as the seventh value is ignored; it counts only as the "
                           "sixth, as in FIGURE 1 500 500 0xFFFFFFFF DX");
}

} // namespace

std::int64_t LineCheckMemory::axisSystems(const model::Figure& figure)
{
    Counted& counted = m_figures[figure.id];
    if (counted.objects > figure.objects.size()) counted = {};
    for (; counted.objects < figure.objects.size(); ++counted.objects) {
        const model::PlotObject& object = figure.objects[counted.objects];
        if (object.type != model::ObjectType::Axis) continue;
        const model::SubObject* at = model::findSubObject(object, model::SubObjectKind::At, 0);
        const std::int32_t own = at ? wholeArgument(*at, 2) : 0;
        if (own < 1 || own > counted.axisSystems) ++counted.axisSystems;
    }
    return counted.axisSystems;
}

std::optional<std::string_view> nearestName(std::string_view word,
                                            std::span<const std::string_view> names)
{
    if (word.size() <= 2) return std::nullopt; // too short to tell a slip from another word
    const std::size_t allowed = word.size() <= 4 ? 1 : 2;
    std::optional<std::string_view> best;
    std::size_t bestDistance = allowed + 1;
    for (std::string_view name : names) {
        const std::size_t distance = editDistance(word, name);
        if (distance < bestDistance) {
            best = name;
            bestDistance = distance;
        }
    }
    return best;
}

std::span<const std::string_view> commandKeywords()
{
    static const std::vector<std::string_view> keywords = [] {
        std::vector<std::string_view> all = {"FIGURE", "DX",   "LAYER", "FRAME",
                                             "FRAMES", "file", "cls",   "HELP"};
        for (const ObjectTableEntry& entry : objectTable)
            all.push_back(entry.keyword);
        return all;
    }();
    return keywords;
}

std::vector<std::string> quoteWarnings(std::string_view line)
{
    const auto quotes =
        std::count_if(line.begin(), line.end(), [](char c) { return c == '"' || c == '\''; });
    if (quotes % 2 == 0) return {};
    return {"the line has an odd number of quote characters (\" and ' count alike), so no "
            "quotes keep blanks and commas from splitting it"};
}

std::vector<std::string> loneTokenWarnings(std::string_view token)
{
    if (findHelpText(token) || equalsIgnoringCase(token, "cls")) return {};
    if (token.starts_with("//") || token.starts_with("#"))
        return {"a comment of one word still asks for help and prints the not-available "
                "message; put a blank after " +
                std::string(token.starts_with("#") ? "#" : "//")};
    if (findObjectKeyword(token) || figureCommandShape(token))
        return {quoted(token) + " alone asks for its help, and there is none for it"};
    return {"unknown command " + quoted(token) + didYouMean(token, commandKeywords())};
}

std::vector<std::string> unknownCommandWarnings(std::span<const std::string> tokens)
{
    if (tokens.empty()) return {};
    const std::string keyword = splitSubObject(tokens[0]).front();
    if (const FigureCommandShape* shape = figureCommandShape(keyword))
        return {std::string(shape->keyword) + " needs " + std::to_string(shape->values) +
                " values (" + std::string(shape->usage) + ") and this line has " +
                std::to_string(tokens.size() - 1) +
                ", so it is read as an object line and rejected"};
    const std::string_view shown = keyword.empty() ? std::string_view(tokens[0]) : keyword;
    return {"unknown command " + quoted(shown) + didYouMean(shown, commandKeywords())};
}

std::vector<std::string> figureCommandWarnings(std::span<const std::string> tokens,
                                               const model::FigureList& figures,
                                               std::uint32_t figureId)
{
    Warnings warnings;
    const FigureCommandShape* shape = tokens.empty() ? nullptr : figureCommandShape(tokens[0]);
    if (!shape) return warnings;
    const bool figure = shape->keyword == "FIGURE";
    const std::size_t numbers = figure ? 3 : shape->values;
    for (std::size_t i = 1; i < tokens.size() && i <= numbers; ++i)
        checkNumber(warnings, shape->keyword, tokens[i]);
    if (figure) checkFigureOptions(warnings, tokens);
    if (tokens.size() > shape->values + 1)
        warnings.push_back(std::string(shape->keyword) + " reads " + std::to_string(shape->values) +
                           " values (" + std::string(shape->usage) + "); " +
                           quoted(tokens[shape->values + 1]) + " and what follows are ignored");
    if (!figure && !figures.findFigure(figureId))
        warnings.push_back(std::string(shape->keyword) + ": there is no figure " +
                           std::to_string(figureId) + ", so the line did nothing");
    return warnings;
}

std::vector<std::string> objectWarnings(const model::PlotObject& object,
                                        std::span<const std::string> tokens,
                                        const model::FigureList& figures, std::uint32_t figureId,
                                        bool idGiven, LineCheckMemory& memory)
{
    Warnings warnings;
    for (std::size_t i = 1; i < tokens.size() && i - 1 < object.subObjects.size(); ++i)
        checkSubObjectToken(warnings, tokens[i], object.subObjects[i - 1], object);
    checkAt(warnings, object, figures, figureId, idGiven, memory);
    checkMandatory(warnings, object);
    return warnings;
}

std::vector<std::string> expressionWarnings(std::string_view expression)
{
    Warnings warnings;
    checkParentheses(warnings, expression);
    std::vector<std::string_view> reported;
    for (std::size_t begin = 0; begin < expression.size();) {
        if (!isLetter(expression[begin])) {
            ++begin;
            continue;
        }
        std::size_t end = begin;
        while (end < expression.size() && isLetter(expression[end]))
            ++end;
        const std::string_view letters = expression.substr(begin, end - begin);
        if (!isExponent(expression, begin, end) && !isKnownLetterRun(letters) &&
            std::find(reported.begin(), reported.end(), letters) == reported.end()) {
            reported.push_back(letters);
            warnings.push_back(unknownNameWarning(letters));
        }
        begin = end;
    }
    return warnings;
}

} // namespace lang
