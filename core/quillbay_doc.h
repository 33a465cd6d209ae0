// CQuillbayDoc: one open text, held as Shift-JIS lines, with its file name, modified flag,
// target-line state, undo history and operation parameters. Every text command of the program is
// a method of this class; the front ends and the macro interpreter call them.
//
// The methods are spread over several files by concern (core/ for the document itself,
// core/commands/ for the operations); this header lists them all, grouped the same way.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "convert/code_kind.h"
#include "convert/code_loss.h"
#include "convert/file_form.h"
#include "convert/stand_in_table.h"
#include "convert/sjis_searcher.h"
#include "core/app_context.h"
#include "core/file_stamp.h"
#include "core/line.h"
#include "core/regexp.h"
#include "core/text_file.h"
#include "core/undo_stack.h"

// Replacement and line-list operations.
#include "core/commands/sort_item.h"
#include "core/commands/text_count.h"

namespace qb {

struct DetectedForm;

// How a new document gets its text (the command that creates it chooses).
enum class NewDocumentKind {
    Clipboard = 0,          // the clipboard's text, split at CR LF
    FileToMime = 1,         // a file's bytes as Base64 lines
    UnicodeFileToText = 2,  // a UTF-16LE file converted to Shift-JIS
    TextEdit = 3,           // the text-edit dialog
};

// Which lines an operation touches; see IsTargetLine.
struct TargetState {
    int firstLine = 1;      // 1-based, not checked against the number of lines
    int lastLine = 0;       // 1-based
    int lineStep = 1;       // only lines whose 0-based index is a multiple of it
    std::string condition;  // Shift-JIS; the line must contain it (or match it as a pattern)
    bool pattern = false;   // the condition is a regular expression
    bool invert = false;    // the final result is inverted
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
    // The same from `reader`, which the caller opened on `path` (by its own rules).
    bool OnOpenDocument(const std::string& path, TextLineReader& reader);
    // Loads standard input (or any open descriptor) as OnOpenDocument loads a file, code
    // conversion included; the document keeps no file name and nothing is recorded.
    bool OpenDescriptor(int fd);
    // Opens as OnOpenDocument does from a reader: reads it to its end, warns under `name`,
    // converts the code as "System"/"Auto" says (not at all without `convertCode`: the caller
    // decides the code). Nothing is recorded and no file name is set.
    bool OpenFromReader(TextLineReader& reader, const std::string& name, bool convertCode = true);
    // Opens the bytes of UTF-8 or UTF-16 text found to be in `detected`'s form (a byte-order mark
    // included) as OnOpenDocument opens such a file, through stand-ins. `path` is the file they
    // are (recorded as opened), or empty for text from elsewhere (a pipe).
    bool OpenUnicodeText(const std::string& path, const DetectedForm& detected,
                         std::string_view bytes);
    // Takes `lines` as the whole text, as a new document would: the range covers them all, no
    // undo step, no code conversion, modified flag unchanged.
    void TakeLines(LineList lines);
    // Hands the lines over to the caller, leaving the document empty (for a caller done with it).
    LineList ExtractLines() { return std::exchange(m_lines, LineList()); }
    // Writes every line followed by the "System"/"CrLf" terminator, atomically: on any failure
    // the message is shown, the old file stays and false is returned, modified flag unchanged.
    // `check` says what to do about lines that would not read back as written (LastSaveLoss()
    // names the first): a save that Refuse stops writes nothing and shows no message, as the
    // front end that asked for it says why. The save is told to AppContext::progress as it
    // writes; stopped there, it writes nothing and shows nothing (LastSaveError() stays empty).
    bool OnSaveDocument(const std::string& path, ReadBackCheck check = ReadBackCheck::None);
    // Records "Close" (the front end then destroys the document).
    void OnCloseDocument();

