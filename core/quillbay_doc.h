// CQuillbayDoc: one open text, held as Shift-JIS lines, with its file name, modified flag,
// target-line state, undo history and operation parameters. Every text command of the program is
// a method of this class; the front ends and the macro interpreter call them.
//
// The methods are spread over several files by concern (core/, shape/, convert/doc_*.cpp); this
// header lists them all, grouped the same way.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/app_context.h"
#include "core/line.h"
#include "core/regexp.h"
#include "core/text_file.h"
#include "core/undo_stack.h"

namespace qb {

// How a new document gets its text (the command that creates it chooses).
enum class NewDocumentKind {
    Clipboard = 0,          // the clipboard's text, split at CR LF
    FileToMime = 1,         // a file's bytes as Base64 lines
    UnicodeFileToText = 2,  // a UTF-16LE file converted to Shift-JIS
    TextEdit = 3,           // the text-edit dialog
};

// Which lines an operation touches; see IsTargetLine.
struct TargetState {
    int firstLine = 1;        // 1-based, not checked against the number of lines
    int lastLine = 0;         // 1-based
    int lineStep = 1;         // only lines whose 0-based index is a multiple of it
    std::string condition;    // Shift-JIS; the line must contain it (or match it as a pattern)
    bool pattern = false;     // the condition is a regular expression
    bool invert = false;      // the final result is inverted
};

class CQuillbayDoc {
public:
    explicit CQuillbayDoc(AppContext& app);
    ~CQuillbayDoc();  // writes the pattern flag back to the settings
    CQuillbayDoc(const CQuillbayDoc&) = delete;
    CQuillbayDoc& operator=(const CQuillbayDoc&) = delete;

    AppContext& App() const { return m_app; }

    // ---- Lines ---------------------------------------------------------------------------------

    const LineList& Lines() const { return m_lines; }
    int LineCount() const { return static_cast<int>(m_lines.size()); }
    const Line& GetLine(int index) const { return m_lines[static_cast<std::size_t>(index)]; }

    // Line primitives; each is one operation (undo step, modified flag). Indexes are 0-based;
    // an index outside the document changes nothing (the undo step is still taken).
    void SetLine(int index, std::string_view text);
    void InsertLine(int index, std::string_view text);
    void InsertEndLine(std::string_view text);

    // All lines, each followed by CR LF.
    std::string GetAllText() const;
    // Replaces all lines by `text` split at CR LF. No undo step; the modified flag is kept.
    void SetAllText(std::string_view text);
    int CountTargetLines() const;
    // Sum over the target lines of their length plus 2 (for CR LF).
    long long TargetTextSize() const;

    // ---- Files ---------------------------------------------------------------------------------

    // Builds a new document. Kinds FileToMime and UnicodeFileToText read `path` (UTF-8).
    // False only for the clipboard kind when no line results (no document should be created).
    bool OnNewDocument(NewDocumentKind kind, const std::string& path = {});
    // Loads a file (UTF-8 path) by the text-mode rules of core/text_file.h, converts JIS or EUC
    // text to Shift-JIS when "System"/"Auto" is on, and records "Open path". False (after
    // showing the message) when the file cannot be read.
    bool OnOpenDocument(const std::string& path);
    // Loads standard input (or any open descriptor) as OnOpenDocument loads a file, code
    // conversion included; the document keeps no file name and nothing is recorded.
    bool OpenDescriptor(int fd);
    // Writes every line followed by the "System"/"CrLf" terminator, atomically: on any failure
    // the message is shown, the old file stays and false is returned, modified flag unchanged.
    bool OnSaveDocument(const std::string& path);
    // Records "Close" (the front end then destroys the document).
    void OnCloseDocument();

    // The File > Save command: writes to the document's own file and records "Save". False
    // when the document has no file name (the front end then asks for one and calls SaveAs).
    bool Save();
    // The File > Save As command, after the front end chose `path`: records "Save path", takes
    // `path` as the file name and writes.
    bool SaveAs(const std::string& path);

    // What the last open noticed that the user should know (UTF-8): a binary-looking file, text
    // cut short by Ctrl-Z. Front ends show these as warnings.
    const std::vector<std::string>& OpenWarnings() const { return m_openWarnings; }
    // Why the last save failed (UTF-8, with the system's reason), for front ends that can say more
    // than the message box.
    const std::string& LastSaveError() const { return m_lastSaveError; }

