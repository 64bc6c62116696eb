// The small dialogs the menus open: New Figure, New Layer and New Frames run their command line
// through the interpreter; Animation Record returns what the user chose.
#pragma once

#include "figure/animation_recorder.h"
#include "figure/command_forms.h"
#include "lang/session.h"

#include <QDialog>

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>

class QComboBox;
class QDialogButtonBox;
class QLabel;

namespace desktop {

class FieldGrid;
class ObjectPreview;

// New Figure...: runs "figure ..." with the lowest free id; true when it ran.
bool runNewFigureDialog(QWidget* parent, lang::Session& session);
// Layer: runs "LAYER ..." for the chosen figure; true when it ran.
bool runNewLayerDialog(QWidget* parent, lang::Session& session,
                       std::optional<std::uint32_t> figureId = {});
// Insert Frames...: runs "FRAMES ..." for the chosen figure; true when it ran.
bool runNewFramesDialog(QWidget* parent, lang::Session& session,
                        std::optional<std::uint32_t> figureId = {});

// Start Animation Recording...: the figure and the recorder's settings, or nothing.
struct AnimationRecordChoice {
    std::uint32_t figureId = 0;
    figure::RecordingSettings settings;
};
std::optional<AnimationRecordChoice> askAnimationRecord(QWidget* parent, lang::Session& session,
                                                        std::optional<std::uint32_t> figureId = {});

// A dialog of field rows with an optional Figure box; OK is enabled while `problem` finds
// nothing. The dialogs above are made of it.
class CommandDialog : public QDialog {
    Q_OBJECT

public:
    using ProblemCheck = std::function<std::optional<std::string>(const model::Figure*,
                                                                  std::span<const std::string>)>;

    // With a session, a Figure box (501) lists its figures, `figureId` chosen when given.
    CommandDialog(const QString& title, std::span<const figure::FieldDefinition> rows,
                  ProblemCheck problem, lang::Session* session,
                  std::optional<std::uint32_t> figureId, QWidget* parent = nullptr);

    FieldGrid& fields() { return *m_fields; }
    std::vector<std::string> values() const;
    // The figure chosen in the Figure box (0 without one).
    std::uint32_t figureId() const;
    // A line of text under the Figure box that follows the figure chosen (Layer ID, Frame #).
    void setFigureNote(std::function<QString(const model::Figure&)> note);
    bool okEnabled() const;
    // Adds a widget under the fields (for example a preview).
    void addExtra(QWidget* widget);

signals:
    void changed();

private:
    void refresh();

    lang::Session* m_session;
    FieldGrid* m_fields;
    QComboBox* m_figure = nullptr;
    QLabel* m_note = nullptr;
    QLabel* m_problem;
    QDialogButtonBox* m_buttons;
    ProblemCheck m_check;
    std::function<QString(const model::Figure&)> m_noteText;
};

} // namespace desktop