    // The File > Save command: writes to the document's own file and records "Save". False
    // when the document has no file name (the front end then asks for one and calls SaveAs).
    bool Save();
    // The File > Save As command, after the front end chose `path`: records "Save path", takes
    // `path` as the file name and writes.
    bool SaveAs(const std::string& path);
    // The same in the code and line ends of `form` (the last line ends as the document's did),
    // which becomes the document's form; records "Save path WORD LINEEND" (FileFormWord,
    // LineEndName), which replays to the same bytes.
    bool SaveAs(const std::string& path, const FileForm& form);

    // ---- The file's form ----------------------------------------------------------------------

    // The form of the file the document was read from (convert/file_form.h): its code, line ends
    // and whether its last line ended. Shift-JIS CR LF for a new document. Save writes it back
    // in this form, as SaveForm() says.
    const FileForm& Form() const { return m_form; }
    void SetForm(const FileForm& form) { m_form = form; }
    // The form Save writes: Form(), with the line ends "System"/"CrLf" 1 (CR) or 2 (LF) ask
    // for; with "System"/"KeepCode" 0, Shift-JIS with the "System"/"CrLf" line ends after every
    // line, as older versions saved.
    FileForm SaveForm() const;
    // The characters Shift-JIS lacks, held in the lines as stand-ins (convert/stand_in_table.h).
    const StandInTable& StandIns() const { return m_standIns; }
    // The table for giving out stand-ins to new text (a dialog's, the clipboard's): the first
    // call after opening a file read as Shift-JIS excludes the area codes its lines use.
    StandInTable& StandInsForNewText();
    // Whether the lines are bytes that saving writes as they are, with no conversion: after a
    // command converted them into another code (SjisToUtf8, SjisToJis, ...), and after undoing
    // the conversion made on opening (the file's own bytes).
    bool BytesFinal() const { return m_bytesForm.has_value(); }
    // The code the final bytes are in (FormWrite::bytesForm); nothing unless BytesFinal().
    const std::optional<FileForm>& BytesForm() const { return m_bytesForm; }

    // What the last open noticed that the user should know (UTF-8): a binary-looking file, text
    // cut short by Ctrl-Z. Front ends show these as warnings.
    const std::vector<std::string>& OpenWarnings() const { return m_openWarnings; }
    // Whether a Ctrl-Z ended the text of the last open before the end of the file: saving over
    // that file would lose every byte after the Ctrl-Z.
    bool OpenCutShort() const { return m_openCutShort; }
    // Whether the file of the last open held zero bytes (UTF-16 text, a binary file): saving it
    // as lines would not give back its bytes.
    bool OpenHeldZeroBytes() const { return m_openHeldZeroBytes; }
    // Whether another program has written the document's file since it was opened or last
    // saved here (its size or modification time differ), so that saving would overwrite that
    // change. False when the file is gone, or the document never came from a file.
    bool FileChangedOnDisk() const;
    // The code the last open converted the text from (CodeJis or CodeEuc), or CodeShiftJis when
    // it converted nothing.
    CodeKind OpenConversion() const { return m_openConversion; }
    // Why the last save failed (UTF-8, with the system's reason), for front ends that can say more
    // than the message box.
    const std::string& LastSaveError() const { return m_lastSaveError; }
    // The first line of the last save that would not read back as written, when its check
    // looked for one.
    const std::optional<ReadBackLoss>& LastSaveLoss() const { return m_lastSaveLoss; }

    const std::string& PathName() const { return m_pathName; }
    void SetPathName(const std::string& path) { m_pathName = path; }
    bool IsModified() const { return m_modified; }
    void SetModifiedFlag(bool modified = true) { m_modified = modified; }

    // ---- Operation scope -----------------------------------------------------------------------

    // Brackets every operation that changes lines: busy cursor and undo snapshot when it is
    // made (the snapshot is taken even when the operation then changes nothing), modified flag
    // when it ends. The caller redraws.
    class OperationScope {
    public:
        explicit OperationScope(CQuillbayDoc& doc);
        ~OperationScope();
        OperationScope(const OperationScope&) = delete;
        OperationScope& operator=(const OperationScope&) = delete;

