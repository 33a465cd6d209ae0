// Running qbay over many FILEs several at a time (qbay -i with -j): each worker thread takes the
// next file not yet begun, and what each file's run said is printed in the order of the FILEs,
// as soon as that file and every one before it are done, so that the messages read as those of
// a run over one file after another. On a terminal, a run that lasts longer than a second keeps
// one progress line on standard error.
#pragma once

#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "app/cli/cli_host.h"

namespace qb {

// What the run over one FILE said, held until its turn.
struct FileOutcome {
    std::string said;  // as printed
    int messages = 0;  // the messages among it
    int losses = 0;    // the lost characters among it
    // What stopped the run over the file (out of memory, say), to be thrown again on the
    // calling thread when the file's turn comes.
    std::exception_ptr failure;
};

// Runs `runFile(worker, index)` over each of `files`, `workers` at a time (worker from 0, each
// on one thread), and prints each file's outcome through `host`. `progress`: show the
// progress line when standard error is a terminal. An exception from a file's run stops the
// workers taking more files, and is thrown again once the files before it are told.
void RunFilesAtOnce(const std::vector<std::string>& files, int workers,
                    const std::function<FileOutcome(int worker, std::size_t index)>& runFile,
                    CliHost& host, bool progress);

}  // namespace qb
