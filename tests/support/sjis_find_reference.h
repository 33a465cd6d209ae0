// A plain search of Shift-JIS text that never matches across character boundaries: the
// reference the prepared searchers of convert/ are compared against.
#pragma once

#include <cstddef>
#include <string_view>

namespace qb {

// The position of the first occurrence of `needle` in `text`, at or after `from`, that begins
// on a character boundary (never on the second byte of a double-byte character); npos when
// there is none. `from` must itself be a character boundary. An empty needle is found at `from`.
// Linear in the length of the text.
std::size_t FindSjis(std::string_view text, std::string_view needle, std::size_t from = 0);

// Whether `text` contains `needle` at a character boundary.
inline bool ContainsText(std::string_view text, std::string_view needle) {
    return FindSjis(text, needle) != std::string_view::npos;
}

}  // namespace qb