    private:
        CQuillbayDoc& m_doc;
        BusyCursor m_busy;
        bool m_outermost;
        bool m_wasModified;
        const CVelmoUndoUnit* m_snapshot = nullptr;  // the undo step it took, when it took one
    };

    // Whether the last operation was stopped through AppContext::progress, and so put back as it
    // was, without an undo step. Reading it clears it.
    bool TakeStopped() { return std::exchange(m_stopped, false); }

    // One operation that replaces each target line by transform(line) (a std::string). A result
    // equal to the line keeps the old line, so it stays shared with the undo history.
    template <class Transform>
    void TransformTargetLines(Transform&& transform) {
        OperationScope scope(*this);
        LineArena arena;
        const int count = LineCount();
        PrepareTargetTest();
        for (int i = 0; i < count && m_poll(i, count); ++i) {
            if (!IsPreparedTargetLine(i)) continue;
            Line& line = m_lines[static_cast<std::size_t>(i)];
            const std::string result = transform(line.view());
            if (result != line.view()) line = arena.Make(result);
        }
    }

    // Whether an operation that adds about `perLine(line)` bytes to each target line (its
    // estimate, each line it adds counted as kAddedLineCost bytes) may run: the sum must not
    // pass the growth allowance (SetGrowthAllowance; 1 GiB). Otherwise the message is shown and
    // false returned, before anything changes. Sets LastGrowth(). The operations whose
    // arguments can make a result of any size (columns, counts, widths) ask first.
    template <class PerLine>
    bool AllowGrowth(PerLine&& perLine);

    // ---- Size of results -----------------------------------------------------------------------

    static constexpr long long kMaxGrowth = 1LL << 30;  // 1 GiB
    static constexpr long long kAddedLineCost = 32;     // a line's handle and header
    // How much one operation may add to the text (see AllowGrowth); kMaxGrowth unless lowered.
    // A front end that runs a text block by block lowers it to what is left for the block at
    // hand (MacroInterpreter::Execute sets it for every macro line). Forgets LastGrowth().
    void SetGrowthAllowance(long long bytes) {
        m_growthAllowance = bytes;
        m_lastGrowth = 0;
    }
    // What the last operation that asked AllowGrowth would add: its estimate.
    long long LastGrowth() const { return m_lastGrowth; }

    // ---- Target lines --------------------------------------------------------------------------

    // Whether line `index` (0-based) is touched by operations: in the range, holding (or
    // matching) the condition, on the step, the whole inverted when invert is set.
    bool IsTargetLine(int index) const;
    // IsTargetLine of every line, for operations that insert or remove lines as they go.
    std::vector<char> TargetFlags() const;
    // Whether the target test can be made on every line: false, after showing one message
    // that says why, when the condition is a pattern the engine refuses or cannot finish on
    // some line (its limits). The document is not changed. Front ends call it before an
    // operation that uses the target lines, so that a failing test stops the operation
    // instead of counting as "no match" (with invert set, as "every line").
    bool CheckTargetTest();
    // Why a target test made since the last CheckTargetTest failed (UTF-8); empty when none
    // did. A failed test counts as no match.
    const std::string& TargetTestError() const { return m_targetTestError; }

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

    // ---- Line shaping: wrapping, column operations, whitespace, alignment, joining -------------
    //
    // Each of these is one operation over the target lines (undo step, modified flag); lines
    // that are not targets are never changed. Arguments come in the order of their macro lines;
    // strings are Shift-JIS. Columns are 1-based byte positions; no operation splits a
    // double-byte character.

    // The last parameters of the column operations, kept between runs: the dialogs and the
    // macro interpreter may set them, and the operations store the values they are called with.
    struct ShapeParams {
        int width = 1;  // KetaChange, IndentChange, and the wrap width
        int overwriteColumn = 1;
        std::string overwriteText;
        int insertColumn = 1;
        std::string insertText;
        int renoIncrement = 1;
        int renoDigits = 1;
        int renoColumn = 1;
        int renoStart = 1;
        int renoZeroSuppress = 1;
    };
    ShapeParams& ShapeParameters() { return m_shape; }
    const ShapeParams& ShapeParameters() const { return m_shape; }

