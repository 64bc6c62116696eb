// The console's commands as one table: id, menu, text, shortcut and toolbar icon. The menu bar,
// the toolbar, the shortcuts and the dispatch are all built from it.
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace desktop {

enum class ConsoleMenu { File, Figure, Tools, Help, None };

namespace command {
inline constexpr int openFile = 101;
inline constexpr int saveAllFiguresToFile = 105;
inline constexpr int saveAllFiguresToClipboard = 115;
inline constexpr int exit = 199;
inline constexpr int newDefaultFigure = 201;
inline constexpr int newFigure = 202;
inline constexpr int newLayer = 203;
inline constexpr int clearHistory = 711;
inline constexpr int options = 801;
inline constexpr int consoleFont = 821;
inline constexpr int consoleBackground = 822;
inline constexpr int consoleForeground = 823;
inline constexpr int checkForUpdates = 889;
inline constexpr int help = 891;
inline constexpr int about = 899;
// Commands of the figure windows that the console carries out for the figure in front.
inline constexpr int updateClient = 114;
} // namespace command

struct ConsoleCommand {
    int id = 0;
    ConsoleMenu menu = ConsoleMenu::None;
    std::string_view text;
    std::string_view shortcut;     // in QKeySequence's portable text form; empty for none
    std::string_view toolbarIcon;  // the resource icon of a toolbar button; empty for none
    bool separatorBefore = false;  // a separator line above the item in its menu
};

inline constexpr std::array<ConsoleCommand, 15> consoleCommands = {{
    {command::openFile, ConsoleMenu::File, "Open file", "Ctrl+O", ":/icons/open.svg"},
    {command::saveAllFiguresToFile, ConsoleMenu::File, "Save All Figures (File)...", "", ""},
    {command::saveAllFiguresToClipboard, ConsoleMenu::File, "Save All Figures (Clipboard)", "", ""},
    {command::exit, ConsoleMenu::File, "Exit", "Alt+F4", "", true},
    {command::newDefaultFigure, ConsoleMenu::Figure, "New Figure (Default)", "Ctrl+N",
     ":/icons/new-figure-default.svg"},
    {command::newFigure, ConsoleMenu::Figure, "New Figure ...", "Ctrl+Shift+N",
     ":/icons/new-figure.svg"},
    {command::newLayer, ConsoleMenu::Figure, "Layer", "Ctrl+L", "", true},
    {command::options, ConsoleMenu::Tools, "Options...", "F11", ""},
    {command::consoleFont, ConsoleMenu::Tools, "Console Font...", "", "", true},
    {command::consoleBackground, ConsoleMenu::Tools, "Console BG...", "", ""},
    {command::consoleForeground, ConsoleMenu::Tools, "Console FG...", "", ""},
    {command::help, ConsoleMenu::Help, "Help...", "F1", ""},
    {command::checkForUpdates, ConsoleMenu::Help, "Check for updates...", "", ""},
    {command::about, ConsoleMenu::Help, "About Kelvo Plot...", "", "", true},
    {command::clearHistory, ConsoleMenu::None, "Clear History", "", ""},
}};

// The menus in the order of the menu bar, with their titles.
struct ConsoleMenuTitle {
    ConsoleMenu menu;
    std::string_view title;
};
inline constexpr std::array<ConsoleMenuTitle, 4> consoleMenuTitles = {{
    {ConsoleMenu::File, "&File"},
    {ConsoleMenu::Figure, "Fi&gure"},
    {ConsoleMenu::Tools, "&Tools"},
    {ConsoleMenu::Help, "&Help"},
}};

constexpr std::optional<ConsoleCommand> findConsoleCommand(int id)
{
    for (const ConsoleCommand& entry : consoleCommands)
        if (entry.id == id) return entry;
    return std::nullopt;
}

} // namespace desktop
