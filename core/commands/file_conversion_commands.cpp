// The conversions that run when a file is opened or turned into a new document.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "convert/base64.h"
#include "convert/code_detect.h"
#include "convert/unicode.h"
#include "core/open_code.h"
#include "core/opening_converter.h"
#include "core/quillbay_doc.h"
#include "core/split.h"
#include "core/text_file.h"

namespace qb {

namespace {

constexpr const char* kCannotOpen = "ファイルが開けません";

// A file opened for reading bytes; not open when it cannot be read (a folder cannot).
class InputFile {
public:
    explicit InputFile(const std::string& path) {
        m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        struct stat st {};
        if (m_fd >= 0 && (::fstat(m_fd, &st) != 0 || S_ISDIR(st.st_mode))) Close();
    }
    ~InputFile() { Close(); }
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    bool IsOpen() const { return m_fd >= 0; }

    // Reads up to `size` bytes into `buffer`, fewer only at the end of the file. -1 on error.
    long Read(char* buffer, std::size_t size) {
        std::size_t got = 0;
        while (got < size) {
            const ssize_t n = ::read(m_fd, buffer + got, size - got);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) return -1;
            if (n == 0) break;
            got += static_cast<std::size_t>(n);
        }
        return static_cast<long>(got);
    }

    // The rest of the file; false on a read error.
    bool ReadAll(std::string& bytes) {
        char block[1 << 16];
        for (;;) {
            const long n = Read(block, sizeof block);
            if (n < 0) return false;
            bytes.append(block, static_cast<std::size_t>(n));
            if (n < static_cast<long>(sizeof block)) return true;
        }
    }

private:
    void Close() {
        if (m_fd >= 0) ::close(m_fd);
        m_fd = -1;
    }

    int m_fd = -1;
};

}  // namespace

TextReadResult CQuillbayDoc::ReadLinesForOpen(TextLineReader& reader, LineList& lines,
                                              bool& converted, bool convertCode) {
    converted = false;
    m_readConversion = CodeShiftJis;
    m_readLosses.clear();
    if (!convertCode || m_app.keepUndoHistory || m_app.settings.ReadInt("System", "Auto", 1) == 0)
        return ReadAllLines(reader, lines);
    OpeningConverter converter(reader.IsRegularFile());
    if (m_app.codeLoss) converter.FindLosses();
    LineArena arena;
    std::string_view line;
    while (reader.Next(line)) {
        converter.Add(line, lines, arena);
        ReserveFromFirstLines(lines, reader);
    }
    converted = converter.Finish(lines, arena);
    m_readConversion = converter.ConvertedFrom();
    for (auto& [index, loss] : converter.Losses())
        m_readLosses.push_back(
            {this, static_cast<int>(index), loss.offset + 1, std::move(loss.what), "Shift-JIS"});
    return ReadOutcome(reader);
}

void CQuillbayDoc::FinishReadConversion() {
    m_openConversion = m_readConversion;
    if (m_app.codeLoss)
        for (const CodeLossReport& report : m_readLosses)
            m_app.codeLoss(report);
    m_readLosses.clear();
}

// JIS and EUC text becomes Shift-JIS as the first undoable operation, so that undo gives back the
// text as read. The code is decided on the lines as read: a text-mode read gives the file's text
// with its line ends as LF, which is what the file form of the detection expects (standard input
// cannot be read a second time, so the lines are all there is).
void CQuillbayDoc::ConvertCodeOnOpen(bool wholeText) {
    OpenCodeDetector detector(wholeText);
    for (std::size_t i = 0; i < m_lines.size() && !detector.Done(); ++i)
        detector.FeedLine(m_lines[i].view());
    switch (detector.Result()) {
        case CodeJis:
            JisToSjis();
            m_openConversion = CodeJis;
            break;
        case CodeEuc:
            // The detection takes a byte F0-FE for EUC evidence, and UTF-8 text whose first
            // non-ASCII character lies beyond U+FFFF (an emoji) begins with one. EUC text with
            // kana or kanji is never well-formed UTF-8, so such text is left as it was read
            // rather than garbled.
            if (!LinesAreValidUtf8(m_lines, "\n")) {
                EucToSjis();
                m_openConversion = CodeEuc;
            }
            break;
        default:
            break;
    }
}

// Blocks of 57 bytes give lines of 76 Base64 characters. The last block is the first one
// shorter than 57 bytes, and it gives a line even when it is empty (a file whose length is a
// multiple of 57 ends with an empty line).
void CQuillbayDoc::NewFromFileAsMime(const std::string& path) {
    constexpr std::size_t kBlock = 57;
    InputFile file(path);
    if (!file.IsOpen()) {
        m_app.host.ShowMessage(kCannotOpen);
        return;
    }
    OperationScope scope(*this);
    LineArena arena;
    std::string buffer(kBlock * 4096, '\0');
    for (;;) {
        const long n = file.Read(buffer.data(), buffer.size());
        if (n < 0) {
            m_app.host.ShowMessage(kCannotOpen);  // the lines read so far stay
            return;
        }
        const auto size = static_cast<std::size_t>(n);
        std::size_t at = 0;
        for (; at + kBlock <= size; at += kBlock)
            m_lines.push_back(
                arena.Make(Base64EncodeBytes(std::string_view(buffer).substr(at, kBlock))));
        if (size < buffer.size()) {
            m_lines.push_back(
                arena.Make(Base64EncodeBytes(std::string_view(buffer).substr(at, size - at))));
            return;
        }
    }
}

// The whole file is UTF-16LE text; the Shift-JIS text is cut into lines at CR LF (a file ending
// in CR LF gives no empty last line). A byte-order mark at the start is not text and is skipped.
void CQuillbayDoc::NewFromUnicodeFile(const std::string& path) {
    InputFile file(path);
    std::string bytes;
    if (!file.IsOpen() || !file.ReadAll(bytes)) {
        m_app.host.ShowMessage(kCannotOpen);
        return;
    }
    OperationScope scope(*this);
    SplitLines(Utf16LeBytesToSjis(bytes), m_lines);
}

}  // namespace qb
