#include "convert/code_detect.h"

#include "convert/byte_scan.h"

namespace qb {

namespace {

constexpr unsigned char kEsc = 0x1B;

// What a byte means where a character starts.
enum ByteClass : unsigned char {
    kNeutral,   // ASCII other than ESC, 80, A0, FF: no evidence
    kEscape,    // ESC: a designation may follow
    kSjisOnly,  // 81-8D, 8F-9F: lead bytes only Shift-JIS has
    kSs2,       // 8E: Shift-JIS lead or EUC single shift
    kKana,      // A1-DF: Shift-JIS katakana or the first byte of EUC
    kHigh,      // E0-EF: Shift-JIS lead or the first byte of EUC
    kEucOnly,   // F0-FE: bytes only EUC has
};

struct ClassTable {
    ByteClass of[256];
    constexpr ClassTable() : of() {
        for (int b = 0; b < 256; ++b)
            of[b] = kNeutral;
        of[kEsc] = kEscape;
        for (int b = 0x81; b <= 0x9F; ++b)
            of[b] = kSjisOnly;
        of[0x8E] = kSs2;
        for (int b = 0xA1; b <= 0xDF; ++b)
            of[b] = kKana;
        for (int b = 0xE0; b <= 0xEF; ++b)
            of[b] = kHigh;
        for (int b = 0xF0; b <= 0xFE; ++b)
            of[b] = kEucOnly;
    }
};
constexpr ClassTable kClass;

constexpr bool In(unsigned b, unsigned first, unsigned last) {
    return b - first <= last - first;
}

// Words of plain ASCII without ESC carry no evidence and are skipped whole.
inline bool IsNeutralWord(std::uint64_t w) {
    return (detail::HighBytes(w) | detail::BytesBelow(w ^ (detail::kLowBits * kEsc), 1)) == 0;
}

}  // namespace

void CodeDetector::Feed(std::string_view piece) {
    if (Decided()) return;
    const auto* p = reinterpret_cast<const unsigned char*>(piece.data());
    FeedBytes(p, p + piece.size());
}

void CodeDetector::FeedBytes(const unsigned char* p, const unsigned char* end) {
    const bool text = m_form == Form::Text;
    while (p < end) {
        const unsigned b = *p;
        switch (m_state) {
            case State::Start:
                if (end - p >= 8 &&
                    IsNeutralWord(detail::LoadWord(reinterpret_cast<const char*>(p)))) {
                    p += 8;
                    continue;
                }
                if (In(b, 0xA1, 0xDF) && end - p >= 2 && In(p[1], 0xA1, 0xDF)) {
                    // Pairs of bytes A1-DF fit both codes: undecided, at a run's pace.
                    m_result = CodeUnknown;
                    p += 2;
                    while (end - p >= 2 && In(p[0], 0xA1, 0xDF) && In(p[1], 0xA1, 0xDF))
                        p += 2;
                    continue;
                }
                switch (kClass.of[b]) {
                    case kNeutral:
                        break;
                    case kEscape:
                        m_state = State::Escape;
                        break;
                    case kSjisOnly:
                        m_result = CodeShiftJis;
                        return;
                    case kSs2:
                        m_state = State::Ss2;
                        break;
                    case kKana:
                        m_state = State::Kana;
                        break;
                    case kHigh:
                        m_state = State::High;
                        break;
                    case kEucOnly:
                        m_result = CodeEuc;
                        return;
                }
                ++p;
                continue;
            case State::Escape:
                m_state = (b == '$' || (text && (b == '&' || b == '('))) ? State::EscapeNext
                                                                         : State::Start;
                ++p;
                continue;
            case State::EscapeNext:
                if (b == 'B' || b == '@' || (text && (b == 'J' || b == 'H'))) {
                    m_result = CodeJis;
                    return;
                }
                m_state = State::Start;
                ++p;
                continue;
            case State::Ss2:
                if (In(b, 0x40, 0x7E) || In(b, 0x80, 0xA0) || In(b, 0xE0, 0xFC)) {
                    m_result = CodeShiftJis;
                    return;
                }
                if (In(b, 0xA1, 0xDF)) m_result = CodeUnknown;
                m_state = State::Start;
                ++p;
                continue;
            case State::Kana:
                if (In(b, 0xF0, 0xFE)) {
                    m_result = CodeEuc;
                    return;
                }
                if (b <= 0x9F) {
                    m_result = CodeShiftJis;
                    return;
                }
                m_state = State::Start;
                if (In(b, 0xA1, 0xDF)) {
                    m_result = CodeUnknown;
                } else if (In(b, 0xE0, 0xEF)) {
                    // Kana followed by E0-EF fits both codes: look on while the bytes could
                    // still be either. The file form does so only when already undecided.
                    if (text) m_result = CodeUnknown;
                    if (m_result == CodeUnknown) m_state = State::Scan;
                }
                ++p;
                continue;
            case State::High:
                if (In(b, 0x40, 0x7E) || In(b, 0x80, 0xA0)) {
                    m_result = CodeShiftJis;
                    return;
                }
                if (b == 0xFD || b == 0xFE) {
                    m_result = CodeEuc;
                    return;
                }
                if (In(b, 0xA1, 0xFC)) m_result = CodeUnknown;
                m_state = State::Start;
                ++p;
                continue;
            case State::Scan:
                if (b < 0x40) {
                    m_state = State::Start;  // this byte is read again as a character start
                    continue;
                }
                if (In(b, 0x81, 0x8D) || In(b, 0x8F, 0x9F)) {
                    m_result = CodeShiftJis;
                    return;
                }
                if (b == 0xFD || b == 0xFE) {
                    m_result = CodeEuc;
                    return;
                }
                ++p;
                continue;
        }
    }
}

CodeKind CodeDetector::Result() const {
    // Kana at the very end: the missing next byte counts as one below A0.
    if (!Decided() && m_state == State::Kana) return CodeShiftJis;
    return m_result;
}

bool Utf8Validator::Begin(unsigned char lead, int& need) {
    m_low = 0x80, m_high = 0xBF;
    if (In(lead, 0xC0, 0xDF)) {
        need = 1;
        return !m_strict || lead >= 0xC2;
    }
    if (In(lead, 0xE0, 0xEF)) {
        need = 2;
        if (m_strict && lead == 0xE0) m_low = 0xA0;   // no overlong forms
        if (m_strict && lead == 0xED) m_high = 0x9F;  // no surrogates
        return true;
    }
    if (In(lead, 0xF0, 0xF4)) {
        need = 3;
        if (m_strict && lead == 0xF0) m_low = 0x90;
        if (m_strict && lead == 0xF4) m_high = 0x8F;  // nothing above U+10FFFF
        return true;
    }
    return false;
}

void Utf8Validator::Feed(std::string_view piece) {
    if (m_failed) return;
    const auto* p = reinterpret_cast<const unsigned char*>(piece.data());
    const auto* end = p + piece.size();
    // Finish a character left open by the previous piece; then each sequence below.
    const auto takeContinuations = [&] {
        for (; m_pending > 0 && p < end; --m_pending, ++p) {
            if (*p < m_low || *p > m_high) return false;
            m_low = 0x80, m_high = 0xBF;
        }
        return true;
    };
    if (!takeContinuations()) {
        m_failed = true;
        return;
    }
    while (p < end) {
        const unsigned b = *p;
        if (b < 0x80) {
            if (end - p >= 8) {
                const std::uint64_t high =
                    detail::HighBytes(detail::LoadWord(reinterpret_cast<const char*>(p)));
                p += high ? detail::FirstFlagged(high) : 8;
            } else {
                ++p;
            }
            continue;
        }
        // Runs of three-byte characters (Japanese text), checked whole: E0-EF and two
        // continuation bytes; strictly for U+0800 and above less the surrogates.
        while (end - p >= 4) {
            const std::uint32_t w = detail::LoadLittleEndian32(reinterpret_cast<const char*>(p));
            if ((w & 0xC0C0F0u) != 0x8080E0u) break;
            const unsigned cp = (w & 0x0Fu) << 12 | (w >> 2 & 0xFC0u) | (w >> 16 & 0x3Fu);
            if (m_strict && (cp < 0x800 || In(cp, 0xD800, 0xDFFF))) break;
            p += 3;
        }
        if (p == end || *p < 0x80) continue;
        if (!Begin(*p++, m_pending) || !takeContinuations()) {
            m_failed = true;
            return;
        }
        // Still pending at the end of the piece: the rest continues in the next one.
    }
}

CodeKind DetectFileCode(std::string_view bytes) {
    CodeDetector detector(CodeDetector::Form::File);
    detector.Feed(bytes);
    return detector.Result();
}

CodeKind DetectTextCode(std::string_view text) {
    CodeDetector detector(CodeDetector::Form::Text);
    detector.Feed(text);
    return detector.Result();
}

bool IsValidUtf8(std::string_view text) {
    Utf8Validator validator;
    validator.Feed(text);
    return validator.Valid();
}

}  // namespace qb
