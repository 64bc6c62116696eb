// Tool steps: the step sizes, the targets and the transform text written back into objects.
#include "figure/tool_steps.h"
#include "model/argument_text.h"

#include "lang/tokenizer.h"
#include "model/sub_object.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <numbers>
#include <optional>

namespace figure {

namespace {

using model::SubObjectKind;

// --- step sizes ---------------------------------------------------------------------------------

enum class Wins { Ctrl, Shift }; // which size applies when both keys are held

template <typename T> T pick(KeyModifiers m, Wins wins, T plain, T ctrl, T shift)
{
    if (m.ctrl && m.shift) return wins == Wins::Ctrl ? ctrl : shift;
    if (m.ctrl) return ctrl;
    if (m.shift) return shift;
    return plain;
}

// The own-2D deltas of a 2D step.
struct OwnStep {
    float dx = 0, dy = 0, sx = 1, sy = 1, angle = 0;
};

struct Step2D {
    geom::Matrix2D matrix;
    OwnStep own;
    bool reset = false;
};

geom::Matrix2D translation(float dx, float dy)
{
    return {1, 0, 0, 1, dx, dy};
}
geom::Matrix2D scaling(float sx, float sy)
{
    return {sx, 0, 0, sy, 0, 0};
}

geom::Matrix2D rotation(float degrees)
{
    const double radians = static_cast<double>(degrees) * std::numbers::pi / 180.0;
    const auto cosine = static_cast<float>(std::cos(radians));
    const auto sine = static_cast<float>(std::sin(radians));
    return {cosine, sine, -sine, cosine, 0, 0};
}

std::optional<Step2D> moveStep2D(const ToolStep& step, std::int32_t clientWidth)
{
    const float width = static_cast<float>(clientWidth);
    float s = pick(step.modifiers, Wins::Shift, width / 10.0f, width / 100.0f, 1.0f);
    if (step.parameter != 0) s = static_cast<float>(step.parameter);
    Step2D result;
    switch (step.id) {
    case 1401:
        result.own.dx = -s;
        break;
    case 1403:
        result.own.dx = s;
        break;
    case 1402:
        result.own.dy = -s;
        break;
    case 1404:
        result.own.dy = s;
        break;
    default:
        return std::nullopt;
    }
    result.matrix = translation(result.own.dx, result.own.dy);
    return result;
}

std::optional<Step2D> rotateStep2D(const ToolStep& step)
{
    float a = pick(step.modifiers, Wins::Shift, 15.0f, 5.0f, 1.0f);
    if (step.parameter == clickMarker)
        a = 1.0f;
    else if (step.parameter != 0)
        a = static_cast<float>(step.parameter);
    Step2D result;
    result.own.angle = step.id == 1411 ? -a : a;
    result.matrix = rotation(result.own.angle);
    return result;
}

std::optional<Step2D> scaleStep2D(const ToolStep& step)
{
    const float f = pick(step.modifiers, Wins::Ctrl, 1.5f, 1.3f, 1.01f);
    Step2D result;
    OwnStep& own = result.own;
    switch (step.id) {
    case 1441:
        own.sx = f;
        break;
    case 1443:
        own.sx = 1 / f;
        break;
    case 1442:
        own.sy = f;
        break;
    case 1444:
        own.sy = 1 / f;
        break;
    case 1445:
        own.sx = own.sy = f;
        break;
    case 1446:
        own.sx = own.sy = 1 / f;
        break;
    default:
        return std::nullopt;
    }
    result.matrix = scaling(own.sx, own.sy);
    return result;
}

std::optional<Step2D> step2D(const ToolStep& step, std::int32_t clientWidth)
{
    if (step.id >= 1401 && step.id <= 1404) return moveStep2D(step, clientWidth);
    if (step.id == 1411 || step.id == 1412) return rotateStep2D(step);
    if (step.id >= 1441 && step.id <= 1446) return scaleStep2D(step);
    if (step.id != commands::Reset2D) return std::nullopt;
    Step2D reset;
    reset.reset = true;
    return reset;
}

struct Step3D {
    std::array<float, 12> values{0, 0, 0, 1, 1, 1, 0, 0, 0, 0, 0, 0};
    bool reset = false;
};
enum Index3D {
    WorldX,
    WorldY,
    WorldZ,
    ScaleX,
    ScaleY,
    ScaleZ,
    EyeX,
    EyeY,
    EyeZ,
    AngleX,
    AngleY,
    AngleZ
};

// Step commands of one 3D tool: which of the twelve numbers each id changes and in which way.
struct Change3D {
    std::int32_t id;
    Index3D index;
    float sign; // +1 / -1: add or subtract; for scales, multiply by f or 1/f
};
constexpr Change3D changes3D[] = {
    {1451, EyeX, -1},   {1453, EyeX, 1},    {1452, EyeY, 1},    {1454, EyeY, -1},
    {1455, EyeZ, 1},    {1456, EyeZ, -1},   {1461, AngleX, -1}, {1463, AngleX, 1},
    {1462, AngleY, -1}, {1464, AngleY, 1},  {1465, AngleZ, -1}, {1466, AngleZ, 1},
    {1471, ScaleX, 1},  {1473, ScaleX, -1}, {1472, ScaleY, 1},  {1474, ScaleY, -1},
    {1475, ScaleZ, 1},  {1476, ScaleZ, -1},
};

std::optional<Step3D> step3D(const ToolStep& step)
{
    if (step.id == commands::Reset3D) {
        Step3D reset;
        reset.reset = true;
        return reset;
    }
    const Change3D* change = nullptr;
    for (const Change3D& candidate : changes3D)
        if (candidate.id == step.id) change = &candidate;
    if (!change) return std::nullopt;
    Step3D result;
    const KeyModifiers m = step.modifiers;
    if (step.id <= 1456) {
        float d = pick(m, Wins::Shift, 0.5f, 0.2f, 0.05f);
        if (step.parameter != 0) d = static_cast<float>(step.parameter) / 100.0f;
        result.values[change->index] = change->sign * d;
    } else if (step.id <= 1466) {
        const float r = pick(m, Wins::Shift, 15.0f / 180.0f, 5.0f / 180.0f, 1.0f / 180.0f);
        result.values[change->index] = change->sign * r;
    } else {
        const float f = pick(m, Wins::Ctrl, 2.0f, 1.5f, 1.1f);
        result.values[change->index] = change->sign > 0 ? f : 1 / f;
    }
    return result;
}

// --- transform text -----------------------------------------------------------------------------

// printf's "%f": six decimals, independent of the locale.
void appendFixed(std::string& text, float value)
{
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                                      static_cast<double>(value), std::chars_format::fixed, 6);
    if (result.ec != std::errc{}) {
        text += std::isnan(value) ? "nan" : (value < 0 ? "-inf" : "inf");
        return;
    }
    text.append(buffer.data(), result.ptr);
}

std::string transformText(std::string_view keyword, std::span<const float> values,
                          bool trailingComma)
{
    std::string text(keyword);
    text += '(';
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0) text += ',';
        appendFixed(text, values[i]);
    }
    if (trailingComma) text += ',';
    text += ')';
    return text;
}

