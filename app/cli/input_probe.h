// Looking at a FILE before it is read, to tell UTF-8 and UTF-16 text (read whole, through
// stand-ins, by CQuillbayDoc::OpenUnicodeText) from text in the older codes (read as lines, block
// by block where the steps allow). Only the start is looked at where that decides: text whose
// first megabyte holds a byte that is no UTF-8, and no zero byte, is in an older code. A file of
// ASCII so far is looked at whole, as the window looks at it. Standard input and other pipes are
// judged by their first megabyte, as their code is; those bytes are handed on to the reader.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "convert/file_form.h"
#include "convert/file_form_detect.h"
#include "core/form_reading.h"
#include "core/text_file.h"

namespace qb {

class InputProbe {
public:
    // `file` is a path or "-" for standard input; `named` the form --from names (code Auto:
    // found from the bytes, when `detect` says the settings allow it). Text in an older code
    // is looked at only for its line ends. A large file is looked at on up to `workers` threads.
    InputProbe(const std::string& file, const FileForm& named, bool detect, int workers = 1);
    InputProbe(const InputProbe&) = delete;
    InputProbe& operator=(const InputProbe&) = delete;

    // The form of UTF-8 or UTF-16 text, whose bytes Bytes() holds; nothing for other text.
    const std::optional<DetectedForm>& Unicode() const { return m_unicode; }
    std::string_view Bytes();
    // Whether the text is a UTF-8 file that reads as lines as it reads in its own form (no
    // Ctrl-Z, no zero byte), so that it can run block by block.
    bool StreamsAsUtf8() const;
    // A reader of the text from its start, for other text; for standard input it first gives
    // the bytes already looked at.
    TextLineReader Reader(const std::string& file);
    // Whether the start of other text holds CRs and no LF: its lines end in CR alone.
    bool CrLines() const { return m_crLines; }
    // Whether the start of the text ends its lines in more than one way (CR LF and LF, say).
    bool MixedLineEnds() const { return m_mixedLineEnds; }
    // How JIS text wrote its mode changes, as far as its start shows.
    const JisFlavour& Jis() const { return m_jis; }
    // The errno of a failed read of standard input (0 when all went well).
    int ErrorNumber() const { return m_errorNumber; }

private:
    void ProbeFile(const std::string& file, const FileForm& named);
    void ScanWhole(int fd, std::string& block, const FileForm& named, long long size);
    // Reads the file through from the first block (of which `fed` bytes were fed already),
    // feeding the detector (only the first block with `startOnly`), and notes its control bytes
    // and its last byte.
    void ReadThrough(int fd, std::string& block, std::size_t fed, bool startOnly,
                     FileFormDetector& detector, char& last);
    // Feeds the first block up to its last LF (`fed` bytes) and scans the rest of the file on
    // the workers; false when that cannot settle it: the rest is then to be read through.
    bool ScanRestApart(int fd, std::string_view block, long long size, FileFormDetector& detector,
                       std::size_t& fed, char& last);
    void ProbePipe(const FileForm& named);
    // The form of the text's start (`cut` when the text goes on), noting its line ends and how
    // it writes JIS.
    DetectedForm LookAtStart(std::string_view start, bool cut);
    // The form of the whole text, as --from names it or as found.
    void Decide(std::string_view whole, const FileForm& named);

    bool m_detect = false;  // UTF-8 and UTF-16 are looked for
    int m_workers = 1;
    std::string m_path;  // the UTF-8 or UTF-16 file, read whole by Bytes()
    std::optional<WholeFile> m_file;
    bool m_controlBytes = false;  // a Ctrl-Z or zero byte
    std::string m_read;  // what was read of standard input
    std::optional<DetectedForm> m_unicode;
    bool m_crLines = false;
    bool m_mixedLineEnds = false;
    JisFlavour m_jis;
    int m_errorNumber = 0;
};

// `found` as the --from form `named` has it: a byte-order mark of the named code decides the byte
// order, and otherwise the named code and byte order hold.
[[nodiscard]] DetectedForm AsNamedForm(DetectedForm found, const FileForm& named,
                                       std::string_view bytes);

}  // namespace qb
