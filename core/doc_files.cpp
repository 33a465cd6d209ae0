// How a document comes into being and goes back to disk: new documents, open, save, close.
#include <cerrno>
#include <cstring>
#include <utility>

#include "convert/cp932.h"
#include "convert/file_form_detect.h"
#include "core/form_reading.h"
#include "core/quillbay_doc.h"
#include "core/split.h"
#include "core/text_file.h"

namespace qb {

namespace {

constexpr const char* kFileNotFound = "ファイルが見つかりません";

}  // namespace

bool CQuillbayDoc::OnNewDocument(NewDocumentKind kind, const std::string& path) {
    m_lines.clear();
    m_pathName.clear();
    m_modified = false;
    switch (kind) {
        case NewDocumentKind::Clipboard: {
            const auto text = m_app.host.GetClipboardText();
            if (!text) return false;
            SplitLines(*text, m_lines);
            if (m_lines.empty()) return false;
            break;
        }
        case NewDocumentKind::FileToMime:
            NewFromFileAsMime(path);
            break;
        case NewDocumentKind::UnicodeFileToText:
            NewFromUnicodeFile(path);
            break;
        case NewDocumentKind::TextEdit:
            if (const auto text = m_app.host.EditText("テキスト編集", "")) SetAllText(*text);
            break;
    }
    ResetTargetRangeToAll();
    return true;
}

bool CQuillbayDoc::OnOpenDocument(const std::string& path) {
    TextLineReader reader(path);
    return OnOpenDocument(path, reader);
}

bool CQuillbayDoc::OnOpenDocument(const std::string& path, TextLineReader& reader) {
    // The form is found over the file's bytes first: UTF-8 and UTF-16 text is read by its own
    // units, and the rest by the text-mode rules as always.
    std::optional<DetectedForm> detected;
    if (reader.IsOpen() && reader.IsRegularFile() &&
        m_app.settings.ReadInt("System", "Auto", 1) != 0) {
        const WholeFile file(path);
        if (file.Ok()) detected = DetectFileForm(file.Bytes());
        if (detected && IsUnicodeForm(detected->form))
            return OpenUnicodeText(path, *detected, file.Bytes());
    }
    m_modified = true;
    LineList lines;
    TextReadResult read;
    bool converted = false;
    {
        BusyCursor busy(m_app.host);
        if (reader.IsOpen())
            read = ReadLinesForOpen(reader, lines, converted);
        else
            read.error = reader.Error();
    }
    BeginForm(detected ? detected->form : FormSeenBy(reader, lines), true);
    // Named before the code conversion, whose report of lost characters names the file.
    std::string previousPath = std::exchange(m_pathName, path);
    if (!FinishOpen(std::move(read), std::move(lines), path, converted)) {
        m_pathName = std::move(previousPath);
        return false;
    }
    SettleLegacyForm();
    m_fileStamp = ReadFileStamp(path);
    m_stampedPath = path;
    m_app.Record("Open " + Utf8ToCp932(path));
    return true;
}

bool CQuillbayDoc::OpenDescriptor(int fd) {
    TextLineReader reader = TextLineReader::FromDescriptor(fd);
    return OpenFromReader(reader, "standard input");
}

bool CQuillbayDoc::OpenFromReader(TextLineReader& reader, const std::string& name,
                                  bool convertCode) {
    m_modified = true;
    LineList lines;
    TextReadResult read;
    bool converted = false;
    {
        BusyCursor busy(m_app.host);
        read = ReadLinesForOpen(reader, lines, converted, convertCode);
    }
    BeginForm(FormSeenBy(reader, lines), true);
    if (!FinishOpen(std::move(read), std::move(lines), name, converted, convertCode)) return false;
    SettleLegacyForm();
    return true;
}

void CQuillbayDoc::TakeLines(LineList lines) {
    m_lines = std::move(lines);
    ResetTargetRangeToAll();
}

// The steps of opening that follow the reading: warnings, target range, code conversion (unless
// the reading did it, or the caller converts itself).
bool CQuillbayDoc::FinishOpen(TextReadResult read, LineList lines, const std::string& name,
                              bool converted, bool convertCode) {
    m_openWarnings.clear();
    m_openConversion = CodeShiftJis;
    if (!read.ok) {
        m_app.host.ShowMessage(kFileNotFound);
        return false;
    }
    m_openWarnings = ReadWarnings(read, name);
    m_openCutShort = read.stoppedAtCtrlZ;
    m_openHeldZeroBytes = read.sawZeroByte;
    m_lines = std::move(lines);
    ResetTargetRangeToAll();
    SplitAtCr();
    // Text that is no regular file is judged by its start (it may never end).
    if (converted)
        FinishReadConversion();
    else if (convertCode && m_app.settings.ReadInt("System", "Auto", 1) != 0)
        ConvertCodeOnOpen(read.regularFile);
    m_modified = false;
    return true;
}

bool CQuillbayDoc::OnSaveDocument(const std::string& path, ReadBackCheck check) {
    return WriteDocument(path, SaveForm(), check);
}

bool CQuillbayDoc::FileChangedOnDisk() const {
    // A file never read or written here under this name holds no change of anyone's.
    if (!m_fileStamp || m_pathName.empty() || m_stampedPath != m_pathName) return false;
    const auto now = ReadFileStamp(m_pathName);
    return now && *now != *m_fileStamp;
}

void CQuillbayDoc::OnCloseDocument() {
    m_app.Record("Close");
}

bool CQuillbayDoc::Save() {
    if (m_pathName.empty()) return false;
    if (!OnSaveDocument(m_pathName)) return false;
    m_app.Record("Save");
    return true;
}

bool CQuillbayDoc::SaveAs(const std::string& path) {
    m_app.Record("Save " + Utf8ToCp932(path));
    m_pathName = path;
    return OnSaveDocument(path);
}

bool CQuillbayDoc::SaveAs(const std::string& path, const FileForm& form) {
    FileForm chosen = form;
    chosen.finalLineEnd = m_form.finalLineEnd;
    if (chosen.code == FileCode::Jis && m_form.code == FileCode::Jis) chosen.jis = m_form.jis;
    m_app.Record("Save " + Utf8ToCp932(path) + " " + std::string(FileFormWord(chosen)) + " " +
                 std::string(LineEndName(chosen.lineEnd)));
    m_pathName = path;
    m_form = chosen;
    return WriteDocument(path, chosen, ReadBackCheck::None);
}

}  // namespace qb
