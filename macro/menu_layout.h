// Where each command sits on the menus: the menu bar with a document window open, the smaller
// bar with none, the four pop-ups of the extended toolbar's drop-down buttons and the base of the
// right-click menu. Only identifiers, separators and submenu captions live here; a command's
// caption comes from the command table, so no caption is written twice.
//
// The desktop program builds its menus from these lists; key customization and the right-click
// menu read them too. No window system is involved.
#pragma once

#include <string_view>
#include <vector>

#include "macro/command_table.h"

namespace qb {

enum class MenuItemKind : std::uint8_t {
    Command,
    Separator,
    Submenu,
    RecentFiles,  // the four most recently used files go here
    MacroMenu,    // the macro-menu entries go here, at the end of "オプション(&O)"
    WindowList,   // the open document windows go here
};

struct MenuItem {
    MenuItemKind kind = MenuItemKind::Command;
    CommandId id = 0;  // Command
    // Submenu: its caption. Command: a caption other than the table's first one (the second name
    // of an identifier, as "左揃え(&L)"); empty for the table's.
    std::string_view caption;
    std::vector<MenuItem> items;  // Submenu
};

// The caption of "オプション(&O)", the menu the macro-menu entries are appended to.
inline constexpr std::string_view kOptionsMenuCaption = "オプション(&O)";

// The top-level menus (each a Submenu) while a document window is active.
const std::vector<MenuItem>& DocumentMenuBar();
// The top-level menus while no document window is open: only commands that need no document.
const std::vector<MenuItem>& EmptyMenuBar();

enum class PopupMenu {
    ZenToHan,        // "全角→半角": drop-down of the extended bar's full-to-half-width button
    HanToZen,        // "半角→全角"
    Case,            // "大文字小文字"
    Code,            // "コード(&C)"
    RightClickBase,  // the fixed part of the view's right-click menu
};
// A pop-up menu (a Submenu whose caption is its title).
const MenuItem& Popup(PopupMenu which);

// The caption a menu item shows: its own, or the command table's; empty for an unknown command.
std::string_view MenuItemCaption(const MenuItem& item);

// Calls `visit` for every Command item under `items`, submenus included, in menu order.
template <class Visit>
void ForEachMenuCommand(const std::vector<MenuItem>& items, Visit&& visit) {
    for (const auto& item : items) {
        if (item.kind == MenuItemKind::Command) visit(item);
        if (item.kind == MenuItemKind::Submenu) ForEachMenuCommand(item.items, visit);
    }
}

}  // namespace qb
