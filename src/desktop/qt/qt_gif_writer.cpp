// GIF encoding.
#include "desktop/qt/qt_gif_writer.h"

#include "desktop/qt/qt_animation_writer.h"
#include "render/gif_encoder.h"

#include <gif_lib.h>

#include <QHash>

#include <algorithm>
#include <cstring>
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

// The changed part of one picture of an animation, kept until the palette is chosen.
struct KeptPicture {
    QRect rect;
    std::vector<QRgb> pixels; // row by row
    int delayCs = 0;
};

// The smallest rectangle in which `now` differs from `before`; empty when they are equal.
QRect changedRect(const QImage& before, const QImage& now)
{
    int top = now.height(), bottom = -1, left = now.width(), right = -1;
    for (int y = 0; y < now.height(); ++y) {
        const QRgb* a = reinterpret_cast<const QRgb*>(before.constScanLine(y));
        const QRgb* b = reinterpret_cast<const QRgb*>(now.constScanLine(y));
        if (std::equal(a, a + now.width(), b)) continue;
        top = std::min(top, y);
        bottom = y;
        // Only a difference outside the columns found so far widens the rectangle; those
        // columns are compared whole first.
        const auto bytes = [](int pixels) { return static_cast<std::size_t>(pixels) * 4; };
        if (std::memcmp(a, b, bytes(left)) != 0) {
            int x = 0;
            while (a[x] == b[x])
                ++x;
            left = x;
        }
        const int past = right + 1;
        if (std::memcmp(a + past, b + past, bytes(now.width() - past)) != 0) {
            int end = now.width() - 1;
            while (a[end] == b[end])
                --end;
            right = end;
        }
    }
    return bottom < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

// Centiseconds, the unit of GIF delays, from milliseconds (rounded).
std::uint64_t centiseconds(std::uint64_t ms)
{
    return (ms + 5) / 10;
}

class GifAnimationEncoder final : public AnimationEncoder {
public:
    GifAnimationEncoder(int width, int height) : m_width(width), m_height(height)
    {
        if (width < 1 || height < 1 || width > maxGifSide || height > maxGifSide)
            fail("a GIF picture is between 1 and " + std::to_string(maxGifSide) +
                 " pixels wide and high, the limit");
    }

protected:
    bool encode(const QImage& image, std::uint64_t startMs, std::uint64_t endMs) override
    {
        const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
        const int delay = static_cast<int>(
            std::min<std::uint64_t>(centiseconds(endMs) - centiseconds(startMs), 65535));
        const QRect rect = m_shown.isNull() ? rgb.rect() : changedRect(m_shown, rgb);
        if (rect.isEmpty()) { // shown again after pictures too brief to keep
            KeptPicture& last = m_pictures.back();
            last.delayCs = std::min(last.delayCs + delay, 65535);
            return true;
        }
        const auto area =
            static_cast<std::uint64_t>(rect.width()) * static_cast<std::uint64_t>(rect.height());
        if (m_keptPixels + area > maxGifChangedPixels)
            return fail("the GIF animation changes more than " +
                        std::to_string(maxGifChangedPixels) + " pixels, the limit");
        m_keptPixels += area;
        KeptPicture picture{rect, {}, delay};
        picture.pixels.reserve(static_cast<std::size_t>(area));
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            const QRgb* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
            for (int x = rect.left(); x <= rect.right(); ++x)
                picture.pixels.push_back(row[x] | 0xFF000000u);
        }
        countColours(picture.pixels);
        m_pictures.push_back(std::move(picture));
        m_shown = rgb;
        return true;
    }

    std::optional<QByteArray> assemble() override
    {
        Palette palette;
        if (!(m_colours.size() <= 256 ? exactColours(palette) : quantise(palette))) {
            fail("the colours could not be reduced to 256");
            return std::nullopt;
        }
        return write(palette);
    }

private:
    // Notes the colours of `pixels` until there are more than 256; runs of one colour, the
    // common case, cost one look-up.
    void countColours(const std::vector<QRgb>& pixels)
    {
        QRgb last = 0; // never a pixel's colour, which is opaque
        for (QRgb colour : pixels) {
            if (colour == last) continue;
            if (m_colours.size() > 256) return;
            m_colours.insert(colour, 0);
            last = colour;
        }
    }

    // The pictures' own colours in increasing order, so that the same pictures give the same
    // file.
    bool exactColours(Palette& palette)
    {
        std::vector<QRgb> colours(m_colours.keyBegin(), m_colours.keyEnd());
        std::sort(colours.begin(), colours.end());
        for (QRgb colour : colours) {
            m_colours[colour] = static_cast<GifByteType>(palette.colours.size());
            palette.colours.push_back({static_cast<GifByteType>(qRed(colour)),
                                       static_cast<GifByteType>(qGreen(colour)),
                                       static_cast<GifByteType>(qBlue(colour))});
        }
        palette.indices.reserve(m_keptPixels);
        QRgb last = 0; // never a pixel's colour, which is opaque
        GifByteType index = 0;
        for (const KeptPicture& picture : m_pictures)
            for (QRgb colour : picture.pixels) {
                if (colour != last) index = m_colours.value(colour);
                last = colour;
                palette.indices.push_back(index);
            }
        return true;
    }

    // One palette for all pictures by median cut over every kept pixel.
    bool quantise(Palette& palette)
    {
        std::vector<GifByteType> red(m_keptPixels), green(m_keptPixels), blue(m_keptPixels);
        std::size_t i = 0;
        for (const KeptPicture& picture : m_pictures)
            for (QRgb colour : picture.pixels) {
                red[i] = static_cast<GifByteType>(qRed(colour));
                green[i] = static_cast<GifByteType>(qGreen(colour));
                blue[i] = static_cast<GifByteType>(qBlue(colour));
                ++i;
            }
        palette.indices.resize(m_keptPixels);
        palette.colours.resize(256);
        int size = 256;
        if (GifQuantizeBuffer(static_cast<unsigned>(m_keptPixels), 1, &size, red.data(),
                              green.data(), blue.data(), palette.indices.data(),
                              palette.colours.data()) != GIF_OK)
            return false;
        palette.colours.resize(static_cast<std::size_t>(size));
        return true;
    }

    // Each picture's rectangle over the one before, with the palette's indices.
    QByteArray write(const Palette& palette) const
    {
        std::vector<GifColour> colours;
        colours.reserve(palette.colours.size());
        for (const GifColorType& colour : palette.colours)
            colours.push_back({colour.Red, colour.Green, colour.Blue});
        std::vector<GifPicture> pictures;
        pictures.reserve(m_pictures.size());
        const GifByteType* indices = palette.indices.data();
        for (const KeptPicture& kept : m_pictures) {
            const QRect& r = kept.rect;
            const auto count = static_cast<std::size_t>(r.width()) * r.height();
            pictures.push_back({r.x(), r.y(), r.width(), r.height(), kept.delayCs,
                                std::span<const std::uint8_t>(indices, count)});
            indices += count;
        }
        const std::vector<std::uint8_t> bytes =
            encodeGifAnimation(m_width, m_height, colours, pictures);
        return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                          static_cast<qsizetype>(bytes.size()));
    }

    int m_width, m_height;
    QImage m_shown; // the picture the viewer shows after the pictures kept so far
    std::vector<KeptPicture> m_pictures;
    std::uint64_t m_keptPixels = 0;
    QHash<QRgb, GifByteType> m_colours; // counted up to 257
};

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

std::unique_ptr<AnimationEncoder> makeGifAnimationEncoder(int width, int height)
{
    return std::make_unique<GifAnimationEncoder>(width, height);
}

} // namespace render
