// Saving, copying, printing and movie export from the desktop, on the offscreen platform.
#include "desktop/exports/figure_exports.h"

#include "desktop/exports/figure_printing.h"
#include "desktop/exports/movie_saving.h"
#include "lang/interpreter.h"
#include "qt_application.h"
#include "recording_host.h"
#include "swf/read/reader.h"
#include "temporary_folder.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDialog>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QPrinter>
#include <QRadioButton>
#include <QTimer>

#include <fstream>

namespace desktop {
namespace {

class FigureExportsTest : public ::testing::Test {
protected:
    void SetUp() override { testing_support::qtApplication(); }

    // A white 120 x 80 figure with a red rectangle.
    model::Figure& figure()
    {
        for (const char* line :
             {"FIGURE 1 120 80", "RECTANGLE at(1) p4(20,20,40,30) brush(solid,0xFF)"})
            lang::executeCommand(session, line);
        return *session.figures.findFigure(1);
    }

    std::string contents(const std::string& path)
    {
        std::ifstream file(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), {}};
    }

    testing_support::RecordingHost host;
    lang::Session session{host};
    testing_support::TemporaryFolder folder;
};

TEST_F(FigureExportsTest, WritesTheFormatTheExtensionNamesAndRefusesOthers)
{
    struct Case {
        std::string name;
        std::string expectedStart; // of the file, or of the message when nothing is written
    };
    const std::vector<Case> cases = {
        {"plot.PNG", "\x89PNG"},
        {"plot.jpg", "\xFF\xD8"},
        {"plot.bmp", "BM"},
        {"plot.gif", "GIF8"},
        {"plot.svg", "<?xml"},
        {"plot.pdf", "%PDF"},
        {"plot.webp", "RIFF"},
        {"plot.tif",
         ".tif is not a picture format; use .png, .jpg, .bmp, .gif, .webp, .svg or .pdf"},
        {"plot", "the name has no extension, so nothing was saved; end it in .png, .jpg, .bmp, "
                 ".gif, .webp, .svg or .pdf"},
        {"plot.emf", "enhanced metafiles are not written on this platform"},
    };
    model::Figure& shown = figure();
    for (const Case& test : cases) {
        const std::string path = folder.file(test.name);
        std::ofstream(path) << "old";
        const io::WriteResult result = writeImageFile(shown, path, Background::AsDrawn);
        const bool refused = test.expectedStart.front() == '.' ||
                             test.expectedStart.front() == 't' || test.expectedStart.front() == 'e';
        EXPECT_EQ(result.written, !refused) << test.name;
        if (refused) {
            EXPECT_NE(result.message.find(test.expectedStart), std::string::npos) << result.message;
            EXPECT_EQ(contents(path), "old") << test.name << " keeps what was there";
        } else {
            EXPECT_EQ(contents(path).rfind(test.expectedStart, 0), 0u) << test.name;
        }
    }
}

TEST_F(FigureExportsTest, TransparentBackgroundKeepsObjectsOpaque)
{
    model::Figure& shown = figure();
    const std::string path = folder.file("clear.png");
    ASSERT_TRUE(writeImageFile(shown, path, Background::Transparent).written);
    const QImage picture(QString::fromStdString(path));
    EXPECT_EQ(picture.pixel(5, 5), 0x01FFFFFFu);   // background: white at alpha 1
    EXPECT_EQ(picture.pixel(40, 35), 0xFFFF0000u); // inside the rectangle (brush 0xFF is red)
}

TEST_F(FigureExportsTest, EveryCopyOffersPictureSvgAndCommandText)
{
    model::Figure& shown = figure();
    using Copy = void (*)(QWidget*, lang::Session&, model::Figure&);
    const std::vector<std::pair<Copy, std::string>> copies = {
        {copyBitmap, "notify Bitmap copied to clipboard"},
        {copyMetafile, "notify Metafile copied to clipboard"},
        {copyText, "notify Text copied to clipboard"},
    };
    for (const auto& [copy, notice] : copies) {
        QApplication::clipboard()->clear();
        host.events.clear();
        copy(nullptr, session, shown);
        EXPECT_EQ(host.events, std::vector<std::string>{notice});
        const QMimeData* data = QApplication::clipboard()->mimeData();
        ASSERT_NE(data, nullptr);
        EXPECT_TRUE(data->hasFormat("image/png")) << notice;
        EXPECT_TRUE(data->data("image/svg+xml").startsWith("<?xml")) << notice;
        const QString text = data->text();
        EXPECT_TRUE(text.startsWith("<?xml")) << notice;
        EXPECT_TRUE(text.contains("\r\n\t<plot>\r\nFIGURE 0 120 80 ")) << notice;
        EXPECT_TRUE(text.contains("RECTANGLE at(0,,,) p4(20,20,40,30)")) << notice;
        const QImage image = qvariant_cast<QImage>(data->imageData());
        EXPECT_EQ(image.size(), QSize(120, 80)) << notice;
    }
}

// Answers the next dialog that opens with `answer`.
void answerNextDialog(std::function<void(QDialog&)> answer)
{
    QTimer::singleShot(0, [answer] {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<QDialog*>(widget); dialog && dialog->isVisible())
                return answer(*dialog);
    });
}

