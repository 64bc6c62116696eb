// Object insert dialogs.
#include "desktop/dialogs/object_dialog.h"

#include "desktop/dialogs/field_grid.h"
#include "desktop/dialogs/object_preview.h"
#include "desktop/dialogs/sub_object_dialogs.h"
#include "lang/host.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace desktop {
namespace {

constexpr auto caption = "Kelvo Plotter 2.0";

using figure::FormKind;
using figure::PreviewMode;

bool isFunction(FormKind kind)
{
    return kind == FormKind::Function || kind == FormKind::Function3D;
}

void refill(QComboBox* box, const std::vector<std::string>& choices, std::uint32_t chosen)
{
    box->clear();
    for (const std::string& choice : choices)
        box->addItem(qtText(choice));
    box->setCurrentIndex(chosen < choices.size() ? static_cast<int>(chosen) : 0);
}

} // namespace

bool requireFigure(QWidget* parent, const lang::Session& session)
{
    if (!session.figures.empty()) return true;
    QMessageBox::information(parent, QString::fromUtf8(caption),
                             QStringLiteral("You must first insert a figure."));
    return false;
}

bool runObjectDialog(QWidget* parent, lang::Session& session, int menuId,
                     std::optional<std::uint32_t> figureId)
{
    const std::optional<figure::ObjectKindEntry> kind = figure::objectKindForMenu(menuId);
    if (!kind || !requireFigure(parent, session)) return false;
    ObjectDialog dialog(session, *kind, figureId, parent);
    return dialog.exec() == QDialog::Accepted;
}

bool runEditObjectDialog(QWidget* parent, lang::Session& session, std::uint32_t figureId,
                         std::size_t index)
{
    const model::Figure* figure = session.figures.findFigure(figureId);
    if (!figure || index >= figure->objects.size()) return false;
    std::optional<figure::ObjectForm> form = figure::ObjectForm::forObject(figure->objects[index]);
    if (!form) return false;
    ObjectDialog dialog(session, std::move(*form), figureId, index, parent);
    return dialog.exec() == QDialog::Accepted;
}

ObjectDialog::ObjectDialog(lang::Session& session, const figure::ObjectKindEntry& kind,
                           std::optional<std::uint32_t> figureId, QWidget* parent)
    : QDialog(parent), m_session(session), m_form(kind)
{
    build();
    fillFigures(figureId);
}

ObjectDialog::ObjectDialog(lang::Session& session, figure::ObjectForm form, std::uint32_t figureId,
                           std::size_t index, QWidget* parent)
    : QDialog(parent), m_session(session), m_form(std::move(form)), m_editedIndex(index)
{
    build();
    fillFigures(figureId);
    m_figure->setEnabled(false); // an edited object stays in its figure
}

