// A slow, plain reference of the piece cutter: every rule works on the character starts found by
// stepping from the start of the rest, and the tag rule always scans. The fast cutter
// (shape/wrap.h) must cut exactly where this does.
#pragma once

#include <algorithm>
#include <string_view>
#include <vector>

#include "convert/sjis.h"
#include "shape/wrap.h"

namespace qb::test {

inline PieceCut ReferenceCut(std::string_view t, long column, const WrapRules& rules) {
    const std::size_t size = t.size();
    std::size_t p = column <= 0 ? 0 : std::min<std::size_t>(static_cast<std::size_t>(column), size);
    if (rules.tagRule) {
        bool inside = false;
        std::size_t stop = size;
        for (std::size_t i = 0; i < size; ++i) {
            if (t[i] == '<')
                inside = true;
            else if (t[i] == '>')
                inside = false;
            else if ((t[i] == '\n' && i > 0) || (i >= p && !inside)) {
                stop = i;
                break;
            }
        }
        p = stop;
    }
    std::vector<std::size_t> starts;  // of the characters of the rest up to just after p
    for (std::size_t i = 0; i < size && i <= p + 2; i = NextChar(t, i))
        starts.push_back(i);
    auto isStart = [&](std::size_t q) {
        return q == size || std::binary_search(starts.begin(), starts.end(), q);
    };
    auto startBefore = [&](std::size_t q) {  // the character that ends at q
        return *(std::lower_bound(starts.begin(), starts.end(), q) - 1);
    };
    if (!isStart(p)) --p;
    if (p == 0) p = NextChar(t, 0);
    if (rules.hanging && p < size && rules.lineStart.Contains(CharCode(t, p))) p = NextChar(t, p);
    auto pushOut = [&](std::size_t q) -> std::size_t {  // 0: nothing but the one character
        if (!rules.pushOut || q >= size || q == 0) return q;
        return rules.lineEnd.Contains(CharCode(t, startBefore(q))) ? startBefore(q) : q;
    };
    if (const std::size_t q = pushOut(p); q != 0) p = q;
    PieceCut cut{p, false};
    auto letterBefore = [&](std::size_t q) {
        return q > 0 && startBefore(q) == q - 1 &&
               IsAsciiLetter(static_cast<unsigned char>(t[q - 1]));
    };
    if (p >= size || rules.english == EnglishWordMode::Plain) return cut;
    if (!letterBefore(p) || !IsAsciiLetter(static_cast<unsigned char>(t[p]))) return cut;
    if (rules.english == EnglishWordMode::Hyphenate) {
        cut.hyphen = true;
        return cut;
    }
    std::size_t w = p;
    while (letterBefore(w))
        --w;
    if (w <= 1) return cut;  // the word fills the piece, or one half-width byte precedes it
    if (const std::size_t q = pushOut(w); q != 0) cut.end = q;
    return cut;
}

}  // namespace qb::test
