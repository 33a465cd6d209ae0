// Raw byte-string search, the kernel under the character-aware searches.
#pragma once

#include <cstddef>
#include <string_view>

namespace qb {

// The first occurrence of `needle` in `text` at or after `from`, whether or not it begins on a
// character boundary; npos when there is none. An empty needle is found at `from`. Candidates
// are found sixteen positions at a time by the needle's first and last bytes, which for
// Shift-JIS text (where a lead byte alone says little) filters far better than the first byte
// alone, and there is no setup per call, which matters on short lines.
std::size_t FindBytes(std::string_view text, std::string_view needle, std::size_t from);

}  // namespace qb
