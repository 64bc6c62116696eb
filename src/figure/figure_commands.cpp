// The figure window's command table, its tools and its keys.
#include "figure/figure_commands.h"

#include <algorithm>

namespace figure {

namespace {

using enum FigureMenu;
using namespace commands;

constexpr MenuCommand figureCommandTable[] = {
    {SaveImage, File, "", "Save Image", "Ctrl+S", Checkable::No},
    {SaveImageTransparent, File, "", "Save Image with BG Transparency", "", Checkable::No},
    {SaveMetafile, File, "", "Save Metafile", "Shift+S", Checkable::No},
    {SaveDocument, File, "", "Save vexxml file", "Ctrl+Shift+S", Checkable::No},
    {SaveMovie, File, "", "Save SWF", "Alt+S", Checkable::No},
    {PreviewMovie, File, "", "Preview SWF", "F8", Checkable::No},
    {SaveAnimation, File, "", "Save Animation...", "", Checkable::No},
    {0, File, "", "", "", Checkable::No},
    {CopyBitmap, File, "", "Copy to Clipboard (Bitmap)", "Ctrl+C", Checkable::No},
    {CopyMetafile, File, "", "Copy to Clipboard (Metafile)", "Ctrl+Shift+C", Checkable::No},
    {CopyText, File, "", "Copy to Clipboard (Text)", "", Checkable::No},
    {0, File, "", "", "", Checkable::No},
    {Print, File, "", "Print...", "Ctrl+P", Checkable::No},
    {0, File, "", "", "", Checkable::No},
    {UpdateClient, File, "", "Update Client...", "F5", Checkable::No},

    {NewLayer, Insert, "", "Layer", "Ctrl+L", Checkable::No},

    {CopySelected, Edit, "", "Copy Selected", "", Checkable::No},
    {CutSelected, Edit, "", "Cut Selected", "Ctrl+X", Checkable::No},
    {Paste, Edit, "", "Paste", "Ctrl+V", Checkable::No},
    {0, Edit, "", "", "", Checkable::No},
    {ToggleSelected, Edit, "", "Toggle Selected", "F2", Checkable::No},
    {DeleteSelected, Edit, "", "Delete Selected", "Del", Checkable::No},
    {0, Edit, "", "", "", Checkable::No},

    {EntireFigure, Select, "", "Entire Figure", "", Checkable::No},
    {0, Select, "", "", "", Checkable::No},

    {1700, Tools2D, "", "Cross", "", Checkable::No},
    {1701, Tools2D, "", "Move", "", Checkable::No},
    {1704, Tools2D, "", "Rotate", "", Checkable::No},
    {1707, Tools2D, "", "Scale", "", Checkable::No},
    {1706, Tools2D, "", "Origin", "", Checkable::No},
    {0, Tools2D, "", "", "", Checkable::No},
    {Reset2D, Tools2D, "", "Reset Position", "", Checkable::No},

    {1702, Tools3D, "", "Move", "", Checkable::No},
    {1705, Tools3D, "", "Rotate", "", Checkable::No},
    {1708, Tools3D, "", "Scale", "", Checkable::No},
    {0, Tools3D, "", "", "", Checkable::No},
    {Reset3D, Tools3D, "", "Reset Position", "", Checkable::No},

    {1401, Move2D, "", "Left", "Left", Checkable::No},
    {1403, Move2D, "", "Right", "Right", Checkable::No},
    {1402, Move2D, "", "Up", "Up", Checkable::No},
    {1404, Move2D, "", "Down", "Down", Checkable::No},

    {1411, Rotate2D, "", "Left", "Left", Checkable::No},
    {1412, Rotate2D, "", "Right", "Right", Checkable::No},

    {1441, Scale2D, "", "X", "Left", Checkable::No},
    {1443, Scale2D, "", "X", "Right", Checkable::No},
    {1442, Scale2D, "", "Y", "Up", Checkable::No},
    {1444, Scale2D, "", "Y", "Down", Checkable::No},
    {1445, Scale2D, "", "Zoom", "Num+", Checkable::No},
    {1446, Scale2D, "", "Zoom", "Num-", Checkable::No},

    {1451, Move3D, "", "Left", "Left", Checkable::No},
    {1453, Move3D, "", "Right", "Right", Checkable::No},
    {1452, Move3D, "", "Up", "Up", Checkable::No},
    {1454, Move3D, "", "Down", "Down", Checkable::No},
    {1455, Move3D, "", "ZUp", "Num+", Checkable::No},
    {1456, Move3D, "", "ZDown", "Num-", Checkable::No},

    {1461, Rotate3D, "", "X-", "Left", Checkable::No},
    {1463, Rotate3D, "", "X+", "Right", Checkable::No},
    {1462, Rotate3D, "", "Y-", "Up", Checkable::No},
    {1464, Rotate3D, "", "Y+", "Down", Checkable::No},
    {1465, Rotate3D, "", "Z-", "Num+", Checkable::No},
    {1466, Rotate3D, "", "Z+", "Num-", Checkable::No},

    // The labels of 1473, 1474 and 1475 are the program's own; the steps follow the ids.
    {1471, Scale3D, "", "X++", "Left", Checkable::No},
    {1473, Scale3D, "", "Z++", "Right", Checkable::No},
    {1472, Scale3D, "", "Y++", "Up", Checkable::No},
    {1474, Scale3D, "", "X--", "Down", Checkable::No},
    {1475, Scale3D, "", "Y--", "Num+", Checkable::No},
    {1476, Scale3D, "", "Z--", "Num-", Checkable::No},

    {ToggleLayers, Tools, "", "Toggle Layers", "F4", Checkable::No},
    {DoubleBuffering, Tools, "", "Double Buffering", "F3", Checkable::Yes},
    {0, Tools, "", "", "", Checkable::No},
    {LowQuality, Tools, "", "Low Quality", "", Checkable::Yes},
    {HighQuality, Tools, "", "High Quality", "", Checkable::Yes},
    {ExcellentQuality, Tools, "", "Excellent Quality", "", Checkable::Yes},
    {0, Tools, "", "", "", Checkable::No},
    {OwnTransforms, Tools, "", "Own 2D Transforms", "F7", Checkable::Yes},
    {ToggleAnaglyph, Tools, "", "Toggle Anaglyph mode", "F9", Checkable::Yes},
    {CoordinateReadout, Tools, "", "Coordinate Readout", "", Checkable::Yes},
    {0, Tools, "", "", "", Checkable::No},
    {StartRecording, Tools, "", "Start Animation Recording...", "Ctrl+R", Checkable::No},
    {CaptureFrame, Tools, "", "Capture Frame", "F12", Checkable::No},
    {EndRecording, Tools, "", "End Animation Recording", "", Checkable::No},

    {DrawAll, Frame, "", "Draw All", "", Checkable::No},
    {DrawNone, Frame, "", "Draw None", "", Checkable::No},
    {DrawNext, Frame, "", "Draw Next", ".", Checkable::No},
    {DrawNextAndClear, Frame, "", "Draw Next and Clear", "Shift+.", Checkable::No},
    {DrawPrev, Frame, "", "Draw Prev", ",", Checkable::No},
    {0, Frame, "", "", "", Checkable::No},
    {InsertFrames, Frame, "", "Insert Frames...", "F6", Checkable::No},
    {0, Frame, "", "", "", Checkable::No},
};

constexpr MenuCommand insertCommandTable[] = {
    {301, Insert, "2D", "Rectangle...", "", Checkable::No},
    {302, Insert, "2D", "Ellipse...", "", Checkable::No},
    {308, Insert, "2D", "Arc...", "", Checkable::No},
    {309, Insert, "2D", "Pie...", "", Checkable::No},
    {303, Insert, "2D", "Axis...", "", Checkable::No},
    {304, Insert, "2D", "Point...", "", Checkable::No},
    {305, Insert, "2D", "Function...", "", Checkable::No},
    {307, Insert, "2D", "Text...", "", Checkable::No},
    {310, Insert, "2D", "Image...", "", Checkable::No},
    {311, Insert, "2D", "Polygon...", "", Checkable::No},
    {312, Insert, "2D", "Polycurve...", "", Checkable::No},
    {403, Insert, "3D", "Axis...", "", Checkable::No},
    {404, Insert, "3D", "Point...", "", Checkable::No},
    {306, Insert, "3D", "Function to 3D Axis...", "", Checkable::No},
    {406, Insert, "3D", "3D Function...", "", Checkable::No},
    {411, Insert, "3D", "Polygon...", "", Checkable::No},
    {412, Insert, "3D", "Polycurve...", "", Checkable::No},
    {511, Insert, "4D", "Polygon...", "", Checkable::No},
    {7701, Insert, "DirectDraw", "X mesh...", "", Checkable::No},
    {7702, Insert, "DirectDraw", "Box...", "", Checkable::No},
};

constexpr bool idsAreUnique()
{
    for (const MenuCommand& a : figureCommandTable)
        for (const MenuCommand& b : figureCommandTable)
            if (&a != &b && a.id != 0 && a.id == b.id) return false;
    return true;
}
static_assert(idsAreUnique(), "every command has one place in the figure menu");

struct ToolCommand {
    std::int32_t id;
    Tool tool;
};
constexpr ToolCommand toolCommands[] = {
    {1700, Tool::Cross},    {1701, Tool::Move2D}, {1702, Tool::Move3D},  {1704, Tool::Rotate2D},
    {1705, Tool::Rotate3D}, {1706, Tool::Origin}, {1707, Tool::Scale2D}, {1708, Tool::Scale3D},
};

// The steps the arrow keys and the keypad's + and - post, per tool.
struct ToolKeys {
    Tool tool;
    FigureMenu stepMenu;
    std::int32_t up, down, left, right, plus, minus;
};
constexpr ToolKeys toolKeys[] = {
    {Tool::Move2D, Move2D, 1402, 1404, 1401, 1403, 0, 0},
    {Tool::Scale2D, Scale2D, 1442, 1444, 1441, 1443, 1445, 1446},
    {Tool::Rotate2D, Rotate2D, 0, 0, 1411, 1412, 0, 0},
    {Tool::Move3D, Move3D, 1452, 1454, 1451, 1453, 1455, 1456},
    {Tool::Rotate3D, Rotate3D, 1462, 1464, 1461, 1463, 1465, 1466},
    {Tool::Scale3D, Scale3D, 1472, 1474, 1471, 1473, 1475, 1476},
};

const ToolKeys* toolKeysOf(Tool tool)
{
    const auto found = std::ranges::find(toolKeys, tool, &ToolKeys::tool);
    return found == std::end(toolKeys) ? nullptr : &*found;
}

std::int32_t toolStepForKey(Key key, Tool tool)
{
    const ToolKeys* keys = toolKeysOf(tool);
    if (!keys) return 0;
    switch (key) {
    case Key::Up:
        return keys->up;
    case Key::Down:
        return keys->down;
    case Key::Left:
        return keys->left;
    case Key::Right:
        return keys->right;
    case Key::KeypadPlus:
        return keys->plus;
    case Key::KeypadMinus:
        return keys->minus;
    default:
        return 0;
    }
}

// S and C carry several commands, told apart by the modifiers in this order.
std::int32_t saveCommandForKey(KeyModifiers m)
{
    if (m.ctrl && m.shift) return SaveDocument;
    if (m.ctrl) return SaveImage;
    if (m.shift) return SaveMetafile;
    if (m.alt) return SaveMovie;
    return 0;
}

std::int32_t ctrlCommandForKey(Key key, KeyModifiers m)
{
    if (!m.ctrl) return 0;
    switch (key) {
    case Key::C:
        return m.shift ? CopyMetafile : CopyBitmap;
    case Key::L:
        return NewLayer;
    case Key::P:
        return Print;
    case Key::R:
        return StartRecording;
    case Key::V:
        return Paste;
    case Key::X:
        return CutSelected;
    default:
        return 0;
    }
}

} // namespace

std::span<const MenuCommand> figureCommands()
{
    return figureCommandTable;
}

std::span<const MenuCommand> insertCommands()
{
    return insertCommandTable;
}

const MenuCommand* findFigureCommand(std::int32_t id)
{
    if (id == 0) return nullptr;
    for (std::span<const MenuCommand> table : {figureCommands(), insertCommands()}) {
        const auto found = std::ranges::find(table, id, &MenuCommand::id);
        if (found != table.end()) return &*found;
    }
    return nullptr;
}

std::optional<Tool> toolForCommand(std::int32_t id)
{
    const auto found = std::ranges::find(toolCommands, id, &ToolCommand::id);
    if (found == std::end(toolCommands)) return std::nullopt;
    return found->tool;
}

std::optional<FigureMenu> stepMenuOf(Tool tool)
{
    const ToolKeys* keys = toolKeysOf(tool);
    if (!keys) return std::nullopt;
    return keys->stepMenu;
}

std::int32_t commandForKey(Key key, KeyModifiers m, Tool tool)
{
    const bool plain = !m.ctrl && !m.shift && !m.alt;
    switch (key) {
    case Key::F2:
        return ToggleSelected;
    case Key::F3:
        return DoubleBuffering;
    case Key::F4:
        return ToggleLayers;
    case Key::F5:
        return UpdateClient;
    case Key::F6:
        return InsertFrames;
    case Key::F7:
        return OwnTransforms;
    case Key::F8:
        return PreviewMovie;
    case Key::F9:
        return ToggleAnaglyph;
    case Key::F12:
        return CaptureFrame;
    case Key::Period:
    case Key::Greater:
        if (plain) return DrawNext;
        return m.shift && !m.ctrl && !m.alt ? DrawNextAndClear : 0;
    case Key::Comma:
    case Key::Less:
        return plain ? DrawPrev : 0;
    case Key::S:
        return saveCommandForKey(m);
    case Key::Delete:
        return !m.ctrl && !m.shift ? DeleteSelected : 0;
    default:
        break;
    }
    if (const std::int32_t id = ctrlCommandForKey(key, m)) return id;
    return toolStepForKey(key, tool);
}

} // namespace figure
