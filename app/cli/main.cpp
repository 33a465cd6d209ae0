// qbay: the command line of Quillbay.
#include <malloc.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>
#include <new>
#include <string>

#include "app/cli/cli_options.h"
#include "app/cli/detect_command.h"
#include "app/cli/help_command.h"
#include "app/cli/qbay_run.h"
#include "app/cli/standard_output.h"
#include "settings/atomic_file.h"

#ifndef QB_VERSION
#define QB_VERSION "0.1.0"
#endif

namespace {

// Writes `text` to standard output; 0, or 1 after saying why it could not.
int Print(const std::string& text) {
    if (qb::WriteStandardOutput(text)) return 0;
    std::fprintf(stderr, "qbay: standard output: %s\n", std::strerror(errno));
    return 1;
}

int Run(int argc, char** argv) {
    // Past a file size limit (ulimit -f) a write fails with EFBIG, which is reported like any
    // other write error, instead of the signal ending the run and leaving a temporary file.
    std::signal(SIGXFSZ, SIG_IGN);
    qb::RemoveTemporaryFilesOnSignals();
    // A run reads a whole file and replaces its lines block by block. Keep freed blocks for
    // reuse instead of handing them back to the system and faulting fresh pages in again.
    // (32 MiB is the most glibc takes here: a larger value is refused and leaves every block of
    // a megabyte to be mapped and cleared anew.)
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    qb::CliOptions options;
    options.stdinIsTerminal = ::isatty(STDIN_FILENO) != 0;
    const std::string error = qb::ParseCliOptions(argc, argv, options);
    if (!error.empty()) {
        std::fputs(qb::UsageErrorText(error).c_str(), stderr);
        return 2;
    }
    if (options.help || options.list) return qb::RunHelp(options);
    if (options.version) return Print(std::string("qbay (Quillbay) ") + QB_VERSION + "\n");
    if (options.detect) return qb::RunDetect(options);
    return qb::RunQbay(options);
}

}  // namespace

// An output file is written to a temporary file that is renamed over it only once complete, so
// stopping on an exception here leaves the file being worked on as it was (the stack unwinds and
// the temporary file goes).
int main(int argc, char** argv) {
    qb::ClaimStandardDescriptors();
    try {
        return Run(argc, argv);
    } catch (const std::bad_alloc&) {
        std::fputs(
            "qbay: out of memory; the run stopped and the file being worked on was not written\n",
            stderr);
    } catch (const std::exception& e) {
        std::fprintf(stderr,
                     "qbay: stopped by an internal error (%s); the file being worked on was "
                     "not written\n",
                     e.what());
    }
    return 1;
}
