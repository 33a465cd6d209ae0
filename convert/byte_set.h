// A set of byte values, and the test whether a text holds any of them.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace qb {

class ByteSet {
public:
    void Add(unsigned char byte);
    bool Contains(unsigned char byte) const { return m_members[byte]; }
    bool Empty() const { return m_count == 0; }

    // Whether any byte of `text` is in the set (false for an empty set). Sets of up to four
    // runs of consecutive values (a digit, a letter, a word character) are tested sixteen bytes
    // at a time; larger ones a byte at a time.
    bool AnyIn(std::string_view text) const;

private:
    struct Run {
        unsigned char first;
        unsigned char last;
    };
    static constexpr std::size_t kMaxRuns = 4;

    void FindRuns();

    std::array<bool, 256> m_members{};
    std::size_t m_count = 0;
    std::array<Run, kMaxRuns> m_runs{};
    std::size_t m_runCount = 0;  // 0 with members: too many runs, test byte by byte
};

}  // namespace qb
