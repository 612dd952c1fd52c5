#include "ui/main_window/menu_table.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace tw {
namespace {

QAction* MakeAction(QWidget& window, const MenuEntry& entry) {
    auto* action = new QAction(entry.text, &window);
    action->setObjectName(entry.name);
    if (!entry.key.isEmpty()) {
        action->setShortcut(entry.key);
    }
    if ((entry.flags & kMenuWidgetShortcut) != 0) {
        action->setShortcutContext(Qt::WidgetShortcut);
    }
    action->setCheckable((entry.flags & kMenuCheckable) != 0);
    action->setChecked((entry.flags & kMenuChecked) == kMenuChecked);
    // Connected once the check is set: the first state is not a change.
    if ((entry.flags & kMenuToggled) != 0) {
        QObject::connect(action, &QAction::toggled, &window, entry.run);
    } else {
        QObject::connect(action, &QAction::triggered, &window, entry.run);
    }
    return action;
}

// The menu at the path, made with the menus above it when it is new.
QMenu* MenuAt(QMenuBar& bar, const std::string& path, std::map<std::string, QMenu*>& menus) {
    if (QMenu* known = menus[path]) {
        return known;
    }
    const std::size_t slash = path.rfind('/');
    const QString title = QString::fromStdString(path.substr(slash + 1));
    QMenu* menu = slash == std::string::npos
                      ? bar.addMenu(title)
                      : MenuAt(bar, path.substr(0, slash), menus)->addMenu(title);
    menus[path] = menu;
    return menu;
}

}  // namespace

std::map<std::string, QMenu*> AddMenuTable(QWidget& window, QMenuBar& bar,
                                           std::span<const MenuEntry> table,
                                           std::map<std::string, QAction*>& actions) {
    std::map<std::string, QMenu*> menus;
    for (const MenuEntry& entry : table) {
        QMenu* menu = entry.menu != nullptr ? MenuAt(bar, entry.menu, menus) : nullptr;
        if (entry.name == nullptr) {
            menu->addSeparator();
        } else if ((entry.flags & kMenuSubmenu) != 0) {
            MenuAt(bar, std::string(entry.menu) + "/" + entry.text, menus)
                ->setObjectName(entry.name);
        } else {
            QAction* action =
                entry.text != nullptr ? MakeAction(window, entry) : actions.at(entry.name);
            actions[entry.name] = action;
            if (menu != nullptr) {
                menu->addAction(action);
            }
        }
    }
    return menus;
}

void PopUpMenu(QWidget& parent, std::initializer_list<const char*> names,
               const std::map<std::string, QAction*>& actions, const QPoint& at) {
    QMenu menu(&parent);
    for (const char* name : names) {
        if (*name == '\0') {
            menu.addSeparator();
        } else {
            menu.addAction(actions.at(name));
        }
    }
    menu.exec(at);
}

}  // namespace tw
