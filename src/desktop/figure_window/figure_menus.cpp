// Turning the figure menu's data into QMenus.
#include "desktop/figure_window/figure_menus.h"

#include <QAction>

namespace desktop {

namespace {

void fillMenu(QMenu& menu, const std::vector<figure::MenuItem>& items, QObject& context,
              const CommandSink& sink)
{
    for (const figure::MenuItem& item : items) {
        if (!item.children.empty()) {
            fillMenu(*menu.addMenu(QString::fromStdString(item.text)), item.children, context,
                     sink);
            continue;
        }
        if (item.id == 0) {
            menu.addSeparator();
            continue;
        }
        // Text after a tab is shown as the item's key; the keys themselves reach the window.
        QString text = QString::fromStdString(item.text);
        if (!item.accelerator.empty()) text += '\t' + QString::fromStdString(item.accelerator);
        QAction* action = menu.addAction(text);
        action->setCheckable(item.checkable);
        action->setChecked(item.checked);
        const std::int32_t id = item.id;
        // Queued: the command may rebuild the menu that holds this action.
        QObject::connect(
            action, &QAction::triggered, &context, [sink, id] { sink(id); }, Qt::QueuedConnection);
    }
}

} // namespace

void fillMenuBar(QMenuBar& bar, const std::vector<figure::TopMenu>& menus, QObject& context,
                 const CommandSink& sink)
{
    bar.clear();
    for (const figure::TopMenu& top : menus)
        fillMenu(*bar.addMenu(QString::fromStdString(top.title)), top.items, context, sink);
}

void fillContextMenu(QMenu& popup, const std::vector<figure::TopMenu>& menus, QObject& context,
                     const CommandSink& sink)
{
    popup.clear();
    QMenu* all = popup.addMenu(QStringLiteral("Menu"));
    for (const figure::TopMenu& top : menus)
        fillMenu(*all->addMenu(QString::fromStdString(top.title)), top.items, context, sink);
}

} // namespace desktop
