#include "convert/whole_char_find.h"

#include "convert/byte_find.h"
#include "convert/sjis.h"

namespace qb {

namespace {

// Whether the last character of `s` is a lead byte standing alone (the string ends after it).
bool EndsInLoneLead(std::string_view s) {
    std::size_t pos = 0, last = 0;
    while (pos < s.size()) {
        last = pos;
        pos = NextChar(s, pos);
    }
    return !s.empty() && last == s.size() - 1 && IsLeadByte(static_cast<unsigned char>(s[last]));
}

}  // namespace

WholeCharFinder::WholeCharFinder(std::string_view needle)
    : m_needle(needle), m_endsInLoneLead(EndsInLoneLead(needle)) {}

std::size_t WholeCharFinder::Find(std::string_view text, std::size_t from) const {
    const std::size_t n = m_needle.size();
    if (n == 0 || from > text.size()) return std::string_view::npos;
    const char* data = text.data();
    std::size_t boundary = from;  // a character boundary at or before every candidate
    std::size_t searchFrom = from;
    while (searchFrom + n <= text.size()) {
        const std::size_t hit = FindBytes(text, m_needle, searchFrom);
        if (hit == std::string_view::npos) break;
        // The byte after a non-lead byte always starts a character, so the run of lead bytes
        // just before the hit tells by its parity whether the hit starts one. The run is cut
        // at the last known boundary, which keeps the whole search linear.
        std::size_t j = hit;
        while (j > boundary && IsLeadByte(static_cast<unsigned char>(data[j - 1])))
            --j;
        const bool startsChar = (hit - j) % 2 == 0 || data[hit] == '\0';
        if (!startsChar) {
            boundary = hit + 1;  // the character at hit - 1 takes the hit's byte as its trail
            searchFrom = hit + 1;
            continue;
        }
        const std::size_t end = hit + n;
        if (m_endsInLoneLead && end < text.size() && data[end] != '\0') {
            boundary = hit;  // the match would end inside a character
            searchFrom = hit + 1;
            continue;
        }
        return hit;
    }
    return std::string_view::npos;
}

std::size_t FindWholeChars(std::string_view text, std::string_view needle, std::size_t from) {
    return WholeCharFinder(needle).Find(text, from);
}

std::string UpperCased(std::string_view text) {
    std::string out(text);
    for (std::size_t i = 0; i < out.size();) {
        const auto b = static_cast<unsigned char>(out[i]);
        if (b < 0x80) {
            if (b >= 'a' && b <= 'z') out[i] = static_cast<char>(b - 0x20);
            ++i;
            continue;
        }
        const std::size_t len = CharLength(out, i);
        if (len == 2) {
            const unsigned code = CharCode(out, i);
            const unsigned upper = ToUpperCode(code);
            if (upper != code) {
                out[i] = static_cast<char>(upper >> 8);
                out[i + 1] = static_cast<char>(upper & 0xFF);
            }
        }
        i += len;
    }
    return out;
}

}  // namespace qb
