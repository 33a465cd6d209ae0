// qbay: the command line of Quillbay.
#include <malloc.h>

#include <cstdio>

#include "app/cli/cli_options.h"
#include "app/cli/detect_command.h"
#include "app/cli/qbay_run.h"

#ifndef QB_VERSION
#define QB_VERSION "0.1.0"
#endif

int main(int argc, char** argv) {
    // A run reads a whole file and replaces its lines block by block. Keep freed blocks for
    // reuse instead of handing them back to the system and faulting fresh pages in again.
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    qb::CliOptions options;
    const std::string error = qb::ParseCliOptions(argc, argv, options);
    if (!error.empty()) {
        std::fprintf(stderr, "qbay: %s\nTry 'qbay --help' for more information.\n", error.c_str());
        return 2;
    }
    if (options.help) {
        std::fputs(qb::CliHelpText().c_str(), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("qbay (Quillbay) %s\n", QB_VERSION);
        return 0;
    }
    if (options.detect) return qb::RunDetect(options);
    return qb::RunQbay(options);
}
