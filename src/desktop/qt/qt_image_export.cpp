// Raster, GIF, SVG and PDF export of a figure.
#include "desktop/qt/qt_image_export.h"

#include "io/atomic_file.h"
#include "render/draw_pass.h"
#include "desktop/qt/qt_gif_writer.h"
#include "desktop/qt/qt_surface.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

namespace render {
namespace {

constexpr int dotsPerMetre = 3780; // 96 dots per inch

QSize clientSize(const model::Figure& figure)
{
    return {std::max(1, figure.clientWidth), std::max(1, figure.clientHeight)};
}

void drawOn(QPainter& painter, model::Figure& figure)
{
    QtSurface surface(painter);
    DrawFigure(figure, surface);
}

io::WriteResult failure(const std::string& path, const std::string& reason)
{
    return {false, path + ": " + reason};
}

// Replaces the file at `path` with `bytes`, or leaves it as it was.
io::WriteResult writeAtomically(const std::string& path, const QByteArray& bytes)
{
    return io::writeFileAtomically(
        path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

io::WriteResult writeRaster(const QImage& image, const std::string& path, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    const bool opaque = qstrcmp(format, "png") != 0;
    if (!writer.write(opaque ? image.convertToFormat(QImage::Format_RGB32) : image))
        return failure(path, writer.errorString().toStdString());
    return writeAtomically(path, bytes);
}

io::WriteResult writeGif(const QImage& image, const std::string& path)
{
    std::string error;
    const std::optional<QByteArray> bytes = encodeGif(image, error);
    if (!bytes) return failure(path, error);
    return writeAtomically(path, *bytes);
}

io::WriteResult writeSvg(model::Figure& figure, const std::string& path)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(clientSize(figure));
    generator.setViewBox(QRect(QPoint(0, 0), clientSize(figure)));
    generator.setResolution(96);
    generator.setTitle(QStringLiteral("Figure %1").arg(figure.id));
    QPainter painter;
    if (!painter.begin(&generator)) return failure(path, "the SVG picture could not be started");
    drawOn(painter, figure);
    painter.end();
    return writeAtomically(path, bytes);
}

io::WriteResult writePdf(model::Figure& figure, const std::string& path)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        const QSize size = clientSize(figure);
        writer.setResolution(96);
        writer.setPageSize(
            QPageSize(QSizeF(size.width() / 96.0, size.height() / 96.0), QPageSize::Inch));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setTitle(QStringLiteral("Figure %1").arg(figure.id));
        QPainter painter;
        if (!painter.begin(&writer)) return failure(path, "the PDF page could not be started");
        drawOn(painter, figure);
        painter.end();
    }
    return writeAtomically(path, bytes);
}

} // namespace

QImage renderFigureImage(model::Figure& figure)
{
    QImage image(clientSize(figure), QImage::Format_ARGB32_Premultiplied);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white); // what shows where a figure with meshes draws no background
    QPainter painter(&image);
    drawOn(painter, figure);
    painter.end();
    return image;
}

io::WriteResult exportFigureImage(model::Figure& figure, const std::string& path,
                                  io::ExportFormat format)
{
    switch (format) {
    case io::ExportFormat::Png:
        return writeRaster(renderFigureImage(figure), path, "png");
    case io::ExportFormat::Jpeg:
        return writeRaster(renderFigureImage(figure), path, "jpeg");
    case io::ExportFormat::Bmp:
        return writeRaster(renderFigureImage(figure), path, "bmp");
    case io::ExportFormat::Gif:
        return writeGif(renderFigureImage(figure), path);
    case io::ExportFormat::Svg:
        return writeSvg(figure, path);
    case io::ExportFormat::Pdf:
        return writePdf(figure, path);
    case io::ExportFormat::Swf:
    case io::ExportFormat::Vexxml:
    case io::ExportFormat::Emf:
        break;
    }
    return failure(path, "not a picture format");
}

io::WriteResult saveFigureImage(model::Figure& figure, const std::string& path)
{
    const std::optional<std::string_view> mimeType = io::EncoderForFile(path);
    if (!mimeType)
        return failure(path, "no image encoder for this extension; use bmp, jpg, png or gif");
    if (*mimeType == "image/jpeg") return exportFigureImage(figure, path, io::ExportFormat::Jpeg);
    if (*mimeType == "image/png") return exportFigureImage(figure, path, io::ExportFormat::Png);
    if (*mimeType == "image/bmp") return exportFigureImage(figure, path, io::ExportFormat::Bmp);
    if (*mimeType == "image/gif") return exportFigureImage(figure, path, io::ExportFormat::Gif);
    return failure(path, "enhanced metafiles are not written on this platform; save as .svg");
}

} // namespace render
