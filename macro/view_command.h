// The steps of a view command, independent of any window system: how a command chosen from a
// menu, a key, a toolbar or the right-click menu runs on the active document.
//
// 1. Confirmation: when the command has a prompt and "System"/"Verify" is on, the host asks;
//    anything but OK ends the command with no effect and no macro line.
// 2. Dialog: the front end shows the command's parameter or file dialog (ICommandUi); Cancel
//    ends the command with no effect and no macro line.
// 3. The macro line is formed and handed to the recorder, before or after the operation as the
//    command table says.
// 4. The operation runs (the same handler the macro interpreter calls).
// 5. The views of the document are asked to redraw.
//
// A front end supplies only the dialogs; qbay hands its view commands here too.
#pragma once

#include <string>

#include "macro/command_table.h"
#include "macro/front_end.h"
#include "macro/macro_args.h"

namespace qb {

enum class CommandOutcome {
    Done,
    Cancelled,   // the confirmation or the dialog was cancelled, or the operation was stopped
    Refused,     // the command said why it cannot run (a message was shown)
    NotHandled,  // not a view command (the main window's, or one with its own window)
};

// Runs view command `id` on `doc` (whose host and settings are used) through the steps above.
CommandOutcome RunViewCommand(CommandId id, CQuillbayDoc& doc, IWorkspace& workspace,
                              ICommandUi& ui);

struct MacroCommand;

// Steps 2 and 3 alone: what a command with form Fixed, Dialog or one of the special forms of
// the table would run and record. `outcome` is Done when it is ready to run.
struct ViewInvocation {
    CommandOutcome outcome = CommandOutcome::Done;
    const MacroCommand* command = nullptr;  // null: nothing runs
    std::string line;                       // empty: nothing is recorded
    MacroArgs args;                         // what the operation gets
};
ViewInvocation PrepareViewCommand(const CommandInfo& info, CQuillbayDoc& doc, ICommandUi& ui);

}  // namespace qb
