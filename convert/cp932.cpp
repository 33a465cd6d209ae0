#include "convert/cp932.h"

#include <cstdint>
#include <cstring>

#include "convert/byte_scan.h"
#include "convert/cp932_kernels.h"
#include "convert/cp932_table.h"
#include "convert/scratch_output.h"
#include "convert/sjis.h"
#include "convert/utf8_strict.h"

namespace qb {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

int LeadIndex(unsigned char lead) {
    return lead <= 0x9F ? lead - 0x81 : lead - 0xE0 + 31;
}

// Decodes one UTF-8 sequence at s[i]; advances i past it. Invalid input gives U+FFFD and
// consumes the maximal invalid subsequence, as the WHATWG decoder does.
char32_t DecodeUtf8(std::string_view s, std::size_t& i) {
    std::size_t length;
    const char32_t cp = DecodeUtf8Strictly(s, i, length);
    i += length;
    return cp == kInvalidUtf8 ? kReplacement : cp;
}

// Points the 256 rows of a table at its double-byte entries: lead bytes at their own row, every
// other first byte at the row of zeros after the 60 of the lead bytes.
template <class Entry>
void PointRows(const Entry* doubles, const Entry* (&rows)[256]) {
    for (unsigned b = 0; b < 256; ++b) {
        const auto lead = static_cast<unsigned char>(b);
        rows[b] = doubles + (IsLeadByte(lead) ? LeadIndex(lead) : 60) * 256;
    }
}

void AppendUtf16(std::u16string& out, char32_t cp) {
    if (cp < 0x10000) {
        out.push_back(static_cast<char16_t>(cp));
    } else {
        cp -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    }
}

void AppendCp932(std::string& out, unsigned code) {
    if (code > 0xFF) out.push_back(static_cast<char>(code >> 8));
    out.push_back(static_cast<char>(code & 0xFF));
}

// Appends the code page 932 form of a BMP character, '?' when it has none.
void AppendEncoded(std::string& out, char16_t unit) {
    if (unit == 0) {
        out.push_back('\0');
        return;
    }
    const unsigned code = UnicodeToCp932Code(unit);
    if (code == 0)
        out.push_back('?');
    else
        AppendCp932(out, code);
}

std::uint32_t MakeEntry(char16_t unit, bool rare) {
    std::string bytes;
    AppendUtf8(bytes, unit);
    std::uint32_t entry = 0;
    for (std::size_t k = 0; k < bytes.size(); ++k)
        entry |= std::uint32_t{static_cast<unsigned char>(bytes[k])} << (8 * k);
    return entry | static_cast<std::uint32_t>(bytes.size()) << 24 | (rare ? detail::kRareMark : 0);
}

detail::Utf8Table* MakeUtf8Table(bool markArea) {
    auto* t = new detail::Utf8Table;
    constexpr char16_t kNoCharacter = 0x30FB;
    for (unsigned b = 0; b < 256; ++b) {
        const char16_t unit = cp932_table::kSingleToUnicode[b];
        t->singles[b] =
            MakeEntry(unit, unit == kNoCharacter || IsLeadByte(static_cast<unsigned char>(b)));
    }
    for (unsigned k = 0; k < 61 * 256; ++k) {
        const char16_t unit = k < 60 * 256 ? cp932_table::kDoubleToUnicode[k] : 0;
        // 81 45 is the one code that is U+30FB; every other code decoding to it is none.
        const bool lost = unit == kNoCharacter && k != 0x45;
        const bool area = markArea && unit >= 0xE000 && unit <= 0xE757;
        t->doubles[k] = k < 60 * 256 && k % 256 != 0 ? MakeEntry(unit, lost || area) : 0;
    }
    PointRows(t->doubles, t->rows);
    return t;
}

// Code page 932 -> UTF-16 by first and second byte, laid out as the UTF-8 table: 60 rows for the
// lead bytes and a row of zeros for every other first byte. Zero means "no double-byte character
// here" (no double-byte code decodes to U+0000), also after a lead byte for a zero second byte.
struct Utf16Table {
    char16_t doubles[61 * 256];
    const char16_t* rows[256];
};

const Utf16Table& TheUtf16Table() {
    static const Utf16Table* const table = [] {
        auto* t = new Utf16Table;
        for (unsigned k = 0; k < 61 * 256; ++k)
            t->doubles[k] = k < 60 * 256 && k % 256 != 0 ? cp932_table::kDoubleToUnicode[k] : 0;
        PointRows(t->doubles, t->rows);
        return t;
    }();
    return *table;
}

// SjisToUtf16 into `out` (room for sjis.size() units); returns the units written.
std::size_t DecodeUtf16(std::string_view sjis, char16_t* out) {
    const Utf16Table& table = TheUtf16Table();
    const auto* p = reinterpret_cast<const unsigned char*>(sjis.data());
    const std::size_t n = sjis.size();
    std::size_t i = 0, o = 0;
    while (i < n) {
        if (p[i] < 0x80) {
            out[o++] = p[i++];
            // After one ASCII byte, more are likely: take them eight at a time.
            while (i + 8 <= n) {
                const std::uint64_t w = detail::LoadWord(sjis.data() + i);
                if (detail::HighBytes(w) != 0) break;
                for (int k = 0; k < 8; ++k)
                    out[o + k] = static_cast<char16_t>(w >> (8 * k) & 0xFF);
                i += 8, o += 8;
            }
            continue;
        }
        // A run of double-byte characters; the step comes from the bytes, not the table.
        while (i + 1 < n) {
            const char16_t unit = table.rows[p[i]][p[i + 1]];
            if (unit == 0) break;
            out[o++] = unit;
            i += 2;
        }
        // Half-width katakana, odd single bytes, a lead byte without a trail byte.
        if (i < n && p[i] >= 0x80) out[o++] = cp932_table::kSingleToUnicode[p[i++]];
    }
    return o;
}

// Stores the bytes of a code page 932 code, '?' for 0 (no code); returns their count.
inline std::size_t StoreCode(char* p, unsigned code) {
    if (code > 0xFF) {
        p[0] = static_cast<char>(code >> 8);
        p[1] = static_cast<char>(code & 0xFF);
        return 2;
    }
    p[0] = code ? static_cast<char>(code) : '?';
    return 1;
}

}  // namespace