    // Folds every target line at `width` columns with the kinsoku settings of the application
    // and "Turn"/"English"; the last target line grows by the number of lines added. Every
    // folded line holds at least one character (a width of 0 or less gives one per line).
    void TurnChange(int width);
    // The same, repeating each line's leading blanks on its continuation lines.
    void IndTurnChange(int width);
    // Breaks every target line after each `breakString` (in its place when `replace` is not 0).
    // The last target line stays. An empty string breaks nothing.
    void TurnIf(std::string_view breakString, int replace);

    // Cuts every target line to `width` bytes (one less where a double-byte character would be
    // split) or pads it with spaces to `width`; 0 or less empties the lines.
    void KetaChange(int width);
    // Puts `count` spaces in front of every non-empty target line.
    void IndentChange(int count);
    // Inserts `text` at `column` (lines are padded first); CR LF in the result splits the line.
    // The last target line stays. Columns below 1 count as 1.
    void InsertString(int column, std::string_view text);
    // Writes `text` over the bytes from `column` on (padding as needed). Columns below 1 count
    // as 1.
    void OverwriteString(int column, std::string_view text);
    // Writes start, start + increment, ... over `digits` columns from `column` of the target
    // lines, zero-filled or (zeroSuppress 1) space-filled. "埋め込み桁数が多すぎます" and no
    // change for 2048 digits or more.
    void RenoString(int increment, int digits, int column, int start, int zeroSuppress);
    // Removes columns first … last (inclusive) of every target line.
    void DeletePos(int first, int last);
    // Inserts (overwrite 0) or writes over (otherwise) max(1, |count|) spaces at `column`.
    void SpaceInsert(int column, int count, int overwrite);
    // One space in front of every target line; the first column of every target line removed.
    void ShiftRight();
    void ShiftLeft();

    // Removes target lines that are empty or hold only spaces, full-width spaces and tabs.
    void DelSpaceLine();
    // Turns every run of blank target lines (spaces and full-width spaces) into one empty line.
    void DelSpaceMultiLine();
    // Empties target lines that hold only spaces and full-width spaces.
    void DelSpaceOnly();
    // Removes the leading / trailing spaces and full-width spaces of every target line.
    void DelSpaceFirst();
    void DelSpaceBack();
    // Expands tabs to `tabWidth`-column cells / turns spaces that reach a tab stop into tabs.
    // A width of 0 or less leaves the lines as they are.
    void TabSpace(int tabWidth);
    void SpaceTab(int tabWidth);
    // Centres / right-aligns every target line on the longest line of the document.
    void ToCenter();
    void ToRight();
    // Puts a tab after each `separator` (in its place when `replace` is not 0). An empty
    // separator changes nothing.
    void TabIf(std::string_view separator, int replace);
    // Turns the first space after each field between columns first … last into a comma.
    void SpToCsv(int first, int last);
    // Joins the target lines of each block (blocks end at empty lines and after "。").
    void ToOneline();
    // Joins all target lines into the first one.
    void ToOnelineAll();
    // Joins every `count` consecutive target lines into one (all of them for a count below 2).
    void OnelineNo(int count);
    // Splits target lines at each CR / LF byte (the byte is dropped).
    void CtlMToCRLF();
    void LFToCRLF();

private:
    ShapeParams m_shape;

public:
    // ---- Code conversion on open and file-level conversions ------------------------------------

    // Runs after a file has been read, when "System"/"Auto" is on: detects the code of the lines
    // as read (all of them when `wholeText`, else the first of them, as core/open_code.h says)
    // and converts JIS or EUC text to Shift-JIS as the first undoable operation.
    void ConvertCodeOnOpen(bool wholeText = true);
    // New-document kinds 1 and 2: the file's bytes as Base64 lines, a UTF-16LE file as text.
    // When the file cannot be read, "ファイルが開けません" is shown and the document stays empty.
    void NewFromFileAsMime(const std::string& path);
    void NewFromUnicodeFile(const std::string& path);

