// The field grid of the dialogs.
#include "desktop/dialogs/field_grid.h"

#include "lang/tokenizer.h"
#include "model/argument_text.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace desktop {

QString qtText(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string programText(const QString& text)
{
    return text.toUtf8().toStdString();
}

FieldGrid::FieldGrid(std::span<const figure::FieldDefinition> rows, figure::ColourUse colourUse,
                     QWidget* parent)
    : QWidget(parent), m_layout(new QGridLayout(this)), m_colourUse(colourUse)
{
    m_layout->setContentsMargins(0, 0, 0, 0);
    for (const figure::FieldDefinition& definition : rows)
        addRow(definition, static_cast<int>(m_fields.size()) * 2);
    m_problemSource = [this](std::size_t row) {
        return figure::fieldProblem(m_fields[row].definition.rule, value(row));
    };
}

void FieldGrid::addRow(const figure::FieldDefinition& definition, int gridRow)
{
    Field field{definition};
    const std::size_t row = m_fields.size();
    QWidget* editor = nullptr;
    if (definition.rule == figure::FieldRule::Check) {
        field.check = new QCheckBox(qtText(definition.label), this);
        connect(field.check, &QCheckBox::toggled, this, [this, row] { emit edited(row); });
        editor = field.check;
    } else if (definition.rule == figure::FieldRule::Choice) {
        field.choice = new QComboBox(this);
        for (const std::string_view choice : definition.choices)
            field.choice->addItem(qtText(choice));
        connect(field.choice, &QComboBox::currentIndexChanged, this,
                [this, row] { emit edited(row); });
        editor = field.choice;
    } else {
        field.line = new QLineEdit(this);
        connect(field.line, &QLineEdit::textChanged, this, [this, row] { emit edited(row); });
        editor = field.line;
    }
    if (!field.check) m_layout->addWidget(new QLabel(qtText(definition.label), this), gridRow, 0);
    if (definition.rule == figure::FieldRule::Colour) {
        auto* box = new QHBoxLayout;
        auto* pick = new QPushButton(QStringLiteral("..."), this);
        pick->setMaximumWidth(32);
        connect(pick, &QPushButton::clicked, this, [this, row] { chooseColour(row); });
        box->addWidget(editor);
        box->addWidget(pick);
        m_layout->addLayout(box, gridRow, 1);
    } else {
        m_layout->addWidget(editor, gridRow, field.check ? 0 : 1, 1, field.check ? 2 : 1);
    }
    field.problem = new QLabel(this);
    field.problem->setStyleSheet(QStringLiteral("color: #C00000"));
    field.problem->setWordWrap(true);
    field.problem->hide();
    m_layout->addWidget(field.problem, gridRow + 1, 1);
    m_fields.push_back(field);
    setValue(row, std::string(definition.defaultText));
}

std::string FieldGrid::value(std::size_t row) const
{
    const Field& field = m_fields.at(row);
    if (field.check) return field.check->isChecked() ? "1" : "0";
    if (field.choice) return std::to_string(std::max(field.choice->currentIndex(), 0));
    return programText(field.line->text());
}

std::vector<std::string> FieldGrid::values() const
{
    std::vector<std::string> all;
    for (std::size_t row = 0; row < m_fields.size(); ++row)
        all.push_back(value(row));
    return all;
}

void FieldGrid::setValue(std::size_t row, const std::string& text)
{
    const Field& field = m_fields.at(row);
    if (field.check) {
        field.check->setChecked(text == "1");
    } else if (field.choice) {
        const int index = model::truncateToInt32(model::parseNumber(text));
        field.choice->setCurrentIndex(std::clamp(index, 0, field.choice->count() - 1));
    } else {
        field.line->setText(qtText(text));
    }
}

void FieldGrid::setValues(std::span<const std::string> values)
{
    for (std::size_t row = 0; row < values.size() && row < m_fields.size(); ++row)
        setValue(row, values[row]);
}

QWidget* FieldGrid::editor(std::size_t row) const
{
    const Field& field = m_fields.at(row);
    if (field.check) return field.check;
    if (field.choice) return field.choice;
    return field.line;
}

void FieldGrid::setProblemSource(std::function<std::optional<std::string>(std::size_t)> source)
{
    m_problemSource = std::move(source);
}

bool FieldGrid::refreshProblems()
{
    bool fine = true;
    for (std::size_t row = 0; row < m_fields.size(); ++row) {
        const std::optional<std::string> problem = m_problemSource(row);
        m_fields[row].problem->setText(problem ? qtText(*problem) : QString());
        m_fields[row].problem->setVisible(problem.has_value());
        fine = fine && !problem;
    }
    return fine;
}

void FieldGrid::chooseColour(std::size_t row)
{
    const figure::Rgba current = figure::colourOfWord(m_colourUse, model::parseColour(value(row)));
    const QColor chosen =
        QColorDialog::getColor(QColor(current.red, current.green, current.blue, current.alpha),
                               this, QString(), QColorDialog::ShowAlphaChannel);
    if (!chosen.isValid()) return;
    const figure::Rgba picked{
        static_cast<std::uint8_t>(chosen.red()), static_cast<std::uint8_t>(chosen.green()),
        static_cast<std::uint8_t>(chosen.blue()), static_cast<std::uint8_t>(chosen.alpha())};
    setValue(row, figure::colourText(figure::colourWord(m_colourUse, picked)));
    emit edited(row);
}

} // namespace desktop
