// Tolerant search and comparison over two strings cut from the fuzzer's bytes. Besides running
// clean under the sanitizers: a match lies inside the text, at or after the start, and the text
// it covers compares equal to the pattern; comparison is antisymmetric and reflexive; FoldedNext
// always moves forward and stays inside the text.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "convert/fold.h"

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

int Sign(int v) {
    return (v > 0) - (v < 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    const unsigned flags = data[0] & 0x0F;
    const std::string_view rest(reinterpret_cast<const char*>(data) + 3, size - 3);
    const std::size_t cut = rest.empty() ? 0 : data[1] % (rest.size() + 1);
    const std::string_view pattern = rest.substr(0, cut), text = rest.substr(cut);
    const std::size_t start = text.empty() ? 0 : data[2] % (text.size() + 1);

    std::size_t length = 0;
    const std::size_t found = qb::FoldedFind(text, pattern, flags, start, length);
    if (found != std::string_view::npos) {
        Check(found >= start && found < text.size());
        Check(length > 0 && length <= text.size() - found);
        Check(qb::FoldedCompare(text.substr(found, length), pattern, flags) == 0);
    }

    const int ab = qb::FoldedCompare(text, pattern, flags);
    Check(Sign(qb::FoldedCompare(pattern, text, flags)) == -Sign(ab));
    Check(qb::FoldedCompare(text, text, flags) == 0);

    for (std::size_t pos = 0; pos < text.size();) {
        unsigned code = 0;
        const std::size_t next = qb::FoldedNext(text, pos, flags, code);
        Check(next > pos && next <= text.size());
        pos = next;
    }
    return 0;
}
