// Animated pictures: the common timing, and the WebP encoder with libwebp.
#include "desktop/qt/qt_animation_writer.h"

#include <webp/encode.h>
#include <webp/mux.h>

#include <cstring>
#include <limits>

namespace render {

namespace {

// QImage's own comparison of 32-bit pictures goes pixel by pixel; rows that are equal byte for
// byte are compared whole first, and only rows that differ are looked at pixel by pixel, where
// RGB32 leaves its unused alpha byte out as QImage does.
bool samePicture(const QImage& a, const QImage& b)
{
    if (a.format() != QImage::Format_RGB32 || b.format() != QImage::Format_RGB32 ||
        a.size() != b.size())
        return a == b;
    const auto width = static_cast<std::size_t>(a.width());
    for (int y = 0; y < a.height(); ++y) {
        const auto* rowA = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* rowB = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        if (std::memcmp(rowA, rowB, width * sizeof(QRgb)) == 0) continue;
        for (std::size_t x = 0; x < width; ++x)
            if ((rowA[x] ^ rowB[x]) & 0x00FFFFFFu) return false;
    }
    return true;
}

} // namespace

bool AnimationEncoder::add(const QImage& picture, std::uint64_t startMs)
{
    if (!m_error.empty()) return false;
    if (!m_pending.isNull()) {
        if (samePicture(picture, m_pending)) return true;
        if (startMs >= m_pendingStart + minPictureMs) {
            if (!encode(m_pending, m_pendingStart, startMs)) return false;
            m_pendingStart = startMs;
        }
    } else {
        m_pendingStart = startMs;
    }
    m_pending = picture;
    return true;
}

std::optional<QByteArray> AnimationEncoder::finish(std::uint64_t endMs)
{
    if (!m_error.empty()) return std::nullopt;
    if (m_pending.isNull()) {
        fail("the animation has no pictures");
        return std::nullopt;
    }
    if (!encode(m_pending, m_pendingStart, std::max(endMs, m_pendingStart + minPictureMs)))
        return std::nullopt;
    m_pending = QImage();
    return assemble();
}

bool AnimationEncoder::fail(std::string message)
{
    m_error = std::move(message);
    return false;
}

namespace {

// Imports a picture into libwebp's ARGB form; false when memory runs out.
bool importPicture(const QImage& image, WebPPicture& picture)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    picture.use_argb = 1;
    picture.width = rgb.width();
    picture.height = rgb.height();
    // Format_RGB32 is B, G, R, 0xFF in memory on the little-endian machines Qt runs on here.
    return WebPPictureImportBGRX(&picture, rgb.constBits(), static_cast<int>(rgb.bytesPerLine()));
}

bool configure(WebPConfig& config, std::optional<int> quality)
{
    if (!WebPConfigInit(&config)) return false;
    if (quality) {
        config.quality = static_cast<float>(*quality);
        config.method = 2; // quick; the size differs little from the slower methods
    } else if (!WebPConfigLosslessPreset(&config, 1)) {
        return false;
    }
    return WebPValidateConfig(&config) != 0;
}

struct EncoderDeleter {
    void operator()(WebPAnimEncoder* encoder) const { WebPAnimEncoderDelete(encoder); }
};

class WebpAnimationEncoder final : public AnimationEncoder {
public:
    WebpAnimationEncoder(int width, int height, std::optional<int> quality)
    {
        if (width < 1 || height < 1 || width > maxWebpSide || height > maxWebpSide) {
            fail("a WebP picture is between 1 and " + std::to_string(maxWebpSide) +
                 " pixels wide and high, the limit");
            return;
        }
        if (!configure(m_config, quality)) {
            fail("libwebp does not take these settings");
            return;
        }
        WebPAnimEncoderOptions options;
        if (!WebPAnimEncoderOptionsInit(&options)) {
            fail("the libwebp version does not match");
            return;
        }
        options.anim_params.loop_count = 0; // for ever
        options.anim_params.bgcolor = 0xFFFFFFFF;
        m_encoder.reset(WebPAnimEncoderNew(width, height, &options));
        if (!m_encoder) fail("there is not enough memory to start the WebP animation");
    }

protected:
    bool encode(const QImage& image, std::uint64_t startMs, std::uint64_t endMs) override
    {
        if (endMs > static_cast<std::uint64_t>(std::numeric_limits<int>::max()))
            return fail("a WebP animation lasts at most " +
                        std::to_string(std::numeric_limits<int>::max()) + " ms, the limit");
        WebPPicture picture;
        if (!WebPPictureInit(&picture)) return fail("the libwebp version does not match");
        bool added =
            importPicture(image, picture) &&
            WebPAnimEncoderAdd(m_encoder.get(), &picture, static_cast<int>(startMs), &m_config);
        WebPPictureFree(&picture);
        if (!added) return fail(encoderError("a picture could not be encoded"));
        m_endMs = endMs;
        return true;
    }

    std::optional<QByteArray> assemble() override
    {
        WebPData data;
        WebPDataInit(&data);
        if (!WebPAnimEncoderAdd(m_encoder.get(), nullptr, static_cast<int>(m_endMs), nullptr) ||
            !WebPAnimEncoderAssemble(m_encoder.get(), &data)) {
            fail(encoderError("the animation could not be assembled"));
            WebPDataClear(&data);
            return std::nullopt;
        }
        QByteArray bytes(reinterpret_cast<const char*>(data.bytes),
                         static_cast<qsizetype>(data.size));
        WebPDataClear(&data);
        return bytes;
    }

private:
    std::string encoderError(const char* what)
    {
        const char* reason = WebPAnimEncoderGetError(m_encoder.get());
        return reason && *reason ? std::string(what) + ": " + reason : std::string(what);
    }

    WebPConfig m_config{};
    std::unique_ptr<WebPAnimEncoder, EncoderDeleter> m_encoder;
    std::uint64_t m_endMs = 0;
};

int writeToBuffer(const std::uint8_t* data, std::size_t size, const WebPPicture* picture)
{
    static_cast<QByteArray*>(picture->custom_ptr)
        ->append(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    return 1;
}

} // namespace

std::unique_ptr<AnimationEncoder> makeWebpAnimationEncoder(int width, int height,
                                                           std::optional<int> quality)
{
    return std::make_unique<WebpAnimationEncoder>(width, height, quality);
}

std::optional<QByteArray> encodeWebp(const QImage& image, std::optional<int> quality,
                                     std::string& error)
{
    if (image.isNull() || image.width() > maxWebpSide || image.height() > maxWebpSide) {
        error = "a WebP picture is between 1 and " + std::to_string(maxWebpSide) +
                " pixels wide and high, the limit";
        return std::nullopt;
    }
    WebPConfig config;
    WebPPicture picture;
    if (!configure(config, quality) || !WebPPictureInit(&picture)) {
        error = "libwebp does not take these settings";
        return std::nullopt;
    }
    QByteArray bytes;
    picture.writer = writeToBuffer;
    picture.custom_ptr = &bytes;
    const bool encoded = importPicture(image, picture) && WebPEncode(&config, &picture);
    const WebPEncodingError code = picture.error_code;
    WebPPictureFree(&picture);
    if (!encoded) {
        error = "the WebP encoder failed (libwebp error " + std::to_string(code) + ")";
        return std::nullopt;
    }
    return bytes;
}

} // namespace render