void ObjectDialog::build()
{
    setWindowTitle(qtText(m_form.kind().title));
    std::vector<figure::FieldDefinition> specs;
    for (const figure::FormRow& row : m_form.rows())
        specs.push_back(row.field);
    m_fields = new FieldGrid(specs, figure::ColourUse::Pen, this);
    for (std::size_t row = 0; row < m_form.rows().size(); ++row)
        m_fields->setValue(row, m_form.value(row));
    m_fields->setProblemSource([this](std::size_t row) { return m_form.rowProblem(row); });

    auto* placement = new QFormLayout;
    m_figure = new QComboBox(this);
    m_layer = new QComboBox(this);
    m_axis = new QComboBox(this);
    m_frame = new QComboBox(this);
    placement->addRow(QStringLiteral("Figure"), m_figure);
    placement->addRow(QStringLiteral("Layer"), m_layer);
    placement->addRow(QStringLiteral("Axis"), m_axis);
    placement->addRow(QStringLiteral("Frame"), m_frame);

    auto* left = new QVBoxLayout;
    left->addLayout(placement);
    if (isFunction(m_form.kind().form))
        left->addWidget(
            new QLabel(QStringLiteral("You must specify an axis to draw a function"), this));
    left->addWidget(m_fields);
    if (m_form.kind().form == FormKind::Image) {
        auto* file = new QPushButton(QStringLiteral("File..."), this);
        connect(file, &QPushButton::clicked, this, [this] { chooseFile(*m_form.rowOf(105)); });
        left->addWidget(file);
    }
    auto* subObjects = new QGridLayout;
    for (const figure::SubObjectButton& button : figure::subObjectButtons) {
        if (button.id == 726 && m_form.kind().form != FormKind::Function3D) continue;
        auto* push = new QPushButton(qtText(button.text), this);
        push->setProperty("controlId", button.id);
        const int count = static_cast<int>(m_subObjectButtons.size());
        subObjects->addWidget(push, count / 3, count % 3);
        m_subObjectButtons.push_back(push);
        connect(push, &QPushButton::clicked, this, [this, button] { openSubObject(button); });
    }
    left->addLayout(subObjects);
    m_problem = new QLabel(this);
    m_problem->setStyleSheet(QStringLiteral("color: #C00000"));
    m_problem->setWordWrap(true);
    left->addWidget(m_problem);
    left->addStretch();

    auto* right = new QVBoxLayout;
    m_preview = new ObjectPreview(this);
    right->addWidget(m_preview, 1);
    auto* modes = new QHBoxLayout;
    const std::pair<const char*, PreviewMode> modeButtons[] = {
        {"Single", PreviewMode::Single}, {"Axis", PreviewMode::Axis}, {"Full", PreviewMode::Full}};
    for (const auto& [text, mode] : modeButtons) {
        auto* push = new QPushButton(QString::fromUtf8(text), this);
        connect(push, &QPushButton::clicked, this, [this, mode] { setPreviewMode(mode); });
        modes->addWidget(push);
    }
    right->addLayout(modes);

    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right, 1);
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(m_buttons);

    connect(m_buttons, &QDialogButtonBox::accepted, this, &ObjectDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_fields, &FieldGrid::edited, this, &ObjectDialog::fieldEdited);
    connect(m_figure, &QComboBox::currentIndexChanged, this, &ObjectDialog::figureChosen);
    connect(m_layer, &QComboBox::currentIndexChanged, this, [this] { placementChosen(502); });
    connect(m_axis, &QComboBox::currentIndexChanged, this, [this] { placementChosen(503); });
    connect(m_frame, &QComboBox::currentIndexChanged, this, [this] { placementChosen(504); });
}

void ObjectDialog::fillFigures(std::optional<std::uint32_t> figureId)
{
    m_filling = true;
    m_figure->clear();
    int chosen = 0;
    for (std::size_t i = 0; i < m_session.figures.size(); ++i) {
        const std::uint32_t id = m_session.figures.at(i).id;
        m_figure->addItem(QString::number(id), id);
        if (figureId == id) chosen = static_cast<int>(i);
    }
    m_figure->setCurrentIndex(chosen);
    m_filling = false;
    figureChosen();
}

const model::Figure* ObjectDialog::chosenFigure() const
{
    if (m_figure->currentIndex() < 0) return nullptr;
    return m_session.figures.findFigure(m_figure->currentData().toUInt());
}

void ObjectDialog::figureChosen()
{
    if (m_filling) return;
    const model::Figure* figure = chosenFigure();
    if (!figure) return;
    const bool keep = m_editedIndex || m_form.placement.figureId == figure->id;
    m_form.placement.figureId = figure->id;
    if (!keep) m_form.placement = {figure->id, 0, 0, 0};
    const figure::PlacementChoices choices = figure::placementChoices(*figure);
    m_filling = true;
    refill(m_layer, choices.layers, m_form.placement.layer);
    refill(m_axis, choices.axes, m_form.placement.axis);
    refill(m_frame, choices.frames, m_form.placement.frame);
    m_filling = false;
    // Boxes hold only what the figure has: the placement follows what they show, except for an
    // edited object, which keeps what it names.
    if (!m_editedIndex)
        m_form.placement = {figure->id, static_cast<std::uint32_t>(m_layer->currentIndex()),
                            static_cast<std::uint32_t>(m_axis->currentIndex()),
                            static_cast<std::uint32_t>(m_frame->currentIndex())};
    refresh();
}

