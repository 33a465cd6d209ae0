#include "convert/cp932.h"

#include <cstdint>
#include <cstring>

#include "convert/byte_scan.h"
#include "convert/cp932_table.h"
#include "convert/scratch_output.h"
#include "convert/sjis.h"

namespace qb {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

int LeadIndex(unsigned char lead) {
    return lead <= 0x9F ? lead - 0x81 : lead - 0xE0 + 31;
}

// Decodes one UTF-8 sequence at s[i]; advances i past it. Invalid input gives U+FFFD and
// consumes the maximal invalid subsequence, as the WHATWG decoder does.
char32_t DecodeUtf8(std::string_view s, std::size_t& i) {
    const auto b0 = static_cast<unsigned char>(s[i++]);
    if (b0 < 0x80) return b0;
    int need;
    char32_t cp;
    unsigned char lo = 0x80, hi = 0xBF;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        need = 1, cp = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        need = 2, cp = b0 & 0x0F;
        if (b0 == 0xE0) lo = 0xA0;
        if (b0 == 0xED) hi = 0x9F;  // no surrogates
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        need = 3, cp = b0 & 0x07;
        if (b0 == 0xF0) lo = 0x90;
        if (b0 == 0xF4) hi = 0x8F;
    } else {
        return kReplacement;
    }
    for (int k = 0; k < need; ++k) {
        if (i >= s.size()) return kReplacement;
        const auto b = static_cast<unsigned char>(s[i]);
        if (b < lo || b > hi) return kReplacement;
        lo = 0x80, hi = 0xBF;
        cp = (cp << 6) | (b & 0x3F);
        ++i;
    }
    return cp;
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

// Code page 932 -> UTF-8 for one character, ready to store: the UTF-8 bytes in the low three
// bytes (first byte lowest), their count in the two low bits of the high byte, and kLostMark
// there when the character is no character (the U+30FB written in its place stands for a loss).
struct Utf8Table {
    std::uint32_t singles[256];
    // By first and second byte: 60 rows for the lead bytes, and one row of zeros (no
    // double-byte character) shared by all other first bytes. A zero byte after a lead byte
    // gives zero as well: the lead byte then stands alone.
    std::uint32_t doubles[61 * 256];
    const std::uint32_t* rows[256];
};

constexpr std::uint32_t kLostMark = 1u << 31;
constexpr std::uint32_t kEntryLength = 3;  // of the high byte

std::uint32_t MakeEntry(char16_t unit, bool lost) {
    std::string bytes;
    AppendUtf8(bytes, unit);
    std::uint32_t entry = 0;
    for (std::size_t k = 0; k < bytes.size(); ++k)
        entry |= std::uint32_t{static_cast<unsigned char>(bytes[k])} << (8 * k);
    return entry | static_cast<std::uint32_t>(bytes.size()) << 24 | (lost ? kLostMark : 0);
}

const Utf8Table& TheUtf8Table() {
    static const Utf8Table* const table = [] {
        auto* t = new Utf8Table;
        constexpr char16_t kNoCharacter = 0x30FB;
        for (unsigned b = 0; b < 256; ++b) {
            const char16_t unit = cp932_table::kSingleToUnicode[b];
            t->singles[b] =
                MakeEntry(unit, unit == kNoCharacter || IsLeadByte(static_cast<unsigned char>(b)));
        }
        for (unsigned k = 0; k < 61 * 256; ++k) {
            const char16_t unit = k < 60 * 256 ? cp932_table::kDoubleToUnicode[k] : 0;
            // 81 45 is the one code that is U+30FB; every other code decoding to it is none.
            t->doubles[k] = k < 60 * 256 && k % 256 != 0
                                ? MakeEntry(unit, unit == kNoCharacter && k != 0x45)
                                : 0;
        }
        for (unsigned b = 0; b < 256; ++b)
            t->rows[b] = t->doubles + (IsLeadByte(static_cast<unsigned char>(b))
                                           ? LeadIndex(static_cast<unsigned char>(b))
                                           : 60) *
                                          256;
        return t;
    }();
    return *table;
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
        for (unsigned b = 0; b < 256; ++b)
            t->rows[b] = t->doubles + (IsLeadByte(static_cast<unsigned char>(b))
                                           ? LeadIndex(static_cast<unsigned char>(b))
                                           : 60) *
                                          256;
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

// Stores the (up to three) UTF-8 bytes of an entry; writes four bytes.
inline void StoreEntry(char* p, std::uint32_t entry) {
#if __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    entry = __builtin_bswap32(entry);
#endif
    std::memcpy(p, &entry, sizeof entry);
}

// The code page 932 form of every BMP character, ready to store: the bytes in memory order (the
// first in the low byte), '?' for a character without one. A second byte is never zero, so a
// form above 0xFF has two bytes.
struct SjisFormTable {
    std::uint16_t forms[0x10000];
};

const SjisFormTable& TheSjisFormTable() {
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

// Stores a form of the table above; writes two bytes and returns how many belong to the form.
inline std::size_t StoreForm(char* p, std::uint16_t form) {
    p[0] = static_cast<char>(form & 0xFF);
    p[1] = static_cast<char>(form >> 8);
    return form > 0xFF ? 2 : 1;
}

inline std::uint32_t LoadLittleEndian32(const char* p) {
    std::uint32_t w;
    std::memcpy(&w, p, sizeof w);
#if __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    w = __builtin_bswap32(w);
#endif
    return w;
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

// Copies ASCII bytes from s[i] (which is one) to out[o]: up to eight, stopping before the
// first byte that is not ASCII. out has eight bytes of slack.
inline void CopyAsciiStep(const char* s, std::size_t n, std::size_t& i, char* out, std::size_t& o) {
    if (i + 8 > n) {
        out[o++] = s[i++];
        return;
    }
    const std::uint64_t w = detail::LoadWord(s + i);
    detail::StoreWord(out + o, w);
    const std::uint64_t high = detail::HighBytes(w);
    const unsigned k = high ? detail::FirstFlagged(high) : 8;
    i += k, o += k;
}

}  // namespace

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

template <bool kCount>
std::size_t SjisToUtf8Counting(std::string_view sjis, char* out, std::size_t& lost) {
    const Utf8Table& table = TheUtf8Table();
    const char* s = sjis.data();
    const std::size_t n = sjis.size();
    std::size_t i = 0, o = 0;
    // Counted here and added at the end: `lost` could be any of the bytes stored through `out`,
    // so the compiler would write it back at every character.
    std::size_t count = 0;
    while (i < n) {
        const auto b = static_cast<unsigned char>(s[i]);
        if (b < 0x80) {
            CopyAsciiStep(s, n, i, out, o);
            continue;
        }
        // A run of double-byte characters, the bulk of Japanese text. The step to the next
        // character comes from the bytes, not from the table, so that the loads of one
        // character need not wait for the table look-up of the one before. A code that is no
        // character (kLostMark, rare) leaves the fast path, which then needs neither to mask
        // the length nor to count.
        while (i + 1 < n) {
            const std::uint32_t entry =
                table.rows[static_cast<unsigned char>(s[i])][static_cast<unsigned char>(s[i + 1])];
            if (static_cast<std::int32_t>(entry) <= 0) [[unlikely]] {
                if (entry == 0) break;
                StoreEntry(out + o, entry);
                o += (entry >> 24) & kEntryLength;
                if constexpr (kCount) ++count;
                i += 2;
                continue;
            }
            StoreEntry(out + o, entry);
            o += entry >> 24;
            i += 2;
        }
        // Half-width katakana, odd single bytes, a lead byte without a trail byte.
        if (i < n && static_cast<unsigned char>(s[i]) >= 0x80) {
            const std::uint32_t entry = table.singles[static_cast<unsigned char>(s[i])];
            StoreEntry(out + o, entry);
            o += (entry >> 24) & kEntryLength;
            if constexpr (kCount) count += entry >> 31;
            ++i;
        }
    }
    lost += count;
    return o;
}

// Stores the code page 932 form of a character, or '?' when it has none (counted then).
template <bool kCount>
inline std::size_t StoreCounting(char* p, unsigned code, std::size_t& lost) {
    if constexpr (kCount) lost += code == 0;
    return StoreCode(p, code);
}

template <bool kCount>
std::size_t Utf8ToCp932Counting(std::string_view utf8, char* out, std::size_t& lost) {
    const SjisFormTable& forms = TheSjisFormTable();
    const char* s = utf8.data();
    const std::size_t n = utf8.size();
    std::size_t i = 0, o = 0;
    std::size_t count = 0;  // added to `lost` at the end, as in SjisToUtf8Counting
    while (i < n) {
        const auto b0 = static_cast<unsigned char>(s[i]);
        if (b0 < 0x80) {
            CopyAsciiStep(s, n, i, out, o);
            continue;
        }
        // A run of well-formed three-byte sequences (Japanese text) without the general
        // decoder: E0-EF, then two bytes 80-BF, for U+0800 and above less the surrogates.
        while (i + 4 <= n) {
            const std::uint32_t w = LoadLittleEndian32(s + i);
            if ((w & 0xC0C0F0u) != 0x8080E0u) break;
            const unsigned cp = (w & 0x0Fu) << 12 | (w >> 2 & 0xFC0u) | (w >> 16 & 0x3Fu);
            if (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF)) break;
            const std::uint16_t form = forms.forms[cp];
            // No form (no character above 7F is '?'): the general step below stores and counts it.
            if (form == '?') [[unlikely]]
                break;
            o += StoreForm(out + o, form);
            i += 3;
        }
        if (i >= n || static_cast<unsigned char>(s[i]) < 0x80) continue;
        const char32_t cp = DecodeUtf8(utf8, i);
        o += StoreCounting<kCount>(
            out + o, cp <= 0xFFFF ? UnicodeToCp932Code(static_cast<char16_t>(cp)) : 0, count);
    }
    lost += count;
    return o;
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
