// Tests of the PDF export read back without a PDF library: the cross-reference table, the
// streams, the text a reader copies out, and text in a font that may not be embedded.
#include "desktop/qt/pdf_surface.h"

#include "desktop/qt/font_answers.h"
#include "desktop/qt/qt_image_export.h"
#include "lang/interpreter.h"
#include "qt_gui_application.h"
#include "recording_host.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFontDatabase>
#include <QRawFont>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <fontconfig/fontconfig.h>
#include <libdeflate.h>

#include <filesystem>
#include <map>

namespace desktop {
namespace {

// A PDF file taken apart: its objects by number, their streams inflated.
struct ParsedPdf {
    std::map<int, std::string> objects; // the text between "N 0 obj" and its stream or end
    std::map<int, std::string> streams;
};

std::string inflate(std::string_view data)
{
    libdeflate_decompressor* decompressor = libdeflate_alloc_decompressor();
    std::string out(1 << 16, '\0');
    std::size_t size = 0;
    libdeflate_result result = LIBDEFLATE_INSUFFICIENT_SPACE;
    while (result == LIBDEFLATE_INSUFFICIENT_SPACE && out.size() < (std::size_t{1} << 28)) {
        out.resize(out.size() * 4);
        result = libdeflate_zlib_decompress(decompressor, data.data(), data.size(), out.data(),
                                            out.size(), &size);
    }
    libdeflate_free_decompressor(decompressor);
    EXPECT_EQ(result, LIBDEFLATE_SUCCESS);
    out.resize(size);
    return out;
}

// Reads every object through the cross-reference table, checking each entry lands on its
// object and each stream's length on its end.
ParsedPdf parse(const std::string& file)
{
    ParsedPdf pdf;
    const std::size_t startxref = file.rfind("startxref\n");
    EXPECT_NE(startxref, std::string::npos);
    if (startxref == std::string::npos) return pdf;
    const std::size_t xref = std::stoul(file.substr(startxref + 10));
    EXPECT_EQ(file.substr(xref, 7), "xref\n0 ");
    const std::size_t countEnd = file.find('\n', xref + 7);
    const int count = std::stoi(file.substr(xref + 7, countEnd - xref - 7));
    const std::size_t trailer = countEnd + 1 + 20 * static_cast<std::size_t>(count);
    EXPECT_EQ(file.substr(trailer, 8), "trailer\n");
    for (int object = 1; object < count; ++object) {
        const std::size_t offset =
            std::stoul(file.substr(countEnd + 1 + 20 * static_cast<std::size_t>(object), 10));
        const std::string head = std::to_string(object) + " 0 obj\n";
        EXPECT_EQ(file.substr(offset, head.size()), head) << "object " << object;
        const std::size_t body = offset + head.size();
        const std::size_t end = file.find("endobj", body);
        const std::size_t stream = file.find(">>\nstream\n", body);
        if (stream == std::string::npos || stream > end) {
            pdf.objects[object] = file.substr(body, end - body);
            continue;
        }
        pdf.objects[object] = file.substr(body, stream + 2 - body);
        static const QRegularExpression lengthEntry("/Length (\\d+)");
        const auto match = lengthEntry.match(QString::fromStdString(pdf.objects[object]));
        const std::size_t length = match.captured(1).toULongLong();
        const std::size_t data = stream + 10;
        EXPECT_EQ(file.substr(data + length, 10), "\nendstream") << "object " << object;
        pdf.streams[object] = inflate(std::string_view(file).substr(data, length));
    }
    return pdf;
}

int referenceAfter(const std::string& text, const QString& key)
{
    const QRegularExpression pattern(QRegularExpression::escape(key) + " (\\d+) 0 R");
    return pattern.match(QString::fromStdString(text)).captured(1).toInt();
}

// The text of the page as a reader copies it out: each shown glyph through the character map
// of the font it is shown in.
std::string extractText(const ParsedPdf& pdf)
{
    const int page = 3, contents = 4;
    const std::string& resources = pdf.objects.at(page);
    std::map<QString, std::map<QString, QString>> maps; // by font resource, glyph to text
    std::string text;
    QString font;
    static const QRegularExpression token("/(F\\d+) [\\d.]+ Tf|<([0-9A-F]+)>|(\\] TJ)");
    static const QRegularExpression mapEntry("<([0-9A-F]{4})> <([0-9A-F]+)>");
    auto tokens = token.globalMatch(QString::fromStdString(pdf.streams.at(contents)));
    while (tokens.hasNext()) {
        const QRegularExpressionMatch match = tokens.next();
        if (!match.captured(1).isEmpty()) {
            font = match.captured(1);
            if (maps.count(font)) continue;
            const int type0 = referenceAfter(resources, "/" + font);
            const int toUnicode = referenceAfter(pdf.objects.at(type0), "/ToUnicode");
            auto entries = mapEntry.globalMatch(QString::fromStdString(pdf.streams.at(toUnicode)));
            while (entries.hasNext()) {
                const QRegularExpressionMatch entry = entries.next();
                maps[font][entry.captured(1)] = entry.captured(2);
            }
            continue;
        }
        if (!match.captured(3).isEmpty()) {
            text += ' ';
            continue;
        }
        const QString glyphs = match.captured(2);
        for (qsizetype at = 0; at + 4 <= glyphs.size(); at += 4) {
            const QString unicode = maps[font][glyphs.mid(at, 4)];
            for (qsizetype unit = 0; unit + 4 <= unicode.size(); unit += 4)
                text += QString(QChar(unicode.mid(unit, 4).toUShort(nullptr, 16))).toStdString();
        }
    }
    return text;
}

class PdfSurfaceTest : public ::testing::Test {
protected:
    void SetUp() override { testing_support::guiApplication(); }

