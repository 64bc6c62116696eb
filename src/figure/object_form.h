// The object insert dialogs without their windows: per object kind a table of fields, the object
// command text built from the field values, and the field values read back from an object.
#pragma once

#include "figure/form_field.h"
#include "model/figure.h"
#include "model/plot_object.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace figure {

// The shared dialogs; the menu command chooses the object type within one.
enum class FormKind { Shape, Axis, Point, Function, Function3D, Text, Image, Poly, Curve };

// Where one field's text goes: an argument range of the occurrence-th sub-object of a kind.
// `argument` -1 means the text is split at blanks into all the arguments.
struct FieldTarget {
    model::SubObjectKind kind = model::SubObjectKind::P1;
    int occurrence = 0;
    int argument = 0;
};

struct FormRow {
    FieldDefinition field;
    FieldTarget target;
};

// One menu command of the insert menus and the object type it builds.
struct ObjectKindEntry {
    int menuId = 0;
    model::ObjectType type = model::ObjectType::None;
    std::string_view keyword;
    std::string_view title; // the dialog's title
    FormKind form = FormKind::Shape;
    std::size_t pointSize = 1; // values per point of a point list (2, 3 or 4)
};

extern const std::array<ObjectKindEntry, 18> objectKinds;

// The entry of a menu command, or of an object type (for editing); none for types without a
// dialog.
std::optional<ObjectKindEntry> objectKindForMenu(int menuId);
std::optional<ObjectKindEntry> objectKindForType(model::ObjectType type);

// Where an object is placed: the figure and the indexes of the Layer, Axis and Frame choices
// (0 = None for layer and axis).
struct FormPlacement {
    std::uint32_t figureId = 0;
    std::uint32_t layer = 0;
    std::uint32_t axis = 0;
    std::uint32_t frame = 0;

    bool operator==(const FormPlacement&) const = default;
};

// The choices of the placement boxes for one figure: layers "None", "1", ...; axes "None" then
// one per AXIS object in object order; frames "0", "1", ...
struct PlacementChoices {
    std::vector<std::string> layers;
    std::vector<std::string> axes;
    std::vector<std::string> frames;

    bool operator==(const PlacementChoices&) const = default;
};
PlacementChoices placementChoices(const model::Figure& figure);

// The first P4's from and to of the figure's axis-th AXIS object (from 1), with three decimals;
// the function dialogs copy them into their x range. Nothing when there is no such axis.
std::optional<std::array<std::string, 2>> axisXRange(const model::Figure& figure,
                                                     std::uint32_t axis);

// What the preview of an object dialog draws besides the object: nothing (Single), the figure's
// AXIS objects (Axis) or all its objects (Full). When editing, the object itself is left out of
// the figure's objects at `editedIndex`.
enum class PreviewMode { Single, Axis, Full };
std::vector<model::PlotObject> previewObjects(const model::Figure* figure,
                                              const model::PlotObject& object, PreviewMode mode,
                                              std::optional<std::size_t> editedIndex = {});

// A figure with the size, background, view, frames and flags of `figure` but none of its objects,
// layers or recorded blocks: what previews and picking draw their own object lists into.
model::Figure figureLook(const model::Figure& figure);

// An object being composed or edited in a dialog.
class ObjectForm {
public:
    // A new object of the kind a menu command opens, with the fields at their defaults.
    explicit ObjectForm(const ObjectKindEntry& kind);
    // An existing object: fields and placement read from its sub-objects; numbers are shown
    // with three decimals, and a field left as shown writes back the argument as it was.
    static std::optional<ObjectForm> forObject(const model::PlotObject& object);

    const ObjectKindEntry& kind() const { return m_kind; }
    std::span<const FormRow> rows() const { return m_rows; }
    const std::string& value(std::size_t row) const { return m_values.at(row); }
    void setValue(std::size_t row, std::string text) { m_values.at(row) = std::move(text); }
    // The row with the control id, if any.
    std::optional<std::size_t> rowOf(int id) const;

    FormPlacement placement;

    // The sub-object a sub-dialog edits; the object gains it (empty) when it has none.
    model::SubObject& subObject(model::SubObjectKind kind, int occurrence);
    const model::SubObject* findSubObject(model::SubObjectKind kind, int occurrence) const;

    // The explanation for a refused row, or nothing.
    std::optional<std::string> rowProblem(std::size_t row) const;
    // Every refused row's explanation, then what the program would refuse to draw (sampling and
    // axis limits); empty when OK may be pressed.
    std::vector<std::string> problems() const;

    // The object's command line, as the user would type it.
    std::string commandText() const;
    // The object the command line builds.
    model::PlotObject object() const;

private:
    ObjectForm(const ObjectKindEntry& kind, model::PlotObject object);
    model::PlotObject composed() const;
    // The text a row writes; nothing when it was left as shown and the object had no argument.
    std::optional<std::string> argumentText(std::size_t row) const;

    ObjectKindEntry m_kind;
    std::vector<FormRow> m_rows;
    std::vector<std::string> m_values;
    std::vector<std::string> m_shown;                   // the values as first shown when editing
    std::vector<std::optional<std::string>> m_original; // the arguments they were shown from
    model::PlotObject m_object; // sub-objects that no field writes, in order
};

// The command line of an object as the user types it: the serialiser's line without its last blank.
std::string objectCommandLine(const model::PlotObject& object);

} // namespace figure
