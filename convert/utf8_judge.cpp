#include "convert/utf8_judge.h"


#include "convert/byte_scan.h"
#include "convert/sjis.h"
#include "convert/utf8_strict.h"

namespace qb {

namespace {

constexpr bool In(char32_t c, char32_t first, char32_t last) {
    return c >= first && c <= last;
}

// Three-byte characters that UTF-8 text of this program's users holds, and short Shift-JIS or
// EUC-JP text read as UTF-8 hardly ever makes: punctuation, currency, letter-like symbols, arrows,
// mathematical and technical signs, enclosed numbers, box drawing, shapes, dingbats, CJK and kana,
// CJK compatibility, vertical and full-width forms. Not the scripts of U+0800-U+1FFF, which
// level-2 kanji followed by a lead byte produce.
bool IsTypicalThreeByte(char32_t c) {
    return In(c, 0x2010, 0x205F) || In(c, 0x20A0, 0x20CF) || In(c, 0x2100, 0x22FF) ||
           In(c, 0x2460, 0x27BF) || In(c, 0x2E80, 0x9FFF) || In(c, 0xF900, 0xFAFF) ||
           In(c, 0xFE30, 0xFE4F) || In(c, 0xFF00, 0xFFEF);
}

// Emoji and pictographs, and the CJK of the supplementary planes.
bool IsTypicalFourByte(char32_t c) {
    return In(c, 0x1F000, 0x1FAFF) || In(c, 0x20000, 0x3FFFF);
}

// Letters of the alphabets two-byte UTF-8 holds (not the signs ×, ÷ among them).
bool IsTwoByteLetter(char32_t c) {
    return (In(c, 0xC0, 0x24F) && c != 0xD7 && c != 0xF7) || In(c, 0x370, 0x6FF);
}

bool IsAsciiLetterByte(int b) {
    return b >= 0 && IsAsciiLetter(static_cast<unsigned>(b));
}

}  // namespace

void Utf8Judge::Feed(std::string_view piece) {
    if (piece.empty()) return;
    const auto* p = reinterpret_cast<const unsigned char*>(piece.data());
    const auto* end = p + piece.size();
    m_validator.Feed(piece);
    // Evidence is wanted only while the text may still be UTF-8 and is short so far.
    if (!m_validator.Failed() && m_evidence.characters < kEnough) Collect(p, end);
    m_lastByte = end[-1];
}

void Utf8Judge::Collect(const unsigned char* p, const unsigned char* end) {
    // A run longer than this holds kEnough characters, or is no UTF-8 at all.
    constexpr std::size_t kLongRun = 4 * kEnough;
    const unsigned char* const start = p;
    while (p < end && m_evidence.characters < kEnough) {
        if (m_run.empty()) {
            while (p < end && *p < 0x80) {
                const bool ascii8 =
                    end - p >= 8 &&
                    detail::HighBytes(detail::LoadWord(reinterpret_cast<const char*>(p))) == 0;
                p += ascii8 ? 8 : 1;
            }
            if (p == end) return;
            // The byte before: in this piece, or the last of the one before.
            m_beforeRun = p > start ? p[-1] : m_lastByte;
        }
        // Bytes of the run, up to the next ASCII byte (or the end of the piece).
        const unsigned char* runStart = p;
        while (p < end && *p >= 0x80)
            ++p;
        m_run.append(reinterpret_cast<const char*>(runStart), static_cast<std::size_t>(p - runStart));
        if (m_run.size() > kLongRun) {
            m_evidence.characters = kEnough;
            return;
        }
        if (p == end) return;  // the run may go on in the next piece
        Weigh(m_run, m_beforeRun, *p, false, m_evidence);
        m_run.clear();
    }
}

void Utf8Judge::Weigh(std::string_view run, int before, int after, bool cut, Evidence& evidence) {
    for (std::size_t i = 0; i < run.size() && evidence.characters < kEnough;) {
        std::size_t length;
        const char32_t cp = DecodeUtf8Strictly(run, i, length);
        if (cp == kInvalidUtf8) break;  // no UTF-8: the validation says so
        ++evidence.characters;
        if ((length == 3 && IsTypicalThreeByte(cp)) || (length == 4 && IsTypicalFourByte(cp)))
            evidence.typical = true;
        const int previous = i == 0 ? before : -1;
        const int next = i + length == run.size() ? after : -1;
        if (length == 2 && IsTwoByteLetter(cp) &&
            (IsAsciiLetterByte(previous) || IsAsciiLetterByte(next)))
            evidence.typical = true;
        i += length;
    }
    // The same bytes as Shift-JIS: half-width katakana, and lead bytes with their trail byte
    // (the byte after the run when the run ends in one).
    for (std::size_t i = 0; i < run.size();) {
        const auto b = static_cast<unsigned char>(run[i]);
        if (IsHankakuKanaByte(b)) {
            ++i;
        } else if (IsLeadByte(b) && i + 1 < run.size()) {
            if (!IsTrailByte(static_cast<unsigned char>(run[i + 1]))) evidence.notSjis = true;
            i += 2;
        } else if (IsLeadByte(b)) {
            const bool trail = after >= 0 ? IsTrailByte(static_cast<unsigned char>(after)) : cut;
            if (!trail) evidence.notSjis = true;
            ++i;
        } else {
            evidence.notSjis = true;  // 80, A0, FD-FF
            ++i;
        }
    }
}

bool Utf8Judge::SawNonAscii() const {
    // An ill-formed text had a byte above 7F (an ASCII byte fails only after a lead byte);
    // every other one shows in the evidence until that is complete.
    return m_validator.Failed() || m_evidence.characters > 0 || !m_run.empty();
}

bool Utf8Judge::IsUtf8(bool cut) const {
    if (m_validator.Failed() || (!cut && !m_validator.Valid())) return false;
    Evidence evidence = m_evidence;
    if (!m_run.empty() && evidence.characters < kEnough)
        Weigh(m_run, m_beforeRun, -1, cut, evidence);
    if (evidence.characters == 0) return false;
    return evidence.characters >= kEnough || evidence.typical || evidence.notSjis;
}

}  // namespace qb