const detail::Utf8Table& detail::TheUtf8Table() {
    static const Utf8Table* const table = MakeUtf8Table(false);
    return *table;
}

const detail::Utf8Table& detail::TheUtf8TableMarkingArea() {
    static const Utf8Table* const table = MakeUtf8Table(true);
    return *table;
}

const detail::SjisFormTable& detail::TheSjisFormTable() {
    static const SjisFormTable* const table = [] {
        auto* t = new SjisFormTable;
        for (unsigned u = 0; u < 0x10000; ++u) {
            const unsigned code = UnicodeToCp932Code(static_cast<char16_t>(u));
            t->forms[u] = static_cast<std::uint16_t>(code > 0xFF ? (code >> 8 | (code & 0xFF) << 8)
                                                                 : (code ? code : '?'));
        }
        return t;
    }();
    return *table;
}

char16_t Cp932CodeToUnicode(unsigned code) {
    if (code <= 0xFF) return cp932_table::kSingleToUnicode[code];
    const auto lead = static_cast<unsigned char>(code >> 8);
    if (code > 0xFFFF || !IsLeadByte(lead)) return 0x30FB;
    return cp932_table::kDoubleToUnicode[LeadIndex(lead) * 256 + (code & 0xFF)];
}

unsigned UnicodeToCp932Code(char16_t unit) {
    return cp932_table::kEncodeBlocks[cp932_table::kEncodePageIndex[unit >> 8] * 256u +
                                      (unit & 0xFF)];
}

std::u16string SjisToUtf16(std::string_view sjis) {
    std::u16string out(sjis.size(), u'\0');  // never more units than bytes
    out.resize(DecodeUtf16(sjis, out.data()));
    return out;
}

std::string Utf16ToSjis(std::u16string_view utf16) {
    std::string out;
    out.reserve(utf16.size() * 2);
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        const char16_t u = utf16[i];
        if (u < 0x80) {
            out.push_back(static_cast<char>(u));
        } else if (u >= 0xD800 && u <= 0xDFFF) {
            // A surrogate pair is one character with no code page 932 form.
            if (u <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
                utf16[i + 1] <= 0xDFFF)
                ++i;
            out.push_back('?');
        } else {
            AppendEncoded(out, u);
        }
    }
    return out;
}