    // ---- Document conversion commands
    // ------------------------------------------------------------
    //
    // Each command is one operation over the target lines (one undo step, modified flag): every
    // non-empty target line is converted and replaced; empty lines stay empty. The arguments
    // are those of the command's macro line (macro/command_table.cpp lists the names and
    // the confirmation texts the front ends show first).

    // Width (core/commands/width_commands.cpp). `kind`: 0 all, 1 letters, 2 digits, 3 kana;
    // `flags`: the WidthFlags byte of convert/width.h.
    void ZenToHan(int kind = 0);
    void ZenToHan2(int kind) { ZenToHan(kind); }
    void HanToZen(int kind = 0);
    void HanToZen2(int kind) { HanToZen(kind); }
    void ZenToHanSw(int flags);
    void HanToZenSw(int flags);

    // Case and kana (core/commands/case_kana_commands.cpp). ToUpper and ToZenUpper (ToLower and
    // ToZenLower) do the same: every letter with a case partner, single-byte or double-byte, is
    // converted.
    void ToUpper();
    void ToLower();
    void ToZenUpper();
    void ToZenLower();
    void HiraToKana();
    void KanaToHira();
    void ToTopUpper();        // the first letter of every word
    void ToLineUpper();       // the first letter of every sentence, sentences running on
    void ChangeUpperLower();  // ASCII upper case to lower and back

    // Character codes (core/commands/code_commands.cpp). The JIS shift state starts off with each
    // command and runs on from one target line to the next.
    void JisToSjis();
    void SjisToJis();  // reads "Jis"/"Kana" and "Jis"/"Jis" into App().jisEncoder first
    void EucToSjis();
    // "Euc"/"Code" 0: EUC-JP. Otherwise the fixed-width form: every character two bytes, a
    // single-byte one after a zero byte (kept in the line, nothing is cut).
    void SjisToEuc();
    void ToSjis();  // decodes by DetectDocumentCode: JIS, EUC or UTF-8; others stay
    void Utf8ToSjis();
    void SjisToUtf8();
    void UnicodeToMbcs();  // UTF-7 to Shift-JIS
    void MbcsToUnicode();  // Shift-JIS to the line's UTF-16LE bytes, all of them
    // The code of the whole text, all lines each followed by CR LF, as the code-detection dialog
    // shows it: a Shift-JIS result becomes UTF-8 when the text is well-formed UTF-8.
    CodeKind DetectDocumentCode() const;
    // The character under 1-based byte column `column` of line `index` (0-based), for the status
    // bar: "82 A0" for a double-byte character (on either of its bytes), "41" for a single byte,
    // empty outside the line.
    std::string CharCodeAt(int index, int column) const;

    // Transfer encodings (core/commands/transfer_commands.cpp).
    void MimeToSjis();  // encoded words decoded then JIS-decoded; other lines Base64-decoded
    void SjisToMime();  // MIME header encoding with App().jisEncoder
    void ToMime();      // every byte of the line Base64-encoded
    // Percent decoding (encoding), then every target line is cut at CR LF: the end of the target
    // range grows by the lines added.
    void UrlToSjis();
    void SjisToUrl();
    // "=XX" decoding with soft line breaks: target lines ending in '=' are joined with the next
    // target line; the end of the target range shrinks by the lines joined.
    void UrleToSjis();
    void ToSjisCode();  // bytes to "82 A0 " listings
    void ToJisCode();   // characters to JIS code listings
    void CodeToSjis();  // listings back to bytes
    void CodeToJis();   // JIS code listings back to characters
    // Decode the Base64 (uuencoded) target lines into the file `path` (UTF-8), which is replaced
    // atomically; the lines do not change. False after "ファイルが開けません" when the file
    // cannot be created (no undo step then) or "ファイルに書き込めません" when writing failed.
    bool MimeOut(const std::string& path);
    bool UuencodeOut(const std::string& path);

