// Tests of the settings store: paths, defaults, value forms, removal and safe writing.
#include "xml/settings_store.h"

#include "temporary_folder.h"

#include <gtest/gtest.h>

namespace xml {
namespace {

using testing_support::readFileBytes;
using testing_support::TemporaryFolder;
using testing_support::writeFileBytes;

const std::string header = std::string(defaultDeclaration) + "\r\n";

class SettingsStoreTest : public ::testing::Test {
protected:
    TemporaryFolder folder;
    std::string options = folder.file("vexa.xml");
};

TEST_F(SettingsStoreTest, MissingFileGivesDefaultsAndAWriteCreatesIt)
{
    EXPECT_EQ(readSettingString(options, "Options\\Appearance", "Font", "Arial"), "Arial");
    EXPECT_EQ(readSettingInteger(options, "Options\\Appearance", "Size", 12), 12);
    EXPECT_EQ(readSettingBytes(options, "Options", "Blob"), std::nullopt);
    EXPECT_TRUE(folder.entries().empty());

    ASSERT_TRUE(writeSettingString(options, "Options\\Appearance", "Font", "Courier New").written);
    EXPECT_EQ(readFileBytes(options), header + "<root>\r\n"
                                               "\t<Options>\r\n"
                                               "\t\t<Appearance Font=\"Courier New\"/>\r\n"
                                               "\t</Options>\r\n"
                                               "</root>\r\n");
    EXPECT_EQ(readSettingString(options, "Options\\Appearance", "Font", "Arial"), "Courier New");
    EXPECT_EQ(readSettingString(options, "Options", "Font", "none"), "none");
    EXPECT_EQ(readSettingString(options, "Appearance", "Font", "none"), "none");
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"vexa.xml"}); // no temporary left
}

TEST_F(SettingsStoreTest, SectionPathsEmptySectionsAndKeysInOneFile)
{
    ASSERT_TRUE(writeSettingInteger(options, "", "Version", 2).written);
    ASSERT_TRUE(writeSettingInteger(options, "Options\\\\Appearance\\", "Quality", 1).written);
    ASSERT_TRUE(writeSettingString(options, "Options\\Appearance", "Quality", "2").written);
    ASSERT_TRUE(writeSettingUnsigned64(options, "Options", "Big", 18446744073709551615ull).written);
    ASSERT_TRUE(writeSettingSigned64(options, "Options", "Small", INT64_MIN).written);
    EXPECT_EQ(readFileBytes(options),
              header + "<root Version=\"2\">\r\n"
                       "\t<Options Big=\"18446744073709551615\" Small=\"-9223372036854775808\">\r\n"
                       "\t\t<Appearance Quality=\"2\"/>\r\n"
                       "\t</Options>\r\n"
                       "</root>\r\n");
    EXPECT_EQ(readSettingInteger(options, "", "Version", 0), 2);
}

TEST_F(SettingsStoreTest, IntegersReadTheWayDefaultsAre)
{
    const std::pair<std::string, std::int32_t> stored[] = {
        {"42", 42},
        {" -17", -17},
        {"+5x", 5},
        {"abc", 0},
        {"", 0},
        {"99999999999", INT32_MAX},
        {"-99999999999", INT32_MIN},
        {"0x10", 0},
    };
    for (const auto& [text, expected] : stored) {
        ASSERT_TRUE(writeSettingString(options, "Numbers", "Value", text).written);
        EXPECT_EQ(readSettingInteger(options, "Numbers", "Value", 7), expected) << text;
    }
    EXPECT_EQ(readSettingInteger(options, "Numbers", "Missing", -3), -3);
    EXPECT_EQ(readSettingInteger(options, "Numbers", "Missing", INT32_MIN), INT32_MIN);
}

TEST_F(SettingsStoreTest, StringsAreEncodedInTheFileAndDecodedOnReading)
{
    const std::string value = "a<b & \"c\" 'd' > &#65;";
    ASSERT_TRUE(writeSettingString(options, "Text", "Value", value).written);
    EXPECT_NE(readFileBytes(options).find(
                  "Value=\"a&lt;b &amp; &quot;c&quot; &apos;d&apos; &gt; &#65;\""),
              std::string::npos);
    EXPECT_EQ(readSettingString(options, "Text", "Value", ""), "a<b & \"c\" 'd' > A");
}

// Found by fuzzing: "\xff\xfe not UTF-8" made a file that no longer loaded, losing every setting.
TEST_F(SettingsStoreTest, BytesThatAreNotUtf8AreStoredAsReplacementCharacters)
{
    ASSERT_TRUE(writeSettingString(options, "Text", "Value", "\xff\xfe not UTF-8").written);
    ASSERT_TRUE(writeSettingInteger(options, "Text", "Other", 5).written);
    EXPECT_EQ(readSettingString(options, "Text", "Value", ""),
              "\xEF\xBF\xBD\xEF\xBF\xBD not UTF-8");
    EXPECT_EQ(readSettingInteger(options, "Text", "Other", 0), 5);
}