namespace {

// The plain conversion's rare cases: a code that is no character becomes U+30FB, counted in
// `count` when kCount. Counted here and added to the caller's `lost` at the end: `lost` could be
// any of the bytes stored through `out`, so the compiler would write it back at every character.
template <bool kCount>
struct CountLosses {
    std::size_t count = 0;
    std::size_t Double(std::uint32_t entry, unsigned, std::size_t, char* dst) {
        detail::StoreEntry(dst, entry);
        if constexpr (kCount) ++count;
        return (entry >> 24) & detail::kEntryLength;
    }
    std::size_t Single(std::uint32_t entry, unsigned char, std::size_t, char* dst) {
        detail::StoreEntry(dst, entry);
        if constexpr (kCount) count += entry >> 31;
        return (entry >> 24) & detail::kEntryLength;
    }
};

template <bool kCount>
std::size_t SjisToUtf8Counting(std::string_view sjis, char* out, std::size_t& lost) {
    CountLosses<kCount> rare;
    const std::size_t written = detail::SjisToUtf8Kernel(sjis, out, detail::TheUtf8Table(), rare);
    lost += rare.count;
    return written;
}

// The plain conversion's rare cases: any other character, decoded as the WHATWG decoder does,
// stored as its code page 932 form or '?' (counted when kCount).
template <bool kCount>
struct DecodeRest {
    std::size_t count = 0;
    std::size_t operator()(std::string_view utf8, std::size_t& i, char* dst) {
        const char32_t cp = DecodeUtf8(utf8, i);
        const unsigned code = cp <= 0xFFFF ? UnicodeToCp932Code(static_cast<char16_t>(cp)) : 0;
        if constexpr (kCount) count += code == 0;
        return StoreCode(dst, code);
    }
};

template <bool kCount>
std::size_t Utf8ToCp932Counting(std::string_view utf8, char* out, std::size_t& lost) {
    DecodeRest<kCount> rare;
    const std::size_t written = detail::Utf8ToCp932Kernel<false>(utf8, out, rare);
    lost += rare.count;
    return written;
}

}  // namespace

std::size_t SjisToUtf8(std::string_view sjis, char* out) {
    std::size_t unused = 0;
    return SjisToUtf8Counting<false>(sjis, out, unused);
}

std::size_t SjisToUtf8(std::string_view sjis, char* out, std::size_t& lost) {
    return SjisToUtf8Counting<true>(sjis, out, lost);
}

std::string SjisToUtf8(std::string_view sjis) {
    detail::ScratchOutput scratch(SjisToUtf8Room(sjis.size()));
    return scratch.Result(SjisToUtf8(sjis, scratch.data()));
}

std::string SjisToUtf8(std::string_view sjis, std::size_t& lost) {
    detail::ScratchOutput scratch(SjisToUtf8Room(sjis.size()));
    return scratch.Result(SjisToUtf8Counting<true>(sjis, scratch.data(), lost));
}

std::size_t Utf8ToCp932(std::string_view utf8, char* out) {
    std::size_t unused = 0;
    return Utf8ToCp932Counting<false>(utf8, out, unused);
}

std::size_t Utf8ToCp932(std::string_view utf8, char* out, std::size_t& lost) {
    return Utf8ToCp932Counting<true>(utf8, out, lost);
}

std::string Utf8ToCp932(std::string_view utf8) {
    detail::ScratchOutput scratch(Utf8ToCp932Room(utf8.size()));
    return scratch.Result(Utf8ToCp932(utf8, scratch.data()));
}

std::string Utf8ToCp932(std::string_view utf8, std::size_t& lost) {
    detail::ScratchOutput scratch(Utf8ToCp932Room(utf8.size()));
    return scratch.Result(Utf8ToCp932Counting<true>(utf8, scratch.data(), lost));
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();)
        AppendUtf16(out, DecodeUtf8(utf8, i));
    return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
    std::string out;
    out.reserve(utf16.size() * 3);
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        char32_t cp = utf16[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = kReplacement;
        }
        AppendUtf8(out, cp);
    }
    return out;
}

namespace {

// SjisToUtf16 with the byte offset of every unit's character; steps characters one at a time
// with the character model of convert/sjis.h.
std::size_t DecodeWithOffsets(std::string_view sjis, char16_t* out, std::size_t* offsets) {
    const auto* p = reinterpret_cast<const unsigned char*>(sjis.data());
    const std::size_t n = sjis.size();
    std::size_t i = 0, k = 0;
    while (i < n) {
        const unsigned char b = p[i];
        offsets[k] = i;
        if (b < 0x80) {
            out[k++] = b;
            ++i;
        } else if (IsLeadByte(b) && i + 1 < n && p[i + 1] != 0) {
            out[k++] = cp932_table::kDoubleToUnicode[LeadIndex(b) * 256 + p[i + 1]];
            i += 2;
        } else {
            out[k++] = cp932_table::kSingleToUnicode[b];
            ++i;
        }
    }
    offsets[k] = n;
    return k;
}

}  // namespace

std::size_t SjisToUtf16(std::string_view sjis, char16_t* out, std::size_t* offsets) {
    return offsets ? DecodeWithOffsets(sjis, out, offsets) : DecodeUtf16(sjis, out);
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

}  // namespace qb
