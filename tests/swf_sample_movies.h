// Small movies made with the movie writer's pieces: shapes, text, removal, a morph over frames,
// a line growing over frames and a large figure with long edges. The writer's and the reader's
// tests share them.
#pragma once

#include "model/figure.h"
#include "swf/format/curve_builders.h"
#include "swf/format/define_shape.h"
#include "swf/export/file_writer.h"
#include "swf/format/morph_shape.h"
#include "swf/format/place_object.h"
#include "swf/format/tag_list.h"
#include "swf/format/text_field.h"

#include <cmath>
#include <string>
#include <vector>

namespace testing_support {

struct SampleMovie {
    std::string name;
    std::vector<model::Frame> frames;
    swf::SwfTagList tags;
    swf::TwipsRect frameRect;
    std::uint32_t framesPerSecond = 25;
    std::uint16_t charactersUsed = 0;
};

inline std::vector<model::Frame> framesWithDelays(std::initializer_list<std::uint32_t> delays)
{
    std::vector<model::Frame> frames;
    for (std::uint32_t delay : delays) {
        model::Frame frame;
        frame.delayMs = delay;
        frames.push_back(frame);
    }
    return frames;
}

inline render::Pen samplePen(std::uint32_t colour, float width)
{
    render::Pen pen;
    pen.colour = colour;
    pen.width = width;
    return pen;
}

inline swf::ShapePlacement placementIn(std::uint32_t figureFrame)
{
    swf::ShapePlacement placement;
    placement.figureFrame = figureFrame;
    return placement;
}

inline SampleMovie emptyMovie(std::string name, std::vector<model::Frame> frames,
                              std::int32_t width, std::int32_t height)
{
    SampleMovie movie{std::move(name), std::move(frames), swf::SwfTagList(0), {}, 25, 0};
    movie.tags = swf::SwfTagList(movie.frames.size());
    movie.frameRect = swf::twipsRectFromPixels(0, 0, width, height);
    return movie;
}

inline std::vector<swf::PathRecord> rectangleOutline(float x, float y, float width, float height)
{
    return {{x, y}, {x + width, y}, {x + width, y + height}, {x, y + height}, {x, y}};
}

// A rectangle, an ellipse with a gradient, a curve and a text field in one frame.
inline SampleMovie shapesMovie()
{
    SampleMovie movie = emptyMovie("shapes", framesWithDelays({0}), 400, 300);
    swf::CharacterCounter ids;
    swf::SwfDisplayList displayList;
    swf::ByteBuffer& frame = movie.tags.frame(0);
    const auto rectangle = rectangleOutline(20, 20, 150, 80);
    swf::defineAndPlaceShape(frame, movie.frameRect, {rectangle, swf::EdgeMode::Polyline},
                             {render::SolidBrush{0xFF3060C0}, samplePen(0xFF000000, 2)}, {}, ids,
                             displayList);
    render::LinearGradientBrush gradient;
    gradient.rect = {0, 0, 400, 300};
    gradient.colour1 = 0xFFFF0000;
    gradient.colour2 = 0xFF0000FF;
    const auto ellipse = swf::ellipseOutline(220, 30, 150, 101);
    swf::defineAndPlaceShape(frame, movie.frameRect, {ellipse, swf::EdgeMode::Curve},
                             {gradient, samplePen(0xFF008000, 3)}, {}, ids, displayList);
    std::vector<geom::Point2D> triples;
    swf::appendCurveTriple(triples, {30, 250}, {100, 150}, {170, 250});
    swf::appendCurveTriple(triples, {170, 250}, {240, 350}, {310, 250});
    const auto curve = swf::curveRecordsFromTriples(triples);
    swf::defineAndPlaceShape(frame, movie.frameRect, {curve, swf::EdgeMode::Curve},
                             {std::nullopt, samplePen(0xFFFF00FF, 4)}, {}, ids, displayList);
    render::Font font;
    font.family = "DejaVu Sans";
    font.size = 12;
    font.style = render::fontBold;
    swf::emitTextField(frame, "Kelvo \xE2\x82\xAC 1.5", {30, 130}, movie.frameRect,
                       samplePen(0xFF800000, 1), font, ids, 19.0f);
    swf::appendSetBackgroundColor(movie.tags.background(), 0xFFFFFFEE);
    movie.charactersUsed = static_cast<std::uint16_t>(ids.next() - 1);
    return movie;
}

// A rectangle in frame 0; frame 1 clears it and shows an ellipse; frame 2 adds a point.
inline SampleMovie removalMovie()
{
    SampleMovie movie = emptyMovie("removal", framesWithDelays({0, 40, 40, 40}), 200, 150);
    movie.frames[1].clear = 1;
    swf::CharacterCounter ids;
    swf::SwfDisplayList displayList;
    const auto rectangle = rectangleOutline(10, 10, 100, 60);
    const auto rectangleId = swf::defineAndPlaceShape(
        movie.tags.frame(0), movie.frameRect, {rectangle, swf::EdgeMode::Polyline},
        {render::SolidBrush{0xFF00C000}, samplePen(0xFF000000, 1)}, placementIn(0), ids,
        displayList);
    swf::appendRemoveObject(movie.tags.frame(1), {*rectangleId, *rectangleId});
    const auto ellipse = swf::ellipseOutline(50, 40, 101, 51);
    swf::defineAndPlaceShape(
        movie.tags.frame(1), movie.frameRect, {ellipse, swf::EdgeMode::Curve},
        {render::HatchBrush{0, 0xFFC00000, 0xFFFFFFFF}, samplePen(0xFF000000, 2)}, placementIn(1),
        ids, displayList);
    const auto point = swf::ellipseOutline(150, 100, 10, 10);
    swf::defineAndPlaceShape(movie.tags.frame(2), movie.frameRect, {point, swf::EdgeMode::Curve},
                             {render::SolidBrush{0xFF000000}, samplePen(0xFF000000, 1)},
                             placementIn(2), ids, displayList);
    swf::appendSetBackgroundColor(movie.tags.background(), 0xFFFFFFFF);
    movie.charactersUsed = static_cast<std::uint16_t>(ids.next() - 1);
    return movie;
}

// A triangle that morphs into a square from frame 2 to frame 6.
inline SampleMovie morphMovie()
{
    SampleMovie movie =
        emptyMovie("morph", framesWithDelays({0, 40, 40, 40, 40, 40, 40, 40}), 300, 200);
    swf::CharacterCounter ids;
    const std::vector<swf::PathRecord> triangle = {
        {50, 150}, {150, 30}, {250, 150}, {150, 150}, {50, 150}};
    const std::vector<swf::PathRecord> square = {
        {80, 170}, {80, 30}, {220, 30}, {220, 170}, {80, 170}};
    const swf::MorphEnd start{movie.frameRect,
                              {triangle, swf::EdgeMode::Polyline},
                              {render::SolidBrush{0xFFFF0000}, samplePen(0xFF000000, 1)}};
    const swf::MorphEnd end{movie.frameRect,
                            {square, swf::EdgeMode::Polyline},
                            {render::SolidBrush{0xFF0000FF}, samplePen(0xFF000000, 5)}};
    const std::uint16_t id = *swf::defineMorphShape(movie.tags.frame(2), start, end, ids);
    for (std::uint32_t step = 0; step <= 4; ++step) {
        swf::ByteBuffer& frame = movie.tags.frame(2 + step);
        if (step > 0) swf::appendRemoveObject(frame, {id, id});
        swf::appendPlaceObject2(frame, {swf::PlacementKind::New, id, id, swf::swfMatrixOf({}),
                                        static_cast<std::uint16_t>(step * 65535 / 4)});
    }
    swf::appendSetBackgroundColor(movie.tags.background(), 0xFFFFFFFF);
    movie.charactersUsed = static_cast<std::uint16_t>(ids.next() - 1);
    return movie;
}

// A sine line drawn progressively over ten frames, each piece starting where the last ended. The
// eleventh, empty frame starts where the movie ends.
inline SampleMovie growingMovie()
{
    SampleMovie movie = emptyMovie(
        "growing", framesWithDelays({0, 80, 80, 80, 80, 80, 80, 80, 80, 80, 80}), 320, 200);
    swf::CharacterCounter ids;
    swf::SwfDisplayList displayList;
    std::vector<swf::PathRecord> samples;
    for (int index = 0; index <= 300; ++index)
        samples.push_back({10.0f + static_cast<float>(index),
                           100.0f - 80.0f * std::sin(static_cast<float>(index) * 0.05f)});
    for (std::size_t frame = 0; frame < 10; ++frame) {
        const auto first = samples.begin() + static_cast<std::ptrdiff_t>(frame * 30);
        const std::vector<swf::PathRecord> piece(first, first + 31);
        swf::defineAndPlaceShape(movie.tags.frame(frame), movie.frameRect,
                                 {piece, swf::EdgeMode::Polyline},
                                 {std::nullopt, samplePen(0xFFFF0000, 2)},
                                 placementIn(static_cast<std::uint32_t>(frame)), ids, displayList);
    }
    swf::appendSetBackgroundColor(movie.tags.background(), 0xFFFFFFFF);
    movie.charactersUsed = static_cast<std::uint16_t>(ids.next() - 1);
    return movie;
}

// A 2000 × 1200 figure: wide RECT fields, an edge split into pieces, a far placement.
inline SampleMovie largeMovie()
{
    SampleMovie movie = emptyMovie("large", framesWithDelays({0}), 2000, 1200);
    swf::CharacterCounter ids;
    swf::SwfDisplayList displayList;
    const std::vector<swf::PathRecord> diagonal = {{10, 10}, {1990, 1190}, {1990, 10}};
    swf::defineAndPlaceShape(movie.tags.frame(0), movie.frameRect,
                             {diagonal, swf::EdgeMode::Polyline},
                             {render::SolidBrush{0xFF808080}, samplePen(0xFF0000FF, 8)},
                             placementIn(0), ids, displayList);
    const auto ellipse = swf::ellipseOutline(100, 100, 1800, 1000);
    swf::defineAndPlaceShape(movie.tags.frame(0), movie.frameRect, {ellipse, swf::EdgeMode::Curve},
                             {std::nullopt, samplePen(0xFFFF0000, 4)}, {}, ids, displayList);
    swf::appendSetBackgroundColor(movie.tags.background(), 0xFFFFFFFF);
    movie.charactersUsed = static_cast<std::uint16_t>(ids.next() - 1);
    return movie;
}

inline std::vector<SampleMovie> sampleMovies()
{
    std::vector<SampleMovie> movies;
    movies.push_back(shapesMovie());
    movies.push_back(removalMovie());
    movies.push_back(morphMovie());
    movies.push_back(growingMovie());
    movies.push_back(largeMovie());
    return movies;
}

} // namespace testing_support