// Parses `text` as a sub-object and puts its arguments into the first sub-object of its kind,
// appending one when the object has none.
void writeSubObject(model::PlotObject& object, const std::string& text)
{
    const std::vector<std::string> pieces = lang::splitSubObject(text);
    model::SubObject parsed = lang::parseSubObject(pieces);
    if (parsed.kind == SubObjectKind::Unknown) return;
    model::SubObject* existing =
        model::findSubObject(object, parsed.kind, 0, model::SubObjectCreation::FindOrAppend);
    existing->arguments = std::move(parsed.arguments);
}

// The first `count` numbers of the first sub-object of `kind`; missing ones read as 0.
template <std::size_t count>
std::optional<std::array<float, count>> numbersOf(const model::PlotObject& object,
                                                  SubObjectKind kind)
{
    const model::SubObject* sub = model::findSubObject(object, kind, 0);
    if (!sub) return std::nullopt;
    std::array<float, count> numbers{};
    for (std::size_t i = 0; i < count && i < sub->arguments.size(); ++i)
        numbers[i] = model::parseNumber(sub->arguments[i]);
    return numbers;
}

geom::Matrix2D matrixOf(const std::array<float, 6>& n)
{
    return {n[0], n[1], n[2], n[3], n[4], n[5]};
}

void writeMatrix(model::PlotObject& object, const geom::Matrix2D& matrix)
{
    writeSubObject(object, matrixTransformText(matrix));
}

