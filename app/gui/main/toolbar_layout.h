// The buttons of the two toolbars: the standard bar ("標準バー", 27 slots) and the extended bar
// ("拡張バー", 25 slots). A button shows a short label; its tooltip is the command's caption.
#pragma once

#include <string_view>
#include <vector>

#include "macro/menu_layout.h"

namespace qb::gui {

struct ToolButton {
    enum class Kind {
        Command,  // runs `id`
        Separator,
        DropDown,   // runs `id`; its arrow opens `popup` below the button
        PopupOnly,  // pressing it (or its arrow) opens `popup`
    };
    Kind kind = Kind::Command;
    CommandId id = 0;
    std::string_view label;
    PopupMenu popup = PopupMenu::ZenToHan;
};

const std::vector<ToolButton>& StandardToolbar();
const std::vector<ToolButton>& ExtendedToolbar();

}  // namespace qb::gui
