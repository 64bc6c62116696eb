// The encoder table.
#include "render/image_encoders.h"
#include "model/argument_text.h"

#include <array>
#include <utility>

namespace render {

std::optional<std::string_view> EncoderForFile(std::string_view fileName)
{
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 5> encoders = {{
        {"jpg", "image/jpeg"},
        {"png", "image/png"},
        {"bmp", "image/bmp"},
        {"gif", "image/gif"},
        {"emf", "image/emf"},
    }};
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos) return std::nullopt;
    const std::string_view extension = fileName.substr(dot + 1);
    for (const auto& [name, mimeType] : encoders)
        if (model::equalsIgnoringCase(extension, name)) return mimeType;
    return std::nullopt;
}

} // namespace render
