// Field tables of the object insert dialogs, and objects composed from them.
#include "figure/object_form.h"

#include "expr/sampler.h"
#include "lang/object_builder.h"
#include "lang/serialiser.h"
#include "model/object_views.h"
#include "lang/tokenizer.h"
#include "model/argument_text.h"
#include "render/axis_drawing.h"

#include <algorithm>
#include <cstdio>

namespace figure {
namespace {

using model::ObjectType;
using model::SubObjectKind;
using enum FieldRule;

constexpr std::string_view function2DProjections[] = {"y = f(x)", "x = f(y)"};
constexpr std::string_view function3AProjections[] = {"y = f(x)", "x = f(y)", "z = f(x)",
                                                      "x = f(z)", "z = f(y)", "y = f(z)"};
constexpr std::string_view surfaceProjections[] = {"z = f(x,y)", "z = f(y,x)", "y = f(x,z)",
                                                   "y = f(z,x)", "x = f(y,z)", "x = f(z,y)"};
constexpr std::string_view drawingTypes[] = {"Lines", "Points", "Points and Lines"};

constexpr FormRow rectangleRows[] = {
    {{101, "x1", "0", Coordinate}, {SubObjectKind::P4, 0, 0}},
    {{102, "y1", "45", Coordinate}, {SubObjectKind::P4, 0, 1}},
    {{103, "x2", "50%", Coordinate}, {SubObjectKind::P4, 0, 2}},
    {{104, "y2", "50%", Coordinate}, {SubObjectKind::P4, 0, 3}},
};
constexpr FormRow angleRows[] = {
    {{801, "Angle 1", "0", Number}, {SubObjectKind::P2, 0, 0}},
    {{802, "Angle 2", "270", Number}, {SubObjectKind::P2, 0, 1}},
};
constexpr FormRow axisRows[] = {
    {{101, "X", "-3 10 1 1", AxisScale}, {SubObjectKind::P4, 0, -1}},
    {{102, "Y", "-3 10 1 1", AxisScale}, {SubObjectKind::P4, 1, -1}},
    {{103, "Z", "", OptionalAxisScale}, {SubObjectKind::P4, 2, -1}},
};
constexpr FormRow point2DRows[] = {
    {{101, "X", "0", Coordinate}, {SubObjectKind::P3, 0, 0}},
    {{102, "Y", "0", Coordinate}, {SubObjectKind::P3, 0, 1}},
    {{104, "Size", "3", Number}, {SubObjectKind::P3, 0, 2}},
    {{105, "Text", "", Text}, {SubObjectKind::Name, 0, 0}},
    {{201, "Polar", "0", Check}, {SubObjectKind::P1, 0, 0}},
};
constexpr FormRow point3DRows[] = {
    {{101, "X", "0", Coordinate}, {SubObjectKind::P4, 0, 0}},
    {{102, "Y", "0", Coordinate}, {SubObjectKind::P4, 0, 1}},
    {{103, "Z", "0", Coordinate}, {SubObjectKind::P4, 0, 2}},
    {{104, "Size", "3", Number}, {SubObjectKind::P4, 0, 3}},
    {{105, "Text", "", Text}, {SubObjectKind::Name, 0, 0}},
    {{201, "Polar", "0", Check}, {SubObjectKind::P1, 0, 0}},
};
constexpr FormRow function2DRows[] = {
    {{101, "x from", "-1", Number}, {SubObjectKind::P2, 0, 0}},
    {{102, "x to", "10", RangeEnd}, {SubObjectKind::P2, 0, 1}},
    {{103, "x step", "0.02", PositiveNumber}, {SubObjectKind::P1, 0, 0}},
    {{100, "Expression", "sin(2*x*pi)", Expression}, {SubObjectKind::Name, 0, 0}},
    {{104, "Projection", "0", Choice, function2DProjections}, {SubObjectKind::P1, 1, 0}},
    {{201, "Plot FFT", "0", Check}, {SubObjectKind::P1, 2, 0}},
};
constexpr FormRow function3ARows[] = {
    {{101, "x from", "-1", Number}, {SubObjectKind::P2, 0, 0}},
    {{102, "x to", "10", RangeEnd}, {SubObjectKind::P2, 0, 1}},
    {{103, "x step", "0.02", PositiveNumber}, {SubObjectKind::P1, 0, 0}},
    {{100, "Expression", "0.2*sin(10*pi*x)", Expression}, {SubObjectKind::Name, 0, 0}},
    {{104, "Projection", "0", Choice, function3AProjections}, {SubObjectKind::P1, 1, 0}},
    {{201, "Plot FFT", "0", Check}, {SubObjectKind::P1, 2, 0}},
};
constexpr FormRow surfaceRows[] = {
    {{101, "x from", "-0.5", Number}, {SubObjectKind::P2, 0, 0}},
    {{102, "x to", "0.5", RangeEnd}, {SubObjectKind::P2, 0, 1}},
    {{103, "x step", "0.1", PositiveNumber}, {SubObjectKind::P1, 0, 0}},
    {{105, "y from", "-0.5", Number}, {SubObjectKind::P2, 1, 0}},
    {{106, "y to", "0.5", RangeEnd}, {SubObjectKind::P2, 1, 1}},
    {{107, "y step", "0.1", PositiveNumber}, {SubObjectKind::P1, 1, 0}},
    {{104, "Projection", "0", Choice, surfaceProjections}, {SubObjectKind::P1, 2, 0}},
    {{114, "Drawing", "0", Choice, drawingTypes}, {SubObjectKind::P1, 3, 0}},
    {{115, "Point size", "4", Number}, {SubObjectKind::P1, 4, 0}},
    {{100, "Expression", "x*(y^2)", Expression}, {SubObjectKind::Name, 0, 0}},
};
constexpr FormRow textRows[] = {
    {{101, "X", "0", Coordinate}, {SubObjectKind::P2, 0, 0}},
    {{102, "Y", "0", Coordinate}, {SubObjectKind::P2, 0, 1}},
    {{103, "Flags", "0", Whole}, {SubObjectKind::P1, 0, 0}},
    {{105, "Text", "Hello there", Text}, {SubObjectKind::Name, 0, 0}},
};
constexpr FormRow imageRows[] = {
    {{101, "x", "0", Coordinate}, {SubObjectKind::P4, 0, 0}},
    {{102, "y", "0", Coordinate}, {SubObjectKind::P4, 0, 1}},
    {{103, "w", "", OptionalCoordinate}, {SubObjectKind::P4, 0, 2}},
    {{104, "h", "", OptionalCoordinate}, {SubObjectKind::P4, 0, 3}},
    {{105, "File", "", FilePath}, {SubObjectKind::Name, 0, 0}},
};
constexpr FormRow poly2DRows[] = {
    {{101, "2D Points:", "1% 1% 50% 50% 1% 50% 1% 1%", PointList}, {SubObjectKind::P2, 0, -1}},
};
constexpr FormRow poly3DRows[] = {
    {{101, "3D Points:", "0 0 0 1 0 0 1 1 0 0 1 0 0 0 0", PointList}, {SubObjectKind::P3, 0, -1}},
};
constexpr FormRow poly4DRows[] = {
    {{101, "4D Points:",
      "0 0 0 0 1 0 0 0 0 1 0 0 1 1 0 0 0 0 1 0 1 0 1 0 0 1 1 0 1 1 1 0 "
      "0 0 0 1 1 0 0 1 0 1 0 1 1 1 0 1 0 0 1 1 1 0 1 1 0 1 1 1 1 1 1 1",
      PointList},
     {SubObjectKind::P4, 0, -1}},
};
constexpr FormRow curve2DRows[] = {
    {{101, "2D Points:", "10% 10% 50% 10% 50% 50% 50% 90% 90% 90%", PointList},
     {SubObjectKind::P2, 0, -1}},
};
constexpr FormRow curve3DRows[] = {
    {{101, "3D Points:", "0 0 0 1 0 0 1 1 0 1 1 1", PointList}, {SubObjectKind::P3, 0, -1}},
};

std::vector<FormRow> rowsOf(const ObjectKindEntry& kind)
{
    auto rows = [](std::span<const FormRow> table) {
        return std::vector<FormRow>(table.begin(), table.end());
    };
    switch (kind.type) {
    case ObjectType::Arc:
    case ObjectType::Pie: {
        std::vector<FormRow> shape = rows(rectangleRows);
        shape.insert(shape.end(), std::begin(angleRows), std::end(angleRows));
        return shape;
    }
    case ObjectType::Rectangle:
    case ObjectType::Ellipse:
        return rows(rectangleRows);
    case ObjectType::Axis: {
        std::vector<FormRow> axis = rows(axisRows);
        if (kind.menuId == 403) axis[2].field.defaultText = axis[0].field.defaultText;
        return axis;
    }
    case ObjectType::Point:
        return rows(point2DRows);
    case ObjectType::Point3:
        return rows(point3DRows);
    case ObjectType::Function:
        return rows(function2DRows);
    case ObjectType::Function3A:
        return rows(function3ARows);
    case ObjectType::Function3D:
        return rows(surfaceRows);
    case ObjectType::Text:
        return rows(textRows);
    case ObjectType::Image:
        return rows(imageRows);
    case ObjectType::Poly:
        return rows(poly2DRows);
    case ObjectType::Poly3:
        return rows(poly3DRows);
    case ObjectType::Poly4:
        return rows(poly4DRows);
    case ObjectType::Curve:
        return rows(curve2DRows);
    case ObjectType::Curve3:
        return rows(curve3DRows);
    default:
        return {};
    }
}

std::string decimal(std::uint32_t value)
{
    return std::to_string(value);
}

std::vector<std::string> words(std::string_view text)
{
    return lang::splitTokens(text, " ", lang::QuoteProtection::Off);
}

bool isTextRule(FieldRule rule)
{
    return rule == Expression || rule == Text || rule == FilePath;
}

bool isIndexRule(FieldRule rule)
{
    return rule == Choice || rule == Check;
}

// What a field shows for an argument of an existing object.
std::string shownValue(const FieldDefinition& field, const std::string& argument)
{
    if (isTextRule(field.rule)) return argument;
    if (!isIndexRule(field.rule)) return shownArgument(argument);
    const std::int32_t index = model::truncateToInt32(model::parseNumber(argument));
    if (field.rule == Check) return index != 0 ? "1" : "0";
    const auto last = static_cast<std::int32_t>(field.choices.size()) - 1;
    return decimal(static_cast<std::uint32_t>(std::clamp(index, 0, std::max(last, 0))));
}

std::uint32_t unsignedOrZero(std::int32_t value)
{
    return value > 0 ? static_cast<std::uint32_t>(value) : 0;
}

// The nth sub-object of a kind, removed when present.
void removeSubObject(model::PlotObject& object, SubObjectKind kind, int occurrence)
{
    int seen = 0;
    for (auto it = object.subObjects.begin(); it != object.subObjects.end(); ++it) {
        if (it->kind != kind) continue;
        if (seen++ == occurrence) {
            object.subObjects.erase(it);
            return;
        }
    }
}

} // namespace

const std::array<ObjectKindEntry, 18> objectKinds = {{
    {301, ObjectType::Rectangle, "RECTANGLE", "Rectangle", FormKind::Shape},
    {302, ObjectType::Ellipse, "ELLIPSE", "Ellipse", FormKind::Shape},
    {308, ObjectType::Arc, "ARC", "Arc", FormKind::Shape},
    {309, ObjectType::Pie, "PIE", "Pie", FormKind::Shape},
    {303, ObjectType::Axis, "AXIS", "Axis", FormKind::Axis},
    {403, ObjectType::Axis, "AXIS", "Axis", FormKind::Axis},
    {304, ObjectType::Point, "POINT", "Point", FormKind::Point},
    {404, ObjectType::Point3, "POINT3", "Point", FormKind::Point},
    {305, ObjectType::Function, "FUNCTION", "2D Function", FormKind::Function},
    {306, ObjectType::Function3A, "FUNCTION3A", "2D Function", FormKind::Function},
    {406, ObjectType::Function3D, "FUNCTION3D", "3D Function to 3D Axis", FormKind::Function3D},
    {307, ObjectType::Text, "TEXT", "Text", FormKind::Text},
    {310, ObjectType::Image, "IMAGE", "Image", FormKind::Image},
    {311, ObjectType::Poly, "POLY", "Polygon", FormKind::Poly, 2},
    {411, ObjectType::Poly3, "POLY3", "Polygon", FormKind::Poly, 3},
    {511, ObjectType::Poly4, "POLY4", "Polygon", FormKind::Poly, 4},
    {312, ObjectType::Curve, "CURVE", "Polycurve", FormKind::Curve, 2},
    {412, ObjectType::Curve3, "CURVE3", "Polycurve", FormKind::Curve, 3},
}};

std::optional<ObjectKindEntry> objectKindForMenu(int menuId)
{
    for (const ObjectKindEntry& kind : objectKinds)
        if (kind.menuId == menuId) return kind;
    return std::nullopt;
}

std::optional<ObjectKindEntry> objectKindForType(ObjectType type)
{
    for (const ObjectKindEntry& kind : objectKinds)
        if (kind.type == type) return kind;
    return std::nullopt;
}

PlacementChoices placementChoices(const model::Figure& figure)
{
    PlacementChoices choices{{"None"}, {"None"}, {}};
    for (std::size_t i = 1; i <= figure.layers.size(); ++i)
        choices.layers.push_back(std::to_string(i));
    std::size_t axes = 0;
    for (const model::PlotObject& object : figure.objects)
        if (object.type == ObjectType::Axis) choices.axes.push_back(std::to_string(++axes));
    for (std::size_t i = 0; i < std::max<std::size_t>(figure.frames.size(), 1); ++i)
        choices.frames.push_back(std::to_string(i));
    return choices;
}

std::optional<std::array<std::string, 2>> axisXRange(const model::Figure& figure,
                                                     std::uint32_t axis)
{
    std::uint32_t seen = 0;
    for (const model::PlotObject& object : figure.objects) {
        if (object.type != ObjectType::Axis || ++seen != axis) continue;
        const model::SubObject* scale = model::findSubObject(object, SubObjectKind::P4, 0);
        if (!scale || scale->arguments.size() < 2) return std::nullopt;
        return std::array<std::string, 2>{threeDecimals(model::parseNumber(scale->arguments[0])),
                                          threeDecimals(model::parseNumber(scale->arguments[1]))};
    }
    return std::nullopt;
}

model::Figure figureLook(const model::Figure& figure)
{
    model::Figure look;
    look.id = figure.id;
    look.backgroundColour = figure.backgroundColour;
    look.viewTransform = figure.viewTransform;
    look.quality = figure.quality;
    look.clientWidth = figure.clientWidth;
    look.clientHeight = figure.clientHeight;
    look.own2d = figure.own2d;
    look.hasDirect3D = figure.hasDirect3D; // meshes show on white as in the figure
    look.frames = figure.frames;
    return look;
}

std::vector<model::PlotObject> previewObjects(const model::Figure* figure,
                                              const model::PlotObject& object, PreviewMode mode,
                                              std::optional<std::size_t> editedIndex)
{
    std::vector<model::PlotObject> objects;
    for (std::size_t i = 0; figure && mode != PreviewMode::Single && i < figure->objects.size();
         ++i) {
        const model::PlotObject& other = figure->objects[i];
        if (i == editedIndex) {
            objects.push_back(object);
            continue;
        }
        if (mode == PreviewMode::Full || other.type == ObjectType::Axis) objects.push_back(other);
    }
    if (!editedIndex || mode == PreviewMode::Single || !figure) objects.push_back(object);
    return objects;
}

ObjectForm::ObjectForm(const ObjectKindEntry& kind) : m_kind(kind), m_rows(rowsOf(kind))
{
    for (const FormRow& row : m_rows)
        m_values.emplace_back(row.field.defaultText);
    m_object.keyword = std::string(kind.keyword);
    m_object.type = kind.type;
    m_object.subObjects.push_back({SubObjectKind::At, {}});
    m_object = composed(); // the field sub-objects in table order, before any the user adds
}

ObjectForm::ObjectForm(const ObjectKindEntry& kind, model::PlotObject object)
    : m_kind(kind), m_rows(rowsOf(kind)), m_object(std::move(object))
{
    for (const FormRow& row : m_rows) {
        const model::SubObject* sub =
            model::findSubObject(m_object, row.target.kind, row.target.occurrence);
        std::optional<std::string> original;
        std::string shown;
        if (sub && row.target.argument < 0) {
            original = std::string();
            for (const std::string& argument : sub->arguments) {
                *original += (original->empty() ? "" : " ") + argument;
                shown += (shown.empty() ? "" : " ") + shownArgument(argument);
            }
        } else if (sub && static_cast<std::size_t>(row.target.argument) < sub->arguments.size()) {
            original = sub->arguments[static_cast<std::size_t>(row.target.argument)];
            shown = shownValue(row.field, *original);
        } else {
            shown = isIndexRule(row.field.rule) ? "0" : "";
        }
        m_values.push_back(shown);
        m_shown.push_back(shown);
        m_original.push_back(std::move(original));
    }
    const model::Placement at = model::placementOf(m_object);
    placement = {at.figureId, unsignedOrZero(at.layerId), unsignedOrZero(at.axisId),
                 unsignedOrZero(at.frameId)};
}

std::optional<ObjectForm> ObjectForm::forObject(const model::PlotObject& object)
{
    const std::optional<ObjectKindEntry> kind = objectKindForType(object.type);
    if (!kind) return std::nullopt;
    return ObjectForm(*kind, object);
}

std::optional<std::size_t> ObjectForm::rowOf(int id) const
{
    for (std::size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].field.id == id) return i;
    return std::nullopt;
}

