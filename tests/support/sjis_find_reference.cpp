#include "tests/support/sjis_find_reference.h"

#include <cstring>

#include "convert/sjis.h"

namespace qb {

std::size_t FindSjis(std::string_view text, std::string_view needle, std::size_t from) {
    if (from > text.size()) return std::string_view::npos;
    if (needle.empty()) return from;
    std::size_t boundary = from;  // a character boundary at or before every candidate
    std::size_t searchFrom = from;
    while (searchFrom + needle.size() <= text.size()) {
        const void* found = memmem(text.data() + searchFrom, text.size() - searchFrom,
                                   needle.data(), needle.size());
        if (!found) break;
        const std::size_t hit = static_cast<const char*>(found) - text.data();
        while (boundary < hit)
            boundary = NextChar(text, boundary);
        if (boundary == hit) return hit;
        searchFrom = hit + 1;  // the hit began on a trail byte
    }
    return std::string_view::npos;
}

}  // namespace qb
