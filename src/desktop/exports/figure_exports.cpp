// Saving and copying a figure from the desktop.
//
// Sections: files by extension · the save dialogs · documents · the clipboard · F8.
#include "desktop/exports/figure_exports.h"

#include "io/export_formats.h"
#include "desktop/exports/movie_saving.h"
#include "io/atomic_file.h"
#include "desktop/qt/qt_gif_writer.h"
#include "desktop/qt/qt_image_export.h"
#include "lang/document.h"
#include "lang/host.h"
#include "lang/serialiser.h"
#include "model/argument_text.h"
#include "render/background_transparency.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>
#include <QWidget>

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace desktop {

// --- files by extension -------------------------------------------------------------------------

namespace {

io::WriteResult refused(const std::string& path, const std::string& reason)
{
    return {false, path + ": " + reason};
}

// The figure's picture with its background pixels at alpha 1.
QImage transparentPicture(model::Figure& figure)
{
    QImage picture = render::renderFigureImage(figure).convertToFormat(QImage::Format_ARGB32);
    const auto pixels = std::span(reinterpret_cast<std::uint32_t*>(picture.bits()),
                                  static_cast<std::size_t>(picture.sizeInBytes()) / 4);
    render::makeBackgroundTransparent(pixels, figure.backgroundColour);
    return picture;
}

io::WriteResult writeBytes(const std::string& path, const QByteArray& bytes)
{
    return io::writeFileAtomically(
        path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

// PNG and GIF keep the transparency; the other formats hold no alpha, or draw vectors.
io::WriteResult writeTransparent(model::Figure& figure, const std::string& path,
                                 io::ExportFormat format)
{
    if (format != io::ExportFormat::Png && format != io::ExportFormat::Gif)
        return render::exportFigureImage(figure, path, format);
    const QImage picture = transparentPicture(figure);
    if (format == io::ExportFormat::Png) return writeBytes(path, render::encodePngImage(picture));
    std::string error;
    const std::optional<QByteArray> bytes = render::encodeGif(picture, error);
    if (!bytes) return refused(path, error);
    return writeBytes(path, *bytes);
}

// The extensions the picture and vector formats are written under, each format's usual one
// from the export format table: ".png, .jpg, ... or .pdf".
std::string pictureExtensions()
{
    std::vector<std::string_view> extensions;
    for (const io::ExportFormatRow& row : io::exportFormats)
        if ((row.kind == io::FormatKind::Picture || row.kind == io::FormatKind::Vector) &&
            row.extension == io::exportFormatRow(row.format).extension)
            extensions.push_back(row.extension);
    std::string text;
    for (std::size_t i = 0; i < extensions.size(); ++i) {
        if (i > 0) text += i + 1 == extensions.size() ? " or " : ", ";
        text += '.';
        text += extensions[i];
    }
    return text;
}

} // namespace

io::WriteResult writeImageFile(model::Figure& figure, const std::string& path,
                               Background background)
{
    const std::optional<io::ExportFormatRow> row = io::exportFormatForPath(path);
    const std::size_t slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.find('.') == std::string::npos)
        return refused(path, "the name has no extension, so nothing was saved; end it in " +
                                 pictureExtensions());
    if (row && row->format == io::ExportFormat::Emf)
        return refused(path, "enhanced metafiles are not written on this platform; save as .svg");
    if (!row || (row->kind != io::FormatKind::Picture && row->kind != io::FormatKind::Vector))
        return refused(path, "." + name.substr(name.rfind('.') + 1) +
                                 " is not a picture format; use " + pictureExtensions());
    if (background == Background::Transparent) return writeTransparent(figure, path, row->format);
    return render::exportFigureImage(figure, path, row->format);
}

io::WriteResult saveImageTo(model::Figure& figure, const std::string& path)
{
    return render::saveFigureImage(figure, path);
}

// --- the save dialogs ---------------------------------------------------------------------------

namespace {

// Qt's form of a filter: the description, then the patterns in both cases.
QString filterOf(const char* description, const char* extension)
{
    return QStringLiteral("%1 (*.%2 *.%3)")
        .arg(QString::fromUtf8(description), QString::fromUtf8(extension).toUpper(),
             QString::fromUtf8(extension).toLower());
}

QString imageFilters()
{
    return QStringList{filterOf("Bitmap Files *.BMP", "bmp"), filterOf("JPG Files*.JPG", "jpg"),
                       filterOf("SVG Files *.SVG", "svg"),    filterOf("PNG Files *.PNG", "png"),
                       filterOf("GIF Files *.GIF", "gif"),    filterOf("SWF Files *.SWF", "swf"),
                       filterOf("PDF Files *.PDF", "pdf")}
        .join(QStringLiteral(";;"));
}

// The save dialog without a default extension, asking before it replaces a file.
std::optional<std::string> askSavePath(QWidget* parent, const QString& title,
                                       const QString& filters)
{
    const QString path = QFileDialog::getSaveFileName(parent, title, QString(), filters);
    if (path.isEmpty()) return std::nullopt;
    return path.toStdString();
}

void reportFailure(QWidget* parent, const io::WriteResult& result)
{
    if (!result.written)
        QMessageBox::warning(parent, QString::fromUtf8(messageCaption),
                             QString::fromStdString(result.message));
}

} // namespace

void saveImage(QWidget* parent, lang::Session& session, model::Figure& figure,
               Background background)
{
    const QString title = background == Background::Transparent
                              ? QStringLiteral("Save Image with BG Transparency")
                              : QStringLiteral("Save Image");
    const std::optional<std::string> path = askSavePath(parent, title, imageFilters());
    if (!path) return;
    if (const auto row = io::exportFormatForPath(*path);
        row && row->format == io::ExportFormat::Swf) {
        saveMovieTo(parent, session, figure, *path);
        return;
    }
    reportFailure(parent, writeImageFile(figure, *path, background));
}

void saveMetafile(QWidget* parent, lang::Session&, model::Figure& figure)
{
    const std::optional<std::string> path =
        askSavePath(parent, QStringLiteral("Save Metafile"), filterOf("Metafiles *.SVG", "svg"));
    if (path) reportFailure(parent, writeImageFile(figure, *path, Background::AsDrawn));
}

// --- documents ----------------------------------------------------------------------------------

void saveFigureDocument(QWidget* parent, lang::Session& session, model::Figure& figure)
{
    const lang::DocumentSave saved = lang::saveDocument(session, lang::serialiseFigure(figure));
    if (saved.outcome == lang::SaveOutcome::Failed) reportFailure(parent, {false, saved.message});
}

// --- the clipboard ------------------------------------------------------------------------------

// The clipboard flavour of a format, by the export format table's MIME type.
QString mimeTypeOf(io::ExportFormat format)
{
    const std::string_view type = io::exportFormatRow(format).mimeType;
    return QString::fromLatin1(type.data(), static_cast<qsizetype>(type.size()));
}

std::unique_ptr<QMimeData> figureMimeData(model::Figure& figure, const QImage& picture)
{
    auto data = std::make_unique<QMimeData>();
    data->setData(mimeTypeOf(io::ExportFormat::Png), render::encodePngImage(picture));
    data->setImageData(picture);
    const std::string svg = render::renderFigureSvg(figure);
    data->setData(mimeTypeOf(io::ExportFormat::Svg),
                  QByteArray(svg.data(), static_cast<qsizetype>(svg.size())));
    data->setText(
        QString::fromStdString(lang::oneFigureClipboardText(lang::serialiseFigure(figure))));
    return data;
}

namespace {

void putOnClipboard(lang::Session& session, std::unique_ptr<QMimeData> data, const char* notice)
{
    QClipboard* clipboard = QApplication::clipboard();
    if (!clipboard) return;
    clipboard->setMimeData(data.release());
    session.host().notify(notice);
}

} // namespace

void copyBitmap(QWidget* figureView, lang::Session& session, model::Figure& figure)
{
    const bool shown = figureView && figureView->isVisible();
    const QImage picture = shown ? figureView->grab().toImage() : render::renderFigureImage(figure);
    putOnClipboard(session, figureMimeData(figure, picture), "Bitmap copied to clipboard");
}

void copyMetafile(QWidget*, lang::Session& session, model::Figure& figure)
{
    putOnClipboard(session, figureMimeData(figure, render::renderFigureImage(figure)),
                   "Metafile copied to clipboard");
}

void copyText(QWidget*, lang::Session& session, model::Figure& figure)
{
    putOnClipboard(session, figureMimeData(figure, render::renderFigureImage(figure)),
                   "Text copied to clipboard");
}

// --- F8 -----------------------------------------------------------------------------------------

void showPreviewSwfMessage(QWidget* parent)
{
    QMessageBox::information(parent, QString::fromUtf8(messageCaption),
                             QStringLiteral("VEXA x64 can save SWF files but cannot preview them; "
                                            "Use ALT+S to save to a file directly."));
}

} // namespace desktop
