// Pieces the SVG and PDF surfaces share: what a pen's dashes and a transform's scale are in
// device pixels, the world transform with its containers, and the canvas where what a vector file
// cannot hold as a style is painted with the picture export's surface, to be embedded as a picture
// of the pixels it covered.
#pragma once

#include "render/surface.h"

#include <QImage>
#include <QRect>
#include <QRectF>

#include <memory>
#include <optional>
#include <vector>

class QPainter;

namespace render {
class QtSurface;
}

namespace desktop {

// How much the matrix enlarges lengths at most (a bound that is exact for rotations and scales).
double largestScale(const geom::Matrix2D& m);

// The rectangle with positive width and height.
QRectF normalisedRect(const render::RectF& rect);

// The pen's dash and gap lengths in device pixels; empty for a solid line.
std::vector<double> dashLengths(const render::Pen& pen);

// The world transform and smoothing mode a vector surface draws with, the containers that keep
// them, and how many decimals user coordinates need under the transform to keep `pixelDecimals`
// decimals of a device pixel (at most `maxUserDecimals`, under a transform that enlarges a hundred
// million times).
class VectorState {
public:
    static constexpr int maxUserDecimals = 8;

    explicit VectorState(int pixelDecimals)
        : m_pixelDecimals(pixelDecimals), m_userDecimals(pixelDecimals)
    {
    }

    const geom::Matrix2D& world() const { return m_world; }
    render::SmoothingMode smoothing() const { return m_smoothing; }
    int userDecimals() const { return m_userDecimals; }

    void setWorld(const geom::Matrix2D& matrix);
    void multiplyWorld(const geom::Matrix2D& matrix, render::MatrixOrder order);
    void setSmoothing(render::SmoothingMode mode) { m_smoothing = mode; }
    render::ContainerState beginContainer();
    // Restores what `beginContainer` kept; false, changing nothing, for a state it did not give.
    bool endContainer(render::ContainerState state);

private:
    struct Saved {
        geom::Matrix2D world;
        render::SmoothingMode smoothing;
    };
    int m_pixelDecimals;
    int m_userDecimals;
    geom::Matrix2D m_world;
    render::SmoothingMode m_smoothing = render::SmoothingMode::HighSpeed;
    std::vector<Saved> m_containers;
};

// A picture of the painted pixels and where it lies on the page.
struct PaintedPiece {
    QRect area;
    QImage picture; // premultiplied, the size of `area`
};

class PictureCanvas {
public:
    // A transparent canvas of the page's size, made (with the application object) on first use.
    PictureCanvas(int width, int height);
    ~PictureCanvas();

    // What `draw` paints in the world transform, cut out; the canvas is clear again after.
    template <typename Draw>
    std::optional<PaintedPiece> paint(const geom::Matrix2D& world, render::SmoothingMode smoothing,
                                      Draw draw)
    {
        draw(surface(world, smoothing));
        return takePainted();
    }
    // Ends painting, before the canvas's owner goes.
    void close();

private:
    render::QtSurface& surface(const geom::Matrix2D& world, render::SmoothingMode smoothing);
    std::optional<PaintedPiece> takePainted();

    int m_width;
    int m_height;
    QImage m_canvas;
    std::unique_ptr<QPainter> m_painter;
    std::unique_ptr<render::QtSurface> m_surface;
};

} // namespace desktop
