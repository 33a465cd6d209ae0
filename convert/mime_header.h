// MIME encoded words in mail header lines: "=?charset?encoding?text?=".
#pragma once

#include <string>
#include <string_view>

#include "convert/jis.h"

namespace qb {

// A line holding at least one double-byte character becomes one encoded word
// "=?ISO-2022-JP?B?" + Base64 of its JIS form + "?=": the whole line, however long, without
// splitting or folding. The JIS form is written with `options`, starting and ending with both
// modes off. A line without double-byte characters (half-width katakana are single bytes) comes
// back unchanged.
[[nodiscard]] std::string MimeHeaderEncode(std::string_view line, const JisEncoderOptions& options);

// Decodes the encoded words of a line in place and returns the line. The first "=?" that begins
// a word head ("=?" charset "?" one character "?") fixes the charset and the encoding; only
// words with that head (compared without regard to ASCII case) are decoded, everything between
// them, white space included, stays. A word's text runs to the next "?="; its trailing white
// space is dropped; encoding B is Base64 (every decoded byte kept), any other encoding the '='
// escapes. Charset "utf-8" and "unicode-1-1-utf-7" are converted to Shift-JIS; any other charset
// (ISO-2022-JP among them, which the caller JIS-decodes with the rest of the line) keeps the
// decoded bytes. A head without a closing "?=" after it, and all that follows it, stay as they
// are. A line without a word head comes back unchanged.
[[nodiscard]] std::string MimeHeaderDecode(std::string_view line);

}  // namespace qb
