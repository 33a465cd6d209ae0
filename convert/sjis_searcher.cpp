#include "convert/sjis_searcher.h"

#include "convert/byte_find.h"
#include "convert/sjis.h"

namespace qb {

std::size_t SjisSearcher::Find(std::string_view text, std::size_t from) const {
    if (from > text.size()) return std::string_view::npos;
    if (m_needle.empty()) return from;
    std::size_t boundary = from;  // a character boundary at or before every candidate
    for (std::size_t searchFrom = from;;) {
        const std::size_t hit = FindBytes(text, m_needle, searchFrom);
        if (hit == std::string_view::npos) return hit;
        while (boundary < hit)
            boundary = NextChar(text, boundary);
        if (boundary == hit) return hit;
        searchFrom = hit + 1;  // the hit began on a trail byte
    }
}

}  // namespace qb
