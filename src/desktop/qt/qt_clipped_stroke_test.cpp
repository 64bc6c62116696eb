// Tests that lines reaching far beyond the picture, cut to the device before Qt strokes them,
// look as Qt draws them whole: lines through huge coordinates, a polyline that leaves and comes
// back (translucent, so a doubled overlap would show), sharp turns just outside, turned and
// scaled transforms, and that the cut keeps every point a short line has.
#include "desktop/qt/qt_clipped_stroke.h"

#include "line_pictures.h"
#include "qt_gui_application.h"

#include <gtest/gtest.h>

namespace render {
namespace {

constexpr int size = 200;

TEST(QtClippedStroke, FarReachingLinesLookAsQtDrawsThemWhole)
{
    testing_support::guiApplication();
    struct Case {
        const char* name;
        std::vector<Point2D> points;
        Pen pen;
        QTransform transform;
    };
    const Case cases[] = {
        {"across from afar", {{-1e5f, -99950}, {1e5f, 100050}}, {0xFF000000, 2, 0, {}}, {}},
        {"out and back, translucent",
         {{20, 20}, {5e6f, 100}, {30, 180}, {-4e6f, 60}, {180, 30}},
         {0x80FF0000, 6, 0, {}},
         {}},
        {"sharp turn beyond the margin",
         {{10, 190}, {400, 100.5f}, {10, 10}},
         {0xFF0000FF, 8, 0, {}},
         {}},
        {"sharp turn just outside", {{10, 190}, {215, 100}, {10, 10}}, {0xFF0000FF, 8, 0, {}}, {}},
        {"turned and scaled",
         {{-3e5f, -3e5f}, {50, 60}, {3e5f, -2e5f}},
         {0xFF008000, 3, 0, {}},
         QTransform().translate(100, 100).rotate(30).scale(0.5, 0.8)},
        {"thinnest", {{-1e7f, 50}, {1e7f, 150}}, {0xFF000000, 0, 0, {}}, {}},
    };
    for (const Case& c : cases) {
        const testing_support::PictureDifference d = testing_support::pictureDifference(
            testing_support::surfacePicture(c.points, c.pen, c.transform, size),
            testing_support::qtPicture(c.points, c.pen, c.transform, size));
        EXPECT_GT(d.inked, 100) << c.name;
        EXPECT_LE(d.largest, 10) << c.name; // Qt places outline points on a 1/64 pixel grid
    }
}

TEST(QtClippedStroke, CutsOnlyWhatReachesBeyondTheMargin)
{
    const QRectF device(0, 0, 100, 100);
    const QPen pen(Qt::black, 2);
    const QRectF clip = strokeClipRect(device, pen, {});
    EXPECT_TRUE(clip.contains(device));

    const std::vector<QPointF> inside = {{-5, -5}, {50, 50}, {105, 20}};
    EXPECT_FALSE(clippedPolyline(inside, pen, {}, clip)) << "within the margin: drawn as it is";

    const std::vector<QPointF> far = {{50, 50}, {1e6, 50}, {1e6, 1e6}, {50, 1e6}, {50, 60}};
    const std::optional<QPainterPath> cut = clippedPolyline(far, pen, {}, clip);
    ASSERT_TRUE(cut);
    EXPECT_TRUE(clip.contains(cut->boundingRect()));
    ASSERT_EQ(cut->elementCount(), 4); // two pieces: out to the right, and back from below
    EXPECT_EQ(QPointF(cut->elementAt(0)), QPointF(50, 50));
    EXPECT_EQ(QPointF(cut->elementAt(3)), QPointF(50, 60));

    QPen dashed = pen;
    dashed.setStyle(Qt::DashLine);
    EXPECT_FALSE(clippedPolyline(far, dashed, {}, clip)) << "cutting would move the dashes";
    EXPECT_FALSE(clippedPolyline(far, pen, QTransform(1, 0, 0.001, 0, 1, 0, 0, 0, 1), clip))
        << "a perspective transform does not keep the parameters of points along a line";
}

} // namespace
} // namespace render