    std::string pdfOf(const std::vector<std::string>& commands)
    {
        lang::Session session{host};
        for (const std::string& line : commands)
            lang::executeCommand(session, line);
        EXPECT_EQ(host.takeOutput(), "");
        return render::renderFigurePdf(*session.figures.findFigure(1));
    }

    testing_support::RecordingHost host;
};

TEST_F(PdfSurfaceTest, WritesFilesWhoseObjectsAndTextReadBack)
{
    struct Case {
        const char* name;
        std::vector<std::string> commands;
        std::vector<std::string> texts; // shown, each in one piece
        std::vector<std::string> inFile;
    };
    const Case cases[] = {
        {"axis labels",
         {"FIGURE 1 300 200", "AXIS at(1) pen(1) brush(solid,0) p4(0,5,1,1) p4(-1,1,0.5,2)",
          "FUNCTION at(1,0,1) n(\"sin(x)\") p2(0,5) p1(0.01) pen(2,0xFF8000C0)"},
         {"1", "2", "3", "4", "-0.5", "0.5"},
         {"/MediaBox [0 0 225 150]", "/CIDFontType2", "/Identity-H", "/CIDToGIDMap /Identity"}},
        {"styled and accented text",
         {"FIGURE 1 400 300", "TEXT at(1) p2(10,10) n(\"Hello, world\") font(Arial,16,5)",
          "TEXT at(1) p2(10,60) n(\"na\xC3\xAFve (sic)\") font(\"Times New Roman\",12)"},
         {"Hello, world", "na\xC3\xAFve (sic)"},
         {"/MediaBox [0 0 300 225]", "/FontFile2", "/W ["}},
        {"translucent fills, a dashed pen, a hatch and a gradient",
         {"FIGURE 1 120 90", "RECTANGLE at(1) p4(10,10,50,40) brush(solid,0x800000FF)",
          "RECTANGLE at(1) p4(30,30,50,40) brush(hatch,0x800000,0xFFFFFF,5) pen(3,0xFF00FF00,1)",
          "RECTANGLE at(1) p4(90,0,30,30) brush(gradient,0xFF,0xFF0000,0)",
          "POLY at(1) p2(0,80,120,80) pen(2,0xFF000000,2)"},
         {},
         {"/ExtGState", "/Pattern << /P0", "/PatternType 1", "/XObject", "/Subtype /Image"}},
    };
    for (const Case& c : cases) {
        const std::string file = pdfOf(c.commands);
        ASSERT_EQ(file.substr(0, 8), "%PDF-1.4") << c.name;
        const ParsedPdf pdf = parse(file);
        ASSERT_TRUE(pdf.streams.count(4)) << c.name;
        for (const std::string& entry : c.inFile)
            EXPECT_NE(file.find(entry), std::string::npos) << c.name << ": " << entry;
        const std::string text = extractText(pdf);
        for (const std::string& shown : c.texts)
            EXPECT_NE(text.find(shown), std::string::npos)
                << c.name << ": " << shown << " in " << text;
    }
}

// A copy of the sans-serif face that forbids embedding, under a name of its own.
QByteArray restrictedFont(const QString& family)
{
    const QRawFont sans = QRawFont::fromFont(QFont(QStringLiteral("Liberation Sans")));
    std::vector<render::FontTable> tables;
    for (const char* tag : {"head", "hhea", "maxp", "hmtx", "loca", "glyf", "cmap", "OS/2", "post"})
        tables.push_back({tag, sans.fontTable(tag).toStdString()});
    std::string& os2 = tables[7].bytes;
    if (os2.size() < 10) return {};
    os2[8] = 0;
    os2[9] = 2; // restricted licence
    std::string name;
    const auto u16 = [&](unsigned value) {
        name += static_cast<char>(value >> 8);
        name += static_cast<char>(value & 0xFF);
    };
    const QByteArray utf16(reinterpret_cast<const char*>(family.utf16()), family.size() * 2);
    u16(0);
    u16(3);
    u16(6 + 3 * 12);
    for (const unsigned id : {1u, 4u, 6u})
        for (const unsigned field : {3u, 1u, 0x409u, id, static_cast<unsigned>(utf16.size()), 0u})
            u16(field);
    for (const QChar c : family)
        u16(c.unicode());
    tables.push_back({"name", name});
    const std::string file = render::writeFontFile(0x00010000, std::move(tables));
    return QByteArray(file.data(), static_cast<qsizetype>(file.size()));
}

TEST_F(PdfSurfaceTest, DrawsTextAsOutlinesWhenTheFontMayNotBeEmbedded)
{
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("restricted.ttf"));
    const QByteArray font = restrictedFont(QStringLiteral("Kelvo Restricted"));
    ASSERT_FALSE(font.isEmpty());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(font) == font.size());
    file.close();
    // Known to the font configuration, where the export finds its file, and to Qt.
    ASSERT_TRUE(FcConfigAppFontAddFile(
        nullptr, reinterpret_cast<const FcChar8*>(path.toUtf8().constData())));
    const int id = QFontDatabase::addApplicationFont(path);
    ASSERT_GE(id, 0);
    const std::string pdf =
        pdfOf({"FIGURE 1 200 100", "TEXT at(1) p2(10,10) n(Secret) font(\"Kelvo Restricted\",14)",
               "TEXT at(1) p2(10,50) n(Open) font(Arial,14)"});
    QFontDatabase::removeApplicationFont(id);
    const ParsedPdf parsed = parse(pdf);
    ASSERT_TRUE(parsed.streams.count(4));
    EXPECT_EQ(pdf.find("Restricted"), std::string::npos) << "the font is not embedded";
    EXPECT_EQ(extractText(parsed), "Open ");
    const std::string& content = parsed.streams.at(4);
    EXPECT_GT(std::count(content.begin(), content.end(), 'c'), 20) << "curves of the glyphs";
}

