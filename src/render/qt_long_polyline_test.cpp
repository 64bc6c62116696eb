// Tests that long polylines drawn through their exact coverage look as Qt draws the same line in
// one piece (which takes it seconds): a dense curve, sharp zigzags, a random scribble, a wide
// line, translucent, hatched and scaled ones.
#include "render/qt_long_polyline.h"

#include "qt_gui_application.h"
#include "render/qt_styles.h"
#include "render/qt_surface.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

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

QImage blank()
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    return image;
}

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
    };
    for (const LineCase& c : cases) {
        ASSERT_TRUE(isLongPolyline(c.points.size()));
        QImage drawn = blank();
        {
            QPainter painter(&drawn);
            painter.setTransform(c.transform);
            QtSurface surface(painter);
            surface.setSmoothingMode(SmoothingMode::HighQuality);
            surface.drawPolyline(c.pen, c.points);
        }
        QImage reference = blank();
        {
            QPainter painter(&reference);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setTransform(c.transform);
            painter.translate(0.5 / c.transform.m11(), 0.5 / c.transform.m22());
            painter.setPen(toQPen(c.pen));
            std::vector<QPointF> points;
            for (const Point2D& p : c.points)
                points.emplace_back(p.x, p.y);
            painter.drawPolyline(points.data(), static_cast<int>(points.size()));
        }
        int inked = 0, largest = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                const QRgb a = drawn.pixel(x, y), b = reference.pixel(x, y);
                inked += b != 0xFFFFFFFF ? 1 : 0;
                for (const int shift : {0, 8, 16})
                    largest = std::max(
                        largest, std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)));
            }
        EXPECT_GT(inked, 1000) << c.name;
        EXPECT_LE(largest, 10) << c.name; // Qt places outline points on a 1/64 pixel grid
    }
}

} // namespace
} // namespace render
