// The macro menu: the items at the end of "オプション(&O)", and running one of them.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/app_context.h"
#include "macro/command_table.h"
#include "macro/macro_controller.h"

namespace qb {

struct MacroMenuItem {
    CommandId command = 0;  // kMacroMenuFirst + the entry's index
    std::string caption;    // the entry's name, as the user gave it

    friend bool operator==(const MacroMenuItem&, const MacroMenuItem&) = default;
};

// The items of the macro menu as the settings hold them now (section "DirMenu"). The window
// rebuilds them on every menu show and window activation.
std::vector<MacroMenuItem> MacroMenuItems(const SettingsStore& settings);

// Whether `id` is one of the 30 macro menu commands.
bool IsMacroMenuCommand(CommandId id);

// Runs macro menu command `id` (32853-32882, also while recording): loads the table and runs
// its entry's file with `macros`. An entry the table does not hold (a key or a right-click item
// bound to it, say) and the file being recorded into (replaying it would record its own lines
// and never end) are refused with a message; the result is then nullopt.
std::optional<MacroRunEnd> RunMacroMenuEntry(CommandId id, AppContext& app,
                                             MacroController& macros);

// The name the macro entry dialog proposes for a chosen file: its name without folder and
// extension ("/home/u/macros/clean.qmc" gives "clean").
std::string MacroNameFromPath(const std::string& path);

}  // namespace qb
