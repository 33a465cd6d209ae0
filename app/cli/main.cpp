// qbay: the command line of Quillbay.
#include <cstdio>

#include "app/cli/cli_options.h"
#include "app/cli/detect_command.h"
#include "app/cli/qbay_run.h"

#ifndef QB_VERSION
#define QB_VERSION "0.1.0"
#endif

int main(int argc, char** argv) {
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
