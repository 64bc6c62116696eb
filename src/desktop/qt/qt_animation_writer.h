// Animated pictures (GIF and WebP) from a sequence of pictures with their start times. Pictures
// equal to the one before only lengthen it, and a picture replaced sooner than browsers can show
// it (minPictureMs) gives its place to the next, so the file holds what a viewer can see.
#pragma once

#include <QByteArray>
#include <QImage>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace render {

// Browsers slow down pictures shown for less than this.
inline constexpr std::uint64_t minPictureMs = 20;

// The largest side of a GIF picture and of a WebP picture.
inline constexpr int maxGifSide = 65535;
inline constexpr int maxWebpSide = 16383;
// The changed pixels a GIF animation keeps until its palette is chosen at the end (about eight
// bytes each then).
inline constexpr std::uint64_t maxGifChangedPixels = 250'000'000;

class AnimationEncoder {
public:
    virtual ~AnimationEncoder() = default;

    // Adds `picture` (of the animation's size), shown from `startMs` on; start times do not
    // decrease. False when encoding failed; error() then says why.
    bool add(const QImage& picture, std::uint64_t startMs);
    // The file, the last picture ending at `endMs`; none when encoding failed.
    std::optional<QByteArray> finish(std::uint64_t endMs);
    const std::string& error() const { return m_error; }

protected:
    // A picture shown from `startMs` to `endMs`; each starts where the one before ended.
    virtual bool encode(const QImage& picture, std::uint64_t startMs, std::uint64_t endMs) = 0;
    virtual std::optional<QByteArray> assemble() = 0;
    bool fail(std::string message);

private:
    QImage m_pending;
    std::uint64_t m_pendingStart = 0;
    std::string m_error;
};

// A looping animated GIF of `width` x `height` pixels (at most maxGifSide): one palette that
// keeps the pictures' exact colours when they have at most 256 together (otherwise 256 chosen
// by median cut), and of each picture only the rectangle that changed.
std::unique_ptr<AnimationEncoder> makeGifAnimationEncoder(int width, int height);

// A looping animated WebP of `width` x `height` pixels (at most maxWebpSide): lossless, or lossy
// at `quality` (0 to 100).
std::unique_ptr<AnimationEncoder> makeWebpAnimationEncoder(int width, int height,
                                                           std::optional<int> quality);

// A still WebP picture: lossless, or lossy at `quality`. None, with the reason in `error`.
std::optional<QByteArray> encodeWebp(const QImage& image, std::optional<int> quality,
                                     std::string& error);

} // namespace render
