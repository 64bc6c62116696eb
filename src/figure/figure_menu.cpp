// Building the figure menu from the command table and the figure's state.
#include "figure/figure_menu.h"

#include <algorithm>

namespace figure {

namespace {

bool isChecked(std::int32_t id, const model::Figure& figure, const WindowState& state)
{
    switch (id) {
    case commands::DoubleBuffering:
        return figure.doubleBuffering;
    case commands::LowQuality:
        return figure.quality == 0;
    case commands::HighQuality:
        return figure.quality == 1;
    case commands::ExcellentQuality:
        return figure.quality == 2;
    case commands::OwnTransforms:
        return figure.own2d;
    case commands::ToggleAnaglyph:
        return figure.anaglyph;
    case commands::CoordinateReadout:
        return state.coordinateReadout;
    default:
        return false;
    }
}

MenuItem itemFrom(const MenuCommand& command, const model::Figure& figure, const WindowState& state)
{
    const bool checkable = command.checkable == Checkable::Yes;
    return {command.id,
            std::string(command.text),
            std::string(command.accelerator),
            checkable,
            checkable && isChecked(command.id, figure, state),
            {}};
}

std::vector<MenuItem> insertSubmenus()
{
    std::vector<MenuItem> submenus;
    for (const MenuCommand& command : insertCommands()) {
        if (submenus.empty() || submenus.back().text != command.submenu)
            submenus.push_back({0, std::string(command.submenu), {}, false, false, {}});
        submenus.back().children.push_back(
            {command.id, std::string(command.text), {}, false, false, {}});
    }
    return submenus;
}

void appendObjectItems(std::vector<MenuItem>& items, const model::Figure& figure,
                       std::int32_t firstId, bool checkSelected)
{
    const std::size_t count =
        std::min(figure.objects.size(), static_cast<std::size_t>(maxListedObjects));
    for (std::size_t i = 0; i < count; ++i) {
        const model::PlotObject& object = figure.objects[i];
        items.push_back({firstId + static_cast<std::int32_t>(i),
                         object.displayName,
                         {},
                         checkSelected,
                         checkSelected && object.selected,
                         {}});
    }
}

void appendFrameItems(std::vector<MenuItem>& items, const model::Figure& figure)
{
    const std::size_t count =
        std::min(figure.frames.size(), static_cast<std::size_t>(maxListedFrames));
    for (std::size_t i = 0; i < count; ++i)
        items.push_back({commands::FirstFrameToggle + static_cast<std::int32_t>(i),
                         "Frame " + std::to_string(i),
                         {},
                         true,
                         figure.frames[i].frameFlag != 0,
                         {}});
}

bool isShown(FigureMenu menu, Tool tool)
{
    const bool stepMenu = menu >= FigureMenu::Move2D && menu <= FigureMenu::Scale3D;
    return !stepMenu || stepMenuOf(tool) == menu;
}

} // namespace

std::vector<TopMenu> buildFigureMenu(const model::Figure& figure, const WindowState& state)
{
    std::vector<TopMenu> menus;
    for (std::size_t position = 0; position < figureMenuTitles.size(); ++position) {
        const auto menu = static_cast<FigureMenu>(position);
        if (!isShown(menu, state.tool)) continue;
        TopMenu top{menu, std::string(figureMenuTitles[position]), {}};
        if (menu == FigureMenu::Insert) top.items = insertSubmenus();
        for (const MenuCommand& command : figureCommands())
            if (command.menu == menu) top.items.push_back(itemFrom(command, figure, state));
        if (menu == FigureMenu::Select)
            appendObjectItems(top.items, figure, commands::FirstSelectObject, true);
        if (menu == FigureMenu::Edit)
            appendObjectItems(top.items, figure, commands::FirstEditObject, false);
        if (menu == FigureMenu::Frame) appendFrameItems(top.items, figure);
        while (!top.items.empty() && top.items.back().id == 0 && top.items.back().children.empty())
            top.items.pop_back(); // a separator with nothing after it
        menus.push_back(std::move(top));
    }
    return menus;
}

} // namespace figure