    // The per-line loop of the conversion commands, defined in core/commands/line_by_line.h: one
    // operation that replaces every non-empty target line by convert(line) (a std::string).
    template <class Convert>
    void ConvertTargetLines(Convert&& convert);
    // The same, and when AppContext::codeLoss is set, reports what `findLosses(line, result)`
    // finds (a std::vector<CodeLoss>) in each converted line, as characters without a form in
    // the code `into` names.
    template <class Convert, class FindLosses>
    void ConvertTargetLines(Convert&& convert, FindLosses&& findLosses, std::string_view into);
    // The same for a conversion that is a function of the line alone and may be called on
    // several threads at once: a large document is converted on AppContext::workers threads.
    template <class Convert>
    void ConvertEachTargetLine(Convert&& convert);
    template <class Convert, class FindLosses>
    void ConvertEachTargetLine(Convert&& convert, FindLosses&& findLosses, std::string_view into);
    // The same for a conversion that writes into a buffer: room(size) is the most bytes it
    // writes for a line of `size` bytes, convert(line, out) returns how many it wrote. Each
    // result is written where the new line will lie, without a string in between.
    template <class Room, class Convert>
    void ConvertTargetLinesInPlace(Room&& room, Convert&& convert);
    // The same, and when AppContext::codeLoss is set, reports what `findLosses(line)` finds (a
    // std::vector<CodeLoss>) in each line just converted, as ConvertTargetLines does; findLosses
    // may rely on what convert noted of the line.
    template <class Room, class Convert, class FindLosses>
    void ConvertTargetLinesInPlace(Room&& room, Convert&& convert, FindLosses&& findLosses,
                                   std::string_view into);

private:
    // ConvertEachTargetLine on several threads; false when it would not pay or the target
    // test cannot be asked from several threads (the caller then converts line by line).
    bool ConvertOnWorkers(const std::function<std::string(std::string_view)>& convert,
                          const std::function<std::vector<CodeLoss>(
                              std::string_view, const std::string&)>& findLosses,
                          std::string_view into);
    // The same, cutting each converted line at CR LF; the end of the target range grows by the
    // lines added.
    void ConvertAndSplitTargetLines(std::string (*convert)(std::string_view));
    // MimeOut and UuencodeOut: decode(line, writer) for each non-empty target line until it
    // returns false, into a file replaced atomically.
    template <class Decode>
    bool DecodeTargetLinesToFile(const std::string& path, Decode&& decode);

public:
    // ==== Replacement and line-list operations ===================================================
    //
    // Text arguments are Shift-JIS, already decoded from the macro-argument form; paths are UTF-8.
    // Arguments come in the order of the macro lines. Each operation that changes lines is one
    // undo step, taken also when nothing changes.

    // ---- Replacement ---------------------------------------------------------------------------
    //
    // Each works on the target lines and returns its count; the caller shows
    // "文字列が見つかりません" for a count of 0 or less and "%d個の置換を行いました" otherwise. A
    // line whose result holds CR LF becomes several lines; the new lines are not searched again.
    // Inserted text is never searched again either: matches do not overlap.

    // Replaces every match of `find` by `replacement`, comparing with the tolerance `options`
    // (FoldFlags: 1 width, 2 case, 4 kana). Returns the number of replacements. An empty `find`
    // finds nothing. With an empty replacement this is deletion ("DelStr").
    int Replace(std::string_view find, std::string_view replacement, int options);
    // Replaces the matches of the pattern (JavaScript rules) in every target line that holds one;
    // only the case bit (2) of `options` counts. Returns the number of lines that matched. A
    // pattern the engine refuses, or a match it cannot finish, shows its reason, stops there
    // (the lines done so far stay replaced, the undo step is in place) and returns -1.
    int RegExpReplace(std::string_view pattern, std::string_view replacement, int options);
    // Replaces each span from `start` to the next `end` by `replacement` (only `start` when no
    // `end` follows it). Returns the number of start texts found.
    int SuperReplace(std::string_view start, std::string_view end, std::string_view replacement);
    // Replaces the first `start` of each span by `startReplacement` and the next `end` by
    // `endReplacement`, keeping the text between. An occurrence directly after the escape
    // character (the first byte of `escape`, when it is a character of its own) is skipped.
    // Target lines are tested as the walk reaches them. Returns the number of start texts found.
    int ReplaceDouble(std::string_view start, std::string_view startReplacement,
                      std::string_view end, std::string_view endReplacement,
                      std::string_view escape);