TEST_F(PdfSurfaceTest, RemembersHowTextIsLaidOutAndWritesTheSameFileFromTheAnswers)
{
    const QTemporaryDir folder;
    const std::filesystem::path answersFile =
        folder.filePath(QStringLiteral("answers")).toStdString();
    const std::vector<std::string> commands = {
        "FIGURE 1 300 120", "TEXT at(1) p2(10,10) n(\"Wrapped words of a label\") font(Arial,12,4)",
        "AXIS at(1) pen(1) brush(solid,0) p4(0,5,1,1) p4(-1,1,0.5,2) font(\"Times New Roman\",9)"};
    std::string files[2];
    for (std::string& file : files) {
        FontAnswers answers(answersFile);
        lang::Session session{host};
        for (const std::string& line : commands)
            lang::executeCommand(session, line);
        file = render::renderFigurePdf(*session.figures.findFigure(1), &answers);
        EXPECT_EQ(answers.addedCount() == 0, &file == &files[1]) << "answers found the second time";
        answers.save();
    }
    EXPECT_EQ(files[0], files[1]);
    EXPECT_EQ(files[0], pdfOf(commands)) << "as without remembered answers";
    EXPECT_NE(extractText(parse(files[1])).find("Wrapped"), std::string::npos);
}

} // namespace
} // namespace desktop
