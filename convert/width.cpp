#include "convert/width.h"

#include <array>
#include <cstdint>
#include <cstring>

#include "convert/char_tables.h"
#include "convert/sjis.h"

namespace qb {

namespace {

// ---- Full width to half width --------------------------------------------------------------
//
// Only double-byte codes 8100-83FF have a half-width result (besides the kanji numerals, which
// the kernel checks on its own), so one rule per code of that block drives every kind and every
// flag combination. A rule converts when its mask shares a bit with the selector of the call:
// the kinds use all-or-nothing masks, ZenToHanSw the WidthFlags bits.

constexpr unsigned kRuleFirst = 0x8100;
constexpr unsigned kRuleCount = 0x300;     // 8100-83FF
constexpr std::uint8_t kAlways = 0x80;     // selected by every call, whatever the flags
constexpr std::uint8_t kAll = 0xFF;

struct ZenRule {
    std::uint8_t voicedMask;  // selects writing the two half-width bytes voiced[0..1]
    std::uint8_t formMask;    // selects writing the one byte `form`
    std::uint8_t form;
    std::uint8_t voiced[2];
};
using ZenRules = std::array<ZenRule, kRuleCount>;

constexpr void SetVoiced(ZenRule& r, int index, std::uint8_t mask) {
    r.voicedMask = mask;
    r.voiced[0] = kVoicedHankaku[index][0];
    r.voiced[1] = kVoicedHankaku[index][1];
}

constexpr void SetForm(ZenRule& r, unsigned form, std::uint8_t mask) {
    r.form = static_cast<std::uint8_t>(form);
    r.formMask = mask;
}

constexpr ZenRules BuildKindRules(int kind) {
    ZenRules rules{};
    for (unsigned i = 0; i < kRuleCount; ++i) {
        const unsigned c = kRuleFirst + i;
        ZenRule& r = rules[i];
        const unsigned s = SingleByteForm(c);
        const bool hasForm = s != c;
        const int voiced = FindVoicedZenkaku(c);
        switch (kind) {
            case WidthKindAll:
                if (voiced >= 0)
                    SetVoiced(r, voiced, kAll);
                else if (hasForm)
                    SetForm(r, s, kAll);
                else if (c == 0x815D)  // ‐
                    SetForm(r, '-', kAll);
                else if (c == 0x817E)  // ×
                    SetForm(r, '*', kAll);
                else if (c == 0x8180)  // ÷
                    SetForm(r, '/', kAll);
                break;
            case WidthKindAlphabet:
                if (hasForm && IsAsciiLetter(s)) SetForm(r, s, kAll);
                break;
            case WidthKindDigits:
                if (hasForm && IsAsciiDigit(s)) SetForm(r, s, kAll);
                break;
            case WidthKindKana:
                if (IsKatakana(c) && voiced >= 0)
                    SetVoiced(r, voiced, kAll);
                else if (hasForm && (IsKatakana(c) || IsSymbolRow(c)))
                    SetForm(r, s, kAll);
                break;
        }
    }
    return rules;
}

constexpr ZenRules BuildSwRules() {
    ZenRules rules{};
    for (unsigned i = 0; i < kRuleCount; ++i) {
        const unsigned c = kRuleFirst + i;
        ZenRule& r = rules[i];
        const int voiced = FindVoicedZenkaku(c);
        if (voiced >= 0 && IsKatakana(c)) SetVoiced(r, voiced, WidthKatakana);
        if (voiced >= 0 && IsHiragana(c)) SetVoiced(r, voiced, WidthHiragana);
        const int numeral = KanjiNumeralDigit(c);
        const unsigned s = SingleByteForm(c);
        if (numeral >= 0) {
            SetForm(r, '0' + static_cast<unsigned>(numeral), WidthKanjiNumerals);
        } else if (s != c) {
            // The classes are judged on the single-byte form for letters, punctuation and white
            // space, on the character itself for digits and kana.
            const bool letter = IsAsciiLetter(s), digit = IsDigit(c), kata = IsKatakana(c),
                       hira = IsHiragana(c), punct = IsAsciiPunct(s), space = IsAsciiSpace(s);
            std::uint8_t mask = 0;
            if (letter) mask |= WidthAlphabet;
            if (digit) mask |= WidthDigits;
            if (kata || IsSymbolRow(c)) mask |= WidthKatakana;
            if (punct || space) mask |= WidthAsciiSymbols;
            if (hira) mask |= WidthHiragana;
            if (!letter && !digit && !kata && !hira && !punct && !space)
                mask |= WidthJapaneseSymbols;
            SetForm(r, s, mask);
        } else if (c == 0x815D) {  // ‐ always becomes a hyphen-minus
            SetForm(r, '-', kAlways);
        }
    }
    return rules;
}

constexpr ZenRules kZenKindRules[4] = {BuildKindRules(0), BuildKindRules(1), BuildKindRules(2),
                                       BuildKindRules(3)};
constexpr ZenRules kZenSwRules = BuildSwRules();

constexpr std::array<bool, 256> BuildLeadTable() {
    std::array<bool, 256> t{};
    for (unsigned b = 0; b < 256; ++b) t[b] = IsLeadByte(static_cast<unsigned char>(b));
    return t;
}
constexpr std::array<bool, 256> kIsLead = BuildLeadTable();

// The first byte at or after p that is not ASCII (or end), eight bytes at a time.
inline const unsigned char* SkipAscii(const unsigned char* p, const unsigned char* end) {
    while (end - p >= 8) {
        std::uint64_t word;
        std::memcpy(&word, p, 8);
        if (word & 0x8080808080808080ull) break;
        p += 8;
    }
    while (p < end && *p < 0x80) ++p;
    return p;
}

// The one pass of every full-to-half conversion: single-byte characters are copied in runs, a
// double-byte character of 8100-83FF goes through its rule, the kanji numerals through the
// digit check when `numerals` is set, and every other character is copied. The result never
// grows, so it is written into one buffer of the input's size.
std::string ZenKernel(std::string_view text, const ZenRules& rules, unsigned selector,
                      bool numerals) {
    std::string out;
    out.resize(text.size());
    char* o = out.data();
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const auto* const end = p + text.size();
    while (p < end) {
        const unsigned char* run = SkipAscii(p, end);
        while (run < end && !kIsLead[*run]) ++run;
        if (run != p) {
            std::memcpy(o, p, static_cast<std::size_t>(run - p));
            o += run - p;
            p = run;
            if (p == end) break;
        }
        if (end - p < 2 || p[1] == 0) {  // a lone lead byte is a character of its own
            *o++ = static_cast<char>(*p++);
            continue;
        }
        const unsigned lead = p[0], trail = p[1];
        if (lead <= 0x83) {  // lead bytes start at 81
            const ZenRule& r = rules[(lead - 0x81) * 256 + trail];
            if (r.voicedMask & selector) {
                o[0] = static_cast<char>(r.voiced[0]);
                o[1] = static_cast<char>(r.voiced[1]);
                o += 2;
                p += 2;
                continue;
            }
            if (r.formMask & selector) {
                *o++ = static_cast<char>(r.form);
                p += 2;
                continue;
            }
        } else if (numerals) {
            const int digit = KanjiNumeralDigit(lead * 256 + trail);
            if (digit >= 0) {
                *o++ = static_cast<char>('0' + digit);
                p += 2;
                continue;
            }
        }
        o[0] = static_cast<char>(lead);
        o[1] = static_cast<char>(trail);
        o += 2;
        p += 2;
    }
    out.resize(static_cast<std::size_t>(o - out.data()));
    return out;
}

// ---- Half width to full width --------------------------------------------------------------

struct HanRule {
    std::uint16_t code;  // the full-width character, 0 for none
    std::uint8_t mask;
};
using HanRules = std::array<HanRule, 256>;

constexpr HanRules BuildHanKindRules(int kind) {
    HanRules rules{};
    for (unsigned b = 0; b < 256; ++b) {
        const unsigned full = DoubleByteForm(b);
        if (full == b) continue;
        bool selected = false;
        switch (kind) {
            case WidthKindAll: selected = true; break;
            case WidthKindAlphabet: selected = IsAsciiLetter(b); break;
            case WidthKindDigits: selected = IsAsciiDigit(b); break;
            case WidthKindKana: selected = IsHankakuKana(b); break;
        }
        if (selected) rules[b] = {static_cast<std::uint16_t>(full), kAll};
    }
    return rules;
}

constexpr HanRules BuildHanSwRules() {
    HanRules rules{};
    for (unsigned b = 0; b < 256; ++b) {
        const unsigned full = DoubleByteForm(b);
        if (full == b) continue;
        std::uint8_t mask = 0;
        if (IsAsciiLetter(b)) mask |= WidthAlphabet;
        if (IsAsciiDigit(b)) mask |= WidthDigits;
        if (IsHankakuKana(b)) mask |= WidthKatakana;
        if (IsAsciiPunct(b) || IsAsciiSpace(b)) mask |= WidthAsciiSymbols;
        if (mask == 0) mask = WidthJapaneseSymbols;
        rules[b] = {static_cast<std::uint16_t>(full), mask};
    }
    return rules;
}

constexpr HanRules kHanKindRules[4] = {BuildHanKindRules(0), BuildHanKindRules(1),
                                       BuildHanKindRules(2), BuildHanKindRules(3)};
constexpr HanRules kHanSwRules = BuildHanSwRules();

// The voiced katakana of a half-width kana A1-DF followed by ﾞ (DE) or ﾟ (DF); 0 for none.
constexpr auto BuildVoicedPairs() {
    std::array<std::array<std::uint16_t, 2>, 63> pairs{};
    for (int i = 0; i < kVoicedCount; ++i)
        pairs[kVoicedHankaku[i][0] - 0xA1][kVoicedHankaku[i][1] - 0xDE] = kVoicedKatakana[i];
    return pairs;
}
constexpr auto kVoicedPairs = BuildVoicedPairs();

// The one pass of every half-to-full conversion. With `voiced`, a half-width kana followed by a
// mark that forms a voiced kana becomes that katakana; otherwise each single byte goes through
// its rule. `asciiKept` says that the rules select no ASCII byte, so ASCII runs are copied whole.
// The result is at most twice the input, written into one buffer of that size.
std::string HanKernel(std::string_view text, const HanRules& rules, unsigned selector,
                      bool voiced, bool asciiKept) {
    std::string out;
    out.resize(text.size() * 2);
    char* o = out.data();
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const auto* const end = p + text.size();
    while (p < end) {
        if (asciiKept) {
            const unsigned char* run = SkipAscii(p, end);
            if (run != p) {
                std::memcpy(o, p, static_cast<std::size_t>(run - p));
                o += run - p;
                p = run;
                if (p == end) break;
            }
        }
        const unsigned b = *p;
        if (kIsLead[b]) {
            if (end - p >= 2 && p[1] != 0) {
                o[0] = static_cast<char>(p[0]);
                o[1] = static_cast<char>(p[1]);
                o += 2;
                p += 2;
            } else {
                *o++ = static_cast<char>(*p++);
            }
            continue;
        }
        if (voiced && b >= 0xA1 && b <= 0xDF && end - p >= 2 && (p[1] == 0xDE || p[1] == 0xDF)) {
            const unsigned code = kVoicedPairs[b - 0xA1][p[1] - 0xDE];
            if (code) {
                o[0] = static_cast<char>(code >> 8);
                o[1] = static_cast<char>(code & 0xFF);
                o += 2;
                p += 2;
                continue;
            }
        }
        const HanRule& r = rules[b];
        if (r.mask & selector) {
            o[0] = static_cast<char>(r.code >> 8);
            o[1] = static_cast<char>(r.code & 0xFF);
            o += 2;
        } else {
            *o = static_cast<char>(b);
            ++o;
        }
        ++p;
    }
    out.resize(static_cast<std::size_t>(o - out.data()));
    return out;
}

}  // namespace

std::string ZenToHan(std::string_view text, int kind) {
    if (kind < 0 || kind > 3) return std::string(text);
    return ZenKernel(text, kZenKindRules[kind], kAll, false);
}

std::string HanToZen(std::string_view text, int kind) {
    if (kind < 0 || kind > 3) return std::string(text);
    const bool voiced = kind == WidthKindAll || kind == WidthKindKana;
    return HanKernel(text, kHanKindRules[kind], kAll, voiced, kind == WidthKindKana);
}

std::string ZenToHanSw(std::string_view text, unsigned flags) {
    flags &= 0x7F;
    return ZenKernel(text, kZenSwRules, flags | kAlways, (flags & WidthKanjiNumerals) != 0);
}

std::string HanToZenSw(std::string_view text, unsigned flags) {
    flags &= 0x7F;
    const bool asciiKept = (flags & (WidthAlphabet | WidthDigits | WidthAsciiSymbols)) == 0;
    return HanKernel(text, kHanSwRules, flags, (flags & WidthKatakana) != 0, asciiKept);
}

}  // namespace qb