    // ---- Sorting -------------------------------------------------------------------------------

    // Sort all lines (whatever the target lines) by the whole line, upper and lower case
    // comparing equal: ascending ("Sort1") or descending ("Sort2"). Equal lines may swap.
    void Sort1();
    void Sort2();
    // Sorts all lines by `keys` in order ("Sort"); the keys are kept as the last sort's.
    void Sort(const SortKeyList& keys);
    const SortKeyList& SortKeys() const { return m_sortKeys; }

    // ---- Line list operations ------------------------------------------------------------------

    // Reverses the order of all lines.
    void Reverse();
    // Removes every target line; the last target line is clamped to the new line count.
    void LineDelete();
    // Removes duplicate lines ("DupLineDel"). The compared text is the whole line, or with
    // `partial` the bytes from 0-based offset `startColumn` up to (not including) `endColumn` - 1.
    // With `assumeSorted` a target line equal to the previous kept target line goes; otherwise
    // every later line (target or not) equal to a target line goes. Target lines are tested at
    // the index each line has when the walk reaches it. The last target line becomes the line
    // count.
    void DupLineDel(int partial, int startColumn, int endColumn, int assumeSorted);
    // 0-based index of the first target line; -1 when no line is a target.
    int FirstTargetIndex() const;
    // The text the line-edit dialog starts with: the first target line's, empty when none.
    std::string LineEditText() const;
    // Replaces line `index` ("LineEdit"); an index outside the document changes nothing, but the
    // undo step and the modified flag are still taken.
    void LineEdit(int index, std::string_view text) { SetLine(index, text); }
    // Where a line typed into the insert dialog goes: the first target line's index, 0 when no
    // line is a target; -1 after showing "行の挿入は複数行選択している状態では行えません" when
    // several lines are targets.
    int InsertLineIndex();
    // The text-edit dialog over the whole text; on OK the text replaces all lines (split at
    // CR LF) and the document is marked modified. No undo step, the target range is kept.
    // False on Cancel.
    bool EditAll();
    // Appends the lines of a file ("FileInsert"), read by the open rules (lines of any length).
    // False (after "ファイルが開けません") when it cannot be read; nothing changes then.
    bool FileInsert(const std::string& path);
    // Appends line k of a file to line k of the document ("Join"); lines beyond the document's
    // end become new lines. False (after "ファイルが開けません") when it cannot be read.
    bool Join(const std::string& path);
    // Puts the target lines, each followed by CR LF, on the clipboard ("Copy").
    void Copy();
    // Appends piece k of the clipboard text (split at CR LF) to line k; pieces beyond the
    // document's end become new lines ("PastePlus"). False when the clipboard holds no text.
    bool PastePlus();
    // Appends `text` to every target line ("StrCat").
    void StrCat(std::string_view text);
    // Counts the characters, character classes, bytes and English words of the target lines.
    // When there is no character, shows "行が選択されていません。カウントする行を選択してください"
    // and returns counts with a total of 0.
    TextCount CountText();

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
    bool m_openCutShort = false;
    bool m_openHeldZeroBytes = false;
    std::optional<FileStamp> m_fileStamp;  // the file as it was when read or written here
    std::string m_stampedPath;             // the path m_fileStamp is of
    CodeKind m_openConversion = CodeShiftJis;
    // What converting while reading found, for FinishOpen: the code it converted from and the
    // characters it lost (noted only when AppContext::codeLoss is set).
    CodeKind m_readConversion = CodeShiftJis;
    std::vector<CodeLossReport> m_readLosses;
    std::string m_lastSaveError;
    std::optional<ReadBackLoss> m_lastSaveLoss;
    FileForm m_form;
    StandInTable m_standIns;
    bool m_standInsCoverLines = true;  // the table excludes the area codes the lines use as such
    // When the lines are final bytes (BytesFinal), the code they are in: the file's form for the
    // bytes as read, plain single-byte units (Shift-JIS's form) for a command's result.
    std::optional<FileForm> m_bytesForm;

