// Everything a front end implements to drive the core. The desktop program implements all four
// with Qt; qbay implements them for a terminal; tests implement them with fakes.
//
//   IHost               (core/host.h)                message boxes, questions, busy cursor,
//                                                    clipboard, the text-edit dialog
//   IMacroRecorderSink  (core/macro_recorder_sink.h) where documents send the macro lines of open,
//                                                    save and close (MacroRecorder implements it)
//   IWorkspace          (here)                       the open documents and the active one
//   ICommandUi          (here)                       the parameter dialogs a command asks for
//
// Paths are UTF-8; document text is Shift-JIS.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "convert/file_form.h"
#include "core/host.h"
#include "core/macro_recorder_sink.h"
#include "macro/command_table.h"
#include "macro/macro_args.h"

namespace qb {

class CQuillbayDoc;

// What the macro interpreter needs from the program around the documents: the open documents,
// which one is active, and the views that some commands are replayed through.
class IWorkspace {
public:
    virtual ~IWorkspace() = default;

    // The document of the active window; nullptr when none is open.
    virtual CQuillbayDoc* ActiveDocument() = 0;
    // Opens `path` as a new document window that becomes the active one (the document records
    // "Open path"). False when it could not be opened; the document has shown why.
    virtual bool OpenDocument(const std::string& path) = 0;
    // Closes the active document window (the document records "Close").
    virtual void CloseActiveDocument() = 0;
    // Saves the active document: under `path` when given (it becomes the document's path and
    // "Save path" is recorded), else under its own path ("Save" is recorded). False, after a
    // message, when it could not be written or has no path.
    virtual bool SaveActiveDocument(const std::optional<std::string>& path) = 0;
    // The same under `path` in the code and line ends of `form` ("Save path WORD LINEEND" is
    // recorded). By default the active document writes itself; a front end that does more
    // around a save overrides it.
    virtual bool SaveActiveDocumentAs(const std::string& path, const FileForm& form);
    // Opens a new document window holding the clipboard's text, which becomes the active one.
    // False (and no window) when the clipboard holds no text.
    virtual bool NewDocumentFromClipboard() = 0;
    // Hands command `id` to the active document's view as if it had been chosen from its menu
    // (so its confirmation, its macro line and its redraw happen as they do there).
    virtual void SendCommandToActiveView(CommandId id) = 0;
    // Asks every view of the active document to redraw.
    virtual void RedrawActiveDocument() {}
};

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

}  // namespace qb