TEST_F(SettingsStoreTest, BytesComeBackUnchangedWithLineBreaksAsUnderscores)
{
    std::vector<std::uint8_t> bytes;
    for (int i = 0; i < 100; ++i)
        bytes.push_back(static_cast<std::uint8_t>(i * 37));
    ASSERT_TRUE(writeSettingBytes(options, "Data", "Blob", bytes).written);
    const std::string file = readFileBytes(options);
    const std::size_t start = file.find("Blob=\"") + 6;
    const std::string stored = file.substr(start, file.find('"', start) - start);
    EXPECT_EQ(stored.size(), 136u + 3u * 2u); // 136 characters in three lines, each ending in "__"
    EXPECT_EQ(stored.substr(64, 2), "__");
    EXPECT_TRUE(stored.ends_with("__"));
    EXPECT_EQ(stored.find('\r'), std::string::npos);
    EXPECT_EQ(readSettingBytes(options, "Data", "Blob"), bytes);

    ASSERT_TRUE(writeSettingString(options, "Data", "Bad", "not base64!").written);
    EXPECT_EQ(readSettingBytes(options, "Data", "Bad"), std::nullopt);
    ASSERT_TRUE(writeSettingBytes(options, "Data", "Empty", {}).written);
    EXPECT_EQ(readSettingBytes(options, "Data", "Empty"), std::vector<std::uint8_t>{});
}

TEST_F(SettingsStoreTest, RemovesKeysAndSections)
{
    ASSERT_TRUE(writeSettingString(options, "A\\B", "x", "1").written);
    ASSERT_TRUE(writeSettingString(options, "A\\B", "y", "2").written);
    ASSERT_TRUE(writeSettingString(options, "A", "z", "3").written);
    ASSERT_TRUE(removeSetting(options, "A\\B", "x").written);
    EXPECT_EQ(readSettingString(options, "A\\B", "x", "gone"), "gone");
    EXPECT_EQ(readSettingString(options, "A\\B", "y", "gone"), "2");
    ASSERT_TRUE(removeSettingSection(options, "A\\B").written);
    EXPECT_EQ(readFileBytes(options), header + "<root>\r\n\t<A z=\"3\"/>\r\n</root>\r\n");

    const std::string before = readFileBytes(options);
    EXPECT_TRUE(removeSetting(options, "A", "missing").written);
    EXPECT_TRUE(removeSettingSection(options, "No\\Such").written);
    EXPECT_FALSE(removeSettingSection(options, "").written);
    EXPECT_EQ(readFileBytes(options), before);
}

TEST_F(SettingsStoreTest, RefusesToWriteOverFilesItCannotReadAndBadNames)
{
    const std::string broken = std::string(defaultDeclaration) + "<root><Options a=\"1\"></root>";
    writeFileBytes(options, broken);
    // Reading takes what could be parsed; writing would lose the rest, so it is refused.
    EXPECT_EQ(readSettingString(options, "Options", "a", "default"), "1");
    const io::WriteResult refused = writeSettingString(options, "Options", "b", "2");
    EXPECT_FALSE(refused.written);
    EXPECT_EQ(refused.message, options + ": line 1: the end tag of <root> is missing; "
                                         "the setting was not written");
    EXPECT_FALSE(removeSetting(options, "Options", "a").written);
    EXPECT_EQ(readFileBytes(options), broken);

    const std::string good = folder.file("good.xml");
    EXPECT_FALSE(writeSettingString(good, "Bad Name", "k", "v").written);
    EXPECT_FALSE(writeSettingString(good, "Options", "a key", "v").written);
    EXPECT_FALSE(writeSettingString(good, "Options", "", "v").written);
    EXPECT_FALSE(writeSettingString(good, "Options\\\xff", "k", "v").written);
    EXPECT_FALSE(writeSettingString(good, "Options", "\xC3", "v").written);
    EXPECT_EQ(readSettingString(good, "Bad Name", "k", "default"), "default");
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"vexa.xml"});
}

TEST_F(SettingsStoreTest, WorksOnAnOpenDocumentWithoutReopeningIt)
{
    XmlDocument document;
    document.openFile(options);
    ASSERT_TRUE(writeSettingString(document, "Options", "Font", "Arial").written);
    // The open document is the truth: a change on disk is not read back.
    writeFileBytes(options, header + "<root><Options Font=\"Other\"/></root>");
    EXPECT_EQ(readSettingString(document, "Options", "Font", ""), "Arial");
    EXPECT_EQ(readSettingString(options, "Options", "Font", ""), "Other");
    ASSERT_TRUE(writeSettingInteger(document, "Options", "Size", 10).written);
    EXPECT_EQ(readSettingString(options, "Options", "Font", ""), "Arial");
    EXPECT_EQ(readSettingInteger(options, "Options", "Size", 0), 10);
}

TEST_F(SettingsStoreTest, BringsBackMovedOutSectionsBeforeWriting)
{
    XmlDocument document;
    document.openFile(options);
    ASSERT_TRUE(writeSettingString(document, "Options\\Appearance", "Font", "Arial").written);
    ASSERT_TRUE(document.moveChildOut(document.root(), 0).written);
    EXPECT_EQ(folder.entries(), (std::vector<std::string>{"0-0.xmltmp", "vexa.xml"}));
    ASSERT_TRUE(writeSettingInteger(document, "Options\\Appearance", "Size", 9).written);
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"vexa.xml"});
    EXPECT_EQ(readSettingString(options, "Options\\Appearance", "Font", ""), "Arial");
    EXPECT_EQ(readSettingInteger(options, "Options\\Appearance", "Size", 0), 9);
}

} // namespace
} // namespace xml
