// qbay --detect: which character code each FILE is in, as the code-detection dialog decides it
// (and, beyond the dialog's six kinds, UTF-16 text by its byte-order mark).
#pragma once

#include <string_view>

#include "app/cli/cli_options.h"
#include "convert/code_kind.h"
#include "core/text_file.h"

namespace qb {

// The word --detect prints for a code kind: "ShiftJIS", "JIS", "EUC", "UTF8", "ASCII" or
// "Unknown" (EUC or Shift-JIS, not decided).
std::string_view CodeKindWord(CodeKind kind);

// The code of the text `reader` gives, as CQuillbayDoc::DetectDocumentCode decides it for a
// document holding these lines. Reads no further than needed; the caller checks the reader
// for errors.
CodeKind DetectDocumentCodeOfReader(TextLineReader& reader);

// The word --detect prints for the text `reader` gives: "UTF16LE" or "UTF16BE" for text that
// begins with a UTF-16 byte-order mark, else the word of DetectDocumentCodeOfReader's kind.
std::string_view DetectCodeWordOfReader(TextLineReader& reader);

// Prints "FILE: KIND" for every FILE ("-: KIND" for standard input), as file(1) does. The text
// is read as a document reads it, without the code conversion of opening. Returns the exit
// status: 0, 1 when a file could not be read (the others are still printed), 2 when other
// options that would convert or write were given too.
int RunDetect(const CliOptions& options);

}  // namespace qb
