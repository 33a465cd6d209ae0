// What changed between two versions of a few lines, character by character, for showing a change
// before it is made: which characters of the old lines are gone and which of the new lines are
// new. A character is a Shift-JIS character (a lead byte with its trail byte), and the break
// between two lines counts as one, so that lines that were only split or joined show no other
// change.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace qb {

// Bytes `start` .. `start + length` of one line.
struct ByteSpan {
    std::size_t start = 0;
    std::size_t length = 0;
    friend bool operator==(const ByteSpan&, const ByteSpan&) = default;
};

struct LineChanges {
    std::vector<std::vector<ByteSpan>> removed;  // per old line, its characters that are gone
    std::vector<std::vector<ByteSpan>> added;    // per new line, its characters that are new
};

// Compares `before` with `after` (Shift-JIS, any bytes). Lines that stayed the same are matched
// first; within each stretch of changed lines, characters are matched as far as that takes
// bounded time, and a stretch too changed for that is marked whole between what it starts and
// ends with in common. Never fails.
[[nodiscard]] LineChanges CompareLines(const std::vector<std::string_view>& before,
                                       const std::vector<std::string_view>& after);

}  // namespace qb
