// Frame lists and animation steps of objects in a movie.
#include "swf/export/frame_list.h"
#include "model/argument_text.h"

#include <algorithm>

namespace swf {

namespace {

using model::SubObjectKind;

constexpr std::size_t splitTrArguments = 22;
constexpr std::size_t splitTrArgumentsOwn2D = 23;

std::int64_t wholeArgument(const model::SubObject& sub, std::size_t index)
{
    return model::truncateToInt32(model::parseNumber(sub.arguments[index]));
}

const model::SubObject* usableSplitTr(const model::PlotObject& object, FigureTransforms transforms)
{
    const model::SubObject* split = model::findSubObject(object, SubObjectKind::SplitTR, 0);
    const std::size_t wanted =
        transforms == FigureTransforms::Own2D ? splitTrArgumentsOwn2D : splitTrArguments;
    return split && split->arguments.size() == wanted ? split : nullptr;
}

// first, first + 1, ... (count numbers) that name frames; counted, not looped, so that any
// first and count take the same time.
FrameList frameRange(std::int64_t first, std::int64_t count, std::size_t frameCount)
{
    const std::int64_t end =
        std::min(first + std::max<std::int64_t>(count, 0), static_cast<std::int64_t>(frameCount));
    FrameList frames;
    for (std::int64_t frame = std::max<std::int64_t>(first, 0); frame < end; ++frame)
        frames.push_back(static_cast<std::uint32_t>(frame));
    return frames;
}

} // namespace

FrameList objectFrameList(const model::PlotObject& object, std::size_t frameCount,
                          FigureTransforms transforms, std::uint32_t atFrame)
{
    FrameList frames;
    if (const model::SubObject* split = model::findSubObject(object, SubObjectKind::Split, 0))
        for (std::size_t index = 0; index < split->arguments.size(); ++index) {
            const std::int64_t frame = wholeArgument(*split, index);
            if (frame >= 0 && frame < static_cast<std::int64_t>(frameCount))
                frames.push_back(static_cast<std::uint32_t>(frame));
        }
    const model::SubObject* range = model::findSubObject(object, SubObjectKind::SplitR, 0);
    if (range && range->arguments.size() == 2)
        frames = frameRange(wholeArgument(*range, 0), wholeArgument(*range, 1), frameCount);
    if (const model::SubObject* animated = usableSplitTr(object, transforms))
        frames = frameRange(wholeArgument(*animated, 0), wholeArgument(*animated, 1), frameCount);
    if (frames.empty()) frames.push_back(atFrame);
    return frames;
}

std::optional<AnimationStep> animationStepOf(const model::PlotObject& object,
                                             FigureTransforms transforms)
{
    const model::SubObject* split = usableSplitTr(object, transforms);
    if (!split) return std::nullopt;
    const auto a = [split](std::size_t index) {
        return model::parseNumber(split->arguments[index]);
    };
    AnimationStep step;
    step.own2d = {a(2), a(3), a(4), a(5), a(6), a(7), a(8)};
    step.transform3D = {a(9),  a(10), a(11), a(12), a(13), a(14),
                        a(15), a(16), a(17), a(18), a(19), a(20)};
    return step;
}

void advance(geom::Own2DTransform& transform, const AnimationStep& step)
{
    const geom::Own2DTransform& by = step.own2d;
    transform.dx += by.dx;
    transform.dy += by.dy;
    transform.sx *= by.sx;
    transform.sy *= by.sy;
    transform.angle += by.angle;
    transform.cx += by.cx;
    transform.cy += by.cy;
}

void advance(geom::Transform3D& transform, const AnimationStep& step)
{
    const geom::Transform3D& by = step.transform3D;
    transform.worldX += by.worldX;
    transform.worldY += by.worldY;
    transform.worldZ += by.worldZ;
    transform.scaleX *= by.scaleX;
    transform.scaleY *= by.scaleY;
    transform.scaleZ *= by.scaleZ;
    transform.eyeX += by.eyeX;
    transform.eyeY += by.eyeY;
    transform.eyeZ += by.eyeZ;
    transform.angleX += by.angleX;
    transform.angleY += by.angleY;
    transform.angleZ += by.angleZ;
}

} // namespace swf
