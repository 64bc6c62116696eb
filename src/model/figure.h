// Figures, their layers and animation frames, and the list of all figures of a session.
#pragma once

#include "model/transforms.h"
#include "model/plot_object.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace model {

struct Layer {
    std::int32_t x = 0, y = 0, width = 0, height = 0; // integer parts of the numbers typed
    std::int32_t inPercent = 0; // 1: all four are percentages of the figure's client area

    bool operator==(const Layer&) const = default;
};

struct Frame {
    std::uint32_t delayMs = 0;         // wait before the frame is shown
    std::uint8_t clear = 0;            // 1: clear the picture before the frame is shown
    std::uint8_t frameFlag = 1;        // the frame's objects are drawn on screen only while set
    std::uint32_t firstMovieFrame = 0; // written by the movie writer

    bool operator==(const Frame&) const = default;
};

// Client size a figure window gets when FIGURE names no size.
inline constexpr std::int32_t defaultClientWidth = 640;
inline constexpr std::int32_t defaultClientHeight = 480;

struct Figure {
    std::uint32_t backgroundColour = 0xFFFFFFFF; // 0xAARRGGBB
    std::uint32_t id = 0;

    // Frame recorder
    bool recording = false;
    std::uint32_t recordDelayMs = 50;
    std::uint8_t recordClear = 0;
    std::uint8_t recordFrameFlag = 1;
    std::uint32_t recordExtra = 0;
    std::uint32_t nextRecordFrame = 0;

    // View and window state
    Matrix2D viewTransform;
    bool doubleBuffering = true;
    bool showLayers = false;
    std::int32_t quality = 1; // 0 low, 1 high, 2 excellent
    bool hasDirect3D = false; // the DX option: meshes are drawn before the 2D pass
    bool anaglyph = false;
    std::int32_t clientWidth = defaultClientWidth; // window client area in device pixels
    std::int32_t clientHeight = defaultClientHeight;

    bool own2d = false; // 2D transforms by the program's own point arithmetic
    std::vector<std::string> recordedBlocks;
    std::vector<PlotObject> objects; // drawing order
    std::vector<Layer> layers;       // layer id n is element n-1; 0 is the whole figure
    std::vector<Frame> frames;       // frame id n is element n
};

// The figures of a session in order of creation. Figures are held by pointer, so a Figure&
// stays valid while other figures come and go.
class FigureList {
public:
    Figure* findFigure(std::uint32_t id);
    const Figure* findFigure(std::uint32_t id) const;

    // The smallest id from 1 up that no figure has.
    std::uint32_t lowestUnusedFigureId() const;

    Figure& append(std::uint32_t id);
    // Removes and destroys the first figure with `id`; false when there is none.
    bool remove(std::uint32_t id);

    std::size_t size() const { return m_figures.size(); }
    bool empty() const { return m_figures.empty(); }
    Figure& at(std::size_t index) { return *m_figures.at(index); }
    const Figure& at(std::size_t index) const { return *m_figures.at(index); }

private:
    std::vector<std::unique_ptr<Figure>> m_figures;
};

} // namespace model