void writeOwn(model::PlotObject& object, const std::array<float, 5>& t, PixelPoint origin)
{
    const std::array<float, 7> values{
        t[0], t[1], t[2], t[3], t[4], static_cast<float>(origin.x), static_cast<float>(origin.y)};
    writeSubObject(object, transformText("transform", values, false));
}

// --- applying -----------------------------------------------------------------------------------

void applyOwnStep(model::PlotObject& object, const Step2D& step, PixelPoint origin)
{
    if (step.reset) {
        writeOwn(object, {0, 0, 1, 1, 0}, {0, 0});
        return;
    }
    const OwnStep& d = step.own;
    const auto current = numbersOf<5>(object, SubObjectKind::Transform);
    if (!current) {
        writeOwn(object, {d.dx, d.dy, d.sx, d.sy, d.angle}, origin);
        return;
    }
    const std::array<float, 5>& t = *current;
    writeOwn(object, {t[0] + d.dx, t[1] + d.dy, t[2] * d.sx, t[3] * d.sy, t[4] + d.angle}, origin);
}

void applyMatrixStep(model::PlotObject& object, const Step2D& step)
{
    if (step.reset) {
        writeMatrix(object, geom::Matrix2D{});
        return;
    }
    const auto current = numbersOf<6>(object, SubObjectKind::Transform);
    writeMatrix(object,
                current ? geom::Matrix2D::product(matrixOf(*current), step.matrix) : step.matrix);
}

void apply2D(model::Figure& figure, const Step2D& step, PixelPoint origin)
{
    std::vector<std::size_t> targets = selectedObjects(figure);
    if (targets.empty() && !figure.own2d) {
        figure.viewTransform = step.reset
                                   ? geom::Matrix2D{}
                                   : geom::Matrix2D::product(step.matrix, figure.viewTransform);
        return;
    }
    if (targets.empty())
        for (std::size_t i = 0; i < figure.objects.size(); ++i)
            targets.push_back(i);
    for (const std::size_t index : targets) {
        model::PlotObject& object = figure.objects[index];
        if (figure.own2d)
            applyOwnStep(object, step, origin);
        else
            applyMatrixStep(object, step);
    }
}

void apply3D(model::Figure& figure, const Step3D& step)
{
    std::vector<std::size_t> targets = selectedObjects(figure);
    if (targets.empty())
        for (std::size_t i = 0; i < figure.objects.size(); ++i)
            targets.push_back(i);
    for (const std::size_t index : targets) {
        model::PlotObject& object = figure.objects[index];
        std::array<float, 12> values = step.values;
        const auto current = numbersOf<12>(object, SubObjectKind::Transform3D);
        if (step.reset)
            values = Step3D{}.values;
        else if (current) {
            values = *current;
            for (std::size_t i = 0; i < 12; ++i) {
                const bool isScale = i >= ScaleX && i <= ScaleZ;
                values[i] = isScale ? values[i] * step.values[i] : values[i] + step.values[i];
            }
        }
        writeSubObject(object, transformText("3dtransform", values, false));
    }
}

std::vector<std::size_t> allOrSelected(const model::Figure& figure)
{
    std::vector<std::size_t> targets = selectedObjects(figure);
    if (targets.empty())
        for (std::size_t i = 0; i < figure.objects.size(); ++i)
            targets.push_back(i);
    return targets;
}

// The inverse of an affine matrix; the identity for a singular one.
geom::Matrix2D inverse(const geom::Matrix2D& m)
{
    const float determinant = m.m11 * m.m22 - m.m12 * m.m21;
    if (determinant == 0 || !std::isfinite(determinant)) return {};
    const float a = m.m22 / determinant, b = -m.m12 / determinant;
    const float c = -m.m21 / determinant, d = m.m11 / determinant;
    return {a, b, c, d, -(m.dx * a + m.dy * c), -(m.dx * b + m.dy * d)};
}

} // namespace

