// GIF files with giflib, since Qt reads GIF but cannot write it.
#pragma once

#include <QByteArray>
#include <QImage>

#include <optional>
#include <string>

namespace render {

// The picture as a GIF file: with its own colours when it has at most 256 of them, otherwise
// with a 256-colour palette chosen by median cut. None, with the reason in `error`, when giflib
// fails.
std::optional<QByteArray> encodeGif(const QImage& image, std::string& error);

} // namespace render
