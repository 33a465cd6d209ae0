#include "convert/uuencode.h"

#include <algorithm>
#include <cstdint>

namespace qb {

namespace {

constexpr unsigned Value(char c) {
    return (static_cast<unsigned char>(c) - 0x20u) & 0x3Fu;
}

}  // namespace

std::optional<std::string> UudecodeLine(std::string_view line) {
    if (line.empty()) return std::string();
    const std::size_t count = Value(line[0]);
    if (count == 0) return std::nullopt;
    std::string out(count, '\0');
    char* o = out.data();
    std::size_t written = 0;
    for (std::size_t i = 1; written < count && i + 1 < line.size(); i += 4) {
        // Up to four characters; the missing ones of a short last group add no bytes.
        const std::size_t chars = std::min<std::size_t>(4, line.size() - i);
        std::uint32_t group = 0;
        for (std::size_t k = 0; k < 4; ++k)
            group = group << 6 | (k < chars ? Value(line[i + k]) : 0);
        const std::size_t bytes = std::min(chars - 1, count - written);
        for (std::size_t k = 0; k < bytes; ++k)
            o[written++] = static_cast<char>(group >> (16 - 8 * k) & 0xFF);
    }
    out.resize(written);
    return out;
}

}  // namespace qb
