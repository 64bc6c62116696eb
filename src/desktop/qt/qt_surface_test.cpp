// Pixel tests of the QPainter surface through the draw pass, for what only pixels show: colour
// readings, alpha, backgrounds, filled and outlined shapes, gradients, hatches, dashes, text.
// Samples are taken inside shapes, never on anti-aliased edges.
#include "desktop/qt/qt_surface.h"

#include "lang/interpreter.h"
#include "qt_gui_application.h"
#include "recording_host.h"
#include "render/draw_pass.h"
#include "desktop/qt/qt_image_export.h"
#include "render/recording_surface.h"

#include <gtest/gtest.h>

#include <QPainter>

#include <cstdlib>
#include <set>

namespace render {
namespace {

using Lines = std::vector<std::string>;

QImage drawFigure(const Lines& commands)
{
    testing_support::guiApplication();
    testing_support::RecordingHost host;
    lang::Session session(host);
    for (const std::string& line : commands)
        lang::executeCommand(session, line);
    EXPECT_EQ(host.takeOutput(), "") << commands.back();
    return renderFigureImage(*session.figures.findFigure(1));
}

// Whether two colours are the same within `tolerance` in every channel.
bool near(QRgb actual, QRgb expected, int tolerance)
{
    return std::abs(qRed(actual) - qRed(expected)) <= tolerance &&
           std::abs(qGreen(actual) - qGreen(expected)) <= tolerance &&
           std::abs(qBlue(actual) - qBlue(expected)) <= tolerance &&
           std::abs(qAlpha(actual) - qAlpha(expected)) <= tolerance;
}

std::string hex(QRgb colour)
{
    return QString::number(colour, 16).toStdString();
}

struct PixelCase {
    Lines commands;
    std::vector<std::pair<QPoint, QRgb>> samples; // where, and the colour expected there
    int tolerance = 0;
};

void expectPixels(const std::vector<PixelCase>& cases)
{
    for (const PixelCase& c : cases) {
        const QImage image = drawFigure(c.commands);
        for (const auto& [where, expected] : c.samples)
            EXPECT_TRUE(near(image.pixel(where), expected, c.tolerance))
                << c.commands.back() << " at " << where.x() << "," << where.y() << ": "
                << hex(image.pixel(where)) << " instead of " << hex(expected);
    }
}

constexpr QRgb white = 0xFFFFFFFF, black = 0xFF000000, red = 0xFFFF0000, blue = 0xFF0000FF,
               green = 0xFF00FF00;
const std::string figure = "FIGURE 1 100 100";

TEST(QtSurface, ReadsPenAndBrushColoursInTheirOwnOrder)
{
    expectPixels({
        {{figure, "RECTANGLE at(1) p4(10,10,30,30) brush(solid,0xFF0000)"},
         {{{25, 25}, blue}, {{5, 5}, white}}},
        {{figure, "RECTANGLE at(1) p4(10,10,30,30) brush(solid,0x0000FF)"}, {{{25, 25}, red}}},
        {{figure, "RECTANGLE at(1) p4(10,10,30,30) pen(4,0xFF0000)"},
         {{{9, 25}, red}, {{25, 25}, white}}},
        {{figure, "RECTANGLE at(1) p4(10,10,30,30) pen(4,0)"}, {{{9, 25}, black}}},
        {{figure, "RECTANGLE at(1) p4(10,10,30,30) brush(solid,0xFF0000FF)"}, {{{25, 25}, white}}},
    });
}

TEST(QtSurface, BlendsColoursWithTheirAlpha)
{
    expectPixels({
        // Brush alpha 255 - 0x80 = 127: black at half strength over white.
        {{figure, "RECTANGLE at(1) p4(10,10,30,30) brush(solid,0x80000000)"},
         {{{25, 25}, 0xFF808080}},
         2},
        {{figure, "RECTANGLE at(1) p4(10,10,30,30) pen(4,0x80FF0000)"}, {{{9, 25}, 0xFFFF7F7F}}, 2},
        // A translucent red background over the platform fill, which reads 0xFF0000 as blue.
        {{"FIGURE 1 100 100 0x80FF0000"}, {{{50, 50}, 0xFF80007F}}, 2},
        {{"FIGURE 1 100 100 0x00FF00"}, {{{50, 50}, green}}},
    });
}

TEST(QtSurface, FillsWithABrushAndOutlinesWithout)
{
    expectPixels({
        {{figure, "ELLIPSE at(1) p4(10,10,80,80)"}, {{{50, 50}, white}, {{10, 50}, black}}, 60},
        {{figure, "ELLIPSE at(1) p4(10,10,80,80) brush(solid,0xFF00)"},
         {{{50, 50}, green}, {{12, 50}, green}}},
        {{figure, "POLY at(1) p2(10,10,90,10,90,90)"}, {{{80, 20}, white}, {{50, 10}, black}}},
        {{figure, "POLY at(1) p2(10,10,90,10,90,90) brush(solid,0xFF)"},
         {{{80, 20}, red}, {{20, 80}, white}}},
        {{figure, "PIE at(1) p4(10,10,80,80) p2(0,90) brush(solid,0xFF)"},
         {{{60, 60}, red}, {{40, 60}, white}, {{60, 40}, white}}},
        {{figure, "CCURVE at(1) p2(10,10,90,10,90,90,10,90) brush(solid,0xFF)"},
         {{{12, 12}, red}, {{50, 5}, white}}},
        // The alternate rule leaves the middle of a five-pointed star empty.
        {{figure, "POLY at(1) p2(50,5,76.45,86.41,7.2,36.09,92.8,36.09,23.55,86.41) "
                  "brush(solid,0xFF)"},
         {{{50, 15}, red}, {{50, 50}, white}}},
    });
}

TEST(QtSurface, PaintsBrushStrokedLinesWithTheBrush)
{
    expectPixels({
        {{figure, "ARC at(1) p4(10,10,60,60) p2(0,360) pen(6) brush(solid,0xFF)"},
         {{{70, 40}, red}, {{40, 40}, white}}},
        {{figure, "ARC at(1) p4(10,10,60,60) p2(0,360) pen(6,0xFF00)"}, {{{70, 40}, green}}},
        {{figure, "BEZIER at(1) p2(0,50,30,50,70,50,100,50) pen(6) brush(solid,0xFF0000)"},
         {{{50, 50}, blue}}},
    });
}

TEST(QtSurface, MeasuresArcAnglesAsRaysOnAnEllipse)
{
    // The wedge from 0 to 45 degrees on a wide ellipse ends on the 45 degree ray: a point on the
    // 40 degree ray is inside, one on the 50 degree ray is not.
    expectPixels({{{figure, "PIE at(1) p4(0,25,100,50) p2(0,45) brush(solid,0xFF)"},
                   {{{50 + 15, 50 + 13}, red}, {{50 + 12, 50 + 15}, white}}}});
}

TEST(QtSurface, DrawsGradientsAlongTheirAngleAndTilesThem)
{
    const std::string layer = "LAYER 1 0 0 50 100";
    expectPixels({
        {{figure, "RECTANGLE at(1) p4(0,0,100,100) brush(gradient,0xFF,0xFF0000,0)"},
         {{{1, 50}, red}, {{98, 50}, blue}, {{50, 1}, 0xFF800080}, {{50, 98}, 0xFF800080}},
         8},
        {{figure, "RECTANGLE at(1) p4(0,0,100,100) brush(gradient,0xFF,0xFF0000,90)"},
         {{{50, 1}, red}, {{50, 98}, blue}, {{1, 50}, 0xFF800080}},
         8},
        // The gradient spans the layer (0..50) and repeats beyond it, without mirroring.
        {{figure, layer, "RECTANGLE at(1,1) p4(0,0,100,100) brush(gradient,0xFF,0xFF0000,0)"},
         {{{48, 50}, blue}, {{52, 50}, red}, {{98, 50}, blue}},
         16},
        // The matrix form: half as wide, so it repeats at 50.
        {{figure, "RECTANGLE at(1) p4(0,0,100,100) "
                  "brush(gradient,0xFF,0xFF0000,0.5,0,0,1,0,0)"},
         {{{1, 50}, red}, {{48, 50}, blue}, {{52, 50}, red}},
         16},
    });
}

TEST(QtSurface, HatchesWithEightByEightPatterns)
{
    expectPixels({
        {{figure, "RECTANGLE at(1) p4(0,0,100,100) brush(hatch,0xFF,0xFFFFFF,0)"},
         {{{5, 8}, red}, {{5, 9}, white}, {{5, 16}, red}}},
        {{figure, "RECTANGLE at(1) p4(0,0,100,100) brush(hatch,0xFF,0xFF0000,1)"},
         {{{8, 5}, red}, {{9, 5}, blue}}},
        {{figure, "RECTANGLE at(1) p4(0,0,100,100) brush(hatch,0xFF,0xFF0000,12)"},
         {{{8, 8}, red}, {{9, 8}, blue}, {{9, 9}, red}}},
    });
}

TEST(QtSurface, DrawsDashesAndTheThinnestLine)
{
    expectPixels({
        // Dots of one pen width, four pixels on and four off.
        {{figure, "POLY at(1) p2(0,20,100,20) pen(4,0,2)"},
         {{{2, 20}, black}, {{6, 20}, white}, {{10, 20}, black}}},
        // Dashes of three widths and gaps of one.
        {{figure, "POLY at(1) p2(0,20,100,20) pen(4,0,1)"},
         {{{2, 20}, black}, {{10, 20}, black}, {{14, 20}, white}}},
        // A dash style outside 0 to 4 draws solid.
        {{figure, "POLY at(1) p2(0,20,100,20) pen(4,0,9)"}, {{{14, 20}, black}}},
        // A thin line on whole coordinates covers whole pixels.
        {{figure, "POLY at(1) p2(0,20,100,20) pen(0)"},
         {{{50, 20}, black}, {{50, 19}, white}, {{50, 21}, white}}},
        {{figure, "POLY at(1) p2(0,20,100,20) pen(1)"},
         {{{50, 20}, black}, {{50, 19}, white}, {{50, 21}, white}}},
    });
}

TEST(QtSurface, SmoothsOnlyAtHighQuality)
{
    const Lines lines = {figure, "POLY at(1) p2(0,0,100,37) pen(1)"};
    const QImage smooth = drawFigure(lines);
    std::set<QRgb> smoothColours;
    for (int x = 0; x < 100; ++x)
        for (int y = 0; y < 100; ++y)
            smoothColours.insert(smooth.pixel(x, y));
    EXPECT_GT(smoothColours.size(), 3u);

    testing_support::guiApplication();
    testing_support::RecordingHost host;
    lang::Session session(host);
    for (const std::string& line : lines)
        lang::executeCommand(session, line);
    session.figures.findFigure(1)->quality = 0;
    const QImage sharp = renderFigureImage(*session.figures.findFigure(1));
    std::set<QRgb> sharpColours;
    for (int x = 0; x < 100; ++x)
        for (int y = 0; y < 100; ++y)
            sharpColours.insert(sharp.pixel(x, y));
    EXPECT_EQ(sharpColours, (std::set<QRgb>{white, black}));
}

TEST(QtSurface, AppliesWorldTransformsAndRestoresThemAfterContainers)
{
    expectPixels({
        {{figure, "RECTANGLE at(1) p4(5,5,10,10) brush(solid,0xFF) transform(2,0,0,2,0,0)",
          "RECTANGLE at(1) p4(60,60,10,10) brush(solid,0xFF0000)"},
         {{{25, 25}, red}, {{65, 65}, blue}, {{125 / 2, 50}, white}}},
    });
}

TEST(QtSurface, DrawsTextInTheBrushOrThePenColour)
{
    const auto countNear = [](const QImage& image, QRgb colour) {
        int count = 0;
        for (int x = 0; x < image.width(); ++x)
            for (int y = 0; y < image.height(); ++y)
                count += near(image.pixel(x, y), colour, 40) ? 1 : 0;
        return count;
    };
    const QImage brushed =
        drawFigure({figure, "TEXT at(1) p2(5,5) n(MMMM) font(Arial,20) brush(solid,0xFF)"});
    EXPECT_GT(countNear(brushed, red), 20);
    EXPECT_EQ(countNear(brushed, blue), 0);
    const QImage penned = drawFigure({figure, "TEXT at(1) p2(5,5) n(MMMM) pen(1,0x0000FF)"});
    EXPECT_GT(countNear(penned, blue), 10);
    EXPECT_EQ(brushed.pixel(95, 95), white);
}

TEST(QtSurface, MeasuresTextWithTheResolvedFont)
{
    testing_support::guiApplication();
    QImage image(10, 10, QImage::Format_ARGB32_Premultiplied);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    QPainter painter(&image);
    QtSurface surface(painter);
    const RectF box{0, 0, 1000, 1000};
    const RectF small = surface.measureString("Hello", {"Arial", 10, 0, 2}, box, {});
    const RectF large = surface.measureString("Hello", {"Arial", 20, 0, 2}, box, {});
    EXPECT_GT(small.width, 15);
    EXPECT_NEAR(large.width, 2 * small.width, 3);
    EXPECT_GT(large.height, small.height);
    // Bold is wider; two lines are higher; an empty text has no size.
    EXPECT_GT(surface.measureString("Hello", {"Arial", 10, fontBold, 2}, box, {}).width,
              small.width);
    EXPECT_GT(surface.measureString("A\nB", {"Arial", 10, 0, 2}, box, {}).height,
              1.5f * small.height);
    EXPECT_EQ(surface.measureString("", {"Arial", 10, 0, 2}, box, {}), (RectF{0, 0, 0, 0}));
    EXPECT_NEAR(surface.fontLineHeight({"Arial", 12, 0, 3}),
                surface.fontLineHeight({"Arial", 16, 0, 2}), 0.01);
}

TEST(QtSurface, LeavesAStatusForPrimitivesItCannotDraw)
{
    testing_support::guiApplication();
    QImage image(10, 10, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    QtSurface surface(painter);
    EXPECT_EQ(surface.lastStatus(), SurfaceStatus::Ok);
    const Point2D one[] = {{1, 1}};
    surface.drawPolyline(Pen{}, one);
    EXPECT_EQ(surface.lastStatus(), SurfaceStatus::InvalidParameter);
    EXPECT_FALSE(surface.drawImageFile("no/such/picture.png", Point2D{0, 0}));
    EXPECT_EQ(surface.lastStatus(), SurfaceStatus::FileNotFound);
    surface.endContainer(7);
    EXPECT_EQ(surface.lastStatus(), SurfaceStatus::InvalidParameter);
}

} // namespace
} // namespace render

namespace render {
namespace {

// How closely a line drawn in pieces must match the line Qt draws in one piece.
enum class Match {
    Pixels, // all but a few pixels
    Ink,    // as much ink: the thinnest dotted line's phase depends on how the line is split
};

struct LongLineCase {
    Pen pen;
    QPen reference; // the same line as Qt draws it in one piece
    Match match;
};

TEST(QtSurface, DrawsLongLinesLikeOneUnbrokenLine)
{
    testing_support::guiApplication();
    constexpr int size = 200;
    std::vector<Point2D> points;
    std::vector<QPointF> qpoints;
    for (int i = 0; i < 20000; ++i) {
        const float x = static_cast<float>(i) * 0.01f;
        points.push_back({x, 100 + 80 * std::sin(x * 0.2f) * std::cos(x * 0.03f)});
        qpoints.emplace_back(points.back().x, points.back().y);
    }
    const auto qtPen = [](QColor colour, qreal width, QList<qreal> dashes) {
        QPen pen(colour, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
        if (!dashes.isEmpty()) pen.setDashPattern(dashes);
        return pen;
    };
    const LongLineCase cases[] = {
        {{0xFF000000, 3, 0, std::nullopt}, qtPen(Qt::black, 3, {}), Match::Pixels},
        {{0xFF000000, 2, 1, std::nullopt}, qtPen(Qt::black, 2, {3, 1}), Match::Pixels},
        {{0xFF000000, 4, 3, std::nullopt}, qtPen(Qt::black, 4, {3, 1, 1, 1}), Match::Pixels},
        {{0xFF000000, 0, 2, std::nullopt}, qtPen(Qt::black, 0, {1, 1}), Match::Ink},
        // Translucent: where the line crosses itself it is no darker than elsewhere.
        {{0x80000000, 4, 0, std::nullopt}, qtPen(QColor(0, 0, 0, 128), 4, {}), Match::Pixels},
    };
    const auto blank = [] {
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        return image;
    };
    for (const LongLineCase& c : cases) {
        QImage drawn = blank();
        {
            QPainter painter(&drawn);
            QtSurface surface(painter);
            surface.setSmoothingMode(SmoothingMode::HighQuality);
            surface.drawPolyline(c.pen, points);
        }
        QImage reference = blank();
        {
            QPainter painter(&reference);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.translate(0.5, 0.5);
            painter.setPen(c.reference);
            painter.drawPolyline(qpoints.data(), static_cast<int>(qpoints.size()));
        }
        int inked = 0, different = 0;
        double drawnInk = 0, referenceInk = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                const int a = qGray(drawn.pixel(x, y)), b = qGray(reference.pixel(x, y));
                inked += b < 200 ? 1 : 0;
                different += std::abs(a - b) > 64 ? 1 : 0;
                drawnInk += 255 - a;
                referenceInk += 255 - b;
            }
        EXPECT_GT(inked, 300) << describe(c.pen);
        if (c.match == Match::Pixels) {
            EXPECT_LT(different, inked / 50) << describe(c.pen) << ": " << different;
        }
        EXPECT_NEAR(drawnInk, referenceInk, referenceInk * 0.1) << describe(c.pen);
    }
}

} // namespace
} // namespace render

namespace render {
namespace {

TEST(QtSurface, SkipsWhatCannotBeDrawnAndDrawsTheRest)
{
    // Huge, infinite and degenerate values: each is drawn clipped or skipped, and the last
    // object still appears.
    const QImage image = drawFigure({
        "FIGURE 1 100 100",
        "RECTANGLE at(1) p4(-1e30,-1e30,1e31,1e31) pen(3,0xFF,1)",
        "RECTANGLE at(1) p4(1e999,0,10,10) brush(solid,0xFF)",
        "ELLIPSE at(1) p4(-1e9,-1e9,2e9,2e9) pen(1e9)",
        "POLY at(1) p2(0,0,1e30,1e30,-1e30,5) pen(0,0xFF0000,2)",
        "POLY at(1) p2(0,100,1e38,100) pen(1,0xFF0000,2)",
        "ARC at(1) p4(0,0,1e30,1e30) p2(0,1e30) pen(1,0,3)",
        "TEXT at(1) p2(10,10) n(big) font(Arial,1e9)",
        "TEXT at(1) p2(1e30,10) n(far)",
        "OCURVE at(1) p2(0,0,1e30,1e30,5,5) p1(1e30)",
        "POINT at(1) p3(10,10,1e30) brush(hatch,0xFF,0,7)",
        "AXIS at(1) p4(1,1,1,0) p4(1,1,1,0)",
        "POINT at(1,0,1) p3(2,2,5) brush(solid,0)",
        "RECTANGLE at(1) p4(0,0,100,100) brush(solid,0xFFFFFF)",
        "RECTANGLE at(1) p4(40,40,20,20) brush(gradient,0xFF,0xFF,0,0,0,0,0,0)",
        "RECTANGLE at(1) p4(70,70,20,20) brush(solid,0xFF00)",
    });
    EXPECT_EQ(image.pixel(80, 80), 0xFF00FF00);
}

} // namespace
} // namespace render
