// The commands of a figure window: ids, the menus that carry them, their texts and accelerators.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace figure {

namespace commands {
// File (carried out by the export functions)
inline constexpr std::int32_t SaveImage = 103;
inline constexpr std::int32_t SaveDocument = 104;
inline constexpr std::int32_t SaveMetafile = 106;
inline constexpr std::int32_t SaveMovie = 107;
inline constexpr std::int32_t PreviewMovie = 108;
inline constexpr std::int32_t SaveAnimation = 109;
inline constexpr std::int32_t Print = 110;
inline constexpr std::int32_t CopyBitmap = 111;
inline constexpr std::int32_t CopyMetafile = 112;
inline constexpr std::int32_t CopyText = 113;
inline constexpr std::int32_t UpdateClient = 114;
inline constexpr std::int32_t ToggleAnaglyph = 119;
inline constexpr std::int32_t SaveImageTransparent = 123;
// Edit
inline constexpr std::int32_t ToggleLayers = 131;
inline constexpr std::int32_t CopySelected = 141;
inline constexpr std::int32_t CutSelected = 142;
inline constexpr std::int32_t Paste = 143;
inline constexpr std::int32_t NewLayer = 203;
// Tools
inline constexpr std::int32_t DoubleBuffering = 841;
inline constexpr std::int32_t HighQuality = 842;
inline constexpr std::int32_t LowQuality = 843;
inline constexpr std::int32_t ExcellentQuality = 844;
inline constexpr std::int32_t OwnTransforms = 851;     // F7
inline constexpr std::int32_t CoordinateReadout = 852; // the cursor's axis coordinates
inline constexpr std::int32_t StartRecording = 881;
inline constexpr std::int32_t EndRecording = 882;
inline constexpr std::int32_t CaptureFrame = 883;
// Tool steps and tools
inline constexpr std::int32_t FirstToolStep = 1401;
inline constexpr std::int32_t Reset2D = 1450;
inline constexpr std::int32_t Reset3D = 1500;
inline constexpr std::int32_t FirstTool = 1700; // Cross
inline constexpr std::int32_t LastTool = 1708;
// Selection and objects
inline constexpr std::int32_t EntireFigure = 31000;
inline constexpr std::int32_t FirstSelectObject = 31001;
inline constexpr std::int32_t LastSelectObject = 31900;
inline constexpr std::int32_t ToggleSelected = 31998;
inline constexpr std::int32_t DeleteSelected = 31999;
inline constexpr std::int32_t EntireFigureAlias = 32000;
inline constexpr std::int32_t FirstEditObject = 33001;
inline constexpr std::int32_t LastEditObject = 33900;
// Frames
inline constexpr std::int32_t FirstFrameToggle = 41000;
inline constexpr std::int32_t LastFrameToggle = 41993;
inline constexpr std::int32_t DrawNextAndClear = 41994;
inline constexpr std::int32_t DrawPrev = 41995;
inline constexpr std::int32_t DrawNext = 41996;
inline constexpr std::int32_t InsertFrames = 41997;
inline constexpr std::int32_t DrawNone = 41998;
inline constexpr std::int32_t DrawAll = 41999;
} // namespace commands

// How many objects and frames the Select, Edit and Frame menus can list (their id ranges).
inline constexpr std::int32_t maxListedObjects =
    commands::LastSelectObject - commands::FirstSelectObject + 1;
inline constexpr std::int32_t maxListedFrames =
    commands::LastFrameToggle - commands::FirstFrameToggle + 1;

// The top-level menus of a figure window, in menu-bar order.
enum class FigureMenu : std::uint8_t {
    File,
    Insert,
    Edit,
    Select,
    Tools2D,
    Tools3D,
    Move2D,
    Rotate2D,
    Scale2D,
    Move3D,
    Rotate3D,
    Scale3D,
    Tools,
    Frame,
};
inline constexpr std::array<std::string_view, 14> figureMenuTitles = {
    "&File",      "Insert",   "&Edit",    "Se&lect",    "&Tools 2D", "&Tools 3D", "&Move 2D",
    "&Rotate 2D", "Scale 2D", "&Move 3D", "&Rotate 3D", "&Scale 3D", "&Tools",    "Frame"};

enum class Checkable : std::uint8_t { No, Yes };

// One menu item. Id 0 is a separator. `submenu` names a submenu of the menu ("2D" in Insert).
// The accelerator is shown beside the text; the keys themselves reach the window (commandForKey),
// so that they work in a window without a menu too.
struct MenuCommand {
    std::int32_t id = 0;
    FigureMenu menu = FigureMenu::File;
    std::string_view submenu;
    std::string_view text;
    std::string_view accelerator;
    Checkable checkable = Checkable::No;
};

// Every fixed item of the figure menu, in menu order. The object items of Select and Edit and the
// frame items of Frame follow the fixed items of their menu (figure_menu.h).
std::span<const MenuCommand> figureCommands();

// The entry of the table with `id`, or null.
const MenuCommand* findFigureCommand(std::int32_t id);

// The insert items (301 Rectangle ... 7702 Box) under their submenu of Insert.
std::span<const MenuCommand> insertCommands();

// The tools, with the values the figure keeps.
enum class Tool : std::int32_t {
    Cross = 0,
    Move2D = 1,
    Origin = 2,
    Rotate2D = 3,
    Move3D = 4,
    Rotate3D = 5,
    Scale2D = 7,
    Scale3D = 8,
};

// The tool chosen by commands 1700 to 1708; none for an id without a tool (1703).
std::optional<Tool> toolForCommand(std::int32_t id);

// The step menu kept for a tool; Cross and Origin keep none.
std::optional<FigureMenu> stepMenuOf(Tool tool);

// Keys the window turns into commands.
enum class Key : std::uint8_t {
    Other,
    F2,
    F3,
    F4,
    F5,
    F6,
    F7,
    F8,
    F9,
    F12,
    Period,
    Greater,
    Comma,
    Less,
    C,
    L,
    P,
    R,
    S,
    V,
    X,
    Delete,
    Left,
    Right,
    Up,
    Down,
    KeypadPlus,
    KeypadMinus,
};

struct KeyModifiers {
    bool ctrl = false;
    bool shift = false;
    bool alt = false;

    bool operator==(const KeyModifiers&) const = default;
};

// The command a key stands for with the current tool; 0 when it stands for none.
std::int32_t commandForKey(Key key, KeyModifiers modifiers, Tool tool);

} // namespace figure
