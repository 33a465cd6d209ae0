// The characters a code conversion cannot carry over. The conversions themselves never fail: a
// character without a form in the other code becomes '?' or '・' (or, from JIS X 0212, another
// character), and a user must hear of it. Each finder returns the characters of its text that
// the conversion it names would lose, in order, with where each starts; nothing for text that
// converts whole. All take any bytes and never fail.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "convert/jis.h"

namespace qb {

struct CodeLoss {
    std::size_t offset = 0;  // where the character (or stray byte) starts in the text it came from
    std::string what;        // UTF-8, for a message: "😀 (U+1F600)", "bytes EB 81"
};

// Shift-JIS -> Unicode (UTF-8, UTF-16): undefined double-byte codes, a lead byte without its
// trail byte, bytes that are no character.
[[nodiscard]] std::vector<CodeLoss> SjisLossesToUnicode(std::string_view sjis);

// UTF-8 -> Shift-JIS: characters code page 932 lacks (emoji, é...), and malformed UTF-8.
[[nodiscard]] std::vector<CodeLoss> Utf8LossesToSjis(std::string_view utf8);

// Shift-JIS -> JIS or EUC-JP: the user-defined area (F040-F9FC) and whatever Unicode lacks too.
[[nodiscard]] std::vector<CodeLoss> SjisLossesToJis(std::string_view sjis);

// EUC-JP -> Shift-JIS: JIS X 0212 characters (after the byte 8F), a lone 8E.
[[nodiscard]] std::vector<CodeLoss> EucLossesToSjis(std::string_view euc);

// JIS -> Shift-JIS: the characters after ESC $ ( D (JIS X 0212). `inX0212` carries whether such
// a run is still open from one line to the next (false before the first line).
[[nodiscard]] std::vector<CodeLoss> JisLossesToSjis(std::string_view jis, bool& inX0212);

// The two above for a line just converted by EucEitherFormToSjisLine and JisToSjisLine, looked
// for only where the conversion noted something out of the ordinary, so that clean text costs
// nothing: `odd` as EucEitherFormToSjisLine set it; `state` the JIS state after the line (its
// sawX0212 is cleared), `inX0212` as for JisLossesToSjis.
[[nodiscard]] std::vector<CodeLoss> EucLineLossesToSjis(std::string_view euc, bool odd);
[[nodiscard]] std::vector<CodeLoss> JisLineLossesToSjis(std::string_view jis, JisShiftState& state,
                                                        bool& inX0212);

// "😀 (U+1F600)": a character and its code point; for what a stand-in may hold besides characters
// (convert/stand_in_table.h) "U+D800 (no character)" or "byte 41".
[[nodiscard]] std::string DescribeCharacter(char32_t ch);
// "bytes EB 81": bytes shown in hexadecimal.
[[nodiscard]] std::string DescribeBytes(std::string_view bytes);
// The same for Shift-JIS bytes that are no character: a lead byte alone is named as one
// ("lead byte 82 without its second byte"), since the byte itself is not what is wrong.
[[nodiscard]] std::string DescribeSjisBytes(std::string_view bytes);

}  // namespace qb
