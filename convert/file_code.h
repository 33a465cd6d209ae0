// The character codes files are read and written in. The document in between is always
// Shift-JIS, so every command works the same whatever the files hold.
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

// A code name as the parsers compare it: lower case (ASCII), without the hyphens and underscores
// people put in code names ("Shift_JIS" and "shift-jis" both give "shiftjis").
[[nodiscard]] std::string SqueezeCodeName(std::string_view word);

}  // namespace qb