    // The running operation's check for a stop (AppContext::progress); loops call m_poll(i, n).
    ProgressPoll m_poll;
    int m_operationDepth = 0;
    bool m_stopped = false;
    long long m_growthAllowance = kMaxGrowth;  // see SetGrowthAllowance
    long long m_lastGrowth = 0;

    // ---- Target lines (state) -------------------------------------------------------------------

    // The plain condition, prepared for searching every line; rebuilt when the condition changes.
    mutable std::optional<SjisSearcher> m_conditionSearcher;
    mutable std::string m_targetTestError;  // see TargetTestError()

    // The target test in two halves for passes over many lines: PrepareTargetTest makes the
    // condition's searcher or pattern once, IsPreparedTargetLine then tests a line (0-based,
    // existing) with it, as long as neither the target state nor the line changes between.
    void PrepareTargetTest() const;
    bool IsPreparedTargetLine(int index) const;

    // Replacement and line-list operations.
    SortKeyList m_sortKeys;  // the keys of the last sort

private:
    void ResetTargetRangeToAll();
    // Reads `reader` into `lines` for opening. When
    // opening converts the code (`convertCode` and the settings) and no undo history is kept,
    // JIS and EUC-JP text is converted as it is read, and `converted` says so (FinishOpen then
    // calls FinishReadConversion); otherwise the lines are as read.
    TextReadResult ReadLinesForOpen(TextLineReader& reader, LineList& lines, bool& converted,
                                    bool convertCode = true);
    // Records the code the reading converted from and reports what it lost, as ConvertCodeOnOpen
    // would have.
    void FinishReadConversion();
    bool FinishOpen(TextReadResult read, LineList lines, const std::string& name, bool converted,
                    bool convertCode = true);

    // The file's form (core/doc_form.cpp).
    // Starts a new text in `form` with an empty stand-in table.
    void BeginForm(const FileForm& form, bool sjisText);
    // The form of a file read by the text-mode rules, from what `reader` saw.
    static FileForm FormSeenBy(const TextLineReader& reader, const LineList& lines);
    // After a legacy open: the code the open converted from, and lines split at CR when the
    // file's line ends are CR.
    void SplitAtCr();
    void SettleLegacyForm();
    // The lines of the file's bytes in the document's form: converted (no undo history) or as
    // they stand in the file.
    void ReadUnicodeLines(std::string_view bytes, bool convert, LineList& lines);
    // Converts the lines read as the file's bytes, as one undoable operation.
    void ConvertUnicodeOnOpen();
    bool WriteDocument(const std::string& path, const FileForm& form, ReadBackCheck check);
    // After a command that converted the text: whether its bytes are final now.
    void MarkBytesFinal(bool final);
};

template <class PerLine>
bool CQuillbayDoc::AllowGrowth(PerLine&& perLine) {
    const long long allowed = m_growthAllowance;
    // Over every line first, which needs no target test; only when that passes the bound do
    // the target lines alone decide (an operation on a few lines of a large text).
    long long added = 0;
    for (std::size_t i = 0; i < m_lines.size() && added <= allowed; ++i)
        added += static_cast<long long>(perLine(m_lines[i].view()));
    if (added > allowed) {
        added = 0;
        PrepareTargetTest();
        for (int i = 0; i < LineCount() && added <= allowed; ++i)
            if (IsPreparedTargetLine(i))
                added +=
                    static_cast<long long>(perLine(m_lines[static_cast<std::size_t>(i)].view()));
    }
    m_lastGrowth = added;
    if (added <= allowed) return true;
    m_app.host.ShowMessage("結果が大きすぎるため中止しました（1 GiB を超えて大きくなります）");
    return false;
}

}  // namespace qb
