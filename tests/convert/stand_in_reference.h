// A slow reference for the codecs with stand-ins, written from their rules and nothing else: one
// character at a time, its own code taken from the per-character functions of convert/cp932.h,
// its own UTF-8 reading, no tables of the fast loops. Header-only so that the fuzz targets can
// compare against it too.
#pragma once

#include <string>
#include <string_view>

#include "convert/cp932.h"
#include "convert/sjis.h"
#include "convert/stand_in_table.h"

namespace qb::reference {

// The scalar value a well-formed UTF-8 sequence at text[i] holds, with its length; 0 as length
// when the bytes there begin none (Unicode's table of well-formed byte sequences).
inline char32_t ReadUtf8(std::string_view text, std::size_t i, std::size_t& length) {
    const auto at = [&](std::size_t k) -> unsigned {
        return i + k < text.size() ? static_cast<unsigned char>(text[i + k]) : 0x100;
    };
    const auto in = [](unsigned b, unsigned low, unsigned high) { return b >= low && b <= high; };
    const unsigned b0 = at(0), b1 = at(1), b2 = at(2), b3 = at(3);
    length = 0;
    if (b0 < 0x80) return length = 1, b0;
    if (in(b0, 0xC2, 0xDF) && in(b1, 0x80, 0xBF)) return length = 2, (b0 & 0x1F) << 6 | (b1 & 0x3F);
    const bool three = (b0 == 0xE0 && in(b1, 0xA0, 0xBF)) ||
                       ((in(b0, 0xE1, 0xEC) || in(b0, 0xEE, 0xEF)) && in(b1, 0x80, 0xBF)) ||
                       (b0 == 0xED && in(b1, 0x80, 0x9F));
    if (three && in(b2, 0x80, 0xBF))
        return length = 3, (b0 & 0x0F) << 12 | (b1 & 0x3F) << 6 | (b2 & 0x3F);
    const bool four = (b0 == 0xF0 && in(b1, 0x90, 0xBF)) ||
                      (in(b0, 0xF1, 0xF3) && in(b1, 0x80, 0xBF)) ||
                      (b0 == 0xF4 && in(b1, 0x80, 0x8F));
    if (four && in(b2, 0x80, 0xBF) && in(b3, 0x80, 0xBF))
        return length = 4, (b0 & 0x07) << 18 | (b1 & 0x3F) << 12 | (b2 & 0x3F) << 6 | (b3 & 0x3F);
    return 0;
}

inline void WriteUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | cp >> 6);
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | cp >> 12);
        out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | cp >> 18);
        out += static_cast<char>(0x80 | (cp >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

inline void WriteCode(std::string& out, unsigned code) {
    if (code > 0xFF) out += static_cast<char>(code >> 8);
    out += static_cast<char>(code & 0xFF);
}

// Appends the Shift-JIS form of one character (or of what a stand-in may hold besides): its own
// code when it has one that reads back as itself and stands for nothing else, else a stand-in,
// else '?'. Returns false for '?'.
inline bool Hold(std::string& out, char32_t ch, StandInTable& table) {
    const bool bmp = ch < 0x10000 && !(ch >= 0xD800 && ch <= 0xDFFF);
    const unsigned own = bmp && ch != 0 ? UnicodeToCp932Code(static_cast<char16_t>(ch)) : 0;
    const bool roundTrips = own != 0 && Cp932CodeToUnicode(own) == ch;
    if (ch == 0 || (roundTrips && table.CharOf(own) == 0)) {
        table.Exclude(own);
        WriteCode(out, own);
        return true;
    }
    if (const unsigned code = table.CodeFor(ch)) {
        WriteCode(out, code);
        return true;
    }
    out += '?';
    return false;
}

// UTF-8 -> Shift-JIS with stand-ins; `lost` counts the characters that became '?'.
inline std::string Utf8ToSjis(std::string_view utf8, StandInTable& table, std::size_t& lost) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        std::size_t length;
        const char32_t cp = ReadUtf8(utf8, i, length);
        if (length == 0) {  // a stray byte
            lost += !Hold(out, kStrayByteBase + static_cast<unsigned char>(utf8[i]), table);
            ++i;
        } else {
            lost += !Hold(out, cp, table);
            i += length;
        }
    }
    return out;
}

// The Unicode form of each Shift-JIS character: the stand-in's, else code page 932's.
template <class Put>
void EachCharacter(std::string_view sjis, const StandInTable& table, Put put) {
    for (std::size_t i = 0; i < sjis.size(); i = NextChar(sjis, i)) {
        const unsigned code = CharCode(sjis, i);
        const char32_t ch = table.CharOf(code);
        put(ch ? ch : Cp932CodeToUnicode(code));
    }
}

inline std::string SjisToUtf8(std::string_view sjis, const StandInTable& table) {
    std::string out;
    EachCharacter(sjis, table, [&](char32_t ch) {
        if (ch >= 0xDC80 && ch <= 0xDCFF)
            out += static_cast<char>(ch - 0xDC00);
        else if ((ch >= 0xD800 && ch <= 0xDFFF) || ch > 0x10FFFF)
            WriteUtf8(out, 0xFFFD);
        else
            WriteUtf8(out, ch);
    });
    return out;
}

// UTF-16 units (host order) <-> Shift-JIS.
inline std::string Utf16ToSjis(std::u16string_view units, StandInTable& table, std::size_t& lost) {
    std::string out;
    for (std::size_t k = 0; k < units.size(); ++k) {
        char32_t ch = units[k];
        if (ch >= 0xD800 && ch <= 0xDBFF && k + 1 < units.size() && units[k + 1] >= 0xDC00 &&
            units[k + 1] <= 0xDFFF)
            ch = 0x10000 + ((ch - 0xD800) << 10) + (units[++k] - 0xDC00);
        lost += !Hold(out, ch, table);
    }
    return out;
}

inline std::u16string SjisToUtf16(std::string_view sjis, const StandInTable& table) {
    std::u16string out;
    EachCharacter(sjis, table, [&](char32_t ch) {
        if (ch > 0x10FFFF) {
            out += u'\xFFFD';
        } else if (ch >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((ch - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((ch - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(ch);
        }
    });
    return out;
}

// The bytes of UTF-16 units in either order.
inline std::string Utf16Bytes(std::u16string_view units, bool bigEndian) {
    std::string bytes;
    for (char16_t u : units) {
        const char high = static_cast<char>(u >> 8), low = static_cast<char>(u & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

}  // namespace qb::reference
