// Letter case and hiragana/katakana conversion of Shift-JIS text.
//
// The string conversions step over the text character by character (convert/sjis.h): a trail
// byte is never taken for the ASCII letter it may look like, and every character that does not
// convert is copied byte for byte. None of them changes the length of the text. Safe on
// untrusted input.
#pragma once

#include <string>
#include <string_view>

#include "convert/sjis.h"

namespace qb {

// The case partner of a letter (ASCII, full-width Latin, Greek or Cyrillic); any other code is
// returned unchanged.
inline unsigned ToUpperChar(unsigned code) {
    return ToUpperCode(code);
}
inline unsigned ToLowerChar(unsigned code) {
    return ToLowerCode(code);
}

// A hiragana (829F-82F1) -> its katakana: ぁ-み to ァ-ミ (+A1), む-ん to ム-ン (+A2, the
// katakana skip 837F). Any other code is returned unchanged.
constexpr unsigned HiraToKanaChar(unsigned code) {
    if (code >= 0x829F && code <= 0x82DD) return code + 0xA1;
    if (code >= 0x82DE && code <= 0x82F1) return code + 0xA2;
    return code;
}

// A full-width katakana from ァ (8340) to ン (8393) -> its hiragana. ヴ, ヵ, ヶ and the half-width
// katakana have no hiragana and are returned unchanged, as is any other code.
constexpr unsigned KanaToHiraChar(unsigned code) {
    if (code >= 0x8340 && code <= 0x837E) return code - 0xA1;
    if (code >= 0x8380 && code <= 0x8393) return code - 0xA2;
    return code;
}

// Every lower-case (upper-case) letter, single-byte or double-byte, becomes its partner.
[[nodiscard]] std::string ToUpperString(std::string_view text);
[[nodiscard]] std::string ToLowerString(std::string_view text);

// Every hiragana becomes its katakana, or every katakana ァ-ン its hiragana.
[[nodiscard]] std::string HiraToKanaString(std::string_view text);
[[nodiscard]] std::string KanaToHiraString(std::string_view text);

// Upper-cases the first ASCII letter of every word of one line. A word starts at the line start
// and after ASCII white space, after ASCII punctuation other than the apostrophe, and after any
// double-byte character; when a word starts with anything but a-z it stays as it is (1st).
[[nodiscard]] std::string CapitaliseWords(std::string_view line);

// Upper-cases the first ASCII letter of every sentence. `sentenceStart` carries the state from
// one line to the next: set it to true before the first line of a run, and pass the same flag
// for every following line. A full stop and any double-byte character start a sentence; every
// ASCII letter ends the start (after upper-casing it when it was the first).
[[nodiscard]] std::string CapitaliseSentences(std::string_view line, bool& sentenceStart);

// ASCII upper case becomes lower case and lower case upper case; double-byte letters stay.
[[nodiscard]] std::string SwapCase(std::string_view line);

}  // namespace qb