void ObjectDialog::placementChosen(int id)
{
    if (m_filling) return;
    QComboBox* box = placementBox(id);
    const auto index = static_cast<std::uint32_t>(std::max(box->currentIndex(), 0));
    if (id == 502) m_form.placement.layer = index;
    if (id == 503) m_form.placement.axis = index;
    if (id == 504) m_form.placement.frame = index;
    // A function takes the x range of the axis chosen for it.
    if (id == 503 && isFunction(m_form.kind().form) && m_form.kind().form != FormKind::Function3D)
        if (const model::Figure* figure = chosenFigure())
            if (const auto range = figure::axisXRange(*figure, index)) {
                m_fields->setValue(*m_form.rowOf(101), (*range)[0]);
                m_fields->setValue(*m_form.rowOf(102), (*range)[1]);
            }
    refresh();
}

void ObjectDialog::fieldEdited(std::size_t row)
{
    m_form.setValue(row, m_fields->value(row));
    refresh();
}

void ObjectDialog::setSubObject(model::SubObjectKind kind, int occurrence,
                                model::SubObject subObject)
{
    subObject.kind = kind;
    m_form.subObject(kind, occurrence) = std::move(subObject);
    m_mode = PreviewMode::Full; // the whole figure shows what the new style does
    refresh();
}

void ObjectDialog::openSubObject(const figure::SubObjectButton& button)
{
    const model::SubObject* current = m_form.findSubObject(button.kind, button.occurrence);
    model::SubObject edited = current ? *current : model::SubObject{button.kind, {}};
    if (editSubObject(this, button, edited))
        setSubObject(button.kind, button.occurrence, std::move(edited));
}

void ObjectDialog::chooseFile(std::size_t row)
{
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("Image"), QString(),
        QStringLiteral("Images (*.bmp *.jpg *.jpeg *.png *.gif);;All files (*)"));
    if (!path.isEmpty()) m_fields->setValue(row, programText(path));
}

void ObjectDialog::setPreviewMode(PreviewMode mode)
{
    m_mode = mode;
    refresh();
}

void ObjectDialog::refresh()
{
    const bool fieldsFine = m_fields->refreshProblems();
    const std::vector<std::string> problems = m_form.problems();
    // Fields show their own explanations; what the whole object passes goes underneath.
    std::string text;
    for (const std::string& problem : fieldsFine ? problems : std::vector<std::string>{})
        text += (text.empty() ? "" : "\n") + problem;
    m_problem->setText(qtText(text));
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(problems.empty() && chosenFigure());
    if (!problems.empty()) return; // the preview keeps the last object that could be drawn
    const model::Figure* figure = chosenFigure();
    m_preview->showObjects(figure,
                           figure::previewObjects(figure, m_form.object(), m_mode, m_editedIndex),
                           figure ? figure->layers : std::vector<model::Layer>{});
}

QComboBox* ObjectDialog::placementBox(int id) const
{
    switch (id) {
    case 501:
        return m_figure;
    case 502:
        return m_layer;
    case 503:
        return m_axis;
    case 504:
        return m_frame;
    default:
        return nullptr;
    }
}

QPushButton* ObjectDialog::button(int id) const
{
    if (id == 1) return m_buttons->button(QDialogButtonBox::Ok);
    for (QPushButton* push : m_subObjectButtons)
        if (push->property("controlId").toInt() == id) return push;
    return nullptr;
}

void ObjectDialog::accept()
{
    if (!m_form.problems().empty()) return;
    model::Figure* figure = m_session.figures.findFigure(m_form.placement.figureId);
    if (!figure || (m_editedIndex && *m_editedIndex >= figure->objects.size())) {
        QMessageBox::information(this, QString::fromUtf8(caption),
                                 QStringLiteral("The figure of this object is gone."));
        reject();
        return;
    }
    if (isFunction(m_form.kind().form) && m_form.placement.axis == 0 &&
        QMessageBox::warning(
            this, QString::fromUtf8(caption),
            QStringLiteral("It is recommended that you first create an axis before inserting a "
                           "function!"),
            QMessageBox::Ok | QMessageBox::Cancel) != QMessageBox::Ok)
        return;
    model::PlotObject built = m_form.object();
    if (m_editedIndex) {
        model::PlotObject& edited = figure->objects[*m_editedIndex];
        built.selected = edited.selected;
        built.hidden = edited.hidden;
        edited = std::move(built);
    } else {
        figure->objects.push_back(std::move(built));
    }
    m_session.host().repaintFigure(*figure);
    QDialog::accept();
}

} // namespace desktop