model::SubObject& ObjectForm::subObject(SubObjectKind kind, int occurrence)
{
    for (int i = model::countSubObjects(m_object, kind); i < occurrence; ++i)
        m_object.subObjects.push_back({kind, {}});
    return *model::findSubObject(m_object, kind, occurrence,
                                 model::SubObjectCreation::FindOrAppend);
}

const model::SubObject* ObjectForm::findSubObject(SubObjectKind kind, int occurrence) const
{
    return model::findSubObject(m_object, kind, occurrence);
}

std::optional<std::string> ObjectForm::rowProblem(std::size_t row) const
{
    const FormRow& formRow = m_rows.at(row);
    if (auto problem = fieldProblem(formRow.field.rule, m_values[row], m_kind.pointSize))
        return problem;
    // An empty optional argument followed by a filled one would shift it to the empty one's place.
    if (formRow.field.rule == OptionalCoordinate && !m_values[row].empty() && row > 0 &&
        m_rows[row - 1].field.rule == OptionalCoordinate && m_values[row - 1].empty())
        return "Fill in " + std::string(m_rows[row - 1].field.label) + " as well";
    if (formRow.field.rule == RangeEnd && row > 0) {
        const auto from = readFieldNumber(m_values[row - 1]);
        const auto to = readFieldNumber(m_values[row]);
        if (from && to && *to <= *from) return "The range is empty: \"to\" must be above \"from\"";
    }
    return std::nullopt;
}

