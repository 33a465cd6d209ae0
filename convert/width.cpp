#include "convert/width.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <mutex>

#include "convert/char_tables.h"
#include "convert/sjis.h"

namespace qb {

namespace {

// ---- What full to half converts -----------------------------------------------------------------
//
// Only double-byte codes 8100-83FF have a half-width result (besides the kanji numerals, added
// when the tables are made), so one rule per code of that block drives every kind and every
// flag combination. A rule converts when its mask shares a bit with the selector of the call:
// the kinds use all-or-nothing masks, ZenToHanSw the WidthFlags bits.

constexpr unsigned kRuleFirst = 0x8100;
constexpr unsigned kRuleCount = 0x300;  // 8100-83FF
constexpr std::uint8_t kAlways = 0x80;  // selected by every call, whatever the flags
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

// ---- The two kernels ----------------------------------------------------------------------------
//
// Both walk the text with a branch on the width of each character, which stays predictable
// (Japanese prose is long runs of double-byte characters, ASCII comes in runs as well), and take
// what to write from a table, without a branch on the kind of character: kanji, kana and
// punctuation alternate all the time, and branches on them would be mispredicted again and
// again. Only the write depends on the table, never the step to the next character, so that the
// processor can run ahead. Two bytes are always loaded and stored, so the loops run while two
// input bytes remain, and the last byte is handled after them.

constexpr std::array<bool, 256> BuildLeadTable() {
    std::array<bool, 256> t{};
    for (unsigned b = 0; b < 256; ++b)
        t[b] = IsLeadByte(static_cast<unsigned char>(b));
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
    while (p < end && *p < 0x80)
        ++p;
    return p;
}

// Copies the ASCII run at p (p < end, *p < 0x80) and moves both pointers past it.
inline void CopyAsciiRun(const unsigned char*& p, const unsigned char* end, char*& o) {
    const unsigned char* run = SkipAscii(p + 1, end);
    std::memcpy(o, p, static_cast<std::size_t>(run - p));
    o += run - p;
    p = run;
}

// The two bytes at p as a number whose low byte is p[0], and back.
inline std::uint32_t Load2(const unsigned char* p) {
    return p[0] | p[1] << 8;
}
inline void Store2(char* o, std::uint32_t v) {
    o[0] = static_cast<char>(v & 0xFF);
    o[1] = static_cast<char>(v >> 8 & 0xFF);
}

// ---- Full width to half width -------------------------------------------------------------------
//
// An entry per double-byte code, chosen by its lead byte (through its row) and its trail byte:
// bits 0-15 hold the XOR that turns the two input bytes into the two output bytes (low byte
// first), bit 16 says that only one output byte is kept. Row 0 serves every lead byte without
// conversions and changes nothing; the leads 81-83 and those of the kanji numerals get rows of
// their own.
constexpr std::uint32_t kOneByte = 1u << 16;
constexpr int kZenRows = 1 + 3 + 7;  // no change; 81, 82, 83; the leads of 一二三五六八九

struct ZenTable {
    std::array<std::uint8_t, 256> rowOf{};
    std::array<std::array<std::uint32_t, 256>, kZenRows> rows{};
};

// The row of `lead` in `t`, made on first use.
constexpr std::array<std::uint32_t, 256>& RowFor(ZenTable& t, unsigned lead, int& used) {
    if (t.rowOf[lead] == 0) t.rowOf[lead] = static_cast<std::uint8_t>(used++);
    return t.rows[t.rowOf[lead]];
}

constexpr ZenTable BuildZenTable(const ZenRules& rules, unsigned selector) {
    ZenTable t{};
    int used = 1;
    for (unsigned i = 0; i < kRuleCount; ++i) {
        const ZenRule& r = rules[i];
        const unsigned lead = (kRuleFirst + i) >> 8, trail = (kRuleFirst + i) & 0xFF;
        auto& row = RowFor(t, lead, used);
        if (r.voicedMask & selector)
            row[trail] = (lead ^ r.voiced[0]) | (trail ^ r.voiced[1]) << 8;
        else if (r.formMask & selector)
            row[trail] = (lead ^ r.form) | kOneByte;
    }
    // 〇 lies in the block; the other numerals are kanji with leads of their own.
    if (selector & WidthKanjiNumerals) {
        for (unsigned digit = 1; digit < 10; ++digit) {
            const unsigned lead = kKanjiNumerals[digit] >> 8, trail = kKanjiNumerals[digit] & 0xFF;
            RowFor(t, lead, used)[trail] = (lead ^ ('0' + digit)) | kOneByte;
        }
    }
    return t;
}

constexpr unsigned kKindSelector = kAll & ~WidthKanjiNumerals;
constexpr ZenTable kZenKindTables[4] = {
    BuildZenTable(kZenKindRules[0], kKindSelector), BuildZenTable(kZenKindRules[1], kKindSelector),
    BuildZenTable(kZenKindRules[2], kKindSelector), BuildZenTable(kZenKindRules[3], kKindSelector)};

// The table of one flag combination of ZenToHanSw, made on its first use.
const ZenTable& ZenSwTable(unsigned flags) {
    static std::array<ZenTable, 0x80> tables;
    static std::once_flag made[0x80];
    std::call_once(made[flags],
                   [flags] { tables[flags] = BuildZenTable(kZenSwRules, flags | kAlways); });
    return tables[flags];
}

// The result never grows, so it is written into one buffer of the input's size; a one-byte
// result stores a second byte that the next step overwrites, always inside the buffer because
// the output is never ahead of the input.
std::string ZenKernel(std::string_view text, const ZenTable& table) {
    std::string out;
    out.resize(text.size());
    char* o = out.data();
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const auto* const end = p + text.size();
    const auto* const last = text.empty() ? p : end - 1;
    while (p < last) {
        const unsigned b = *p;
        if (b < 0x80) {
            CopyAsciiRun(p, end, o);
        } else if (kIsLead[b] && p[1] != 0) {
            const std::uint32_t entry = table.rows[table.rowOf[b]][p[1]];
            Store2(o, Load2(p) ^ entry);
            o += 2 - (entry >> 16);
            p += 2;
        } else {  // half-width kana, other single bytes, a lead byte before a zero byte
            *o++ = static_cast<char>(b);
            ++p;
        }
    }
    if (p < end) *o++ = static_cast<char>(*p);  // ASCII, a single byte or a lone lead byte
    out.resize(static_cast<std::size_t>(o - out.data()));
    return out;
}

// ---- Half width to full width -------------------------------------------------------------------
//
// An entry per single byte: the two bytes to write (low byte first) and how many of them to
// keep, the byte itself alone when it does not convert. A half-width kana that forms a voiced
// kana with ﾞ or ﾟ is flagged, so that only those look at the byte after them.
struct HanEntry {
    std::uint16_t put;
    std::uint8_t count;
    std::uint8_t mayVoice;
};
using HanTable = std::array<HanEntry, 256>;

constexpr bool TakesMark(unsigned b) {
    for (const auto& pair : kVoicedHankaku)
        if (pair[0] == b) return true;
    return false;
}

// `selected(b)` says whether byte b converts; `voiced` whether kana pairs form voiced kana.
template <typename Selected>
constexpr HanTable BuildHanTable(Selected selected, bool voiced) {
    HanTable t{};
    for (unsigned b = 0; b < 256; ++b) {
        const unsigned full = DoubleByteForm(b);
        if (full != b && selected(b))
            t[b] = {static_cast<std::uint16_t>(full >> 8 | (full & 0xFF) << 8), 2, 0};
        else
            t[b] = {static_cast<std::uint16_t>(b), 1, 0};
        t[b].mayVoice = voiced && TakesMark(b);
    }
    return t;
}

constexpr HanTable BuildHanKindTable(int kind) {
    switch (kind) {
        case WidthKindAlphabet:
            return BuildHanTable([](unsigned b) { return IsAsciiLetter(b); }, false);
        case WidthKindDigits:
            return BuildHanTable([](unsigned b) { return IsAsciiDigit(b); }, false);
        case WidthKindKana:
            return BuildHanTable([](unsigned b) { return IsHankakuKana(b); }, true);
        default:
            return BuildHanTable([](unsigned) { return true; }, true);
    }
}

constexpr HanTable kHanKindTables[4] = {BuildHanKindTable(0), BuildHanKindTable(1),
                                        BuildHanKindTable(2), BuildHanKindTable(3)};

constexpr HanTable BuildHanSwTable(unsigned flags) {
    return BuildHanTable(
        [flags](unsigned b) {
            const bool letter = IsAsciiLetter(b), digit = IsAsciiDigit(b), kana = IsHankakuKana(b),
                       punct = IsAsciiPunct(b), space = IsAsciiSpace(b);
            return (letter && (flags & WidthAlphabet)) || (digit && (flags & WidthDigits)) ||
                   (kana && (flags & WidthKatakana)) ||
                   ((punct || space) && (flags & WidthAsciiSymbols)) ||
                   (!letter && !digit && !kana && !punct && !space &&
                    (flags & WidthJapaneseSymbols));
        },
        (flags & WidthKatakana) != 0);
}

// The table of one flag combination of HanToZenSw, made on its first use.
const HanTable& HanSwTable(unsigned flags) {
    static std::array<HanTable, 0x80> tables;
    static std::once_flag made[0x80];
    std::call_once(made[flags], [flags] { tables[flags] = BuildHanSwTable(flags); });
    return tables[flags];
}

// The voiced katakana of a half-width kana A1-DF followed by ﾞ (DE) or ﾟ (DF); 0 for none.
constexpr auto BuildVoicedPairs() {
    std::array<std::array<std::uint16_t, 2>, 63> pairs{};
    for (int i = 0; i < kVoicedCount; ++i)
        pairs[kVoicedHankaku[i][0] - 0xA1][kVoicedHankaku[i][1] - 0xDE] = kVoicedKatakana[i];
    return pairs;
}
constexpr auto kVoicedPairs = BuildVoicedPairs();

// The result is at most twice the input, written into one buffer of that size. `asciiKept` says
// that the table converts no ASCII byte, so ASCII runs are copied whole.
std::string HanKernel(std::string_view text, const HanTable& table, bool asciiKept) {
    std::string out;
    out.resize(text.size() * 2);
    char* o = out.data();
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const auto* const end = p + text.size();
    const auto* const last = text.empty() ? p : end - 1;
    while (p < last) {
        const unsigned b = *p;
        if (asciiKept && b < 0x80) {
            CopyAsciiRun(p, end, o);
            continue;
        }
        if (kIsLead[b] && p[1] != 0) {  // double-byte characters stay as they are
            const unsigned char* run = p + 2;
            while (run < last && kIsLead[*run] && run[1] != 0)
                run += 2;
            std::memcpy(o, p, static_cast<std::size_t>(run - p));
            o += run - p;
            p = run;
            continue;
        }
        const HanEntry& e = table[b];
        if (e.mayVoice && (p[1] == 0xDE || p[1] == 0xDF)) {
            if (const unsigned code = kVoicedPairs[b - 0xA1][p[1] - 0xDE]) {
                Store2(o, code >> 8 | (code & 0xFF) << 8);
                o += 2;
                p += 2;
                continue;
            }
        }
        Store2(o, e.put);
        o += e.count;
        ++p;
    }
    if (p < end) {  // the last byte: a lone lead byte stays, any other byte converts as usual
        const HanEntry& e = kIsLead[*p] ? HanEntry{*p, 1, 0} : table[*p];
        *o++ = static_cast<char>(e.put & 0xFF);
        if (e.count == 2) *o++ = static_cast<char>(e.put >> 8);
    }
    out.resize(static_cast<std::size_t>(o - out.data()));
    return out;
}

}  // namespace

std::string ZenToHan(std::string_view text, int kind) {
    if (kind < 0 || kind > 3) return std::string(text);
    return ZenKernel(text, kZenKindTables[kind]);
}

std::string HanToZen(std::string_view text, int kind) {
    if (kind < 0 || kind > 3) return std::string(text);
    return HanKernel(text, kHanKindTables[kind], kind == WidthKindKana);
}

std::string ZenToHanSw(std::string_view text, unsigned flags) {
    flags &= 0x7F;
    return ZenKernel(text, ZenSwTable(flags));
}

std::string HanToZenSw(std::string_view text, unsigned flags) {
    flags &= 0x7F;
    const bool asciiKept = (flags & (WidthAlphabet | WidthDigits | WidthAsciiSymbols)) == 0;
    return HanKernel(text, HanSwTable(flags), asciiKept);
}

}  // namespace qb
