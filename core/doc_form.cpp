// The document's file form: finding it on opening, reading UTF-8 and UTF-16 text through stand-ins,
// and writing the lines back in the form they came in.
#include <algorithm>
#include <utility>

#include "convert/cp932.h"
#include "convert/file_form_detect.h"
#include "core/form_reading.h"
#include "core/file_stamp.h"
#include "core/form_writing.h"
#include "core/quillbay_doc.h"
#include "settings/atomic_file.h"

namespace qb {

namespace {

constexpr const char* kCannotWrite = "ファイルに書き込めません";

CodeKind OpenedCodeOf(const FileForm& form) {
    return form.code == FileCode::Jis   ? CodeJis
           : form.code == FileCode::Euc ? CodeEuc
           : IsUnicodeForm(form)        ? CodeUtf8
                                        : CodeShiftJis;
}

}  // namespace

void CQuillbayDoc::BeginForm(const FileForm& form, bool sjisText) {
    m_form = form;
    m_standIns = StandInTable();
    m_standInsCoverLines = !sjisText;
    m_bytesForm.reset();
}

FileForm CQuillbayDoc::FormSeenBy(const TextLineReader& reader, const LineList& lines) {
    FileForm form;
    form.lineEnd = reader.FirstLineEnd() == TextLineReader::LineEnd::Lf ? LineEnd::Lf
                                                                        : LineEnd::CrLf;
    // No LF at all, and CRs: the line ends of a text written with CR alone.
    if (reader.FirstLineEnd() == TextLineReader::LineEnd::None && lines.size() == 1 &&
        lines[0].view().find('\r') != std::string_view::npos)
        form.lineEnd = LineEnd::Cr;
    form.finalLineEnd = reader.EndedWithLineEnd();
    return form;
}

// Text-mode reading splits lines at LF only: a file whose line ends are CR comes as lines that
// hold their CRs.
void CQuillbayDoc::SplitAtCr() {
    if (m_form.lineEnd != LineEnd::Cr) return;
    const auto holdsCr = [](const Line& line) { return line.view().find('\r') != std::string_view::npos; };
    if (std::none_of(m_lines.begin(), m_lines.end(), holdsCr)) return;
    LineList split;
    LineArena arena;
    for (const Line& line : m_lines) {
        if (!holdsCr(line)) {
            split.push_back(line);
            continue;
        }
        std::string_view rest = line.view();
        for (auto cr = rest.find('\r'); cr != std::string_view::npos; cr = rest.find('\r')) {
            split.push_back(arena.Make(rest.substr(0, cr)));
            rest.remove_prefix(cr + 1);
        }
        split.push_back(arena.Make(rest));
    }
    m_lines = std::move(split);
    ResetTargetRangeToAll();
}

void CQuillbayDoc::SettleLegacyForm() {
    m_form.code = m_openConversion == CodeJis   ? FileCode::Jis
                  : m_openConversion == CodeEuc ? FileCode::Euc
                                                : FileCode::Sjis;
}

StandInTable& CQuillbayDoc::StandInsForNewText() {
    if (!m_standInsCoverLines) {
        for (const Line& line : m_lines)
            if (HasAreaLeadByte(line.view())) ExcludeAreaCodesOf(line.view(), m_standIns);
        m_standInsCoverLines = true;
    }
    return m_standIns;
}

bool CQuillbayDoc::OpenUnicodeText(const std::string& path, const DetectedForm& detected,
                                   std::string_view bytes) {
    m_modified = true;
    const bool convertNow = !m_app.keepUndoHistory;
    BeginForm(detected.form, false);
    m_readLosses.clear();
    LineList lines;
    {
        BusyCursor busy(m_app.host);
        ReadUnicodeLines(bytes, convertNow, lines);
    }
    m_openWarnings.clear();
    m_openCutShort = false;
    m_openHeldZeroBytes = false;
    m_pathName = path;
    if (!path.empty()) {
        m_fileStamp = ReadFileStamp(path);
        m_stampedPath = path;
    }
    m_lines = std::move(lines);
    ResetTargetRangeToAll();
    m_openConversion = OpenedCodeOf(m_form);
    if (convertNow) {
        m_readConversion = m_openConversion;
        FinishReadConversion();
    } else {
        m_bytesForm = m_form;  // the bytes as read, which undo gives back
        ConvertUnicodeOnOpen();
    }
    m_modified = false;
    if (!path.empty()) m_app.Record("Open " + Utf8ToCp932(path));
    return true;
}

void CQuillbayDoc::ReadUnicodeLines(std::string_view bytes, bool convert, LineList& lines) {
    const std::string_view text = TextAfterMark(bytes, m_form);
    // An odd last byte of UTF-16 belongs to the last line, which then did not end.
    if (IsUtf16Form(m_form) && text.size() % 2 != 0) m_form.finalLineEnd = false;
    LineArena arena;
    std::vector<CodeLoss> losses;
    std::vector<CodeLoss>* found = m_app.codeLoss ? &losses : nullptr;
    constexpr std::size_t kSample = 1024;
    SplitFormLines(text, m_form, [&](std::string_view raw) {
        if (lines.size() == kSample) {  // room for the rest, from the average so far
            const auto seen = static_cast<std::size_t>(raw.data() - text.data()) + 1;
            lines.reserve(kSample + kSample * (text.size() - seen) / seen * 11 / 10);
        }
        if (!convert) {
            lines.push_back(arena.Make(raw));
            return;
        }
        lines.push_back(ConvertFormLine(raw, m_form, m_standIns, arena, found));
        for (CodeLoss& loss : losses)
            m_readLosses.push_back({this, static_cast<int>(lines.size() - 1), loss.offset + 1,
                                    std::move(loss.what), "Shift-JIS"});
        losses.clear();
    });
}

void CQuillbayDoc::ConvertUnicodeOnOpen() {
    OperationScope scope(*this);
    LineArena arena;
    std::vector<CodeLoss> losses;
    std::vector<CodeLoss>* found = m_app.codeLoss ? &losses : nullptr;
    const std::size_t count = m_lines.size();
    for (std::size_t i = 0; i < count && m_poll(static_cast<int>(i), static_cast<int>(count));
         ++i) {
        m_lines[i] = ConvertFormLine(m_lines[i].view(), m_form, m_standIns, arena, found);
        for (CodeLoss& loss : losses)
            m_app.codeLoss({this, static_cast<int>(i), loss.offset + 1, std::move(loss.what),
                            "Shift-JIS"});
        losses.clear();
    }
    m_bytesForm.reset();
}

void CQuillbayDoc::MarkBytesFinal(bool final) {
    if (m_stopped) return;  // put back as it was, with the state it had
    if (final)
        m_bytesForm = FileForm();
    else
        m_bytesForm.reset();
}

FileForm CQuillbayDoc::SaveForm() const {
    FileForm form = m_form;
    const int crLf = m_app.settings.ReadInt("System", "CrLf", 0);
    if (m_app.settings.ReadInt("System", "KeepCode", 1) == 0) {
        form = FileForm();  // Shift-JIS, every line ended
        form.lineEnd = LineEnd::CrLf;
    }
    if (crLf == 1) form.lineEnd = LineEnd::Cr;
    if (crLf == 2) form.lineEnd = LineEnd::Lf;
    return form;
}

namespace {

// Tells a save's progress (by bytes, against the size of the text) to AppContext::progress, as
// one operation: Begin on the way in, End on the way out, whatever way that is.
class SaveWatch {
public:
    SaveWatch(IProgress* progress, const LineList& lines) : m_progress(progress) {
        if (!m_progress) return;
        for (const Line& line : lines)
            m_total += line.size() + 2;
        m_progress->Begin();
        m_stopped = !m_progress->Continue(0, m_total);
    }
    ~SaveWatch() {
        if (m_progress) m_progress->End();
    }
    SaveWatch(const SaveWatch&) = delete;
    SaveWatch& operator=(const SaveWatch&) = delete;

