// qbay's standard descriptors: claimed at start-up, and every write to standard output checked.
//
// A descriptor 0, 1 or 2 that is closed when qbay starts would be taken by the next file qbay
// opens, and a report meant for standard output would land in that file: each closed one is
// opened on /dev/null instead, and remembered as closed, so that writing to it fails as
// writing to a closed descriptor does (EBADF) rather than vanishing.
#pragma once

#include <string_view>

namespace qb {

// Opens /dev/null on each closed standard descriptor; call first thing.
void ClaimStandardDescriptors();
// Whether standard input or output was closed when qbay started.
bool StandardInputWasClosed();
bool StandardOutputWasClosed();

// Writes all of `bytes` to standard output (unbuffered). False, with errno set, when it could
// not (a full disk, a closed pipe or descriptor).
bool WriteStandardOutput(std::string_view bytes);

}  // namespace qb
