#include "convert/fold.h"

#include <array>
#include <cstdint>

#include "convert/case_kana.h"
#include "convert/char_tables.h"
#include "convert/sjis.h"

namespace qb {

namespace {

// ---- Small-kana and voiced folding ---------------------------------------------------------

struct FoldPair {
    std::uint16_t from, to;
};

// Searched in this order; the first pair whose `from` matches wins.
// clang-format off
constexpr FoldPair kSmallVoicedPairs[] = {
    // ｧｨｩｪｫｯｬｭｮ -> ｱｲｳｴｵﾂﾔﾕﾖ, and - -> ｰ
    {0xA7, 0xB1}, {0xA8, 0xB2}, {0xA9, 0xB3}, {0xAA, 0xB4}, {0xAB, 0xB5}, {0xAF, 0xC2},
    {0xAC, 0xD4}, {0xAD, 0xD5}, {0xAE, 0xD6}, {0x2D, 0xB0},
    // ぁぃぅぇぉっゃゅょ -> あいうえおつやゆよ
    {0x829F, 0x82A0}, {0x82A1, 0x82A2}, {0x82A3, 0x82A4}, {0x82A5, 0x82A6}, {0x82A7, 0x82A8},
    {0x82C1, 0x82C2}, {0x82E1, 0x82E2}, {0x82E3, 0x82E4}, {0x82E5, 0x82E6},
    // ァィゥェォッャュョ -> アイウエオツヤユヨ
    {0x8340, 0x8341}, {0x8342, 0x8343}, {0x8344, 0x8345}, {0x8346, 0x8347}, {0x8348, 0x8349},
    {0x8362, 0x8363}, {0x8383, 0x8384}, {0x8385, 0x8386}, {0x8387, 0x8388},
    // － -> ー
    {0x817C, 0x815B},
    // ガギグゲゴザジズゼゾダヂヅデドバビブベボパピプペポヴ ->
    // カキクケコサシスセソタチツテトハヒフヘホハヒフヘホウ
    {0x834B, 0x834A}, {0x834D, 0x834C}, {0x834F, 0x834E}, {0x8351, 0x8350}, {0x8353, 0x8352},
    {0x8355, 0x8354}, {0x8357, 0x8356}, {0x8359, 0x8358}, {0x835B, 0x835A}, {0x835D, 0x835C},
    {0x835F, 0x835E}, {0x8361, 0x8360}, {0x8364, 0x8363}, {0x8366, 0x8365}, {0x8368, 0x8367},
    {0x836F, 0x836E}, {0x8372, 0x8371}, {0x8375, 0x8374}, {0x8378, 0x8377}, {0x837B, 0x837A},
    {0x8370, 0x836E}, {0x8373, 0x8371}, {0x8376, 0x8374}, {0x8379, 0x8377}, {0x837C, 0x837A},
    {0x8394, 0x8345},
};
// clang-format on

// Every `from` above is a single byte or lies in 8100-83FF: one slot per code of those.
constexpr unsigned kSlots = 0x100 + 0x300;
constexpr unsigned Slot(unsigned code) {
    return code < 0x100 ? code : code - 0x8100 + 0x100;
}

constexpr std::array<std::uint16_t, kSlots> BuildSmallVoicedFold() {
    std::array<std::uint16_t, kSlots> fold{};
    for (auto it = std::rbegin(kSmallVoicedPairs); it != std::rend(kSmallVoicedPairs); ++it)
        fold[Slot(it->from)] = it->to;  // backwards, so that the earliest pair wins
    return fold;
}
constexpr auto kSmallVoicedFold = BuildSmallVoicedFold();

constexpr unsigned SmallVoicedFold(unsigned code) {
    if (code >= 0x100 && (code < 0x8100 || code > 0x83FF)) return code;
    const unsigned to = kSmallVoicedFold[Slot(code)];
    return to ? to : code;
}

// The code a character compares by under `flags`.
inline unsigned MapCode(unsigned code, unsigned flags) {
    if (flags & FoldWidth) code = DoubleByteForm(code);
    if (flags & FoldCase)
        code = code < 0x80 ? (code >= 'a' && code <= 'z' ? code - 0x20 : code) : ToUpperChar(code);
    if (flags & FoldKana) code = HiraToKanaChar(code);
    if (flags & FoldSmallVoiced) code = SmallVoicedFold(code);
    return code;
}

// The next folded character, already mapped.
inline std::size_t NextMapped(std::string_view text, std::size_t pos, unsigned flags,
                              unsigned& code) {
    const std::size_t next = FoldedNext(text, pos, flags, code);
    code = MapCode(code, flags);
    return next;
}

// Which characters can begin a folded character equal to `first`: a quick test that lets
// FoldedFind step over most of the text without folding it. Folding changes only single bytes
// and the codes 8100-84FF (the rest fold to themselves), so one flag per code of those is
// enough. A kana that can take a following mark may begin a voiced kana, so the bases of the
// voiced kana that fold to `first` are marked as well. Search runs the same pattern over line
// after line, so the filter of the last pattern and flags is kept, one per thread.
class StartFilter {
public:
    bool Matches(unsigned first, unsigned flags) const {
        return m_valid && m_first == first && m_flags == flags;
    }

