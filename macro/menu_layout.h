// Where each command sits on the menu bar: the bar with a document window open, the smaller bar
// with none, and the four pop-ups of the extended toolbar's drop-down buttons. Only identifiers,
// separators, submenu captions and the places of the lists filled at run time live here; a
// command's caption comes from the command table, so no caption is written twice. (The
// right-click menu has a model of its own, macro/right_click_menu.h.)
//
// The desktop program builds its menus from these lists. No window system is involved.
#pragma once

#include <string_view>
#include <vector>

#include "macro/command_table.h"

namespace qb {

enum class MenuBarItemKind : std::uint8_t {
    Command,
    Separator,
    Submenu,
    RecentFiles,  // the four most recently used files go here
    MacroMenu,    // the macro-menu entries go here, at the end of "オプション(&O)"
    WindowList,   // the open document windows go here
};

struct MenuBarItem {
    MenuBarItemKind kind = MenuBarItemKind::Command;
    CommandId id = 0;  // Command
    // Submenu: its caption. Command: a caption other than the table's first one (the second name
    // of an identifier, as "左揃え(&L)"); empty for the table's.
    std::string_view caption;
    std::vector<MenuBarItem> items;  // Submenu
};

// The caption of "オプション(&O)", the menu the macro-menu entries are appended to.
inline constexpr std::string_view kOptionsMenuCaption = "オプション(&O)";

// The top-level menus (each a Submenu) while a document window is active.
const std::vector<MenuBarItem>& DocumentMenuBar();
// The top-level menus while no document window is open: only commands that need no document.
const std::vector<MenuBarItem>& EmptyMenuBar();

enum class PopupMenu {
    ZenToHan,  // "全角→半角": drop-down of the extended bar's full-to-half-width button
    HanToZen,  // "半角→全角"
    Case,      // "大文字小文字"
    Code,      // "コード(&C)"
};
// A pop-up menu (a Submenu whose caption is its title).
const MenuBarItem& Popup(PopupMenu which);

// The caption a menu item shows: its own, or the command table's; empty for an unknown command.
std::string_view MenuBarItemCaption(const MenuBarItem& item);

// Calls `visit` for every Command item under `items`, submenus included, in menu order.
template <class Visit>
void ForEachMenuCommand(const std::vector<MenuBarItem>& items, Visit&& visit) {
    for (const auto& item : items) {
        if (item.kind == MenuBarItemKind::Command) visit(item);
        if (item.kind == MenuBarItemKind::Submenu) ForEachMenuCommand(item.items, visit);
    }
}

}  // namespace qb
