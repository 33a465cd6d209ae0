#include "convert/euc.h"

#include "convert/byte_scan.h"
#include "convert/jis_arith.h"
#include "convert/jis_equivalent.h"
#include "convert/scratch_output.h"
#include "convert/sjis.h"

namespace qb {

namespace {

constexpr unsigned char kSingleShift2 = 0x8E;  // a half-width katakana byte follows
constexpr unsigned char kSingleShift3 = 0x8F;  // a JIS X 0212 character follows

// A1-FE: a byte of an EUC double-byte character (a JIS byte with the high bit set).
constexpr bool IsEucByte(unsigned b) {
    return b - 0xA1u <= 0xFEu - 0xA1u;
}

// Copies the run of ASCII bytes at s[i..n) to out[o..), a word at a time; out has 8 bytes of
// slack beyond anything written so far.
inline void CopyAsciiRun(const char* s, std::size_t n, std::size_t& i, char* out, std::size_t& o) {
    while (i + 8 <= n) {
        const std::uint64_t w = detail::LoadWord(s + i);
        detail::StoreWord(out + o, w);
        const std::uint64_t high = detail::HighBytes(w);
        if (high) {
            const unsigned k = detail::FirstFlagged(high);
            o += k, i += k;
            return;
        }
        o += 8, i += 8;
    }
}

}  // namespace

std::string EucToSjisLine(std::string_view line) {
    detail::ScratchOutput scratch(EucToSjisRoom(line.size()));
    return scratch.Result(EucToSjisLine(line, scratch.data()));
}

namespace {

// EucToSjisLine, noting in `odd` (with kNote) each byte it meets that is no part of ASCII, an
// EUC-JP double-byte character or a half-width katakana after 8E.
template <bool kNote>
std::size_t EucToSjisKernel(std::string_view line, char* out, bool& odd) {
    const char* s = line.data();
    const std::size_t n = line.size();
    std::size_t i = 0, o = 0;
    while (i < n) {
        CopyAsciiRun(s, n, i, out, o);
        // Double-byte characters, the bulk of Japanese text.
#if defined(__SSE2__)
        // Eight codes at a time; the byte loop below takes the rest of the line and whatever
        // ends the run.
        detail::JisPairRunToSjis(s, n, i, out, o, 0x80);
#endif
        while (i + 1 < n && IsEucByte(static_cast<unsigned char>(s[i])) &&
               IsEucByte(static_cast<unsigned char>(s[i + 1]))) {
            const unsigned code =
                detail::JisPairToSjis(static_cast<unsigned char>(s[i]) & 0x7F,
                                      static_cast<unsigned char>(s[i + 1]) & 0x7F);
            out[o] = static_cast<char>(code >> 8);
            out[o + 1] = static_cast<char>(code);
            o += 2, i += 2;
        }
        if (i >= n) break;
        const auto b = static_cast<unsigned char>(s[i]);
        if (b < 0x80) {
            out[o++] = static_cast<char>(b);
            ++i;
        } else if (b == kSingleShift2) {
            // A half-width katakana byte follows (they come in words, taken here together).
            // Anything else after 8E (or nothing) leaves the 8E out and reads on from the next
            // byte.
            if (i + 1 < n && IsHankakuKanaByte(static_cast<unsigned char>(s[i + 1]))) {
                do {
                    out[o++] = s[i + 1];
                    i += 2;
                } while (i + 1 < n && static_cast<unsigned char>(s[i]) == kSingleShift2 &&
                         IsHankakuKanaByte(static_cast<unsigned char>(s[i + 1])));
            } else {
                if constexpr (kNote) odd = true;
                ++i;
            }
        } else if (b == kSingleShift3) {
            if constexpr (kNote) odd = true;
            ++i;  // dropped: the bytes after it are read as a JIS X 0208 character
        } else {
            // Not a character of EUC: copy the Shift-JIS character here unchanged.
            if constexpr (kNote) odd = true;
            out[o++] = static_cast<char>(b);
            if (IsLeadByte(b) && i + 1 < n && s[i + 1] != '\0') out[o++] = s[++i];
            ++i;
        }
    }
    return o;
}

}  // namespace

std::size_t EucToSjisLine(std::string_view line, char* out) {
    bool unused = false;
    return EucToSjisKernel<false>(line, out, unused);
}

std::size_t EucToSjisLine(std::string_view line, char* out, bool& odd) {
    return EucToSjisKernel<true>(line, out, odd);
}

std::string SjisToEucLine(std::string_view line) {
    const char* s = line.data();
    const std::size_t n = line.size();
    detail::ScratchOutput scratch(2 * n + 8);  // a katakana byte becomes two
    char* out = scratch.data();
    std::size_t i = 0, o = 0;
    while (i < n) {
        CopyAsciiRun(s, n, i, out, o);
        if (i >= n) break;
        const auto b = static_cast<unsigned char>(s[i]);
        if (IsHankakuKanaByte(b)) {
            out[o++] = static_cast<char>(kSingleShift2);
            out[o++] = static_cast<char>(b);
            ++i;
        } else if (IsLeadByte(b) && i + 1 < n &&
                   IsTrailByte(static_cast<unsigned char>(s[i + 1]))) {
            // A legal double-byte code. An IBM extension goes out as its twin that JIS has; one
            // without any JIS form (the user-defined area) becomes 80 80.
            const auto trail = static_cast<unsigned char>(s[i + 1]);
            unsigned jis = detail::SjisPairToJis(b, trail);
            if (jis == 0) {
                const unsigned twin = detail::JisEquivalent(b << 8 | trail);
                if (twin) jis = detail::SjisPairToJis(twin >> 8, twin & 0xFF);
            }
            const unsigned euc = jis ? jis | 0x8080 : 0x8080;
            out[o] = static_cast<char>(euc >> 8);
            out[o + 1] = static_cast<char>(euc);
            o += 2, i += 2;
        } else {
            out[o++] = static_cast<char>(b);
            ++i;
        }
    }
    return scratch.Result(o);
}

}  // namespace qb
