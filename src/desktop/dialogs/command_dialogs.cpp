// The small dialogs of the menus.
#include "desktop/dialogs/command_dialogs.h"

#include "desktop/dialogs/field_grid.h"
#include "desktop/dialogs/object_dialog.h"
#include "desktop/dialogs/object_preview.h"
#include "lang/interpreter.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace desktop {
namespace {

// Runs a composed command line as if it had been typed.
void runCommand(lang::Session& session, const std::string& line)
{
    lang::executeCommand(session, line, 0);
}

} // namespace

CommandDialog::CommandDialog(const QString& title, std::span<const figure::FieldDefinition> rows,
                             ProblemCheck problem, lang::Session* session,
                             std::optional<std::uint32_t> figureId, QWidget* parent)
    : QDialog(parent), m_session(session),
      m_fields(new FieldGrid(rows, figure::ColourUse::Background, this)),
      m_problem(new QLabel(this)),
      m_buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this)),
      m_check(std::move(problem))
{
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    if (session) {
        auto* form = new QFormLayout;
        m_figure = new QComboBox(this);
        for (std::size_t i = 0; i < session->figures.size(); ++i) {
            const std::uint32_t id = session->figures.at(i).id;
            m_figure->addItem(QString::number(id), id);
            if (figureId == id) m_figure->setCurrentIndex(static_cast<int>(i));
        }
        m_note = new QLabel(this);
        form->addRow(QStringLiteral("Figure"), m_figure);
        form->addRow(m_note);
        layout->addLayout(form);
        connect(m_figure, &QComboBox::currentIndexChanged, this, &CommandDialog::refresh);
    }
    layout->addWidget(m_fields);
    m_problem->setStyleSheet(QStringLiteral("color: #C00000"));
    m_problem->setWordWrap(true);
    layout->addWidget(m_problem);
    layout->addWidget(m_buttons);
    connect(m_buttons, &QDialogButtonBox::accepted, this, [this] {
        if (okEnabled()) accept();
    });
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_fields, &FieldGrid::edited, this, &CommandDialog::refresh);
    refresh();
}

std::vector<std::string> CommandDialog::values() const
{
    return m_fields->values();
}

std::uint32_t CommandDialog::figureId() const
{
    return m_figure && m_figure->currentIndex() >= 0 ? m_figure->currentData().toUInt() : 0;
}

void CommandDialog::setFigureNote(std::function<QString(const model::Figure&)> note)
{
    m_noteText = std::move(note);
    refresh();
}

bool CommandDialog::okEnabled() const
{
    return m_buttons->button(QDialogButtonBox::Ok)->isEnabled();
}

void CommandDialog::addExtra(QWidget* widget)
{
    static_cast<QVBoxLayout*>(layout())->insertWidget(layout()->count() - 2, widget);
}

void CommandDialog::refresh()
{
    m_fields->refreshProblems();
    const model::Figure* figure = m_session ? m_session->figures.findFigure(figureId()) : nullptr;
    if (m_note) m_note->setText(figure && m_noteText ? m_noteText(*figure) : QString());
    std::optional<std::string> problem = m_check(figure, m_fields->values());
    if (!problem && m_session && !figure) problem = "Choose a figure";
    m_problem->setText(problem ? qtText(*problem) : QString());
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(!problem);
    emit changed();
}

bool runNewFigureDialog(QWidget* parent, lang::Session& session)
{
    CommandDialog dialog(
        QStringLiteral("New Figure"), figure::newFigureRows,
        [](const model::Figure*, std::span<const std::string> values) {
            return figure::newFigureProblem(values);
        },
        nullptr, std::nullopt, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    runCommand(session,
               figure::newFigureCommand(session.figures.lowestUnusedFigureId(), dialog.values()));
    return true;
}

bool runNewLayerDialog(QWidget* parent, lang::Session& session,
                       std::optional<std::uint32_t> figureId)
{
    if (!requireFigure(parent, session)) return false;
    CommandDialog dialog(
        QStringLiteral("New Layer"), figure::newLayerRows,
        [](const model::Figure*, std::span<const std::string> values) {
            return figure::newLayerProblem(values);
        },
        &session, figureId, parent);
    dialog.setFigureNote([](const model::Figure& figure) {
        return QStringLiteral("Layer ID: %1").arg(figure::nextLayerId(figure));
    });
    // Preview: the figure's layers with the new one, outlined.
    auto* preview = new ObjectPreview(&dialog);
    preview->hide();
    auto* show = new QPushButton(QStringLiteral("Preview"), &dialog);
    const auto drawPreview = [&dialog, &session, preview] {
        const model::Figure* figure = session.figures.findFigure(dialog.figureId());
        if (!figure || !dialog.okEnabled()) return;
        std::vector<model::Layer> layers = figure->layers;
        layers.push_back(figure::layerOfValues(dialog.values()));
        preview->showObjects(figure, figure->objects, std::move(layers), true);
    };
    QObject::connect(show, &QPushButton::clicked, &dialog, [preview, drawPreview] {
        preview->show();
        drawPreview();
    });
    QObject::connect(&dialog, &CommandDialog::changed, &dialog, drawPreview);
    dialog.addExtra(show);
    dialog.addExtra(preview);
    if (dialog.exec() != QDialog::Accepted) return false;
    runCommand(session, figure::newLayerCommand(dialog.figureId(), dialog.values()));
    return true;
}

bool runNewFramesDialog(QWidget* parent, lang::Session& session,
                        std::optional<std::uint32_t> figureId)
{
    if (!requireFigure(parent, session)) return false;
    CommandDialog dialog(
        QStringLiteral("New Frames"), figure::newFramesRows,
        [](const model::Figure* figure, std::span<const std::string> values) {
            return figure ? figure::newFramesProblem(*figure, values) : std::nullopt;
        },
        &session, figureId, parent);
    dialog.setFigureNote([](const model::Figure& figure) {
        return QStringLiteral("Frame #: %1").arg(figure.frames.size());
    });
    if (dialog.exec() != QDialog::Accepted) return false;
    runCommand(session, figure::newFramesCommand(dialog.figureId(), dialog.values()));
    return true;
}

std::optional<AnimationRecordChoice> askAnimationRecord(QWidget* parent, lang::Session& session,
                                                        std::optional<std::uint32_t> figureId)
{
    if (!requireFigure(parent, session)) return std::nullopt;
    CommandDialog dialog(
        QStringLiteral("Animation Record"), figure::animationRecordRows,
        [](const model::Figure*, std::span<const std::string> values) {
            return figure::animationRecordProblem(values);
        },
        &session, figureId, parent);
    dialog.setFigureNote([](const model::Figure& figure) {
        return QStringLiteral("Frames: %1").arg(figure.frames.size());
    });
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return AnimationRecordChoice{dialog.figureId(), figure::recordingSettings(dialog.values())};
}

} // namespace desktop
