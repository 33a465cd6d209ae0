// The commands of the macro language: the 89 names the interpreter knows, in its lookup order,
// each with the forms of its arguments, the operation it runs and a line of help.
//
// A row's `run` is the document operation, called with the decoded arguments by the interpreter
// and, for a command chosen in a menu, through RunViewCommand (macro/view_command.h). Commands that
// the interpreter replays through the view (`viewCommand`) are run there only.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/app_context.h"
#include "macro/command_table.h"
#include "macro/macro_args.h"
#include "macro/macro_line.h"

namespace qb {

class CQuillbayDoc;
class IWorkspace;

struct MultiFileResult;

// What one run of macro lines decides for itself, beyond what every run shares (AppContext).
struct MacroRunOptions {
    // The MultiFileReplace command only previews and writes nothing (qbay's --dry-run).
    bool multiFileDryRun = false;
    // How many files MultiFileReplace reads and replaces at once (qbay's -j).
    int multiFileWorkers = 1;
    // When set, receives what each MultiFileReplace did or would do.
    std::function<void(const MultiFileResult&)> multiFileReport = nullptr;
};

struct MacroRunContext {
    AppContext& app;
    IWorkspace& workspace;
    CQuillbayDoc* doc;  // the active document; null only for the commands that run without one
    const MacroRunOptions* run = nullptr;  // null: a command chosen in the view, run as it is
};

// What an operation did.
struct OpResult {
    int count = -1;         // replacements made, for the commands that report them
    int filesChanged = -1;  // files rewritten by the multi-file replace
};

using MacroParseFn = MacroArgs (*)(const MacroLineTokens&);
using MacroRunFn = OpResult (*)(MacroRunContext&, const MacroArgs&);

struct MacroCommand {
    std::string_view name;
    // Argument forms (macro/macro_args.h), in macro-line order. They say how the arguments are
    // read (unless `parse` is set) and how the view writes them.
    std::string_view forms;
    std::string_view usage;    // argument names for help: "COLUMN TEXT"
    std::string_view summary;  // what it does, for help (one line, English)
    MacroRunFn run;
    MacroParseFn parse = nullptr;  // reads older line forms too; null: by `forms`
    CommandId viewCommand = 0;     // replayed by handing this command to the active view
    bool runsWithoutDocument = false;
    bool recordedByDocument = false;  // the document records it itself (Open, Save, Close)
    // The operation works on the target lines, so the target test must be checked first
    // (CQuillbayDoc::CheckTargetTest).
    bool usesTargetLines = true;
    // It replaces each target line by a function of that line alone, never adds or removes
    // lines or changes the target range in a way the next command could see, and keeps no state
    // from one line to the next, so that it gives the same result over a text a block of lines
    // at a time (JisToSjis, ToLineUpper and MimeToSjis carry state across lines; ToSjis, ToRight
    // and ToCenter look at every line first; the wrapping and splitting commands that add lines
    // also grow the range over them, so every line stays a target). Some of its argument forms
    // may still not be (app/cli/line_stream.h says which).
    bool lineLocal = false;
};

// The 89 commands in the interpreter's lookup order.
const std::vector<MacroCommand>& MacroCommands();

// The first command whose name equals `name` without regard to ASCII case; nullptr when none
// does (an empty name, or one with a trailing space, matches nothing).
const MacroCommand* FindMacroCommand(std::string_view name);

// The decoded arguments of a split line for `command`.
[[nodiscard]] MacroArgs ParseMacroArgs(const MacroCommand& command, const MacroLineTokens& tokens);

}  // namespace qb
