#include "convert/whole_char_find.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// The first raw occurrence of `needle` (two bytes or more) in `text` at or after `from`, or npos.
// Candidates are found sixteen positions at a time by the needle's first and last bytes, which
// for Shift-JIS text (where a lead byte alone says little) filters far better than the first
// byte, and costs no setup per call, which matters on short lines.
std::size_t FindRaw(std::string_view text, std::string_view needle, std::size_t from) {
    const std::size_t m = needle.size();
    if (text.size() < m || from > text.size() - m) return std::string_view::npos;
    const char* s = text.data();
    const std::size_t lastStart = text.size() - m;
    std::size_t pos = from;
#if defined(__SSE2__)
    const __m128i first = _mm_set1_epi8(needle[0]);
    const __m128i last = _mm_set1_epi8(needle[m - 1]);
    for (; pos + 15 <= lastStart; pos += 16) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + pos));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + pos + m - 1));
        auto bits = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, first), _mm_cmpeq_epi8(b, last))));
        for (; bits != 0; bits &= bits - 1) {
            const std::size_t p = pos + static_cast<std::size_t>(__builtin_ctz(bits));
            if (std::memcmp(s + p + 1, needle.data() + 1, m - 2) == 0) return p;
        }
    }
#endif
    for (; pos <= lastStart; ++pos) {
        const void* hit = std::memchr(s + pos, needle[0], lastStart + 1 - pos);
        if (!hit) break;
        pos = static_cast<std::size_t>(static_cast<const char*>(hit) - s);
        if (std::memcmp(s + pos + 1, needle.data() + 1, m - 1) == 0) return pos;
    }
    return std::string_view::npos;
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
        std::size_t hit;
        if (n == 1) {
            const void* found = std::memchr(data + searchFrom, m_needle[0], text.size() - searchFrom);
            if (!found) break;
            hit = static_cast<std::size_t>(static_cast<const char*>(found) - data);
        } else {
            hit = FindRaw(text, m_needle, searchFrom);
            if (hit == std::string_view::npos) break;
        }
        // The byte after a non-lead byte always starts a character, so the run of lead bytes
        // just before the hit tells by its parity whether the hit starts one. The run is cut
        // at the last known boundary, which keeps the whole search linear.
        std::size_t j = hit;
        while (j > boundary && IsLeadByte(static_cast<unsigned char>(data[j - 1]))) --j;
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
