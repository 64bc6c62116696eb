// The image encoders a figure is saved with, chosen by the extension of the file name.
#pragma once

#include <optional>
#include <string_view>

namespace render {

// The MIME type of the encoder for `fileName`: the extension after the last "." compared
// without regard to case, jpg "image/jpeg", png "image/png", bmp "image/bmp", gif "image/gif",
// emf "image/emf". None for a name without an extension or with any other one.
std::optional<std::string_view> EncoderForFile(std::string_view fileName);

} // namespace render
