// A grid of dialog fields built from a table of field rows: line edits, choice lists, check boxes
// and colour fields, each refused at the field with a short explanation.
#pragma once

#include "figure/form_field.h"
#include "figure/sub_object_form.h"

#include <QWidget>

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;

namespace desktop {

class FieldGrid : public QWidget {
    Q_OBJECT

public:
    // `colourUse` says how the colour fields write the colour and opacity chosen with "...".
    explicit FieldGrid(std::span<const figure::FieldDefinition> rows,
                       figure::ColourUse colourUse = figure::ColourUse::Pen,
                       QWidget* parent = nullptr);

    std::vector<std::string> values() const;
    std::string value(std::size_t row) const;
    void setValue(std::size_t row, const std::string& text);
    void setValues(std::span<const std::string> values);
    std::size_t size() const { return m_fields.size(); }
    QWidget* editor(std::size_t row) const;

    // The explanation shown at each row; the default is the row's own rule.
    void setProblemSource(std::function<std::optional<std::string>(std::size_t)> source);
    // Shows each row's explanation; true when no row is refused.
    bool refreshProblems();

signals:
    void edited(std::size_t row);

private:
    struct Field {
        figure::FieldDefinition definition;
        QLineEdit* line = nullptr;
        QComboBox* choice = nullptr;
        QCheckBox* check = nullptr;
        QLabel* problem = nullptr;
    };
    void addRow(const figure::FieldDefinition& definition, int gridRow);
    void chooseColour(std::size_t row);

    std::vector<Field> m_fields;
    QGridLayout* m_layout = nullptr;
    figure::ColourUse m_colourUse;
    std::function<std::optional<std::string>(std::size_t)> m_problemSource;
};

// Qt text from program text and back (UTF-8 inside the program).
QString qtText(std::string_view text);
std::string programText(const QString& text);

} // namespace desktop
