// The state of one running program: its figures and the flags the interpreter keeps.
#pragma once

#include "expr/function_result_cache.h"
#include "lang/host.h"
#include "lang/line_warnings.h"
#include "mesh/mesh_scene.h"
#include "model/figure.h"
#include "model/plot_object.h"
#include "render/draw_pass.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lang {

class Session {
public:
    explicit Session(Host& host) : m_host(&host) {}
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    Host& host() { return *m_host; }

    // Removes a figure and everything kept for it; false when there is no such figure.
    bool destroyFigure(std::uint32_t id);

    // What the draw pass needs from the session: its function values and its mesh scene.
    render::PassServices passServices() { return {functionCache, &meshScene}; }

    model::FigureList figures;
    expr::FunctionResultCache functionCache; // evaluated function samples, purged with figures
    mesh::MeshScene meshScene; // draws DX figures, keeping loaded mesh files between paints
    std::vector<model::PlotObject> objectClipboard; // copies behind Copy, Cut and Paste
    bool hiddenFigures = false;                // figure windows are never shown (embedding mode)
    bool documentRunning = false;              // figure windows do not redraw while a document runs
    std::vector<std::string> documentsRunning; // paths the file command is running, outermost first
    bool openedWithFile = false;               // started with a document path
    SourcePlace place;          // where the line being run comes from, named in diagnostics
    LineCheckMemory lineChecks; // what the checks for warnings keep from line to line

private:
    Host* m_host;
};

} // namespace lang
