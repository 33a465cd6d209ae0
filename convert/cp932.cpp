#include "convert/cp932.h"

#include <cstdint>
#include <cstring>

#include "convert/cp932_table.h"
#include "convert/sjis.h"

namespace qb {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

int LeadIndex(unsigned char lead) { return lead <= 0x9F ? lead - 0x81 : lead - 0xE0 + 31; }

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

std::u16string Cp932ToUtf16(std::string_view sjis) {
    std::u16string out;
    out.reserve(sjis.size());
    for (std::size_t i = 0; i < sjis.size();) {
        const auto b = static_cast<unsigned char>(sjis[i]);
        if (b < 0x80) {
            out.push_back(b);
            ++i;
            continue;
        }
        out.push_back(Cp932CodeToUnicode(CharCode(sjis, i)));
        i += CharLength(sjis, i);
    }
    return out;
}

std::string Utf16ToCp932(std::u16string_view utf16) {
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

std::string Cp932ToUtf8(std::string_view sjis) {
    std::string out;
    out.reserve(sjis.size() + sjis.size() / 2);
    for (std::size_t i = 0; i < sjis.size();) {
        const auto b = static_cast<unsigned char>(sjis[i]);
        if (b < 0x80) {
            out.push_back(static_cast<char>(b));
            ++i;
            continue;
        }
        AppendUtf8(out, Cp932CodeToUnicode(CharCode(sjis, i)));
        i += CharLength(sjis, i);
    }
    return out;
}

std::string Utf8ToCp932(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        if (b < 0x80) {
            out.push_back(static_cast<char>(b));
            ++i;
            continue;
        }
        const char32_t cp = DecodeUtf8(utf8, i);
        if (cp > 0xFFFF)
            out.push_back('?');
        else
            AppendEncoded(out, static_cast<char16_t>(cp));
    }
    return out;
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) AppendUtf16(out, DecodeUtf8(utf8, i));
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

template <bool kWithOffsets>
std::size_t DecodeInto(std::string_view sjis, char16_t* out, std::size_t* offsets) {
    const auto* p = reinterpret_cast<const unsigned char*>(sjis.data());
    const std::size_t n = sjis.size();
    std::size_t i = 0, k = 0;
    while (i < n) {
        const unsigned char b = p[i];
        if constexpr (kWithOffsets) offsets[k] = i;
        if (b < 0x80) {
            out[k++] = b;
            ++i;
            // After one ASCII byte, more are likely: take them eight at a time.
            for (std::uint64_t word; i + 8 <= n;) {
                std::memcpy(&word, p + i, 8);
                if ((word & 0x8080808080808080ULL) != 0) break;
                for (int j = 0; j < 8; ++j) {
                    if constexpr (kWithOffsets) offsets[k] = i;
                    out[k++] = p[i++];
                }
            }
        } else if (IsLeadByte(b) && i + 1 < n && p[i + 1] != 0) {
            out[k++] = cp932_table::kDoubleToUnicode[LeadIndex(b) * 256 + p[i + 1]];
            i += 2;
        } else {
            out[k++] = cp932_table::kSingleToUnicode[b];
            ++i;
        }
    }
    if constexpr (kWithOffsets) offsets[k] = n;
    return k;
}

}  // namespace

std::size_t Cp932ToUtf16(std::string_view sjis, char16_t* out, std::size_t* offsets) {
    return offsets ? DecodeInto<true>(sjis, out, offsets) : DecodeInto<false>(sjis, out, nullptr);
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
