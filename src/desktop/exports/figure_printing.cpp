// Printing a figure.
#include "desktop/exports/figure_printing.h"

#include "desktop/exports/figure_exports.h"
#include "desktop/qt/qt_image_export.h"
#include "desktop/qt/qt_surface.h"
#include "render/draw_pass.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cmath>

namespace desktop {

std::optional<figure::PrintOptions> askPrintOptions(QWidget* parent, const std::string& paperText,
                                                    const std::string& clientText)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Print Options"));
    auto* layout = new QVBoxLayout(&dialog);
    auto* paper = new QRadioButton(QStringLiteral("Use selected printer paper size :"));
    auto* oneToOne = new QRadioButton(QStringLiteral("Print 1:1 "));
    auto* raw = new QCheckBox(QStringLiteral("Print as raw bitmap"));
    paper->setChecked(true);
    layout->addWidget(paper);
    layout->addWidget(new QLabel(QString::fromStdString(paperText)));
    layout->addWidget(oneToOne);
    layout->addWidget(new QLabel(QString::fromStdString(clientText)));
    layout->addWidget(raw);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return figure::PrintOptions{
        oneToOne->isChecked() ? figure::PrintArea::OneToOne : figure::PrintArea::PaperSize,
        raw->isChecked() ? figure::PrintData::RawBitmap : figure::PrintData::Default};
}

std::optional<figure::PaperSize> printerPaperSize(QPrinter& printer)
{
    const int dpi = printer.resolution();
    const QRect page = printer.pageLayout().fullRectPixels(dpi);
    return figure::paperSizeOf(page.width(), page.height(), dpi, dpi);
}

bool printFigureOn(QPrinter& printer, lang::Session& session, model::Figure& figure,
                   const figure::PrintOptions& options, std::string& error)
{
    const figure::PaperSize paper = printerPaperSize(printer).value_or(figure::PaperSize{});
    const geom::LayerRect target =
        figure::printRectangle(options.area, paper, figure.clientWidth, figure.clientHeight);
    printer.setDocName(QString::fromUtf8(figure::printJobName.data(),
                                         static_cast<qsizetype>(figure::printJobName.size())));
    QPainter painter;
    if (!painter.begin(&printer)) {
        error = "the printer could not be started";
        return false;
    }
    const double scale = figure::printScale(options.area, printer.resolution());
    painter.scale(scale, scale);
    if (options.data == figure::PrintData::RawBitmap) {
        // The figure as a picture of the print rectangle's size, stretched over it.
        model::Figure sized = figure;
        sized.clientWidth = std::max(1, target.right);
        sized.clientHeight = std::max(1, target.bottom);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRectF(0, 0, target.right, target.bottom),
                          render::renderFigureImage(sized));
    } else {
        render::QtSurface surface(painter);
        render::DrawFigure(figure, surface, session.passServices(), nullptr, nullptr, target);
    }
    painter.end();
    return true;
}

void printFigure(QWidget* parent, lang::Session& session, model::Figure& figure)
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted) return;
    const std::optional<figure::PaperSize> paper = printerPaperSize(printer);
    const std::optional<figure::PrintOptions> options = askPrintOptions(
        parent, paper ? figure::sizeText(paper->width, paper->height) : std::string("0x0"),
        figure::sizeText(static_cast<std::uint32_t>(std::max(0, figure.clientWidth)),
                         static_cast<std::uint32_t>(std::max(0, figure.clientHeight))));
    if (!options) return;
    std::string error;
    if (!printFigureOn(printer, session, figure, *options, error))
        QMessageBox::warning(parent, QString::fromUtf8(messageCaption),
                             QString::fromStdString(error));
}

} // namespace desktop