    // False, from then on, once the progress said stop.
    bool Wrote(std::size_t bytes) {
        m_done += bytes;
        if (m_progress && !m_stopped)
            m_stopped = !m_progress->Continue(std::min(m_done, m_total), m_total);
        return !m_stopped;
    }
    bool Stopped() const { return m_stopped; }

private:
    IProgress* m_progress;
    std::size_t m_total = 0;
    std::size_t m_done = 0;
    bool m_stopped = false;
};

}  // namespace

bool CQuillbayDoc::WriteDocument(const std::string& path, const FileForm& form,
                                 ReadBackCheck check) {
    BusyCursor busy(m_app.host);
    AtomicFileWriter writer(path);
    m_lastSaveLoss.reset();
    FormWrite how;
    how.form = form;
    how.bytesForm = m_bytesForm;
    how.standIns = &m_standIns;
    how.jisDefaults.kanaForm = m_app.settings.ReadInt("Jis", "Kana", 0);
    how.jisDefaults.kanjiDesignation = m_app.settings.ReadInt("Jis", "Jis", 1);
    how.check = check;
    how.readBackLoss = &m_lastSaveLoss;
    if (m_app.codeLoss)
        how.onLoss = [&](std::size_t line, std::size_t column, CodeLoss loss) {
            m_app.codeLoss({this, static_cast<int>(line), column, std::move(loss.what),
                            CodeName(form)});
        };
    // A large save is watched as the other long operations are (the desktop program's bar and
    // Cancel); told to stop, it leaves the file as it was and the document unsaved.
    SaveWatch watch(m_app.progress, m_lines);
    const bool complete = WriteLinesInForm(m_lines, how, [&](std::string_view block) {
        return writer.Write(block) && watch.Wrote(block.size());
    });
    if (watch.Stopped()) {
        m_lastSaveError.clear();
        return false;  // no commit: the file stays as it was
    }
    if (!complete && check == ReadBackCheck::Refuse && m_lastSaveLoss) {
        m_lastSaveError.clear();
        return false;  // the writer goes without a commit: the file stays as it was
    }
    if (!writer.Commit()) {
        m_lastSaveError = writer.Error();
        m_app.host.ShowMessage(kCannotWrite);
        return false;
    }
    m_lastSaveError.clear();
    m_modified = false;
    m_openCutShort = false;  // the file written holds the whole text now
    m_openHeldZeroBytes = false;
    if (path == m_pathName) {
        m_fileStamp = ReadFileStamp(path);
        m_stampedPath = path;
    }
    return true;
}

}  // namespace qb