    const std::string& PathName() const { return m_pathName; }
    void SetPathName(const std::string& path) { m_pathName = path; }
    bool IsModified() const { return m_modified; }
    void SetModifiedFlag(bool modified = true) { m_modified = modified; }

    // ---- Operation frame -----------------------------------------------------------------------

    // Brackets every operation that changes lines: busy cursor and undo snapshot when it is
    // made (the snapshot is taken even when the operation then changes nothing), modified flag
    // when it ends. The caller redraws.
    class OperationFrame {
    public:
        explicit OperationFrame(CQuillbayDoc& doc);
        ~OperationFrame();
        OperationFrame(const OperationFrame&) = delete;
        OperationFrame& operator=(const OperationFrame&) = delete;

    private:
        CQuillbayDoc& m_doc;
        BusyCursor m_busy;
    };

    // One operation that replaces each target line by transform(line) (a std::string). A result
    // equal to the line keeps the old line, so it stays shared with the undo history.
    template <class Transform>
    void TransformTargetLines(Transform&& transform) {
        OperationFrame frame(*this);
        LineArena arena;
        const int count = LineCount();
        for (int i = 0; i < count; ++i) {
            if (!IsTargetLine(i)) continue;
            Line& line = m_lines[static_cast<std::size_t>(i)];
            const std::string result = transform(line.view());
            if (result != line.view()) line = arena.Make(result);
        }
    }

    // ---- Target lines --------------------------------------------------------------------------

    // Whether line `index` (0-based) is touched by operations: in the range, holding (or
    // matching) the condition, on the step, the whole inverted when invert is set.
    bool IsTargetLine(int index) const;
    // IsTargetLine of every line, for operations that insert or remove lines as they go.
    std::vector<char> TargetFlags() const;

    const TargetState& Target() const { return m_target; }
    // Direct access, for replaying "LineSelect" (which stores its values as they are).
    TargetState& Target() { return m_target; }

    // The target-line dialog confirmed: stores range, step, condition and pattern flag, the
    // range's ends swapped when the last line comes before the first. Invert is kept.
    void SelectLines(int firstLine, int lastLine, int lineStep, std::string_view condition,
                     bool pattern);
    // "TextAll": every line (range 1..number of lines, step 1, no condition). The pattern flag
    // and invert are kept, so after Notsel no line is a target.
    void TextAll();
    // "Notsel": inverts the selection.
    void Notsel();

    // ---- Undo and redo -------------------------------------------------------------------------

    // Stores the current lines and target range as an undo step.
    void PushUndo();
    bool CanUndo() const { return m_undo.CanUndo(); }
    bool CanRedo() const { return m_undo.CanRedo(); }
    // Neither touches the modified flag. False when there was nothing to undo or redo.
    bool Undo();
    bool Redo();
    const CVelmoUndoStack& UndoStack() const { return m_undo; }
    // Re-reads the document's file by the open rules, without code conversion, as one undoable
    // step, and clears the modified flag. False (after "ファイルが見つかりません") when the file
    // cannot be read or the document was never saved; nothing changes then.
    bool ToFirst();

    // ---- Code conversion on open and file-level conversions ------------------------------------

    // Runs after a file has been read, when "System"/"Auto" is on: detects the code of the lines
    // as read and converts JIS or EUC text to Shift-JIS as the first undoable operation.
    void ConvertCodeOnOpen();
    // New-document kinds 1 and 2: the file's bytes as Base64 lines, a UTF-16LE file as text.
    void NewFromFileAsMime(const std::string& path);
    void NewFromUnicodeFile(const std::string& path);

protected:
    AppContext& m_app;
    LineList m_lines;
    TargetState m_target;
    CVelmoUndoStack m_undo;
    mutable CRegExp m_targetRegex;  // the target-line test's own pattern object
    CRegExp m_regex;                // pattern replacement's
    std::string m_pathName;         // UTF-8; empty until the document is opened or saved
    bool m_modified = false;
    std::vector<std::string> m_openWarnings;
    std::string m_lastSaveError;

private:
    void ResetTargetRangeToAll();
    bool FinishOpen(TextReadResult read, LineList lines, const std::string& name);
};

}  // namespace qb
