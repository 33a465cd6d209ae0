// Running macro files, and the macro commands of the main window: recording on and off, running
// a macro file, running one over several files.
//
// The desktop program supplies the file dialogs (as functions that return the chosen path or
// nothing on Cancel); everything else happens here, so qbay and the tests run the same code.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/app_context.h"
#include "core/file_progress.h"
#include "macro/macro_interpreter.h"
#include "macro/macro_recorder.h"

namespace qb {

class IWorkspace;

struct MacroFileOptions {
    // The file is UTF-8 (a file written by hand on a UTF-8 system): each line is converted to
    // Shift-JIS before it runs, and a byte-order mark at its start is dropped.
    bool utf8 = false;
    // Called after each line has run, with its number (from 1) and the line as it ran.
    std::function<void(long lineNumber, std::string_view sjisLine, const MacroOutcome&)> onLine;
    // Asked after each line (after onLine); true ends the run there, as a stopping line does.
    std::function<bool()> stopHere;
};

// Macro files are small: a file larger than this is no macro file and is not run.
constexpr std::size_t kMaxMacroFileSize = 16 << 20;

enum class MacroRunEnd {
    Finished,    // every line ran
    Stopped,     // a line stopped the run (no document was open)
    CannotOpen,  // "ファイルを開けません"; nothing ran
    ReadError,   // the file could not be read to its end (said so); the lines before it ran
};

// Runs every line of the macro file `path` (UTF-8) through `interpreter`, whole lines of any
// length, in order, until one stops the run; then asks the active document's views to redraw.
// The file is read whole first (a regular file or a pipe of at most kMaxMacroFileSize bytes;
// see ReadSmallFile), so that the lines run from memory.
MacroRunEnd RunMacroFile(const std::string& path, MacroInterpreter& interpreter,
                         IWorkspace& workspace, IHost& host, const MacroFileOptions& options = {});
// The same over the bytes of a macro file already read; `name` names it in messages.
MacroRunEnd RunMacroText(std::string_view bytes, const std::string& name,
                         MacroInterpreter& interpreter, IWorkspace& workspace, IHost& host,
                         const MacroFileOptions& options = {});

// What the run over several files does with each document after the macro has run over it
// (the setting "MacroExe"/"EndMode").
enum class MacroEndMode { Leave = 0, Save = 1, SaveAndClose = 2 };

// The macro commands of the main window. Owns the recorder and the interpreter and hands the
// recorder to `app`, so that documents record open, save and close into it.
class MacroController {
public:
    using PathChooser = std::function<std::optional<std::string>()>;

    MacroController(AppContext& app, IWorkspace& workspace);
    ~MacroController();
    MacroController(const MacroController&) = delete;
    MacroController& operator=(const MacroController&) = delete;

    MacroRecorder& Recorder() { return m_recorder; }
    MacroInterpreter& Interpreter() { return m_interpreter; }

    // Recording on or off ("マクロ記録(&C)"). Turning it on asks `chooseNewFile` for the file
    // (the save dialog "マクロファイル名の入力"); Cancel, or a file that cannot be created,
    // leaves recording off.
    void ToggleRecording(const PathChooser& chooseNewFile);
    // "マクロ実行(&X)...": refused with "マクロ記録中です!" while recording; otherwise asks
    // `chooseFile` (the open dialog "ﾏｸﾛﾌｧｲﾙ名の入力") and runs the file.
    void RunMacro(const PathChooser& chooseFile);
    // Runs a macro file (also from the macro menu, also while recording).
    MacroRunEnd RunMacroFile(const std::string& path, const MacroFileOptions& options = {});
    // Runs the bytes of a macro file already read (see qb::RunMacroText).
    MacroRunEnd RunMacroText(std::string_view bytes, const std::string& name,
                             const MacroFileOptions& options = {});
    // Opens each of `files` in turn, runs the macro over it and then leaves, saves, or saves and
    // closes it. Files that cannot be opened are skipped. The macro file is read once; one that
    // cannot be read is reported once and nothing is opened. Each file is reported to `progress`
    // before it is opened; when that says stop, the files before it stay as the end mode left
    // them.
    void RunOverFiles(const std::string& macroPath, const std::vector<std::string>& files,
                      MacroEndMode endMode, const FileProgress& progress = nullptr);

private:
    AppContext& m_app;
    IWorkspace& m_workspace;
    MacroRecorder m_recorder;
    MacroInterpreter m_interpreter;
};

}  // namespace qb
