// Whether bytes are UTF-8 text, for opening a file nobody named the code of.
//
// The text must be well-formed strictly (convert/utf8_strict.h) and hold at least one character
// above 7F. Longer Shift-JIS and EUC-JP text is practically never well-formed UTF-8, but short text
// can be: the half-width katakana ﾃｽ (C3 BD) read as ý, the EUC-JP 年 (C7 AF) as ǯ. So a text with
// fewer than eight such characters is UTF-8 only when one of them looks like what UTF-8 text
// holds: a three-byte character among the symbols, CJK and full-width forms, a four-byte emoji or
// CJK character, a Latin, Greek, Cyrillic, Hebrew or Arabic letter beside an ASCII letter (café) -
// or when the bytes are no well-formed Shift-JIS (which every such EUC-JP text also is).
//
// Fed piece by piece, as a file is read in blocks; any split gives the result of the whole text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "convert/code_detect.h"

namespace qb {

class Utf8Judge {
public:
    void Feed(std::string_view piece);
    // Whether the text fed so far is UTF-8 text. With `cut` it is only the start of a longer text
    // (the first block of a pipe): a character still open at the end is no fault then.
    [[nodiscard]] bool IsUtf8(bool cut = false) const;
    // True once a byte came that no well-formed UTF-8 holds: no later byte can make it UTF-8.
    [[nodiscard]] bool Failed() const { return m_validator.Failed(); }
    // Whether a byte above 7F came by.
    [[nodiscard]] bool SawNonAscii() const;
    // Whether the text so far is UTF-8 text that only an ill-formed byte further on could make
    // anything else: well-formed, with kEnough characters above 7F.
    [[nodiscard]] bool UnlessIllFormed() const {
        return m_validator.Valid() && m_evidence.characters >= kEnough;
    }

    // Texts with at least this many characters above 7F need no further evidence.
    static constexpr std::size_t kEnough = 8;

private:
    struct Evidence {
        std::size_t characters = 0;  // above 7F, counted up to kEnough
        bool typical = false;        // one looks like UTF-8 text
        bool notSjis = false;        // the bytes are no well-formed Shift-JIS
    };
    void Collect(const unsigned char* p, const unsigned char* end);
    // Adds what a run of bytes above 7F says, with the bytes before and after it (-1: none).
    static void Weigh(std::string_view run, int before, int after, bool cut, Evidence& evidence);

    Utf8Validator m_validator{Utf8Validator::Rule::Strict};

    // Evidence for short texts, gathered until kEnough characters came by.
    Evidence m_evidence;
    std::string m_run;      // bytes above 7F not yet weighed, whose run may go on
    int m_beforeRun = -1;   // the byte before m_run
    int m_lastByte = -1;    // the last byte fed
};

}  // namespace qb
