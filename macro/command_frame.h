// The view's command frame, independent of any window system: how a command chosen from a menu,
// a key, a toolbar or the right-click menu runs on the active document.
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

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "macro/command_table.h"
#include "macro/macro_args.h"

namespace qb {

class CQuillbayDoc;
class IWorkspace;

// What the front end is asked to show. The values a dialog returns, in this order:
//   Number, JoinCount, TabWidth       the number
//   Text, LineText                    the text (Shift-JIS)
//   Overwrite                         column, text
//   Numbering                         step, digits, column, start, zero-suppress flag
//   Insert                            column, text as typed (escapes are read before use)
//   DeleteColumns, SpaceToCsv         first column, last column
//   SpaceInsert                       column, count, overwrite flag
//   BreakAt, TabAt                    text, replace flag
//   SelectLines                       step, condition, first line, last line, pattern flag
//   Replace                           search, replacement (both as typed), comparison flags,
//                                     pattern flag
//   DeleteString                      search as typed, comparison flags, pattern flag
//   SuperReplace                      start, end, replacement (as typed)
//   ReplaceDouble                     start, start replacement, end, end replacement, escape
//   MultiReplace                      folder and file pattern (UTF-8), search and replacement
//                                     (as typed)
//   Sort                              mode, first column, last column, numeric flag for each
//                                     key in use (4, 8 or 12 values)
//   DuplicateLines                    partial flag, first column, last column, sorted flag
//   ZenToHanKinds, HanToZenKinds      the mask of character kinds
//   SaveFile, OpenFile                the chosen path (UTF-8)
// Dialogs keep their own remembered values in the settings, except Number and Text, whose
// value the frame presets and stores (storeSection/storeName of the command).
struct DialogRequest {
    CommandDialog kind;
    const CommandInfo& command;
    CQuillbayDoc& doc;
    std::string_view text;   // the prompt or title of the table
    int presetNumber = 0;    // Number: the remembered value
    std::string presetText;  // Text: the remembered value; LineText: the line to edit
};

class ICommandUi {
public:
    virtual ~ICommandUi() = default;
    // Shows the dialog; its values in the order above, or nullopt on Cancel.
    virtual std::optional<std::vector<MacroValue>> ShowDialog(const DialogRequest& request) = 0;
    // The report after a multi-file replace ("置換終了").
    virtual void ShowMultiReplaceReport(int filesChanged, int replacements) = 0;
    // Asks every view of `doc` to redraw.
    virtual void Redraw(CQuillbayDoc& doc) = 0;
};

enum class CommandOutcome {
    Done,
    Cancelled,   // the confirmation or the dialog was cancelled
    Refused,     // the command said why it cannot run (a message was shown)
    NotHandled,  // not a command of this frame (the main frame's, or one with its own window)
};

// Runs view command `id` on `doc` (whose host and settings are used) through the frame above.
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
