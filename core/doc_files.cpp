// How a document comes into being and goes back to disk: new documents, open, save, close.
#include <cerrno>
#include <cstring>
#include <utility>

#include "convert/cp932.h"
#include "core/quillbay_doc.h"
#include "core/split.h"
#include "core/text_file.h"
#include "settings/atomic_file.h"

namespace qb {

namespace {

constexpr const char* kFileNotFound = "ファイルが見つかりません";
constexpr const char* kCannotWrite = "ファイルに書き込めません";

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
    // Named before the code conversion, whose report of lost characters names the file.
    std::string previousPath = std::exchange(m_pathName, path);
    if (!FinishOpen(std::move(read), std::move(lines), path, converted)) {
        m_pathName = std::move(previousPath);
        return false;
    }
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
    return FinishOpen(std::move(read), std::move(lines), name, converted, convertCode);
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
    // Text that is no regular file is judged by its start (it may never end).
    if (converted)
        FinishReadConversion();
    else if (convertCode && m_app.settings.ReadInt("System", "Auto", 1) != 0)
        ConvertCodeOnOpen(read.regularFile);
    m_modified = false;
    return true;
}

bool CQuillbayDoc::OnSaveDocument(const std::string& path, ReadBackCheck check) {
    BusyCursor busy(m_app.host);
    const std::string_view terminator = LineTerminator(m_app.settings.ReadInt("System", "CrLf", 0));
    AtomicFileWriter writer(path);
    m_lastSaveLoss.reset();
    const bool complete = WriteLines(
        m_lines, terminator, [&](std::string_view block) { return writer.Write(block); }, check,
        &m_lastSaveLoss);
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

}  // namespace qb
