// qbay --detect: the code and line ends of each FILE, as opening finds them
// (convert/file_form_detect.h): "UTF-8 (LF)", "Shift-JIS (CRLF)", "ASCII". --from takes each name.
#pragma once

#include <string_view>

#include "app/cli/cli_options.h"
#include "convert/code_kind.h"

namespace qb {

// The word --detect prints for a code kind: "ShiftJIS", "JIS", "EUC", "UTF8", "ASCII" or
// "Unknown" (EUC or Shift-JIS, not decided).
std::string_view CodeKindWord(CodeKind kind);

// Prints "FILE: FORM" for every FILE ("-: FORM" for standard input), as file(1) does. Returns the exit
// status: 0, 1 when a file could not be read (the others are still printed), 2 when other
// options that would convert or write were given too.
int RunDetect(const CliOptions& options);

}  // namespace qb
