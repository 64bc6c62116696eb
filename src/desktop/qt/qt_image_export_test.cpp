// Tests of image, GIF, SVG and PDF export, of pictures shown by IMAGE objects, and of the
// program's --export option.
#include "desktop/qt/qt_image_export.h"

#include "lang/interpreter.h"
#include "figure_files_test_base.h"
#include "desktop/qt/qt_gif_writer.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTemporaryDir>

namespace render {
namespace {

constexpr QRgb white = 0xFFFFFFFF, red = 0xFFFF0000, blue = 0xFF0000FF;

class ImageExportTest : public testing_support::FigureFilesTest {
protected:
    QImage read(const std::string& file) const
    {
        return QImageReader(QString::fromStdString(file)).read();
    }
};

const std::vector<std::string> redAndBlue = {
    "FIGURE 1 40 30", "RECTANGLE at(1) p4(0,0,20,30) brush(solid,0xFF)",
    "RECTANGLE at(1) p4(20,0,20,15) brush(solid,0xFF0000)"};

TEST_F(ImageExportTest, WritesRasterFormatsAtTheClientSize)
{
    model::Figure& shown = figure(redAndBlue);
    const std::pair<std::string, io::ExportFormat> cases[] = {
        {"plot.png", io::ExportFormat::Png},
        {"plot.bmp", io::ExportFormat::Bmp},
        {"plot.gif", io::ExportFormat::Gif},
        {"plot.jpg", io::ExportFormat::Jpeg},
    };
    for (const auto& [name, format] : cases) {
        ASSERT_EQ(exportFigureImage(shown, path(name), format), (io::WriteResult{true, ""}));
        const QImage image = read(path(name));
        ASSERT_EQ(image.size(), QSize(40, 30)) << name;
        const int tolerance = format == io::ExportFormat::Jpeg ? 24 : 0;
        const auto near = [&](QRgb a, QRgb b) {
            return std::abs(qRed(a) - qRed(b)) <= tolerance &&
                   std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
                   std::abs(qBlue(a) - qBlue(b)) <= tolerance;
        };
        EXPECT_TRUE(near(image.pixel(5, 15), red)) << name;
        EXPECT_TRUE(near(image.pixel(35, 5), blue)) << name;
        EXPECT_TRUE(near(image.pixel(35, 25), white)) << name;
    }
}

TEST_F(ImageExportTest, ReducesManyColoursToAGifPalette)
{
    const QImage image = renderFigureImage(figure(
        {"FIGURE 1 200 50", "RECTANGLE at(1) p4(0,0,200,50) brush(gradient,0xFF,0xFF0000,0)"}));
    std::string error;
    const std::optional<QByteArray> bytes = encodeGif(image, error);
    ASSERT_TRUE(bytes) << error;
    EXPECT_TRUE(bytes->startsWith("GIF8"));
    QImage decoded;
    ASSERT_TRUE(decoded.loadFromData(*bytes, "gif"));
    for (const int x : {2, 60, 100, 140, 197}) {
        const QRgb original = image.pixel(x, 25), reduced = decoded.pixel(x, 25);
        EXPECT_NEAR(qRed(reduced), qRed(original), 12) << x;
        EXPECT_NEAR(qBlue(reduced), qBlue(original), 12) << x;
    }
}

TEST_F(ImageExportTest, WritesPngsThatDecodeToTheSamePixels)
{
    QImage opaqueMany(30, 20, QImage::Format_RGB32);
    for (int x = 0; x < 30; ++x)
        for (int y = 0; y < 20; ++y)
            opaqueMany.setPixel(x, y, qRgb(x * 8, y * 12, 7));
    QImage translucent(30, 20, QImage::Format_ARGB32);
    translucent.fill(Qt::transparent);
    translucent.setPixel(3, 4, 0x80FF0000);
    QImage translucentMany = translucent.copy();
    for (int x = 0; x < 30; ++x)
        for (int y = 0; y < 20; ++y)
            translucentMany.setPixel(x, y, qRgba(x * 8, y * 12, 7, 100 + x + y));
    QImage sixteen(17, 3, QImage::Format_RGB32);
    for (int x = 0; x < 17; ++x)
        for (int y = 0; y < 3; ++y)
            sixteen.setPixel(x, y, qRgb(x % 16 * 16, 0, 0));
    constexpr char rgb = 2, palette = 3, rgba = 6;
    const struct {
        const char* name;
        QImage image;
        char colourType;
    } cases[] = {
        {"many opaque colours", opaqueMany, rgb},
        {"three colours", renderFigureImage(figure(redAndBlue)), palette},
        {"sixteen colours, an odd width", sixteen, palette},
        {"translucent, two colours", translucent, palette},
        {"translucent, many colours", translucentMany, rgba},
        {"translucent, premultiplied",
         translucentMany.convertToFormat(QImage::Format_ARGB32_Premultiplied), rgba},
        {"one pixel", opaqueMany.copy(0, 0, 1, 1), palette},
    };
    for (const auto& [name, image, colourType] : cases) {
        const QByteArray bytes = encodePngImage(image);
        ASSERT_GT(bytes.size(), 26) << name;
        EXPECT_EQ(bytes[25], colourType) << name;
        QImage decoded;
        ASSERT_TRUE(decoded.loadFromData(bytes, "png")) << name;
        EXPECT_EQ(decoded.convertToFormat(QImage::Format_ARGB32),
                  image.convertToFormat(QImage::Format_ARGB32))
            << name;
    }
}

TEST_F(ImageExportTest, WritesSvgNumbersToAHundredthThatDrawLikeThePicture)
{
    model::Figure& shown = figure({
        "FIGURE 1 200 120",
        "AXIS at(1) pen(1) brush(solid,0) p4(-0.1,9,1,1) p4(-1.2,1.2,0.5,2)",
        "FUNCTION at(1,0,1) n(\"sin(x)\") p2(-0.1,9) p1(0.0137) pen(3,0xFF8000C0)",
        "ELLIPSE at(1) p4(10.333,20.777,50.5,30.25) pen(2,0xFF0000,1)",
        "TEXT at(1) p2(120,70) n(\"Two words\") font(Times New Roman,12,1)",
    });
    const std::string svg = renderFigureSvg(shown);
    const QString text = QString::fromStdString(svg);
    EXPECT_FALSE(text.contains(QRegularExpression("\\d\\.\\d{3}[ ,\"]"))) << svg.substr(0, 2000);
    EXPECT_TRUE(text.contains(">Two words</text>"));

    QSvgRenderer renderer(QByteArray(svg.data(), static_cast<qsizetype>(svg.size())));
    ASSERT_TRUE(renderer.isValid());
    QImage drawn(200, 120, QImage::Format_ARGB32_Premultiplied);
    drawn.fill(Qt::white);
    QPainter painter(&drawn);
    renderer.render(&painter);
    painter.end();
    const QImage picture = renderFigureImage(shown);
    qint64 difference = 0;
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 200; ++x) {
            const QRgb a = drawn.pixel(x, y), b = picture.pixel(x, y);
            difference += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                          std::abs(qBlue(a) - qBlue(b));
        }
    // Edges are smoothed differently; a misplaced line or text would cost far more.
    EXPECT_LT(static_cast<double>(difference) / (200 * 120 * 3), 6.0);
}

TEST_F(ImageExportTest, WritesSvgThatDrawsTheSamePicture)
{
    // Hatches and gradients, which SVG cannot keep as brushes, become pictures in it.
    std::vector<std::string> commands = redAndBlue;
    commands.push_back("RECTANGLE at(1) p4(20,16,20,14) brush(hatch,0xFF0000,0xFFFFFF,0)");
    commands.push_back("LAYER 1 0 0 10 30");
    commands.push_back("RECTANGLE at(1,1) p4(0,0,20,2) brush(gradient,0xFF,0xFF0000,0)");
    model::Figure& shown = figure(commands);
    ASSERT_TRUE(exportFigureImage(shown, path("plot.svg"), io::ExportFormat::Svg).written);
    QSvgRenderer renderer(QString::fromStdString(path("plot.svg")));
    ASSERT_TRUE(renderer.isValid());
    EXPECT_EQ(renderer.viewBox(), QRect(0, 0, 40, 30));
    QImage image(40, 30, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    EXPECT_EQ(image.pixel(5, 15), red);
    EXPECT_EQ(image.pixel(35, 5), blue);
    EXPECT_EQ(image.pixel(35, 24), blue);  // the hatch's line on row 24
    EXPECT_EQ(image.pixel(35, 25), white); // and its background
    // The gradient repeats beyond its 10-pixel layer: blue at its end, red again after it.
    EXPECT_GT(qBlue(image.pixel(9, 0)), 200);
    EXPECT_GT(qRed(image.pixel(11, 0)), 200);
}

TEST_F(ImageExportTest, WritesAPdfPageTheSizeOfTheFigure)
{
    model::Figure& shown = figure({"FIGURE 1 400 300", "TEXT at(1) p2(10,10) n(Hello)"});
    ASSERT_TRUE(exportFigureImage(shown, path("plot.pdf"), io::ExportFormat::Pdf).written);
    QFile file(QString::fromStdString(path("plot.pdf")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF-"));
    // 400 x 300 pixels at 96 dpi are 300 x 225 points.
    const QRegularExpression mediaBox(R"(/MediaBox \[0 0 300(\.0*)? 225(\.0*)?\])");
    EXPECT_TRUE(mediaBox.match(QString::fromLatin1(bytes)).hasMatch());
    EXPECT_TRUE(bytes.contains("LiberationSans"));
}

TEST_F(ImageExportTest, SavesImagesByTheEncoderOfTheExtension)
{
    model::Figure& shown = figure(redAndBlue);
    EXPECT_TRUE(saveFigureImage(shown, path("plot.PNG")).written);
    EXPECT_EQ(QImageReader(QString::fromStdString(path("plot.PNG"))).format(), "png");
    EXPECT_FALSE(saveFigureImage(shown, path("plot.tif")).written);
    EXPECT_FALSE(saveFigureImage(shown, path("plot")).written);
    const io::WriteResult emf = saveFigureImage(shown, path("plot.emf"));
    EXPECT_FALSE(emf.written);
    EXPECT_NE(emf.message.find(".svg"), std::string::npos);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path("plot.tif"))));
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path("plot.emf"))));
}

