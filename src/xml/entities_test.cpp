// Tests of entity encoding and decoding, Base64 and UTF conversions.
#include "xml/base64.h"
#include "xml/entities.h"
#include "xml/utf.h"

#include <gtest/gtest.h>

namespace xml {
namespace {

TEST(Entities, EncodeForAttributesAndText)
{
    struct Case {
        std::string plain;
        std::string attribute;
        std::string text;
    };
    const Case cases[] = {
        {"a<b & c>d", "a&lt;b &amp; c&gt;d", "a&lt;b &amp; c&gt;d"},
        {"n(\"x\") 'y'", "n(&quot;x&quot;) &apos;y&apos;", "n(\"x\") 'y'"},
        {"&#65; &#x41; &#xZ; &#;", "&#65; &#x41; &amp;#xZ; &amp;#;",
         "&#65; &#x41; &amp;#xZ; &amp;#;"},
        {"&amp;", "&amp;amp;", "&amp;amp;"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(encodeEntities(c.plain, EntityContext::Attribute), c.attribute) << c.plain;
        EXPECT_EQ(encodeEntities(c.plain, EntityContext::Text), c.text) << c.plain;
    }
    const std::string quotes(1000, '"');
    EXPECT_LE(encodeEntities(quotes).size(), quotes.size() * 6);
}

TEST(Entities, DecodeNamedAndNumericReferencesAndKeepTheRest)
{
    const std::pair<std::string, std::string> cases[] = {
        {"&lt;&gt;&amp;&quot;&apos;", "<>&\"'"},
        {"&#65;&#x42;&#X43;", "ABC"},
        {"&#xE9;&#8364;&#x1F600;", "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"},
        {"&unknown; & &amp &#; &#0; &#xD800; &#x110000;",
         "&unknown; & &amp &#; &#0; &#xD800; &#x110000;"},
        {"&amp;lt;", "&lt;"},
    };
    for (const auto& [stored, plain] : cases)
        EXPECT_EQ(decodeEntities(stored), plain) << stored;
}

TEST(Base64, EncodesInLinesOf64WithCrLfAndDecodesBack)
{
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"f", "Zg==\r\n"},
        {"fo", "Zm8=\r\n"},
        {"foo", "Zm9v\r\n"},
        {"foob", "Zm9vYg==\r\n"},
        {std::string(48, 'a'),
         [] {
             std::string line;
             for (int i = 0; i < 16; ++i)
                 line += "YWFh";
             return line + "\r\n";
         }()},
    };
    for (const auto& [plain, encoded] : cases) {
        const std::vector<std::uint8_t> bytes(plain.begin(), plain.end());
        EXPECT_EQ(encodeBase64(bytes), encoded) << plain;
        EXPECT_EQ(decodeBase64(encoded), bytes) << plain;
    }
    std::vector<std::uint8_t> all(256);
    for (std::size_t i = 0; i < all.size(); ++i)
        all[i] = static_cast<std::uint8_t>(i);
    const std::string encoded = encodeBase64(all);
    EXPECT_EQ(encoded.substr(64, 2), "\r\n");
    EXPECT_EQ(encoded.size(), 344u + 6u * 2u); // 344 characters in six lines
    EXPECT_EQ(decodeBase64(encoded), all);
}

TEST(Base64, RejectsWhatIsNotBase64)
{
    for (const std::string text : {"Zg=", "Z", "Zg==Zg==", "Zm9v!", "=Zm9", "Zm=v", "Zg==="})
        EXPECT_EQ(decodeBase64(text), std::nullopt) << text;
    EXPECT_EQ(decodeBase64("Zm9v YmFy\r\n"),
              (std::vector<std::uint8_t>{'f', 'o', 'o', 'b', 'a', 'r'}));
    EXPECT_EQ(decodeBase64("Zm8"),
              (std::vector<std::uint8_t>{'f', 'o'})); // padding may be left out
}

TEST(Utf, FindsMalformedUtf8)
{
    const std::pair<std::string, std::optional<std::size_t>> cases[] = {
        {"plain", std::nullopt},
        {"caf\xC3\xA9 \xF0\x9F\x98\x80", std::nullopt},
        {"ab\xC3", 2},           // truncated
        {"a\xC3\x28", 1},        // bad continuation
        {"\xC0\xAF", 0},         // overlong
        {"x\xE0\x80\xAF", 1},    // overlong three-byte form
        {"\xED\xA0\x80", 0},     // surrogate
        {"\xF4\x90\x80\x80", 0}, // above U+10FFFF
        {"\x80", 0},             // lone continuation
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(findInvalidUtf8(text), expected) << text;
}

TEST(Utf, ReplacesEveryMalformedByteWithTheReplacementCharacter)
{
    const std::string replacement = "\xEF\xBF\xBD";
    const std::pair<std::string, std::string> cases[] = {
        {"caf\xC3\xA9", "caf\xC3\xA9"},
        {"caf\xE9", "caf" + replacement},
        {"\xC0\xAF", replacement + replacement},
        {"a\xC3\x28", "a" + replacement + "("},
        {"\xED\xA0\x80!", replacement + replacement + replacement + "!"},
        {std::string("nul\0byte", 8), std::string("nul\0byte", 8)},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(replaceInvalidUtf8(text), expected) << text;
        EXPECT_EQ(findInvalidUtf8(replaceInvalidUtf8(text)), std::nullopt) << text;
    }
}

TEST(Utf, ConvertsBetweenUtf8AndUtf16)
{
    const std::string text = "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";
    const std::u16string units = u"A\u00E9\u20AC\U0001F600";
    EXPECT_EQ(utf8ToUtf16(text), units);
    EXPECT_EQ(utf16ToUtf8(units), text);
    EXPECT_EQ(utf16ToUtf8(std::u16string(1, char16_t{0xD800})), std::nullopt);
    EXPECT_EQ(utf16ToUtf8(std::u16string(1, char16_t{0xDC00})), std::nullopt);
}

} // namespace
} // namespace xml
