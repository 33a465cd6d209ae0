#include "app/cli/detect_command.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/cli/cli_host.h"
#include "app/cli/input_error.h"
#include "app/cli/standard_output.h"
#include "convert/code_detect.h"
#include "core/open_code.h"

namespace qb {

namespace {

// The code of a document, decided while its lines are read: the same decision as
// CQuillbayDoc::DetectDocumentCode over the lines each followed by CR LF, without keeping them,
// and reading no further than needed to decide.
class StreamingDocumentCode {
public:
    void Feed(std::string_view line) {
        if (!m_detector.Decided()) {
            m_detector.Feed(line);
            m_detector.Feed("\r\n");
        }
        if (!m_utf8.Failed()) {
            m_utf8.Feed(line);
            m_utf8.Feed("\r\n");
        }
    }
    // True when no later line can change the result.
    bool Done() const {
        return m_detector.Decided() && (m_detector.Result() != CodeShiftJis || m_utf8.Failed());
    }
    CodeKind Result() const {
        const CodeKind kind = m_detector.Result();
        return kind == CodeShiftJis && m_utf8.Valid() ? CodeUtf8 : kind;
    }

private:
    CodeDetector m_detector{CodeDetector::Form::Text};
    Utf8Validator m_utf8;
};

// The word for the code of one file; false (after the message) when it cannot be read.
bool DetectFile(const std::string& file, CliHost& host, std::string_view& word) {
    TextLineReader reader = file == "-" ? TextLineReader::FromDescriptor(STDIN_FILENO)
                                        : TextLineReader(file, /*waitForWriter=*/false);
    // What may never end is judged by its start, as opening judges it.
    if (!reader.IsRegularFile()) reader.LimitTo(kOpenCodePrefix);
    const std::string_view detected = DetectCodeWordOfReader(reader);
    if (!reader.IsOpen() || !reader.Error().empty()) {
        host.SetSubject(file == "-" ? "standard input" : file);
        host.ShowMessage(InputErrorMessage(reader.ErrorNumber()));
        host.SetSubject({});
        return false;
    }
    word = detected;
    return true;
}

}  // namespace

CodeKind DetectDocumentCodeOfReader(TextLineReader& reader) {
    StreamingDocumentCode code;
    std::string_view line;
    while (!code.Done() && reader.Next(line))
        code.Feed(line);
    return code.Result();
}

std::string_view DetectCodeWordOfReader(TextLineReader& reader) {
    std::string_view first;
    if (!reader.Next(first)) return CodeKindWord(CodeAscii);
    // UTF-16 with its byte-order mark: the text-mode lines of such a file are no text to detect.
    if (first.starts_with("\xFF\xFE")) return "UTF16LE";
    if (first.starts_with("\xFE\xFF")) return "UTF16BE";
    StreamingDocumentCode code;
    code.Feed(first);
    std::string_view line;
    while (!code.Done() && reader.Next(line))
        code.Feed(line);
    return CodeKindWord(code.Result());
}

std::string_view CodeKindWord(CodeKind kind) {
    switch (kind) {
        case CodeShiftJis:
            return "ShiftJIS";
        case CodeJis:
            return "JIS";
        case CodeEuc:
            return "EUC";
        case CodeUtf8:
            return "UTF8";
        case CodeAscii:
            return "ASCII";
        default:
            return "Unknown";
    }
}

int RunDetect(const CliOptions& options) {
    if (!options.steps.empty() || !options.output.empty() || options.inPlace) {
        std::fputs(
            "qbay: --detect only reads: it cannot be combined with -e, -m, -o or -i\n"
            "Try 'qbay --help' for more information.\n",
            stderr);
        return 2;
    }
    CliHost host;
    int status = 0;
    std::vector<std::string> files = options.files;
    if (files.empty() && !options.stdinIsTerminal) files.push_back("-");
    for (const auto& file : files) {
        std::string_view word;
        if (!DetectFile(file, host, word)) {
            status = 1;
            continue;
        }
        std::string line = file + ": ";
        line += word;
        line += "\n";
        if (!WriteStandardOutput(line)) {
            host.SetSubject("standard output");
            host.ShowMessage(std::string("ファイルに書き込めません (") + std::strerror(errno) +
                             ")");
            return 1;
        }
    }
    return status;
}

}  // namespace qb
