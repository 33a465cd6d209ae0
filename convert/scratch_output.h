// Output space for the conversion kernels.
//
// A kernel that knows only an upper bound of its result size writes into a per-thread scratch
// area of that bound, without a bounds check per byte, and the result is then copied out once at
// its exact size. That costs one allocation per result and leaves no spare capacity in strings
// that may be kept (a document holds hundreds of thousands of converted lines).
#pragma once

#include <cstddef>
#include <string>

namespace qb::detail {

class ScratchOutput {
public:
    // Space for at least `capacity` bytes. Kernels that store a few bytes past their result
    // (whole words) include that slack in the capacity they ask for.
    explicit ScratchOutput(std::size_t capacity);
    ~ScratchOutput();
    ScratchOutput(const ScratchOutput&) = delete;
    ScratchOutput& operator=(const ScratchOutput&) = delete;

    char* data() const { return m_data; }
    // The first `size` bytes as a string of exactly that size.
    std::string Result(std::size_t size) const { return std::string(m_data, size); }

private:
    char* m_data = nullptr;
    bool m_ownsData = false;  // a nested use got its own space instead of the shared area
};

}  // namespace qb::detail