TEST_F(FigureExportsTest, PrintOptionsDialogOffersPaperOrOneToOneAndRawBitmap)
{
    answerNextDialog([](QDialog& dialog) { dialog.accept(); });
    EXPECT_EQ(askPrintOptions(nullptr, "992x1403", "120x80"), figure::PrintOptions{});

    answerNextDialog([](QDialog& dialog) {
        for (QRadioButton* button : dialog.findChildren<QRadioButton*>())
            if (button->text() == "Print 1:1 ") button->setChecked(true);
        dialog.findChild<QCheckBox*>()->setChecked(true);
        dialog.accept();
    });
    EXPECT_EQ(askPrintOptions(nullptr, "992x1403", "120x80"),
              (figure::PrintOptions{figure::PrintArea::OneToOne, figure::PrintData::RawBitmap}));

    answerNextDialog([](QDialog& dialog) { dialog.reject(); });
    EXPECT_EQ(askPrintOptions(nullptr, "992x1403", "120x80"), std::nullopt);
}

TEST_F(FigureExportsTest, PrintsToAPdfFileOnAPageOfThePrintersPaper)
{
    model::Figure& shown = figure();
    for (const figure::PrintOptions& options :
         {figure::PrintOptions{},
          figure::PrintOptions{figure::PrintArea::OneToOne, figure::PrintData::RawBitmap}}) {
        QPrinter printer(QPrinter::HighResolution);
        const std::string path = folder.file("printed.pdf");
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(path));
        printer.setPageSize(QPageSize(QPageSize::A4));
        std::string error;
        ASSERT_TRUE(printFigureOn(printer, session, shown, options, error)) << error;
        EXPECT_EQ(printer.docName(), "Kelvo Plot Figure");
        EXPECT_EQ(contents(path).rfind("%PDF", 0), 0u);
        // A4, 8.27 x 11.69 inches, in 1/120 inch (whole printer pixels, so to within one).
        const std::optional<figure::PaperSize> paper = printerPaperSize(printer);
        ASSERT_TRUE(paper);
        EXPECT_NEAR(paper->width, 992, 1);
        EXPECT_NEAR(paper->height, 1403, 1);
    }
}

// Runs the export and waits for its end.
swf::SwfExportResult exportOnWorker(lang::Session& session, model::Figure& figure,
                                    const std::string& path, bool cancel)
{
    swf::SwfExportJob job =
        swf::prepareSwfExport(figure, path, 25, [](const std::string&) { return false; });
    job.progress->cancelled = cancel; // as Cancel pressed before the worker is through
    auto* task = new MovieExportTask(session, figure.id, std::move(job), nullptr);
    swf::SwfExportResult result;
    QEventLoop loop;
    QObject::connect(task, &MovieExportTask::done, [&](MovieExportTask* finished) {
        result = finished->result();
        loop.quit();
    });
    task->start();
    loop.exec();
    return result;
}

TEST_F(FigureExportsTest, MovieIsWrittenOnAWorkerAndACancelledOneLeavesTheFileAlone)
{
    model::Figure& shown = figure();
    const std::string path = folder.file("movie.swf");
    std::ofstream(path) << "old";
    EXPECT_FALSE(exportOnWorker(session, shown, path, true).written);
    EXPECT_EQ(contents(path), "old");

    host.events.clear();
    EXPECT_TRUE(exportOnWorker(session, shown, path, false).written);
    EXPECT_TRUE(swf::readMovieFile(path).ok());
    EXPECT_EQ(host.events.back(), "notify SWF Saved!");
}

} // namespace
} // namespace desktop
