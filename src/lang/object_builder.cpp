// Object keyword table and object construction.
#include "lang/object_builder.h"
#include "model/argument_text.h"

#include "lang/tokenizer.h"

namespace lang {

using model::ObjectType;

const std::array<ObjectTableEntry, 31> objectTable = {{
    {"NULL", ObjectType::Null, "Null"},
    {"FUNCTION", ObjectType::Function, "Function 2D"},
    {"FUNCTION3A", ObjectType::Function3A, "Function 3D to 2D"},
    {"FUNCTION3D", ObjectType::Function3D, "Function 3D"},
    {"RECTANGLE", ObjectType::Rectangle, "Rectangle"},
    {"TEXT", ObjectType::Text, "Text"},
    {"ELLIPSE", ObjectType::Ellipse, "Ellipse"},
    {"PIE", ObjectType::Pie, "Pie"},
    {"BEZIER", ObjectType::Bezier, "Bezier"},
    {"BEZIER3", ObjectType::Bezier3, "Bezier 3D"},
    {"CCURVE", ObjectType::CCurve, "Closed Curve"},
    {"OCURVE", ObjectType::OCurve, "Open Curve"},
    {"CCURVE3", ObjectType::CCurve3, "Closed Curve 3D"},
    {"OCURVE3", ObjectType::OCurve3, "Open Curve 3D"},
    {"ARC", ObjectType::Arc, "Arc"},
    {"POINT", ObjectType::Point, "Point 2D"},
    {"POINT3", ObjectType::Point3, "Point 3D"},
    {"POLY", ObjectType::Poly, "Poly 2D"},
    {"POLY3", ObjectType::Poly3, "Poly 3D"},
    {"POLY4", ObjectType::Poly4, "Poly 4D"},
    {"CURVE", ObjectType::Curve, "Curves 2D"},
    {"CURVE3", ObjectType::Curve3, "Curves 3D"},
    {"CUBE", ObjectType::Cube, "Cube"},
    {"AXIS", ObjectType::Axis, "Axis"},
    {"IMAGE", ObjectType::Image, "Image"},
    {"MESH", ObjectType::Mesh, "Mesh"},
    {"MESHF", ObjectType::MeshF, "Mesh File"},
    {"MESHB", ObjectType::MeshB, "Mesh Box"},
    {"TETRAHEDRON", ObjectType::Tetrahedron, "Tetrahedron"},
    {"CHART", ObjectType::Chart, "Chart"},
    {"CHART3", ObjectType::Chart3, "Chart3"},
}};

std::optional<ObjectTableEntry> findObjectKeyword(std::string_view keyword)
{
    for (const ObjectTableEntry& entry : objectTable)
        if (model::equalsIgnoringCase(entry.keyword, keyword)) return entry;
    return std::nullopt;
}

void buildObject(std::string_view line, model::PlotObject& object,
                 std::vector<std::string>& rejectedTopics)
{
    const std::vector<std::string> tokens = splitTokens(line, " ", QuoteProtection::On);
    if (tokens.empty()) return;
    const std::string keyword = splitSubObject(tokens[0]).front();
    for (std::size_t i = 1; i < tokens.size(); ++i) {
        std::string rejected;
        object.subObjects.push_back(parseSubObject(splitSubObject(tokens[i]), &rejected));
        if (!rejected.empty()) rejectedTopics.push_back(std::move(rejected));
    }
    if (const auto entry = findObjectKeyword(keyword)) {
        object.type = entry->type;
        object.displayName = std::string(entry->displayName);
    }
    object.keyword = keyword;
}

} // namespace lang
