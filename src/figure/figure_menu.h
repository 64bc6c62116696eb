// The menu of a figure window as data: built from the command table and the figure's state, so
// that the window only turns it into widgets.
#pragma once

#include "figure/figure_commands.h"
#include "figure/pointer_input.h"
#include "model/figure.h"

#include <cstdint>
#include <string>
#include <vector>

namespace figure {

struct MenuItem {
    std::int32_t id = 0; // 0: a separator, or a submenu when it has children
    std::string text;    // with its & mnemonic
    std::string accelerator;
    bool checkable = false;
    bool checked = false;
    std::vector<MenuItem> children;

    bool operator==(const MenuItem&) const = default;
};

struct TopMenu {
    FigureMenu menu = FigureMenu::File;
    std::string title;
    std::vector<MenuItem> items;

    bool operator==(const TopMenu&) const = default;
};

// The menu bar for the figure now: the fixed items of the table, the Insert submenus, one item
// per object in Select (checked when selected) and Edit, one per frame in Frame (checked when
// shown), the check marks of the settings, and of the six step menus only the current tool's.
std::vector<TopMenu> buildFigureMenu(const model::Figure& figure, const WindowState& state);

} // namespace figure
