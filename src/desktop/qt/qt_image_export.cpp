// Raster, GIF, SVG and PDF export of a figure.
#include "desktop/qt/qt_image_export.h"

#include "io/atomic_file.h"
#include "desktop/qt/qt_animation_writer.h"
#include "desktop/qt/qt_gif_writer.h"
#include "desktop/qt/pdf_surface.h"
#include "desktop/qt/qt_surface.h"
#include "desktop/qt/svg_surface.h"
#include "mesh/mesh_scene.h"
#include "render/draw_pass.h"
#include "render/png_encoder.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>

#include <cstdint>
#include <new>

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
    mesh::MeshScene meshes; // a picture drawn once reads its mesh files for itself
    DrawFigure(figure, surface, nullptr, nullptr, std::nullopt, DrawMode::Full, &meshes);
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

// JPEG and BMP through Qt's writers, which hold no alpha channel.
io::WriteResult writeRaster(const QImage& image, const std::string& path, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (!writer.write(image.convertToFormat(QImage::Format_RGB32)))
        return failure(path, writer.errorString().toStdString());
    return writeAtomically(path, bytes);
}

io::WriteResult writePng(const QImage& image, const std::string& path)
{
    try {
        return writeAtomically(path, encodePngImage(image));
    } catch (const std::bad_alloc&) {
        return failure(path, "there is not enough memory to encode the picture");
    }
}

io::WriteResult writeGif(const QImage& image, const std::string& path)
{
    std::string error;
    const std::optional<QByteArray> bytes = encodeGif(image, error);
    if (!bytes) return failure(path, error);
    return writeAtomically(path, *bytes);
}

io::WriteResult writeWebp(const QImage& image, const std::string& path,
                          std::optional<int> quality)
{
    std::string error;
    const std::optional<QByteArray> bytes = encodeWebp(image, quality, error);
    if (!bytes) return failure(path, error);
    return writeAtomically(path, *bytes);
}

io::WriteResult writeSvg(model::Figure& figure, const std::string& path,
                         desktop::FontAnswers* answers)
{
    const std::string text = renderFigureSvg(figure, answers);
    return writeAtomically(path, QByteArray(text.data(), static_cast<qsizetype>(text.size())));
}

io::WriteResult writePdf(model::Figure& figure, const std::string& path,
                         desktop::FontAnswers* answers)
{
    std::string bytes;
    try {
        bytes = renderFigurePdf(figure, answers);
    } catch (const std::bad_alloc&) {
        return failure(path, "there is not enough memory to write the PDF file");
    }
    return io::writeFileAtomically(path, bytes);
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

namespace {

// Whether every pixel of a 32-bit image has full alpha: then its premultiplied words are
// already the straight ones, and the picture needs no conversion (which Qt spreads over a pool
// of threads that a batch run would start for it alone).
bool everyPixelOpaque(const QImage& image)
{
    const auto width = static_cast<std::size_t>(image.width());
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
        std::uint32_t all = 0xFFFFFFFFu;
        for (std::size_t x = 0; x < width; ++x)
            all &= row[x];
        if ((all >> 24) != 0xFF) return false;
    }
    return true;
}

} // namespace

QByteArray encodePngImage(const QImage& image)
{
    const bool direct = (image.format() == QImage::Format_ARGB32_Premultiplied ||
                         image.format() == QImage::Format_ARGB32) &&
                        everyPixelOpaque(image);
    const QImage straight = direct ? image : image.convertToFormat(QImage::Format_ARGB32);
    const std::vector<std::uint8_t> bytes = encodePng(
        {straight.width(), straight.height(),
         std::span(reinterpret_cast<const std::uint32_t*>(straight.constBits()),
                   static_cast<std::size_t>(straight.sizeInBytes()) / 4),
         static_cast<std::size_t>(straight.bytesPerLine()) / 4,
         std::max(0, straight.dotsPerMeterX())});
    return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<qsizetype>(bytes.size()));
}

namespace {

// The figure drawn once onto a vector surface (SVG or PDF) of its client size, as that file.
template <typename VectorSurface>
std::string renderVector(model::Figure& figure, desktop::FontAnswers* answers)
{
    const QSize size = clientSize(figure);
    VectorSurface surface(size.width(), size.height(), "Figure " + std::to_string(figure.id),
                          answers);
    mesh::MeshScene meshes;
    DrawFigure(figure, surface, nullptr, nullptr, std::nullopt, DrawMode::Full, &meshes);
    return surface.finish();
}

} // namespace

std::string renderFigureSvg(model::Figure& figure, desktop::FontAnswers* answers)
{
    return renderVector<desktop::SvgSurface>(figure, answers);
}

std::string renderFigurePdf(model::Figure& figure, desktop::FontAnswers* answers)
{
    return renderVector<desktop::PdfSurface>(figure, answers);
}

io::WriteResult exportFigureImage(model::Figure& figure, const std::string& path,
                                    io::ExportFormat format)
{
    switch (format) {
    case io::ExportFormat::Png:
        return writePng(renderFigureImage(figure), path);
    case io::ExportFormat::Jpeg:
        return writeRaster(renderFigureImage(figure), path, "jpeg");
    case io::ExportFormat::Bmp:
        return writeRaster(renderFigureImage(figure), path, "bmp");
    case io::ExportFormat::Gif:
        return writeGif(renderFigureImage(figure), path);
    case io::ExportFormat::Webp:
        return writeWebp(renderFigureImage(figure), path, std::nullopt);
    case io::ExportFormat::Svg:
        return writeSvg(figure, path, nullptr);
    case io::ExportFormat::Pdf:
        return writePdf(figure, path, nullptr);
    case io::ExportFormat::Swf:
    case io::ExportFormat::Vexxml:
    case io::ExportFormat::Emf:
        break;
    }
    return failure(path, "not a picture format");
}

io::WriteResult exportFigureSvg(model::Figure& figure, const std::string& path,
                                desktop::FontAnswers& answers)
{
    return writeSvg(figure, path, &answers);
}

io::WriteResult exportFigurePdf(model::Figure& figure, const std::string& path,
                                desktop::FontAnswers& answers)
{
    return writePdf(figure, path, &answers);
}

io::WriteResult exportFigureWebp(model::Figure& figure, const std::string& path,
                                 std::optional<int> quality)
{
    return writeWebp(renderFigureImage(figure), path, quality);
}

io::WriteResult saveFigureImage(model::Figure& figure, const std::string& path)
{
    const std::optional<std::string_view> mimeType = io::EncoderForFile(path);
    if (!mimeType)
        return failure(path, "no image encoder for this extension; use bmp, jpg, png, gif or webp");
    if (*mimeType == "image/jpeg") return exportFigureImage(figure, path, io::ExportFormat::Jpeg);
    if (*mimeType == "image/png") return exportFigureImage(figure, path, io::ExportFormat::Png);
    if (*mimeType == "image/bmp") return exportFigureImage(figure, path, io::ExportFormat::Bmp);
    if (*mimeType == "image/gif") return exportFigureImage(figure, path, io::ExportFormat::Gif);
    if (*mimeType == "image/webp") return exportFigureImage(figure, path, io::ExportFormat::Webp);
    return failure(path, "enhanced metafiles are not written on this platform; save as .svg");
}

} // namespace render
