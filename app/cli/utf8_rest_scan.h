// Looking at the rest of a large file that looks like UTF-8 on several threads at once. Once its
// start has shown enough UTF-8 characters, what the rest of a file can still change is whether it
// is well-formed, and its line ends: both can be found in ranges of the file apart and added up,
// when each range begins just after an LF (no character and no CR LF pair spans two of them).
#pragma once

#include <optional>

#include "convert/line_end_census.h"

namespace qb {

struct Utf8RestScan {
    bool wellFormed = true;  // strictly (convert/utf8_strict.h), every range ending on a character
    LineEndCensus census;
    bool controlBytes = false;  // a Ctrl-Z or a zero byte
    bool empty = true;          // nothing was there
    char last = 0;              // the last byte, when not empty
};

// Scans the bytes of the regular file `fd` from `from` (just after an LF, or the start) to its
// end on `workers` threads. Nothing when the file cannot be cut into such ranges (no LF near a
// cut) or cannot be read: the caller then reads it through as before.
[[nodiscard]] std::optional<Utf8RestScan> ScanUtf8Rest(int fd, long long from, long long size,
                                                       int workers);

}  // namespace qb