std::vector<std::string> ObjectForm::problems() const
{
    std::vector<std::string> found;
    for (std::size_t row = 0; row < m_rows.size(); ++row)
        if (auto problem = rowProblem(row))
            found.push_back(std::string(m_rows[row].field.label) + ": " + *problem);
    if (!found.empty()) return found;
    const model::PlotObject built = object();
    for (std::string& message : expr::describeSampleLimits(built))
        found.push_back(std::move(message));
    model::Figure sizeOnly; // axis ticks depend on the layer only through percentages
    for (std::string& message : render::describeAxisLimits(sizeOnly, built))
        found.push_back(std::move(message));
    return found;
}

std::optional<std::string> ObjectForm::argumentText(std::size_t row) const
{
    if (row < m_shown.size() && m_values[row] == m_shown[row]) return m_original[row];
    return m_values[row];
}

model::PlotObject ObjectForm::composed() const
{
    model::PlotObject object = m_object;
    model::SubObject* at =
        model::findSubObject(object, SubObjectKind::At, 0, model::SubObjectCreation::FindOrAppend);
    at->arguments = {decimal(placement.figureId), decimal(placement.layer), decimal(placement.axis),
                     decimal(placement.frame)};
    for (std::size_t row = 0; row < m_rows.size(); ++row) {
        const FieldTarget& target = m_rows[row].target;
        const std::optional<std::string> argument = argumentText(row);
        if (!argument) continue; // left as shown, and the object had none
        const std::string& text = *argument;
        const bool whole = target.argument < 0 || target.kind == SubObjectKind::Name;
        if (whole && words(text).empty()) {
            removeSubObject(object, target.kind, target.occurrence);
            continue;
        }
        model::SubObject* sub = model::findSubObject(object, target.kind, target.occurrence,
                                                     model::SubObjectCreation::FindOrAppend);
        if (target.argument < 0) {
            sub->arguments = words(text);
            if (m_kind.form == FormKind::Poly || m_kind.form == FormKind::Curve)
                sub->arguments.resize(sub->arguments.size() -
                                      sub->arguments.size() % m_kind.pointSize);
            continue;
        }
        const auto index = static_cast<std::size_t>(target.argument);
        if (sub->arguments.size() <= index) sub->arguments.resize(index + 1);
        sub->arguments[index] = text;
        while (!sub->arguments.empty() && sub->arguments.back().empty())
            sub->arguments.pop_back();
    }
    return object;
}

std::string ObjectForm::commandText() const
{
    return objectCommandLine(composed());
}

model::PlotObject ObjectForm::object() const
{
    model::PlotObject built;
    std::vector<std::string> rejected;
    lang::buildObject(commandText(), built, rejected);
    return built;
}

std::string objectCommandLine(const model::PlotObject& object)
{
    std::string line = lang::objectLine(object);
    if (!line.empty() && line.back() == ' ') line.pop_back(); // the blank the serialiser ends with
    return line;
}

} // namespace figure
