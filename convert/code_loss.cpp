#include "convert/code_loss.h"

#include <cstdio>
#include <cstring>

#include "convert/cp932.h"
#include "convert/jis_arith.h"
#include "convert/jis_equivalent.h"
#include "convert/sjis.h"
#include "convert/stand_in_table.h"
#include "convert/utf8_strict.h"

namespace qb {

namespace {

constexpr char32_t kMiddleDot = 0x30FB;  // what code page 932 decodes an undefined code to
constexpr unsigned kMiddleDotCode = 0x8145;

// Whether EUC-JP text may hold what Shift-JIS lacks: a JIS X 0212 character (after 8F), or an
// 8E that no half-width katakana follows.
bool EucMayLose(std::string_view line) {
    if (std::memchr(line.data(), 0x8F, line.size())) return true;
    for (std::size_t at = line.find('\x8E'); at != std::string_view::npos;
         at = line.find('\x8E', at + 2))
        if (at + 1 >= line.size() || !IsHankakuKanaByte(static_cast<unsigned char>(line[at + 1])))
            return true;
    return false;
}

}  // namespace

std::string DescribeCharacter(char32_t ch) {
    char code[32];
    if (ch >= kOddByteBase) {
        std::snprintf(code, sizeof code, "byte %02X", static_cast<unsigned>(ch - kOddByteBase));
        return code;
    }
    if (ch >= 0xD800 && ch <= 0xDFFF) {
        std::snprintf(code, sizeof code, "U+%04X (no character)", static_cast<unsigned>(ch));
        return code;
    }
    std::string text;
    AppendUtf8(text, ch);
    std::snprintf(code, sizeof code, " (U+%04X)", static_cast<unsigned>(ch));
    return text + code;
}

std::string DescribeBytes(std::string_view bytes) {
    std::string text = bytes.size() == 1 ? "byte" : "bytes";
    for (const char c : bytes) {
        char hex[4];
        std::snprintf(hex, sizeof hex, " %02X", static_cast<unsigned char>(c));
        text += hex;
    }
    return text;
}

std::string DescribeSjisBytes(std::string_view bytes) {
    const auto first = static_cast<unsigned char>(bytes.empty() ? 0 : bytes[0]);
    const bool paired = bytes.size() == 2 && IsTrailByte(static_cast<unsigned char>(bytes[1]));
    if (bytes.empty() || bytes.size() > 2 || !IsLeadByte(first) || paired)
        return DescribeBytes(bytes);
    char hex[8];
    std::snprintf(hex, sizeof hex, "%02X", first);
    std::string text = std::string("lead byte ") + hex + " without its second byte";
    if (bytes.size() == 2) {  // a byte that is no second byte, taken with it
        std::snprintf(hex, sizeof hex, "%02X", static_cast<unsigned char>(bytes[1]));
        text += std::string(", and the byte ") + hex + " after it";
    }
    return text;
}

std::vector<CodeLoss> SjisLossesToUnicode(std::string_view sjis) {
    std::vector<CodeLoss> losses;
    for (std::size_t pos = 0; pos < sjis.size();) {
        const std::size_t length = CharLength(sjis, pos);
        const unsigned code = CharCode(sjis, pos);
        const bool lost = length == 2
                              ? Cp932CodeToUnicode(code) == kMiddleDot && code != kMiddleDotCode
                              : Cp932CodeToUnicode(code) == kMiddleDot ||
                                    IsLeadByte(static_cast<unsigned char>(sjis[pos]));
        if (lost) losses.push_back({pos, DescribeSjisBytes(sjis.substr(pos, length))});
        pos += length;
    }
    return losses;
}

std::vector<CodeLoss> Utf8LossesToSjis(std::string_view utf8) {
    std::vector<CodeLoss> losses;
    for (std::size_t pos = 0; pos < utf8.size();) {
        std::size_t length;
        const char32_t cp = DecodeUtf8Strictly(utf8, pos, length);
        if (cp == kInvalidUtf8)
            losses.push_back({pos, DescribeBytes(utf8.substr(pos, length))});
        else if (cp > 0xFFFF || (cp != 0 && UnicodeToCp932Code(static_cast<char16_t>(cp)) == 0))
            losses.push_back({pos, DescribeCharacter(cp)});
        pos += length;
    }
    return losses;
}

std::vector<CodeLoss> SjisLossesToJis(std::string_view sjis) {
    std::vector<CodeLoss> losses;
    for (std::size_t pos = 0; pos < sjis.size();) {
        const std::size_t length = CharLength(sjis, pos);
        const std::string_view ch = sjis.substr(pos, length);
        const auto b = static_cast<unsigned char>(ch[0]);
        bool lost;
        if (length == 2) {
            // An IBM extension kanji goes out as its NEC-selected twin, which reads back as the
            // twin's bytes: a change of bytes, told as a loss.
            const auto t = static_cast<unsigned char>(ch[1]);
            lost = detail::SjisPairToJis(b, t) == 0;
        } else {
            // ASCII and half-width katakana have their forms; a lead byte alone and the bytes
            // that are no character do not.
            lost = !(b < 0x80 || IsHankakuKanaByte(b));
        }
        if (lost) {
            const std::u16string unit = SjisToUtf16(ch);
            losses.push_back({pos, !unit.empty() && unit[0] != kMiddleDot && unit[0] < 0xE000
                                       ? DescribeCharacter(unit[0])
                                       : DescribeSjisBytes(ch)});
        }
        pos += length;
    }
    return losses;
}

std::vector<CodeLoss> EucLossesToSjis(std::string_view euc) {
    std::vector<CodeLoss> losses;
    for (std::size_t pos = 0; pos < euc.size();) {
        const auto b = static_cast<unsigned char>(euc[pos]);
        if (b == 0x8F) {  // single shift 3: a JIS X 0212 character follows
            const std::size_t length = std::min<std::size_t>(3, euc.size() - pos);
            losses.push_back({pos, DescribeBytes(euc.substr(pos, length)) + " (JIS X 0212)"});
            pos += length;
        } else if (b == 0x8E) {  // single shift 2: a half-width katakana follows
            const bool kana =
                pos + 1 < euc.size() && IsHankakuKanaByte(static_cast<unsigned char>(euc[pos + 1]));
            if (!kana) losses.push_back({pos, DescribeBytes(euc.substr(pos, 1))});
            pos += kana ? 2 : 1;
        } else if (b >= 0x80) {
            pos += pos + 1 < euc.size() ? 2 : 1;
        } else {
            ++pos;
        }
    }
    return losses;
}

std::vector<CodeLoss> JisLossesToSjis(std::string_view jis, bool& inX0212) {
    std::vector<CodeLoss> losses;
    for (std::size_t pos = 0; pos < jis.size();) {
        const auto b = static_cast<unsigned char>(jis[pos]);
        const std::string_view rest = jis.substr(pos);
        if (b == 0x1B) {
            if (rest.starts_with("\x1B$(D")) {
                inX0212 = true;
                pos += 4;
                continue;
            }
            // Any other designation ends the run (ESC $ B, ESC ( B, ESC ( I, ...).
            if (rest.size() > 2 && (rest[1] == '$' || rest[1] == '(' || rest[1] == '&'))
                inX0212 = false;
            ++pos;
            continue;
        }
        if (b == 0x0E || b == 0x0F) {  // SO and SI leave kanji mode
            inX0212 = false;
            ++pos;
            continue;
        }
        if (inX0212 && detail::IsJisByte(b) && pos + 1 < jis.size() &&
            detail::IsJisByte(static_cast<unsigned char>(jis[pos + 1]))) {
            losses.push_back({pos, DescribeBytes(jis.substr(pos, 2)) + " (JIS X 0212)"});
            pos += 2;
            continue;
        }
        ++pos;
    }
    return losses;
}

std::vector<CodeLoss> EucLineLossesToSjis(std::string_view euc, bool odd) {
    // A line of nothing but ASCII, double-byte characters and 8E with its katakana loses nothing;
    // the fixed-width form (with its zero bytes) keeps every byte.
    if (!odd || !EucMayLose(euc) || std::memchr(euc.data(), 0, euc.size())) return {};
    return EucLossesToSjis(euc);
}

std::vector<CodeLoss> JisLineLossesToSjis(std::string_view jis, JisShiftState& state,
                                          bool& inX0212) {
    // Only text that designated JIS X 0212 can hold its characters.
    if (!inX0212 && !state.sawX0212) return {};
    state.sawX0212 = false;
    return JisLossesToSjis(jis, inX0212);
}

}  // namespace qb
