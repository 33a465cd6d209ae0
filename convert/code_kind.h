// The result of character-code detection.
#pragma once

namespace qb {

enum CodeKind : int {
    CodeShiftJis = 0,  // "シフトJIS"
    CodeJis = 1,       // "JIS"
    CodeEuc = 2,       // "EUC"
    CodeUtf8 = 3,      // "UTF8"
    CodeAscii = 4,     // "ASCII"
    CodeUnknown = 5,   // "不明": EUC or Shift-JIS, not decided
};

}  // namespace qb