    void Build(unsigned first, unsigned flags) {
        m_first = first;
        m_flags = flags;
        m_valid = true;
        for (unsigned c = 0; c < kCodes; ++c)
            m_can[c] = MapCode(CodeAt(c), flags) == first;
        if (!(flags & FoldWidth)) return;
        for (int i = 0; i < kVoicedCount; ++i) {
            if (MapCode(kVoicedKatakana[i], flags) != first) continue;
            const unsigned base = kVoicedHankaku[i][0];
            m_can[base] = true;
            for (unsigned c = 0x829F; c <= 0x8396; ++c)
                if ((IsHiragana(c) || IsKatakana(c)) && SingleByteForm(c) == base)
                    m_can[IndexOf(c)] = true;
        }
    }

    bool CanStart(unsigned code) const {
        if (code < 0x100 || (code >= 0x8100 && code <= 0x84FF)) return m_can[IndexOf(code)];
        return code == m_first;
    }

private:
    static constexpr unsigned kCodes = 0x100 + 0x400;  // single bytes, then 8100-84FF
    static constexpr unsigned IndexOf(unsigned code) {
        return code < 0x100 ? code : code - 0x8100 + 0x100;
    }
    static constexpr unsigned CodeAt(unsigned index) {
        return index < 0x100 ? index : index - 0x100 + 0x8100;
    }

    bool m_valid = false;
    unsigned m_first = 0, m_flags = 0;
    std::array<bool, kCodes> m_can{};
};

}  // namespace

std::size_t FoldedNext(std::string_view text, std::size_t pos, unsigned flags, unsigned& code) {
    if (pos >= text.size()) {
        code = 0;
        return text.size();
    }
    unsigned c = CharCode(text, pos);
    std::size_t next = pos + CharLength(text, pos);
    if (flags & FoldWidth) {
        // ｶﾞ: a half-width kana and its mark read as the voiced katakana.
        if (IsHankakuKana(c) && next < text.size()) {
            const auto mark = static_cast<unsigned char>(text[next]);
            if (mark == kHankakuVoicedMark || mark == kHankakuSemiVoicedMark) {
                const int index = FindVoicedHankaku(static_cast<unsigned char>(c), mark);
                if (index >= 0) {
                    c = kVoicedKatakana[index];
                    next += 1;
                }
            }
        }
        // カ゛: a full-width kana and a separate mark, when the two form a voiced kana. A pair that
        // forms none (ア゛, ガ゛) stays two characters, so that nothing is lost from the text.
        if ((IsKatakana(c) || ((flags & FoldKana) && IsHiragana(c))) && next < text.size()) {
            const unsigned mark = CharCode(text, next);
            if ((mark == kZenkakuVoicedMark || mark == kZenkakuSemiVoicedMark) &&
                FindVoicedZenkaku(c) < 0) {
                const unsigned halfMark =
                    mark == kZenkakuVoicedMark ? kHankakuVoicedMark : kHankakuSemiVoicedMark;
                const int index = FindVoicedHankaku(static_cast<unsigned char>(SingleByteForm(c)),
                                                    static_cast<unsigned char>(halfMark));
                if (index >= 0) {
                    c = kVoicedKatakana[index];
                    next += 2;
                }
            }
        }
    }
    code = c;
    return next;
}

int FoldedCompareChars(unsigned a, unsigned b, unsigned flags) {
    return static_cast<int>(MapCode(a, flags)) - static_cast<int>(MapCode(b, flags));
}

int FoldedCompare(std::string_view s1, std::string_view s2, unsigned flags) {
    std::size_t i = 0, j = 0;
    while (i < s1.size() || j < s2.size()) {
        unsigned a = 0, b = 0;  // a string that has ended reads as code 0
        const bool ended1 = i >= s1.size(), ended2 = j >= s2.size();
        if (!ended1) i = NextMapped(s1, i, flags, a);
        if (!ended2) j = NextMapped(s2, j, flags, b);
        if (a != b) return static_cast<int>(a) - static_cast<int>(b);
        // Against a zero byte the string that ended still sorts first, so that no two
        // different strings compare equal merely because one holds zero bytes at its end.
        if (ended1 != ended2) return ended1 ? -1 : 1;
    }
    return 0;
}

std::size_t FoldedFind(std::string_view text, std::string_view pattern, unsigned flags,
                       std::size_t start, std::size_t& length) {
    constexpr auto npos = std::string_view::npos;
    if (pattern.empty() || start >= text.size()) return npos;
    unsigned first = 0;
    const std::size_t afterFirst = NextMapped(pattern, 0, flags, first);
    thread_local StartFilter filter;
    if (!filter.Matches(first, flags)) filter.Build(first, flags);
    for (std::size_t q = start; q < text.size(); q = NextChar(text, q)) {
        if (!filter.CanStart(CharCode(text, q))) continue;
        unsigned code = 0;
        std::size_t t = NextMapped(text, q, flags, code);
        if (code != first) continue;
        std::size_t p = afterFirst;
        bool match = true;
        while (p < pattern.size()) {
            // A later start never holds more folded characters than this one does, so once
            // the text runs out no match can follow.
            if (t >= text.size()) return npos;
            unsigned a = 0, b = 0;
            t = NextMapped(text, t, flags, a);
            p = NextMapped(pattern, p, flags, b);
            if (a != b) {
                match = false;
                break;
            }
        }
        if (match) {
            length = t - q;
            return q;
        }
    }
    return npos;
}

}  // namespace qb
