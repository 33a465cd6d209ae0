// The fast loops between code page 932 and UTF-8, shared by the plain conversions of
// convert/cp932.h and those with stand-ins (convert/stand_in_codec.h). Each loop takes the bulk of
// the text (ASCII words, runs of double-byte characters or of three-byte sequences) through
// tables and hands the rare cases to a policy of its caller, so both kinds run the same fast path.
// Internal to convert/; use the functions of those two headers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "convert/byte_scan.h"

namespace qb::detail {

// Code page 932 -> UTF-8 for one character, ready to store: the UTF-8 bytes in the low three
// bytes (first byte lowest), their count in the two low bits of the high byte, and the high bit
// (kRareMark) set where the caller's policy must look: a code that is no character (the U+30FB
// written in its place stands for a loss), and in the table for stand-ins also the user-defined
// area F040-F9FC.
struct Utf8Table {
    std::uint32_t singles[256];
    // By first and second byte: 60 rows for the lead bytes, and one row of zeros (no
    // double-byte character) shared by all other first bytes. A zero byte after a lead byte
    // gives zero as well: the lead byte then stands alone.
    std::uint32_t doubles[61 * 256];
    const std::uint32_t* rows[256];
};

constexpr std::uint32_t kRareMark = 1u << 31;
constexpr std::uint32_t kEntryLength = 3;  // of the high byte

// The table of the plain conversion, and the one that also marks the user-defined area.
const Utf8Table& TheUtf8Table();
const Utf8Table& TheUtf8TableMarkingArea();

// The code page 932 form of every BMP character, ready to store: the bytes in memory order (the
// first in the low byte), '?' for a character without one. A second byte is never zero, so a
// form above 0xFF has two bytes.
struct SjisFormTable {
    std::uint16_t forms[0x10000];
};

const SjisFormTable& TheSjisFormTable();

// Stores the (up to three) UTF-8 bytes of an entry; writes four bytes.
inline void StoreEntry(char* p, std::uint32_t entry) {
#if __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    entry = __builtin_bswap32(entry);
#endif
    std::memcpy(p, &entry, sizeof entry);
}

// Stores a form of the table above; writes two bytes and returns how many belong to the form.
inline std::size_t StoreForm(char* p, std::uint16_t form) {
    p[0] = static_cast<char>(form & 0xFF);
    p[1] = static_cast<char>(form >> 8);
    return form > 0xFF ? 2 : 1;
}

// Copies ASCII bytes from s[i] (which is one) to out[o]: up to eight, stopping before the
// first byte that is not ASCII. out has eight bytes of slack.
inline void CopyAsciiStep(const char* s, std::size_t n, std::size_t& i, char* out, std::size_t& o) {
    if (i + 8 > n) {
        out[o++] = s[i++];
        return;
    }
    const std::uint64_t w = LoadWord(s + i);
    StoreWord(out + o, w);
    const std::uint64_t high = HighBytes(w);
    const unsigned k = high ? FirstFlagged(high) : 8;
    i += k, o += k;
}

// Code page 932 -> UTF-8 into `out` (room for 3 bytes per input byte and 8 more, or what the
// policy needs); returns the bytes written. The policy is called
//   rare.Double(entry, code, at, dst)  for a double-byte code whose entry has kRareMark,
//   rare.Single(entry, byte, at, dst)  for every byte >= 80 that is no double-byte character,
// with `at` the code's offset in the text; each stores at dst and returns the bytes stored.
template <class Rare>
std::size_t SjisToUtf8Kernel(std::string_view sjis, char* out, const Utf8Table& table, Rare& rare) {
    const char* s = sjis.data();
    const std::size_t n = sjis.size();
    std::size_t i = 0, o = 0;
    while (i < n) {
        const auto b = static_cast<unsigned char>(s[i]);
        if (b < 0x80) {
            CopyAsciiStep(s, n, i, out, o);
            continue;
        }
        // A run of double-byte characters, the bulk of Japanese text. The step to the next
        // character comes from the bytes, not from the table, so that the loads of one
        // character need not wait for the table look-up of the one before. A marked entry
        // (rare) leaves the fast path, which then needs neither to mask the length nor to ask.
        while (i + 1 < n) {
            const auto lead = static_cast<unsigned char>(s[i]);
            const auto trail = static_cast<unsigned char>(s[i + 1]);
            const std::uint32_t entry = table.rows[lead][trail];
            if (static_cast<std::int32_t>(entry) <= 0) [[unlikely]] {
                if (entry == 0) break;
                o += rare.Double(entry, lead << 8 | trail, i, out + o);
                i += 2;
                continue;
            }
            StoreEntry(out + o, entry);
            o += entry >> 24;
            i += 2;
        }
        // Half-width katakana, odd single bytes, a lead byte without a trail byte.
        if (i < n && static_cast<unsigned char>(s[i]) >= 0x80) {
            const auto single = static_cast<unsigned char>(s[i]);
            o += rare.Single(table.singles[single], single, i, out + o);
            ++i;
        }
    }
    return o;
}

// UTF-8 -> code page 932 into `out`; returns the bytes written. Runs of well-formed three-byte
// sequences (Japanese text) with a form of their own are converted here; everything else above
// 7F (and with kAreaIsRare the characters U+E000-U+E757 of the user-defined area) goes to
//   rare(utf8, i, dst)
// which converts what begins at utf8[i], advances i past it, stores at dst and returns the bytes
// stored.
template <bool kAreaIsRare, class Rare>
std::size_t Utf8ToCp932Kernel(std::string_view utf8, char* out, Rare& rare) {
    const SjisFormTable& forms = TheSjisFormTable();
    const char* s = utf8.data();
    const std::size_t n = utf8.size();
    std::size_t i = 0, o = 0;
    while (i < n) {
        const auto b0 = static_cast<unsigned char>(s[i]);
        if (b0 < 0x80) {
            CopyAsciiStep(s, n, i, out, o);
            continue;
        }
        // E0-EF, then two bytes 80-BF, for U+0800 and above less the surrogates.
        while (i + 4 <= n) {
            const std::uint32_t w = LoadLittleEndian32(s + i);
            if ((w & 0xC0C0F0u) != 0x8080E0u) break;
            const unsigned cp = (w & 0x0Fu) << 12 | (w >> 2 & 0xFC0u) | (w >> 16 & 0x3Fu);
            if (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF)) break;
            if constexpr (kAreaIsRare) {
                if (cp - 0xE000u < 0x758u) break;
            }
            const std::uint16_t form = forms.forms[cp];
            // No form (no character above 7F is '?'): the policy takes it.
            if (form == '?') [[unlikely]]
                break;
            o += StoreForm(out + o, form);
            i += 3;
        }
        if (i >= n || static_cast<unsigned char>(s[i]) < 0x80) continue;
        o += rare(utf8, i, out + o);
    }
    return o;
}

}  // namespace qb::detail
