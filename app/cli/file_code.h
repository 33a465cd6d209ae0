// The line ends and output forms qbay reads and writes files in (--eol; the codes of --from and
// --to are convert/file_code.h).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "convert/file_code.h"

namespace qb {

enum class EolChoice {
    Setting,  // as "System"/"CrLf" says (no --eol)
    CrLf,
    Lf,
    Cr,
    Keep,  // as the file had them
};

// crlf, lf, cr or keep, in any case.
[[nodiscard]] std::optional<EolChoice> ParseEolChoice(std::string_view word);

// How the lines of a document are written to a file or a pipe.
struct OutputForm {
    FileCode code = FileCode::Sjis;  // never Auto
    bool bigEndian = false;          // UTF-16 only
    bool byteOrderMark = false;      // UTF-8 and UTF-16 only
    std::string terminator = "\r\n";
    bool finalLineEnd = true;  // false: the last line is written without its terminator
};

// Whether the locale that the environment names for character types (LC_ALL, LC_CTYPE, LANG:
// the first one set and not empty) is UTF-8; null for an unset variable.
[[nodiscard]] bool IsUtf8Locale(const char* lcAll, const char* lcCtype, const char* lang);

}  // namespace qb
