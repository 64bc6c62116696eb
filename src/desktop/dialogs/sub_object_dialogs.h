// The sub-object editors that the object dialogs' buttons open: pen, brush, font, the 2D
// transform in its matrix and own-2D readings, the 3D transform with its cube, range animation.
#pragma once

#include "figure/sub_object_form.h"
#include "model/sub_object.h"

#include <QDialog>

class QDialogButtonBox;
class QLabel;

namespace desktop {

class FieldGrid;

// Edits `subObject` with the editor of `button`; true when the user accepted and its arguments
// were written.
bool editSubObject(QWidget* parent, const figure::SubObjectButton& button,
                   model::SubObject& subObject);

// One editor: its field table filled from a sub-object, with the checks of its kind.
class SubObjectDialog : public QDialog {
    Q_OBJECT

public:
    // The code with which the matrix editor ends when the user asks for the own-2D reading.
    static constexpr int ownReadingCode = -3;

    SubObjectDialog(figure::SubDialog dialog, const model::SubObject& subObject,
                    QWidget* parent = nullptr);
    std::vector<std::string> arguments() const;
    FieldGrid& fields() { return *m_fields; }

private:
    void addMatrixOperations();
    void addCubePreview();
    void refresh();

    figure::SubDialog m_dialog;
    FieldGrid* m_fields;
    QLabel* m_problem;
    QDialogButtonBox* m_buttons;
    QWidget* m_cube = nullptr;
};

} // namespace desktop
