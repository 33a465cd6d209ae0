#include "convert/euc_fixed.h"

#include <cstring>

#include "convert/euc.h"
#include "convert/jis_arith.h"
#include "convert/sjis.h"

namespace qb {

namespace {

// A1-FE: a JIS byte with the high bit set.
constexpr bool IsEucByte(unsigned char b) {
    return b >= 0xA1 && b <= 0xFE;
}

}  // namespace

std::string SjisToEucFixedLine(std::string_view line) {
    std::string out;
    out.resize(2 * line.size());
    const auto* s = reinterpret_cast<const unsigned char*>(line.data());
    const std::size_t n = line.size();
    std::size_t i = 0, o = 0;
    while (i < n) {
        const unsigned char b = s[i];
        if (IsLeadByte(b) && i + 1 < n && IsTrailByte(s[i + 1])) {
            if (const unsigned jis = detail::SjisPairToJis(b, s[i + 1])) {
                out[o] = static_cast<char>((jis >> 8) | 0x80);
                out[o + 1] = static_cast<char>((jis & 0xFF) | 0x80);
                o += 2, i += 2;
                continue;
            }
        }
        out[o] = '\0';
        out[o + 1] = static_cast<char>(b);
        o += 2, ++i;
    }
    out.resize(o);
    return out;
}

bool IsEucFixedLine(std::string_view line) {
    // An empty view may carry a null pointer, which memchr must not be given.
    if (line.empty() || line.size() % 2 != 0 || std::memchr(line.data(), 0, line.size()) == nullptr)
        return false;
    const auto* s = reinterpret_cast<const unsigned char*>(line.data());
    for (std::size_t i = 0; i < line.size(); i += 2)
        if (s[i] != 0 && !(IsEucByte(s[i]) && IsEucByte(s[i + 1]))) return false;
    return true;
}

std::string EucFixedToSjisLine(std::string_view line) {
    std::string out;
    out.reserve(line.size());
    const auto* s = reinterpret_cast<const unsigned char*>(line.data());
    const std::size_t n = line.size();
    std::size_t i = 0;
    for (; i + 1 < n; i += 2) {
        if (s[i] == 0) {
            out.push_back(static_cast<char>(s[i + 1]));
        } else if (IsEucByte(s[i]) && IsEucByte(s[i + 1])) {
            const unsigned code = detail::JisPairToSjis(s[i] & 0x7F, s[i + 1] & 0x7F);
            out.push_back(static_cast<char>(code >> 8));
            out.push_back(static_cast<char>(code & 0xFF));
        } else {
            out.append(line.substr(i, 2));
        }
    }
    if (i < n) out.push_back(static_cast<char>(s[i]));
    return out;
}

std::size_t EucEitherFormToSjisLine(std::string_view line, char* out) {
    bool unused = false;
    return EucEitherFormToSjisLine(line, out, unused);
}

std::size_t EucEitherFormToSjisLine(std::string_view line, char* out, bool& odd) {
    if (std::memchr(line.data(), 0, line.size()) && IsEucFixedLine(line)) {
        const std::string sjis = EucFixedToSjisLine(line);
        std::memcpy(out, sjis.data(), sjis.size());
        return sjis.size();  // the fixed-width form keeps every byte
    }
    return EucToSjisLine(line, out, odd);
}

}  // namespace qb
