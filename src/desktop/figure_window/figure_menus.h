// Qt menus made from the figure menu's data: the menu bar and the right-click popup.
#pragma once

#include "figure/figure_menu.h"

#include <QMenu>
#include <QMenuBar>

#include <functional>
#include <vector>

namespace desktop {

// Called with the command id of the chosen item, after the menu has closed (through the event
// loop of `context`, which must outlive the menus).
using CommandSink = std::function<void(std::int32_t id)>;

// Replaces the menus of `bar` with `menus`.
void fillMenuBar(QMenuBar& bar, const std::vector<figure::TopMenu>& menus, QObject& context,
                 const CommandSink& sink);

// Replaces the items of `popup` with the single entry "Menu", whose submenu holds `menus`.
void fillContextMenu(QMenu& popup, const std::vector<figure::TopMenu>& menus, QObject& context,
                     const CommandSink& sink);

} // namespace desktop
