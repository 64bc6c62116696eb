// GIF encoding.
#include "desktop/qt/qt_gif_writer.h"

#include <gif_lib.h>

#include <QHash>

#include <memory>
#include <vector>

namespace render {
namespace {

struct Palette {
    std::vector<GifColorType> colours;
    std::vector<GifByteType> indices; // one per pixel, row by row
};

// The picture's own colours, or none when it has more than 256.
std::optional<Palette> exactPalette(const QImage& rgb)
{
    Palette palette;
    palette.indices.reserve(static_cast<std::size_t>(rgb.width()) * rgb.height());
    QHash<QRgb, GifByteType> seen;
    for (int y = 0; y < rgb.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb colour = row[x] | 0xFF000000u;
            auto found = seen.constFind(colour);
            if (found == seen.constEnd()) {
                if (palette.colours.size() == 256) return std::nullopt;
                const auto index = static_cast<GifByteType>(palette.colours.size());
                palette.colours.push_back({static_cast<GifByteType>(qRed(colour)),
                                           static_cast<GifByteType>(qGreen(colour)),
                                           static_cast<GifByteType>(qBlue(colour))});
                found = seen.insert(colour, index);
            }
            palette.indices.push_back(*found);
        }
    }
    return palette;
}

std::optional<Palette> medianCutPalette(const QImage& rgb)
{
    const std::size_t pixels = static_cast<std::size_t>(rgb.width()) * rgb.height();
    std::vector<GifByteType> red(pixels), green(pixels), blue(pixels);
    std::size_t i = 0;
    for (int y = 0; y < rgb.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x, ++i) {
            red[i] = static_cast<GifByteType>(qRed(row[x]));
            green[i] = static_cast<GifByteType>(qGreen(row[x]));
            blue[i] = static_cast<GifByteType>(qBlue(row[x]));
        }
    }
    Palette palette;
    palette.indices.resize(pixels);
    palette.colours.resize(256);
    int size = 256;
    if (GifQuantizeBuffer(static_cast<unsigned>(rgb.width()), static_cast<unsigned>(rgb.height()),
                          &size, red.data(), green.data(), blue.data(), palette.indices.data(),
                          palette.colours.data()) != GIF_OK)
        return std::nullopt;
    palette.colours.resize(static_cast<std::size_t>(size));
    return palette;
}

int appendToBuffer(GifFileType* file, const GifByteType* data, int length)
{
    static_cast<QByteArray*>(file->UserData)
        ->append(reinterpret_cast<const char*>(data), static_cast<qsizetype>(length));
    return length;
}

struct MapDeleter {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

// Writes the picture into `output`; GIF_OK or giflib's error code.
int writeGif(const Palette& palette, int width, int height, QByteArray& output)
{
    int colourCount = 2; // a power of two, as the format wants
    while (colourCount < static_cast<int>(palette.colours.size()))
        colourCount *= 2;
    std::vector<GifColorType> colours = palette.colours;
    colours.resize(static_cast<std::size_t>(colourCount), GifColorType{0, 0, 0});
    const std::unique_ptr<ColorMapObject, MapDeleter> map(
        GifMakeMapObject(colourCount, colours.data()));
    if (!map) return E_GIF_ERR_NOT_ENOUGH_MEM;

    int error = 0;
    GifFileType* file = EGifOpen(&output, appendToBuffer, &error);
    if (!file) return error;
    bool ok = EGifPutScreenDesc(file, width, height, 8, 0, map.get()) == GIF_OK &&
              EGifPutImageDesc(file, 0, 0, width, height, false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < height; ++y) {
        auto* row = const_cast<GifByteType*>(palette.indices.data()) +
                    static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
        ok = EGifPutLine(file, row, width) == GIF_OK;
    }
    const int writeError = ok ? GIF_OK : file->Error;
    if (EGifCloseFile(file, &error) != GIF_OK && writeError == GIF_OK) return error;
    return writeError;
}

} // namespace

std::optional<QByteArray> encodeGif(const QImage& image, std::string& error)
{
    if (image.isNull() || image.width() > 65535 || image.height() > 65535) {
        error = "a GIF picture is between 1 and 65535 pixels wide and high";
        return std::nullopt;
    }
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    std::optional<Palette> palette = exactPalette(rgb);
    if (!palette) palette = medianCutPalette(rgb);
    if (!palette) {
        error = "the colours could not be reduced to 256";
        return std::nullopt;
    }
    QByteArray output;
    const int status = writeGif(*palette, rgb.width(), rgb.height(), output);
    if (status != GIF_OK) {
        const char* text = GifErrorString(status);
        error = text ? text : "giflib error " + std::to_string(status);
        return std::nullopt;
    }
    return output;
}

} // namespace render
