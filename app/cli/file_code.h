// The character codes and line ends qbay reads and writes files in (--from, --to, --eol). The
// document in between is always Shift-JIS, so every command works the same whatever the files
// hold.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qb {

enum class FileCode {
    Auto,  // reading only: as opening decides ("System"/"Auto": JIS and EUC are converted)
    Sjis,
    Jis,
    Euc,
    Utf8,
    Utf16,
};

// The code a word names: auto, sjis, jis, euc, utf8, utf16, in any case, and the names nkf and
// iconv users type for them (shift_jis, cp932, iso-2022-jp, euc-jp, utf-8, utf-16...).
[[nodiscard]] std::optional<FileCode> ParseFileCode(std::string_view word);
// The word for a code: "auto", "sjis", "jis", "euc", "utf8", "utf16".
[[nodiscard]] std::string_view FileCodeWord(FileCode code);

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
