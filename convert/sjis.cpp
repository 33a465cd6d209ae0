#include "convert/sjis.h"

namespace qb {

int IsLeadAt(std::string_view text, std::size_t k) {
    if (k >= text.size()) return -1;
    std::size_t pos = 0;
    while (pos < k)
        pos += CharLength(text, pos);
    if (pos > k) return 0;  // k is the second byte of the character before it
    return CharLength(text, k) == 2 ? 1 : 0;
}

namespace {

struct CaseRange {
    unsigned upperFirst, upperLast, lowerFirst;
};

// Double-byte letters with a case partner; ranges run in parallel.
constexpr CaseRange kCaseRanges[] = {
    {0x8260, 0x8279, 0x8281},  // Ａ-Ｚ / ａ-ｚ
    {0x839F, 0x83B6, 0x83BF},  // Α-Ω / α-ω
    {0x8440, 0x844E, 0x8470},  // А-Н / а-н
    {0x844F, 0x8460, 0x8480},  // О-Я / о-я (847F is not a character)
};

}  // namespace

bool IsUpperCase(unsigned c) {
    if (c < 0x80) return c >= 'A' && c <= 'Z';
    for (const auto& r : kCaseRanges)
        if (c >= r.upperFirst && c <= r.upperLast) return true;
    return false;
}

bool IsLowerCase(unsigned c) {
    if (c < 0x80) return c >= 'a' && c <= 'z';
    for (const auto& r : kCaseRanges)
        if (c >= r.lowerFirst && c <= r.lowerFirst + (r.upperLast - r.upperFirst)) return true;
    return false;
}

unsigned ToUpperCode(unsigned c) {
    if (c < 0x80) return (c >= 'a' && c <= 'z') ? c - 0x20 : c;
    for (const auto& r : kCaseRanges)
        if (c >= r.lowerFirst && c <= r.lowerFirst + (r.upperLast - r.upperFirst))
            return c - r.lowerFirst + r.upperFirst;
    return c;
}

unsigned ToLowerCode(unsigned c) {
    if (c < 0x80) return (c >= 'A' && c <= 'Z') ? c + 0x20 : c;
    for (const auto& r : kCaseRanges)
        if (c >= r.upperFirst && c <= r.upperLast) return c - r.upperFirst + r.lowerFirst;
    return c;
}

bool SetContainsCode(std::string_view set, unsigned code) {
    for (std::size_t i = 0; i < set.size(); i = NextChar(set, i))
        if (CharCode(set, i) == code) return true;
    return false;
}

int CharInSetAt(std::string_view text, std::size_t p, std::string_view set) {
    if (p >= text.size()) return 0;
    const std::size_t len = CharLength(text, p);
    return SetContainsCode(set, CharCode(text, p)) ? static_cast<int>(len) : 0;
}

int CharInSetBefore(std::string_view text, std::size_t p, std::string_view set) {
    if (p == 0 || p > text.size()) return 0;
    if (p >= 2 && IsLeadAt(text, p - 2) == 1) {
        const unsigned code = static_cast<unsigned char>(text[p - 2]) * 256u +
                              static_cast<unsigned char>(text[p - 1]);
        return SetContainsCode(set, code) ? 2 : 0;
    }
    return SetContainsCode(set, static_cast<unsigned char>(text[p - 1])) ? 1 : 0;
}

int IsWordSeparator(unsigned char byte) {
    if (byte == '\'' || byte == '-' || byte == '_') return 0;
    return IsAsciiSpace(byte) || IsAsciiPunct(byte) ? 1 : 0;
}

}  // namespace qb
