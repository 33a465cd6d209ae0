#include "app/cli/detect_command.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/cli/cli_host.h"
#include "app/cli/input_error.h"
#include "app/cli/standard_output.h"
#include "app/cli/visible_text.h"
#include "convert/file_form_detect.h"
#include "core/open_code.h"

namespace qb {

namespace {

// Feeds the bytes of `fd` to `detector`: all of a regular file, the first megabyte of anything
// else (which may never end, and is judged by its start as opening judges it). False on a read
// error (errno); `cut` says whether the text went on past what was fed.
bool FeedDescriptor(int fd, FileFormDetector& detector, bool& cut) {
    struct stat st {};
    const bool known = ::fstat(fd, &st) == 0;
    const bool regular = known && S_ISREG(st.st_mode);
    if (known && S_ISDIR(st.st_mode)) {
        errno = EISDIR;
        return false;
    }
    std::size_t fed = 0;
    std::string buffer(1 << 16, '\0');
    cut = false;
    for (;;) {
        if (!regular && fed >= kOpenCodePrefix) {
            cut = true;
            return true;
        }
        const ssize_t n = ::read(fd, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) return true;
        detector.Feed(std::string_view(buffer.data(), static_cast<std::size_t>(n)));
        fed += static_cast<std::size_t>(n);
    }
}

// What --detect prints for one file; false (after the message) when it cannot be read.
bool DetectFile(const std::string& file, CliHost& host, std::string& name) {
    const bool isStdin = file == "-";
    const int fd = isStdin ? STDIN_FILENO : ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    // Opened without waiting for a writer (a named pipe nobody writes to is empty), then read
    // as usual.
    if (fd >= 0 && !isStdin) ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    FileFormDetector detector;
    bool cut = false;
    const bool ok = fd >= 0 && FeedDescriptor(fd, detector, cut);
    const int error = errno;
    if (fd >= 0 && !isStdin) ::close(fd);
    if (!ok) {
        host.SetSubject(isStdin ? "standard input" : file);
        host.ShowMessage(InputErrorMessage(error));
        host.SetSubject({});
        return false;
    }
    name = DetectedFormName(detector.Result(cut));
    return true;
}

}  // namespace

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
        std::string detected;
        if (!DetectFile(file, host, detected)) {
            status = 1;
            continue;
        }
        const std::string line = VisibleText(file) + ": " + detected + "\n";
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