bool isToolStep(std::int32_t id)
{
    ToolStep probe;
    probe.id = id;
    return step2D(probe, 0).has_value() || step3D(probe).has_value();
}

std::vector<std::size_t> selectedObjects(const model::Figure& figure)
{
    std::vector<std::size_t> indices;
    for (std::size_t i = 0; i < figure.objects.size(); ++i)
        if (figure.objects[i].selected) indices.push_back(i);
    return indices;
}

bool applyToolStep(model::Figure& figure, const ToolStep& step)
{
    if (const std::optional<Step2D> flat = step2D(step, figure.clientWidth)) {
        apply2D(figure, *flat, step.originClick);
        return true;
    }
    if (const std::optional<Step3D> deep = step3D(step)) {
        apply3D(figure, *deep);
        return true;
    }
    return false;
}

void applyOriginTool(model::Figure& figure, PixelPoint originClick)
{
    if (figure.own2d) return;
    const geom::Matrix2D& w = figure.viewTransform;
    const geom::Matrix2D moved{w.m11,
                               w.m12,
                               w.m21,
                               w.m22,
                               w.dx - static_cast<float>(originClick.x),
                               w.dy - static_cast<float>(originClick.y)};
    for (const std::size_t index : allOrSelected(figure)) {
        model::PlotObject& object = figure.objects[index];
        const auto current = numbersOf<6>(object, SubObjectKind::Transform);
        writeMatrix(object, current ? geom::Matrix2D::product(moved, matrixOf(*current)) : moved);
    }
}

void zoomAbout(model::Figure& figure, PixelPoint centre, float factor)
{
    const float cx = static_cast<float>(centre.x), cy = static_cast<float>(centre.y);
    if (figure.own2d) {
        // Own-2D points are moved, then scaled about the device origin: keep the centre in place.
        for (const std::size_t index : allOrSelected(figure)) {
            model::PlotObject& object = figure.objects[index];
            const std::array<float, 7> t = numbersOf<7>(object, SubObjectKind::Transform)
                                               .value_or(std::array<float, 7>{0, 0, 1, 1, 0, 0, 0});
            if (t[2] == 0 || t[3] == 0) continue;
            const std::array<float, 7> zoomed{t[0] + cx * (1 - factor) / (factor * t[2]),
                                              t[1] + cy * (1 - factor) / (factor * t[3]),
                                              t[2] * factor,
                                              t[3] * factor,
                                              t[4],
                                              t[5],
                                              t[6]};
            writeSubObject(object, transformText("transform", zoomed, false));
        }
        return;
    }
    const geom::Matrix2D zoom = geom::Matrix2D::product(
        geom::Matrix2D::product(translation(-cx, -cy), scaling(factor, factor)),
        translation(cx, cy));
    // Objects are drawn through their transform and then the view: zoom after both.
    const geom::Matrix2D& view = figure.viewTransform;
    const geom::Matrix2D step =
        geom::Matrix2D::product(geom::Matrix2D::product(view, zoom), inverse(view));
    for (const std::size_t index : allOrSelected(figure)) {
        model::PlotObject& object = figure.objects[index];
        const auto current = numbersOf<6>(object, SubObjectKind::Transform);
        writeMatrix(object, current ? geom::Matrix2D::product(matrixOf(*current), step) : step);
    }
}

bool wheelZooms(Tool tool)
{
    return tool == Tool::Cross || tool == Tool::Move2D || tool == Tool::Rotate2D ||
           tool == Tool::Scale2D || tool == Tool::Origin;
}

float wheelZoomFactor(int steps, KeyModifiers modifiers)
{
    const float f = pick(modifiers, Wins::Ctrl, 1.5f, 1.3f, 1.01f);
    return std::pow(f, static_cast<float>(std::clamp(steps, -10, 10)));
}

std::string matrixTransformText(const geom::Matrix2D& m)
{
    const std::array<float, 6> values{m.m11, m.m12, m.m21, m.m22, m.dx, m.dy};
    return transformText("transform", values, true);
}

} // namespace figure
