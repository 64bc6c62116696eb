// Drawing a figure made by command lines onto the recording surface, for tests of the draw
// pass's branches.
#pragma once

#include "lang/interpreter.h"
#include "recording_host.h"
#include "render/draw_pass.h"
#include "render/recording_surface.h"

#include <string>
#include <vector>

namespace testing_support {

struct DrawnFigure {
    std::vector<std::string> calls; // the surface calls after the set-up of the pass
    std::string console;            // what the commands printed
};

// Runs `commands` in a session of their own and draws figure 1 once.
inline DrawnFigure drawCommands(const std::vector<std::string>& commands)
{
    RecordingHost host;
    lang::Session session(host);
    for (const std::string& line : commands)
        lang::executeCommand(session, line);
    DrawnFigure drawn{{}, host.takeOutput()};
    model::Figure* figure = session.figures.findFigure(1);
    if (!figure) return drawn;
    render::RecordingSurface surface;
    render::DrawFigure(*figure, surface, session.passServices());
    drawn.calls = surface.descriptions();
    // The background (twice), the smoothing and, outside OWN2D figures, the view transform.
    const std::size_t setUp = figure->own2d ? 3 : 4;
    drawn.calls.erase(drawn.calls.begin(),
                      drawn.calls.begin() + static_cast<std::ptrdiff_t>(setUp));
    return drawn;
}

} // namespace testing_support
