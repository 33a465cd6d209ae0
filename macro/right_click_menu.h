// The document view's right-click menu, as a tree the desktop program turns into a menu: the
// user's entries, the line items when exactly one line is a target, then the base menu.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "macro/command_table.h"

namespace qb {

struct MenuItem {
    enum class Kind { Command, Separator, Submenu };
    Kind kind = Kind::Command;
    CommandId command = 0;        // Command
    std::string caption;          // Command and Submenu; UTF-8, "&" before the mnemonic
    std::vector<MenuItem> items;  // Submenu

    static MenuItem Of(CommandId command, std::string caption) {
        return {Kind::Command, command, std::move(caption), {}};
    }
    static MenuItem Separator() { return {Kind::Separator, 0, {}, {}}; }
    static MenuItem Sub(std::string caption, std::vector<MenuItem> items) {
        return {Kind::Submenu, 0, std::move(caption), std::move(items)};
    }
};

// How the right-click menu shows a user's entry: its display name without the bracketed
// category ("[編集]コピー" shows as "コピー"); empty for an identifier the command-name table
// does not list.
std::string RightClickCaption(CommandId id);

// The fixed part of the right-click menu: line insertion and deletion, undo and redo, copy and
// paste, sorting, the shaping and conversion sub-menus and the character count.
const std::vector<MenuItem>& RightClickBaseMenu();

// The whole right-click menu: the user's entries (`userList`, in order) and a separator after
// them when there are any, then "行編集..." and "行挿入..." when exactly one line is a target
// (`targetLineCount` is 1), then the base menu.
std::vector<MenuItem> RightClickMenuItems(const std::vector<CommandId>& userList,
                                          int targetLineCount);

}  // namespace qb
