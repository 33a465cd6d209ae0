// MacroInterpreter: runs one macro line at a time against the active document.
//
// The line is split (macro/macro_line.h), its command looked up without regard to case, its
// arguments decoded, and the command's operation called directly: no confirmation, no dialog.
// `TextAll`, `Notsel`, `Copy` and `PastePlus` are handed to the active view instead, as if
// chosen from its menu. An empty line, a line that begins with a space and an unknown command
// name do nothing. A command other than `Open` and `Paste` with no document open shows
// "文書が存在しません" and stops the run.
#pragma once

#include <string_view>

#include "core/app_context.h"
#include "core/quillbay_doc.h"
#include "macro/macro_commands.h"
#include "macro/parsed_macro_line.h"

namespace qb {

class IWorkspace;

enum class MacroResult { Continue, Stop };

// What happened to the last line, for callers that report more than the result.
struct MacroOutcome {
    enum Kind {
        Empty,             // no command name
        Unknown,           // a name no command has
        Ran,               // the command ran (or went to the view)
        MissingArgument,   // a required number was not given; nothing ran
        NoDocument,        // no document was open; the run stops
        TargetTestFailed,  // the target-line pattern could not be tested; the run stops
    } kind = Empty;
    const MacroCommand* command = nullptr;
    // What the command added to the text by its own estimate, when it checked (see
    // CQuillbayDoc::AllowGrowth); 0 otherwise.
    long long growth = 0;
    // How many replacements the command made, for those that tell it (Replace, SuperReplace,
    // DelStr, ...; the multi-file replace has a report of its own); -1 for the others.
    int count = -1;
};

class MacroInterpreter {
public:
    MacroInterpreter(AppContext& app, IWorkspace& workspace);

    // Executes one macro line (Shift-JIS, without line end). Stop when no document was open for
    // a command that needs one, or when the target-line pattern could not be tested for a
    // command that uses the target lines (the command then changes nothing, or, where a test
    // failed only as it ran, says so).
    MacroResult Execute(std::string_view line);
    // The same for a line split already. `growthAllowance` bounds what the command may add to
    // the text (CQuillbayDoc::SetGrowthAllowance): a front end that runs a text block by block
    // passes what is left of the bound for the whole text.
    MacroResult Execute(const ParsedMacroLine& line,
                        long long growthAllowance = CQuillbayDoc::kMaxGrowth);
    const MacroOutcome& LastOutcome() const { return m_outcome; }

    // When on, the line of every command that ran is handed to the recorder, with the command's
    // name spelt as in the table; commands recorded by the document (Open, Save, Close) or by
    // the view they are handed to are left to them. qbay uses this to write the macro of a
    // command line; the desktop program leaves it off, as replaying a macro records nothing.
    void SetRecordsLines(bool on) { m_recordsLines = on; }
    // What the lines run from here on decide for themselves (qbay's --dry-run and report).
    void SetRunOptions(MacroRunOptions options) { m_runOptions = std::move(options); }

private:
    AppContext& m_app;
    IWorkspace& m_workspace;
    MacroOutcome m_outcome;
    bool m_recordsLines = false;
    MacroRunOptions m_runOptions;
};

}  // namespace qb
