// What saving the lines of a document would lose: bytes that the text-mode rules do not read back
// as they were written (core/text_file.h), and bytes that are no Shift-JIS character.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "core/line.h"

namespace qb {

struct SaveLoss {
    enum Kind {
        LineFeed,      // an LF: the line reads back as two
        CtrlZ,         // a Ctrl-Z: reading stops there, the rest of the text is lost
        EndingCr,      // a CR at the line's end: reading drops it
        LoneLeadByte,  // a lead byte without its second byte: no Shift-JIS character
    };
    std::size_t line = 0;    // index, from 0
    std::size_t column = 0;  // byte column, from 1
    Kind kind = LineFeed;
    unsigned char byte = 0;
};

struct SaveLosses {
    std::vector<SaveLoss> first;  // the first places, in text order
    std::size_t count = 0;        // all places
};

// The places in `lines` where a save would lose something, the first `keep` of them listed. A CR
// inside a line reads back as it was and is not one. A line that is well-formed UTF-8 (a document
// converted to UTF-8 on purpose) is not searched for lone lead bytes.
[[nodiscard]] SaveLosses FindSaveLosses(const LineList& lines, std::size_t keep);

}  // namespace qb
