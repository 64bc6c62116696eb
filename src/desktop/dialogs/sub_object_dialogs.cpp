// Sub-object editors.
#include "desktop/dialogs/sub_object_dialogs.h"

#include "desktop/dialogs/field_grid.h"
#include "lang/tokenizer.h"
#include "model/argument_text.h"

#include <QDialogButtonBox>
#include <QFontDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace desktop {
namespace {

using figure::SubDialog;

// The cube of the 3D transform editor, drawn with the projection of the values shown.
class CubePreview : public QWidget {
public:
    explicit CubePreview(FieldGrid& fields, QWidget* parent) : QWidget(parent), m_fields(fields)
    {
        setMinimumSize(160, 160);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.drawText(rect().adjusted(4, 4, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                         QStringLiteral("Cube"));
        const geom::Transform3D transform = figure::transform3DOfValues(m_fields.values());
        const std::array<float, 4> viewport{0, 0, static_cast<float>(width()),
                                            static_cast<float>(height())};
        for (const auto& [from, to] : figure::cubePreviewEdges(transform, viewport))
            painter.drawLine(QPointF(from.x, from.y), QPointF(to.x, to.y));
    }

private:
    FieldGrid& m_fields;
};

figure::ColourUse colourUseOf(SubDialog dialog)
{
    return dialog == SubDialog::Brush ? figure::ColourUse::Brush : figure::ColourUse::Pen;
}

bool editFont(QWidget* parent, model::SubObject& subObject)
{
    const figure::FontChoice current = figure::fontChoiceOf(subObject);
    QFont initial(qtText(current.family.empty() ? "Liberation Sans" : current.family));
    initial.setPointSizeF(current.pointSize > 0 ? current.pointSize : 8);
    initial.setBold(current.bold);
    initial.setItalic(current.italic);
    initial.setUnderline(current.underline);
    initial.setStrikeOut(current.strikeOut);
    bool accepted = false;
    const QFont chosen = QFontDialog::getFont(&accepted, initial, parent);
    if (!accepted) return false;
    subObject.arguments =
        figure::fontArguments({programText(chosen.family()), chosen.pointSizeF(), chosen.bold(),
                               chosen.italic(), chosen.underline(), chosen.strikeOut()});
    return true;
}

} // namespace

SubObjectDialog::SubObjectDialog(SubDialog dialog, const model::SubObject& subObject,
                                 QWidget* parent)
    : QDialog(parent), m_dialog(dialog),
      m_fields(new FieldGrid(figure::subDialogRows(dialog), colourUseOf(dialog), this)),
      m_problem(new QLabel(this)),
      m_buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this))
{
    setWindowTitle(qtText(figure::subDialogTitle(dialog)));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_fields);
    m_fields->setValues(figure::subDialogValues(dialog, subObject));
    if (dialog == SubDialog::Transform || dialog == SubDialog::Transform3D ||
        dialog == SubDialog::OwnTransform) {
        auto* reset = new QPushButton(QStringLiteral("Reset"), this);
        connect(reset, &QPushButton::clicked, this, [this] {
            m_fields->setValues(figure::subDialogValues(m_dialog, {}));
            refresh();
        });
        layout->addWidget(reset);
    }
    if (dialog == SubDialog::Transform) addMatrixOperations();
    if (dialog == SubDialog::Transform3D) addCubePreview();
    m_problem->setStyleSheet(QStringLiteral("color: #C00000"));
    layout->addWidget(m_problem);
    layout->addWidget(m_buttons);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_fields, &FieldGrid::edited, this, &SubObjectDialog::refresh);
    refresh();
}

void SubObjectDialog::addMatrixOperations()
{
    auto* grid = new QGridLayout;
    int row = 0;
    for (const figure::MatrixOperationRow& operation : figure::matrixOperations) {
        auto* value = new QLineEdit(qtText(operation.defaultText), this);
        auto* set = new QPushButton(QStringLiteral("Set"), this);
        grid->addWidget(new QLabel(qtText(operation.label), this), row, 0);
        grid->addWidget(value, row, 1);
        grid->addWidget(set, row, 2);
        connect(set, &QPushButton::clicked, this, [this, operation, value] {
            const std::optional<double> amount =
                figure::readFieldNumber(programText(value->text()));
            if (!amount || figure::subDialogProblem(m_dialog, m_fields->values())) return;
            float numbers[6];
            for (std::size_t i = 0; i < 6; ++i)
                numbers[i] = model::parseNumber(m_fields->value(i));
            const geom::Matrix2D combined = figure::combineMatrix(
                {numbers[0], numbers[1], numbers[2], numbers[3], numbers[4], numbers[5]},
                operation.operation, static_cast<float>(*amount));
            const float result[6] = {combined.m11, combined.m12, combined.m21,
                                     combined.m22, combined.dx,  combined.dy};
            for (std::size_t i = 0; i < 6; ++i)
                m_fields->setValue(i, QString::number(double(result[i]), 'g', 7).toStdString());
            refresh();
        });
        ++row;
    }
    auto* own = new QPushButton(QStringLiteral("Own 2D Reading..."), this);
    connect(own, &QPushButton::clicked, this, [this] { done(ownReadingCode); });
    grid->addWidget(own, row, 0, 1, 3);
    static_cast<QVBoxLayout*>(layout())->addLayout(grid);
}

void SubObjectDialog::addCubePreview()
{
    m_cube = new CubePreview(*m_fields, this);
    layout()->addWidget(m_cube);
}

void SubObjectDialog::refresh()
{
    m_fields->refreshProblems();
    const std::optional<std::string> problem =
        figure::subDialogProblem(m_dialog, m_fields->values());
    m_problem->setText(problem ? qtText(*problem) : QString());
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(!problem);
    if (m_cube) m_cube->update();
}

std::vector<std::string> SubObjectDialog::arguments() const
{
    return figure::subDialogArguments(m_dialog, m_fields->values());
}

bool editSubObject(QWidget* parent, const figure::SubObjectButton& button,
                   model::SubObject& subObject)
{
    if (!button.dialog) return editFont(parent, subObject);
    SubObjectDialog editor(*button.dialog, subObject, parent);
    const int result = editor.exec();
    if (result == SubObjectDialog::ownReadingCode) {
        SubObjectDialog own(SubDialog::OwnTransform, subObject, parent);
        if (own.exec() != QDialog::Accepted) return false;
        subObject.arguments = own.arguments();
        return true;
    }
    if (result != QDialog::Accepted) return false;
    subObject.arguments = editor.arguments();
    return true;
}

} // namespace desktop
