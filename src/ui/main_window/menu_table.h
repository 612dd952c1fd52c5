#pragma once

// A window's menus written as a table: each row is one named action in one menu (or in none,
// for the actions only context menus offer), a separator or a submenu.

#include <QKeySequence>
#include <functional>
#include <initializer_list>
#include <map>
#include <span>
#include <string>

class QAction;
class QMenu;
class QMenuBar;
class QPoint;
class QWidget;

namespace tw {

enum MenuFlag : unsigned {
    kMenuCheckable = 0x1,       // checkable; `run` reads the new check from the action
    kMenuChecked = 0x3,         // checkable, and checked to begin with
    kMenuToggled = 0x4,         // `run` follows every change of the check, not only the user's
    kMenuWidgetShortcut = 0x8,  // the key is only named: the focused control acts on it
    kMenuSubmenu = 0x10,        // a submenu named `name`, filled elsewhere
};

struct MenuEntry {
    // The menu's title, a submenu's after a '/'; none for an action only context menus offer.
    const char* menu = nullptr;
    // None for a separator. A name without text places the action already made under it.
    const char* name = nullptr;
    const char* text = nullptr;
    std::function<void()> run = nullptr;
    QKeySequence key = QKeySequence();
    unsigned flags = 0;
};

// Makes the table's actions (children of the window, entered in `actions` under their names)
// and its menus in the menu bar in the order they first appear; answers the menus by path.
std::map<std::string, QMenu*> AddMenuTable(QWidget& window, QMenuBar& bar,
                                           std::span<const MenuEntry> table,
                                           std::map<std::string, QAction*>& actions);

// Pops up a context menu of the named actions ("" for a separator) at the global position.
void PopUpMenu(QWidget& parent, std::initializer_list<const char*> names,
               const std::map<std::string, QAction*>& actions, const QPoint& at);

}  // namespace tw
