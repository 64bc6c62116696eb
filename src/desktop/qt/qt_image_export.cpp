// Raster, GIF, SVG and PDF export of a figure.
#include "desktop/qt/qt_image_export.h"

#include "render/draw_pass.h"
#include "render/image_encoders.h"
#include "desktop/qt/qt_gif_writer.h"
#include "desktop/qt/qt_surface.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
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

ImageExportResult failure(const std::string& path, const std::string& reason)
{
    return {false, path + ": " + reason};
}

// Replaces the file at `path` with `bytes`, or leaves it as it was.
ImageExportResult writeAtomically(const std::string& path, const QByteArray& bytes)
{
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly)) return failure(path, file.errorString().toStdString());
    if (file.write(bytes) != bytes.size() || !file.commit())
        return failure(path, file.errorString().toStdString());
    return {true, {}};
}

using Encoded = std::optional<QByteArray>;

Encoded encodeRaster(const QImage& image, const char* format, std::string& error)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    const bool opaque = qstrcmp(format, "png") != 0;
    if (!writer.write(opaque ? image.convertToFormat(QImage::Format_RGB32) : image)) {
        error = writer.errorString().toStdString();
        return std::nullopt;
    }
    return bytes;
}

Encoded encodeSvg(model::Figure& figure, std::string& error)
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
    if (!painter.begin(&generator)) {
        error = "the SVG picture could not be started";
        return std::nullopt;
    }
    drawOn(painter, figure);
    painter.end();
    return bytes;
}

Encoded encodePdf(model::Figure& figure, std::string& error)
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
        if (!painter.begin(&writer)) {
            error = "the PDF page could not be started";
            return std::nullopt;
        }
        drawOn(painter, figure);
        painter.end();
    }
    return bytes;
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

std::optional<QByteArray> encodeFigure(model::Figure& figure, ImageFileFormat format,
                                       std::string& error, const QImage* picture)
{
    const auto image = [&] { return picture ? *picture : renderFigureImage(figure); };
    switch (format) {
    case ImageFileFormat::Png:
        return encodeRaster(image(), "png", error);
    case ImageFileFormat::Jpeg:
        return encodeRaster(image(), "jpeg", error);
    case ImageFileFormat::Bmp:
        return encodeRaster(image(), "bmp", error);
    case ImageFileFormat::Gif:
        return encodeGif(image(), error);
    case ImageFileFormat::Svg:
        return encodeSvg(figure, error);
    case ImageFileFormat::Pdf:
        return encodePdf(figure, error);
    }
    error = "unknown image format";
    return std::nullopt;
}

ImageExportResult exportFigureImage(model::Figure& figure, const std::string& path,
                                    ImageFileFormat format)
{
    std::string error;
    const std::optional<QByteArray> bytes = encodeFigure(figure, format, error);
    if (!bytes) return failure(path, error);
    return writeAtomically(path, *bytes);
}

ImageExportResult saveFigureImage(model::Figure& figure, const std::string& path)
{
    const std::optional<std::string_view> mimeType = EncoderForFile(path);
    if (!mimeType)
        return failure(path, "no image encoder for this extension; use bmp, jpg, png or gif");
    if (*mimeType == "image/jpeg") return exportFigureImage(figure, path, ImageFileFormat::Jpeg);
    if (*mimeType == "image/png") return exportFigureImage(figure, path, ImageFileFormat::Png);
    if (*mimeType == "image/bmp") return exportFigureImage(figure, path, ImageFileFormat::Bmp);
    if (*mimeType == "image/gif") return exportFigureImage(figure, path, ImageFileFormat::Gif);
    return failure(path, "enhanced metafiles are not written on this platform; save as .svg");
}

} // namespace render
