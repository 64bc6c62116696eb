// The object insert dialogs: placement boxes, the fields of the object's kind, sub-object
// buttons, a live preview, and on OK the object appended to its figure (or the edited one
// replaced) exactly as its command line would build it.
#pragma once

#include "figure/object_form.h"
#include "figure/sub_object_form.h"
#include "lang/session.h"

#include <QDialog>

#include <cstdint>
#include <optional>

class QComboBox;
class QDialogButtonBox;
class QLabel;
class QPushButton;

namespace desktop {

class FieldGrid;
class ObjectPreview;

// With no figure, says "You must first insert a figure." and gives false.
bool requireFigure(QWidget* parent, const lang::Session& session);

// Opens the dialog of an insert menu command (301 Rectangle ... 511 4D polygon) over `parent`,
// with `figureId` chosen when given; true when an object was added.
bool runObjectDialog(QWidget* parent, lang::Session& session, int menuId,
                     std::optional<std::uint32_t> figureId = {});
// Opens the dialog of object `index` of a figure, filled from it; true when it was replaced.
// False at once for objects that have no dialog.
bool runEditObjectDialog(QWidget* parent, lang::Session& session, std::uint32_t figureId,
                         std::size_t index);

class ObjectDialog : public QDialog {
    Q_OBJECT

public:
    // A new object of `kind`.
    ObjectDialog(lang::Session& session, const figure::ObjectKindEntry& kind,
                 std::optional<std::uint32_t> figureId, QWidget* parent = nullptr);
    // Object `index` of a figure, which `form` was read from.
    ObjectDialog(lang::Session& session, figure::ObjectForm form, std::uint32_t figureId,
                 std::size_t index, QWidget* parent = nullptr);

    const figure::ObjectForm& form() const { return m_form; }
    FieldGrid& fields() { return *m_fields; }
    // The Figure (501), Layer (502), Axis (503) and Frame (504) boxes.
    QComboBox* placementBox(int id) const;
    QPushButton* button(int id) const; // the sub-object buttons 721 ... 727, OK (1)
    ObjectPreview& preview() { return *m_preview; }
    figure::PreviewMode previewMode() const { return m_mode; }
    void setPreviewMode(figure::PreviewMode mode);
    // Replaces a sub-object, as its editor does when the user accepts it.
    void setSubObject(model::SubObjectKind kind, int occurrence, model::SubObject subObject);

    void accept() override;

private:
    void build();
    void fillFigures(std::optional<std::uint32_t> figureId);
    void figureChosen();
    void placementChosen(int id);
    void fieldEdited(std::size_t row);
    void openSubObject(const figure::SubObjectButton& button);
    void chooseFile(std::size_t row);
    void refresh();
    const model::Figure* chosenFigure() const;

    lang::Session& m_session;
    figure::ObjectForm m_form;
    std::optional<std::size_t> m_editedIndex;
    figure::PreviewMode m_mode = figure::PreviewMode::Full;
    FieldGrid* m_fields = nullptr;
    QComboBox* m_figure = nullptr;
    QComboBox* m_layer = nullptr;
    QComboBox* m_axis = nullptr;
    QComboBox* m_frame = nullptr;
    QLabel* m_problem = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
    ObjectPreview* m_preview = nullptr;
    std::vector<QPushButton*> m_subObjectButtons;
    bool m_filling = false; // boxes are being refilled; their signals change nothing
};

} // namespace desktop
