// Animated pictures saved from the figure window.
#include "desktop/exports/animation_saving.h"

#include "desktop/exports/animation_export.h"
#include "desktop/exports/figure_exports.h"
#include "desktop/exports/movie_saving.h"
#include "lang/host.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QMessageBox>
#include <QSpinBox>

namespace desktop {

namespace {

constexpr MovieTaskTexts animationTexts{"Animation Rendering...", "Animation Saved!"};
const QString gifFilter = QStringLiteral("Animated GIF (*.gif)");
const QString webpFilter = QStringLiteral("Animated WebP (*.webp)");

} // namespace

std::optional<AnimationChoices> askAnimationChoices(QWidget* parent, bool webp)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Animation Options"));
    auto* layout = new QFormLayout(&dialog);
    auto* rate = new QSpinBox;
    rate->setObjectName(QStringLiteral("fps"));
    rate->setRange(1, 255);
    rate->setValue(25);
    layout->addRow(QStringLiteral("FPS:"), rate);
    auto* quality = new QSpinBox;
    quality->setObjectName(QStringLiteral("quality"));
    quality->setRange(-1, maxWebpQuality);
    quality->setSpecialValueText(QStringLiteral("Lossless")); // shown for -1
    quality->setValue(-1);
    quality->setEnabled(webp);
    layout->addRow(QStringLiteral("WebP quality:"), quality);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    AnimationChoices choices;
    choices.framesPerSecond = static_cast<std::uint32_t>(rate->value());
    if (webp && quality->value() >= 0) choices.quality = quality->value();
    return choices;
}

void saveAnimation(QWidget* parent, lang::Session& session, model::Figure& figure)
{
    QFileDialog dialog(parent, QStringLiteral("Save Animation"), QString(),
                       gifFilter + QStringLiteral(";;") + webpFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("gif"));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& filter) {
        dialog.setDefaultSuffix(filter == webpFilter ? QStringLiteral("webp")
                                                     : QStringLiteral("gif"));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    const std::string path = dialog.selectedFiles().front().toStdString();
    if (!isAnimationPath(path)) {
        QMessageBox::warning(parent, QString::fromUtf8(messageCaption),
                             QString::fromStdString(path + ": an animation is written as .gif "
                                                           "or .webp"));
        return;
    }
    const bool webp =
        dialog.selectedFiles().front().endsWith(QStringLiteral(".webp"), Qt::CaseInsensitive);
    const std::optional<AnimationChoices> choices = askAnimationChoices(parent, webp);
    if (!choices) return;
    saveAnimationTo(parent, session, figure, path, *choices);
}

MovieExportTask* saveAnimationTo(QWidget* parent, lang::Session& session, model::Figure& figure,
                                 const std::string& path, const AnimationChoices& choices)
{
    session.host().notify(animationTexts.rendering);
    AnimationJob job = prepareAnimationExport(
        figure, path, choices.framesPerSecond, choices.quality,
        [&](const std::string& question) { return session.host().askYesNo(question); });
    MovieWork work = [quality = job.quality](const swf::SwfExportJob& movie,
                                             render::DrawingSurface& measuring) {
        return runAnimationExport({movie, quality}, measuring);
    };
    auto* task = new MovieExportTask(session, figure.id, std::move(job.movie), parent,
                                     std::move(work), animationTexts);
    task->start();
    return task;
}

} // namespace desktop
