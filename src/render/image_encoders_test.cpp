// Tests of the encoder table.
#include "render/image_encoders.h"

#include <gtest/gtest.h>

namespace render {
namespace {

TEST(ImageEncoders, FindsTheEncoderByExtensionInAnyCase)
{
    const std::pair<std::string, std::optional<std::string_view>> cases[] = {
        {"plot.PNG", "image/png"}, {"plot.jpg", "image/jpeg"},  {"a.b/plot.Bmp", "image/bmp"},
        {"x.gif", "image/gif"},    {"x.emf", "image/emf"},      {"plot.tif", std::nullopt},
        {"plot", std::nullopt},    {"plot.jpeg", std::nullopt}, {"plot.png.", std::nullopt},
    };
    for (const auto& [name, expected] : cases)
        EXPECT_EQ(EncoderForFile(name), expected) << name;
}

} // namespace
} // namespace render