TEST_F(ImageExportTest, AFailedWriteNamesTheFileAndKeepsWhatWasThere)
{
    model::Figure& shown = figure(redAndBlue);
    const io::WriteResult result =
        exportFigureImage(shown, path("missing/plot.png"), io::ExportFormat::Png);
    EXPECT_FALSE(result.written);
    EXPECT_EQ(result.message.rfind(path("missing/plot.png"), 0), 0u) << result.message;

    // A directory where the file should go cannot be replaced.
    QDir(directory.path()).mkdir("taken.png");
    EXPECT_FALSE(exportFigureImage(shown, path("taken.png"), io::ExportFormat::Png).written);
    EXPECT_TRUE(QFileInfo(QString::fromStdString(path("taken.png"))).isDir());
}

TEST_F(ImageExportTest, ImageObjectsReadEveryPictureFormat)
{
    QImage picture(8, 6, QImage::Format_RGB32);
    picture.fill(QColor(0, 0, 255));
    ASSERT_TRUE(picture.save(QString::fromStdString(path("in.png"))));
    ASSERT_TRUE(picture.save(QString::fromStdString(path("in.bmp"))));
    ASSERT_TRUE(picture.save(QString::fromStdString(path("in.jpg"))));
    std::string error;
    const std::optional<QByteArray> gif = encodeGif(picture, error);
    ASSERT_TRUE(gif);
    QFile gifFile(QString::fromStdString(path("in.gif")));
    ASSERT_TRUE(gifFile.open(QIODevice::WriteOnly));
    gifFile.write(*gif);
    gifFile.close();

    for (const std::string name : {"in.png", "in.bmp", "in.jpg", "in.gif"}) {
        testing_support::RecordingHost caseHost;
        lang::Session caseSession(caseHost);
        const std::string file = path(name);
        for (const std::string& line :
             {std::string("FIGURE 1 40 40"), "IMAGE at(1) n(\"" + file + "\") p2(2,3)",
              "IMAGE at(1) n(\"" + file + "\") p4(20,20,16,12)",
              "IMAGE at(1) n(\"" + file + ".missing\") p2(30,2)"})
            lang::executeCommand(caseSession, line);
        const QImage image = renderFigureImage(*caseSession.figures.findFigure(1));
        const auto isBlue = [&](int x, int y) {
            const QRgb c = image.pixel(x, y);
            return qBlue(c) > 230 && qRed(c) < 25 && qGreen(c) < 25;
        };
        EXPECT_TRUE(isBlue(2, 3) && isBlue(9, 8)) << name << ": natural size at (2,3)";
        EXPECT_EQ(image.pixel(10, 3), white) << name;
        EXPECT_TRUE(isBlue(21, 21) && isBlue(34, 30)) << name << ": stretched to 16 x 12";
        EXPECT_EQ(image.pixel(37, 25), white) << name;
        EXPECT_EQ(image.pixel(31, 3), white) << name << ": a missing file draws nothing";
    }
}

TEST_F(ImageExportTest, TheExportOptionWritesKnownFormatsAndRefusesOthers)
{
    const QString script = QString::fromStdString(path("figure.kp"));
    QFile file(script);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("FIGURE 1 64 48\nELLIPSE at(1) p4(8,8,48,32) brush(solid,0xFF)\n");
    file.close();
    for (const std::string name :
         {"out.png", "out.jpeg", "out.bmp", "out.gif", "out.svg", "out.pdf", "out.tif"}) {
        QProcess program;
        program.start(KELVOPLOT_BINARY, {"--export", QString::fromStdString(path(name)), script});
        ASSERT_TRUE(program.waitForFinished(60000));
        const bool known = name != "out.tif";
        EXPECT_EQ(program.exitCode(), known ? 0 : 1) << name;
        EXPECT_EQ(QFile::exists(QString::fromStdString(path(name))), known) << name;
        if (!known) {
            EXPECT_TRUE(program.readAllStandardError().contains("unknown format")) << name;
        }
    }
    EXPECT_EQ(read(path("out.png")).size(), QSize(64, 48));
    EXPECT_EQ(read(path("out.gif")).pixel(32, 24), red);
}

} // namespace
} // namespace render
