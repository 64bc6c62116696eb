// Writing a figure to image, SVG and PDF files: the draw pass at the figure's client size onto a
// surface made for the purpose, written atomically so a failed save keeps the file that was
// there.
#pragma once

#include "io/export_formats.h"
#include "io/write_result.h"
#include "model/figure.h"

#include <QImage>

#include <optional>
#include <string>

namespace desktop {
class FontAnswers;
}

namespace render {

// The figure drawn at its client size (points at 96 dpi).
QImage renderFigureImage(model::Figure& figure);

// The figure as an SVG document (numbers to a hundredth of a pixel). With `answers`, the fonts'
// answers are looked up there first and added to it.
std::string renderFigureSvg(model::Figure& figure, desktop::FontAnswers* answers = nullptr);

// The figure as a one-page PDF file (numbers to a hundredth of a pixel, fonts embedded as
// subsets). Throws std::bad_alloc when memory runs out.
std::string renderFigurePdf(model::Figure& figure, desktop::FontAnswers* answers = nullptr);

// The PNG file of `image`: a palette for 256 colours or fewer, RGB when it is opaque; decoding
// it gives back the image's pixels. Throws std::bad_alloc when memory runs out.
QByteArray encodePngImage(const QImage& image);

// Writes the figure to `path` in `format`, a picture or vector format of the export table.
// Needs a QGuiApplication.
io::WriteResult exportFigureImage(model::Figure& figure, const std::string& path,
                                  io::ExportFormat format);

// The figure as an SVG file, the fonts' answers looked up in `answers` first and added to it.
// Needs a QGuiApplication only for text whose answers are not there.
io::WriteResult exportFigureSvg(model::Figure& figure, const std::string& path,
                                desktop::FontAnswers& answers);

// The figure as a PDF file, its text laid out with the help of `answers`.
io::WriteResult exportFigurePdf(model::Figure& figure, const std::string& path,
                                desktop::FontAnswers& answers);

// The figure as a still WebP picture: lossless, or lossy at `quality` (0 to 100).
io::WriteResult exportFigureWebp(model::Figure& figure, const std::string& path,
                                 std::optional<int> quality);

// Save Image to a given file name: the encoder comes from the extension (bmp, jpg, png, gif).
// EMF files are not written on this platform; SVG is the vector format here.
io::WriteResult saveFigureImage(model::Figure& figure, const std::string& path);

} // namespace render
