#include "convert/jis.h"

#include <cstring>

#include "convert/byte_scan.h"
#include "convert/jis_arith.h"
#include "convert/jis_equivalent.h"
#include "convert/scratch_output.h"
#include "convert/sjis.h"

namespace qb {

namespace {

constexpr char kEsc = 0x1B;
constexpr char kShiftOut = 0x0E;  // SO: half-width katakana follow
constexpr char kShiftIn = 0x0F;   // SI: back to ASCII

std::string_view KanjiDesignation(int option) {
    switch (option) {
        case 0:
            return "\x1B$@";
        case 1:
            return "\x1B$B";
        case 2:
            return "\x1B&@\x1B$B";
        case 3:
            return "\x1B$(D";
        default:
            return {};  // kanji mode is entered without a sequence
    }
}

// Appends to an output area sized for the worst case beforehand.
struct Writer {
    char* p;
    void Put(char c) { *p++ = c; }
    void Put(std::string_view bytes) {
        if (bytes.empty()) return;  // memcpy may not be given the null pointer of an empty view
        std::memcpy(p, bytes.data(), bytes.size());
        p += bytes.size();
    }
};

// Writes what leaves kana mode and kanji mode, whichever is on.
void CloseModes(Writer& out, JisShiftState& state, const JisEncoderOptions& options) {
    const char toAscii[] = {kEsc, '(', options.asciiFinal == 'J' ? 'J' : 'B'};
    if (state.kana) {
        if (options.kanaForm == 0)
            out.Put(kShiftIn);
        else
            out.Put(std::string_view(toAscii, 3));
        state.kana = false;
    }
    if (state.kanji) {
        out.Put(std::string_view(toAscii, 3));
        state.kanji = false;
    }
}

}  // namespace

unsigned JisToSjisCode(unsigned jis) {
    const unsigned j1 = jis >> 8, j2 = jis & 0xFF;
    if (!detail::IsJisByte(j1) || !detail::IsJisByte(j2)) return 0;
    return detail::JisPairToSjis(j1, j2);
}

unsigned SjisToJisCode(unsigned sjis) {
    if (!IsLegalDoubleByte(sjis)) return 0;
    return detail::SjisPairToJis(sjis >> 8, sjis & 0xFF);
}

std::string JisToSjisLine(std::string_view line, JisShiftState& state) {
    detail::ScratchOutput scratch(JisToSjisRoom(line.size()));
    return scratch.Result(JisToSjisLine(line, state, scratch.data()));
}

std::size_t JisToSjisLine(std::string_view line, JisShiftState& state, char* out) {
    const char* s = line.data();
    const std::size_t n = line.size();
    std::size_t i = 0, o = 0;
    while (i < n) {
        if (state.kanji) {
#if defined(__SSE2__)
            // Eight codes at a time; the byte loop below takes the rest of the line and whatever
            // ends the run.
            detail::JisPairRunToSjis(s, n, i, out, o, 0);
#endif
            while (i + 1 < n && detail::IsJisByte(static_cast<unsigned char>(s[i])) &&
                   detail::IsJisByte(static_cast<unsigned char>(s[i + 1]))) {
                const unsigned code = detail::JisPairToSjis(static_cast<unsigned char>(s[i]),
                                                            static_cast<unsigned char>(s[i + 1]));
                out[o] = static_cast<char>(code >> 8);
                out[o + 1] = static_cast<char>(code);
                o += 2, i += 2;
            }
        } else if (!state.kana) {
            // Plain ASCII runs: nothing below 0x20 (escape, shift codes) and no 8-bit bytes.
            while (i + 8 <= n) {
                const std::uint64_t w = detail::LoadWord(s + i);
                detail::StoreWord(out + o, w);
                const std::uint64_t special = detail::HighBytes(w) | detail::BytesBelow(w, 0x20);
                if (special) {
                    const unsigned k = detail::FirstFlagged(special);
                    o += k, i += k;
                    break;
                }
                o += 8, i += 8;
            }
        }
        if (i >= n) break;

        // One position by the full rules: sequences first, whatever the mode.
        const auto b = static_cast<unsigned char>(s[i]);
        const std::size_t left = n - i;
        if (b == kEsc && left > 2) {
            const char c1 = s[i + 1], c2 = s[i + 2];
            if ((c1 == '$' && (c2 == '@' || c2 == 'B')) || (c1 == '&' && c2 == '@')) {
                state.kanji = true, state.kana = false;
                i += 3;
                continue;
            }
            if (c1 == '(' && (c2 == 'J' || c2 == 'H' || c2 == 'B')) {
                state.kanji = state.kana = false;
                i += 3;
                continue;
            }
            if (c1 == '(' && c2 == 'I') {
                state.kana = true, state.kanji = false;
                i += 3;
                continue;
            }
            if (left > 3 && c1 == '$' && c2 == '(' && s[i + 3] == 'D') {
                state.kanji = true, state.kana = false;
                state.sawX0212 = true;
                i += 4;
                continue;
            }
        } else if (b == kShiftOut) {
            state.kana = true, state.kanji = false;
            ++i;
            continue;
        } else if (b == kShiftIn) {
            state.kanji = state.kana = false;
            ++i;
            continue;
        }
        if (state.kanji) {
            if (left > 1 && detail::IsJisByte(b) &&
                detail::IsJisByte(static_cast<unsigned char>(s[i + 1]))) {
                const unsigned code =
                    detail::JisPairToSjis(b, static_cast<unsigned char>(s[i + 1]));
                out[o] = static_cast<char>(code >> 8);
                out[o + 1] = static_cast<char>(code);
                o += 2, i += 2;
                continue;
            }
        } else if (state.kana && b >= 0x21 && b <= 0x5F) {
            // 21-5F are the katakana of the 7-bit kana set (they come in words, taken here
            // together); anything else in kana mode is copied as it is, so stray bytes cannot
            // turn into lead bytes.
            do {
                out[o++] = static_cast<char>(s[i] + 0x80);
                ++i;
            } while (i < n && static_cast<unsigned char>(s[i]) - 0x21u <= 0x5Fu - 0x21u);
            continue;
        }
        // Copy the Shift-JIS character here unchanged.
        out[o++] = static_cast<char>(b);
        if (IsLeadByte(b) && left > 1 && s[i + 1] != '\0') {
            out[o++] = s[i + 1];
            ++i;
        }
        ++i;
    }
    return o;
}

std::string SjisToJisLine(std::string_view line, JisShiftState& state,
                          const JisEncoderOptions& options) {
    const char* s = line.data();
    const std::size_t n = line.size();
    const std::string_view designation = KanjiDesignation(options.kanjiDesignation);
    // At most 4.5 bytes out per byte in (SI, ESC & @ ESC $ B and two JIS bytes for a kanji after
    // katakana), a closing that may leave both modes, and room for whole-word stores.
    detail::ScratchOutput scratch(5 * n + 16);
    Writer out{scratch.data()};
    for (std::size_t i = 0; i < n;) {
        const auto b = static_cast<unsigned char>(s[i]);
        if (b < 0x80 && !state.kana && !state.kanji) {
            // ASCII runs with both modes off are copied as they are.
            if (i + 8 <= n) {
                const std::uint64_t w = detail::LoadWord(s + i);
                detail::StoreWord(out.p, w);
                const std::uint64_t high = detail::HighBytes(w);
                const unsigned k = high ? detail::FirstFlagged(high) : 8;
                out.p += k, i += k;
            } else {
                out.Put(static_cast<char>(b));
                ++i;
            }
            continue;
        }
        if (IsHankakuKanaByte(b)) {
            if (!state.kana && options.kanaForm != 2) {
                if (options.kanaForm == 0)
                    out.Put(kShiftOut);
                else
                    out.Put("\x1B(I");
                state.kana = true, state.kanji = false;
            }
            out.Put(static_cast<char>(options.kanaForm == 2 ? b : b & 0x7F));
            ++i;
            continue;
        }
        const bool pair =
            IsLeadByte(b) && i + 1 < n && IsTrailByte(static_cast<unsigned char>(s[i + 1]));
        unsigned jis = pair ? detail::SjisPairToJis(b, static_cast<unsigned char>(s[i + 1])) : 0;
        if (pair && jis == 0) {
            // An IBM extension goes out as its twin that JIS has, rather than as 8-bit bytes.
            const unsigned twin =
                detail::JisEquivalent(b << 8 | static_cast<unsigned char>(s[i + 1]));
            if (twin) jis = detail::SjisPairToJis(twin >> 8, twin & 0xFF);
        }
        if (jis != 0) {
            if (state.kana) {
                if (options.kanaForm == 0) out.Put(kShiftIn);
                state.kana = false;
            }
            if (!state.kanji) {
                out.Put(designation);
                state.kanji = true;
            }
            out.Put(static_cast<char>(jis >> 8));
            out.Put(static_cast<char>(jis & 0xFF));
            i += 2;
        } else {
            // Copied whole, in ASCII mode: a character without a JIS form, ASCII, odd bytes.
            const std::size_t length = CharLength(line, i);
            CloseModes(out, state, options);
            out.Put(line.substr(i, length));
            i += length;
        }
    }
    CloseModes(out, state, options);
    return scratch.Result(static_cast<std::size_t>(out.p - scratch.data()));
}

}  // namespace qb
