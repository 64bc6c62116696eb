// Tests that long polylines drawn through their exact coverage look as Qt draws the same line in
// one piece (which takes it seconds): a dense curve, also turned, sharp zigzags, a random
// scribble, a wide line, translucent, hatched and scaled ones.
#include "desktop/qt/qt_long_polyline.h"

#include "line_pictures.h"
#include "qt_gui_application.h"

#include "desktop/qt/qt_surface.h"

#include <gtest/gtest.h>

#include <QPixmap>

#include <cmath>
#include <random>

namespace render {
namespace {

constexpr int size = 300;

std::vector<Point2D> denseCurve()
{
    std::vector<Point2D> points;
    for (int i = 0; i < 6000; ++i) {
        const double x = i * 9.1 / 6000;
        points.push_back(
            {static_cast<float>(x * 32), static_cast<float>(150 - 120 * std::sin(4 * M_PI * x))});
    }
    return points;
}

std::vector<Point2D> zigzag()
{
    std::vector<Point2D> points;
    for (int i = 0; i < 1200; ++i)
        points.push_back({10 + static_cast<float>(i) * 0.23f, i % 2 ? 40.0f : 260.0f});
    return points;
}

std::vector<Point2D> scribble()
{
    std::mt19937 random(7);
    std::uniform_real_distribution<float> place(5, 295);
    std::vector<Point2D> points;
    for (int i = 0; i < 1100; ++i)
        points.push_back({place(random), place(random)});
    return points;
}

struct LineCase {
    const char* name;
    std::vector<Point2D> points;
    Pen pen;
    QTransform transform;
};

TEST(QtLongPolyline, DrawsWideLinesAsQtDrawsThemInOnePiece)
{
    testing_support::guiApplication();
    const HatchBrush hatch{5, 0xFF0000FF, 0xFFFFFF00};
    const LineCase cases[] = {
        {"dense curve", denseCurve(), {0xFF8000C0, 2, 0, std::nullopt}, {}},
        {"zigzag", zigzag(), {0xFF000000, 2, 0, std::nullopt}, {}},
        {"scribble", scribble(), {0xFF000000, 3, 0, std::nullopt}, {}},
        {"wide", denseCurve(), {0xFF000000, 9, 0, std::nullopt}, {}},
        {"translucent", zigzag(), {0x80FF0000, 4, 0, std::nullopt}, {}},
        {"hatched", denseCurve(), {0xFF000000, 6, 0, Brush{hatch}}, {}},
        {"scaled", zigzag(), {0xFF000000, 5, 0, std::nullopt}, QTransform(0.5, 0, 0, 0.5, 20, 30)},
        {"turned dense curve",
         denseCurve(),
         {0xFF8000C0, 2, 0, std::nullopt},
         QTransform().translate(150, 150).rotate(20).translate(-150, -150)},
    };
    for (const LineCase& c : cases) {
        ASSERT_TRUE(isLongPolyline(c.points.size()));
        const testing_support::PictureDifference d = testing_support::pictureDifference(
            testing_support::surfacePicture(c.points, c.pen, c.transform, size),
            testing_support::qtPicture(c.points, c.pen, c.transform, size));
        EXPECT_GT(d.inked, 1000) << c.name;
        EXPECT_LE(d.largest, 10) << c.name; // Qt places outline points on a 1/64 pixel grid
    }
}

TEST(QtLongPolyline, PaintsSolidLinesOntoPicturesAsThroughALayer)
{
    // A solid line is laid straight onto a premultiplied picture; on any other device it goes
    // through a layer that Qt draws over. Both must give the same pixels, over every background
    // level and line alpha.
    testing_support::guiApplication();
    const auto background = [](QPaintDevice& device) {
        QImage levels(size, size, QImage::Format_ARGB32_Premultiplied);
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                levels.setPixel(x, y,
                                qPremultiply(qRgba(x % 256, y % 256, (x + y) % 256,
                                                   y < size / 2 ? 255 : (x * 7 + y) % 256)));
        QPainter painter(&device);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0, levels);
    };
    const auto draw = [&](QPaintDevice& device, const std::vector<Point2D>& points, Pen pen) {
        background(device);
        QPainter painter(&device);
        QtSurface surface(painter);
        surface.setSmoothingMode(SmoothingMode::HighQuality);
        surface.drawPolyline(pen, points);
    };
    const struct {
        const char* name;
        std::vector<Point2D> points;
        Pen pen;
    } cases[] = {
        {"opaque", denseCurve(), {0xFF8000C0, 2, 0, std::nullopt}},
        {"translucent", zigzag(), {0x80FF0000, 4, 0, std::nullopt}},
        {"faint", scribble(), {0x0F2060A0, 3, 0, std::nullopt}},
        {"nearly opaque", denseCurve(), {0xFE10E010, 7, 0, std::nullopt}},
    };
    for (const auto& c : cases) {
        QImage direct(size, size, QImage::Format_ARGB32_Premultiplied);
        QPixmap layered(size, size);
        layered.fill(Qt::transparent); // a pixmap with alpha, premultiplied like the picture
        draw(direct, c.points, c.pen);
        draw(layered, c.points, c.pen);
        EXPECT_EQ(direct, layered.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied))
            << c.name;
    }
}

} // namespace
} // namespace render
