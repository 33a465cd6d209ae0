#include "convert/case_kana.h"

namespace qb {

namespace {

// Copies `text` and passes every character through a mapping that keeps its width: `single`
// for one-byte characters, `dbl` for double-byte codes (which must map to double-byte codes).
template <typename Single, typename Double>
std::string MapEachChar(std::string_view text, Single single, Double dbl) {
    std::string out(text);
    const std::size_t n = out.size();
    for (std::size_t i = 0; i < n;) {
        const auto b = static_cast<unsigned char>(out[i]);
        if (IsLeadByte(b) && i + 1 < n && out[i + 1] != '\0') {
            const unsigned code = b * 256u + static_cast<unsigned char>(out[i + 1]);
            const unsigned mapped = dbl(code);
            if (mapped != code) {
                out[i] = static_cast<char>(mapped >> 8);
                out[i + 1] = static_cast<char>(mapped & 0xFF);
            }
            i += 2;
        } else {
            out[i] = static_cast<char>(single(b));
            ++i;
        }
    }
    return out;
}

constexpr unsigned char AsciiUpper(unsigned char b) {
    return b >= 'a' && b <= 'z' ? b - 0x20 : b;
}
constexpr unsigned char AsciiLower(unsigned char b) {
    return b >= 'A' && b <= 'Z' ? b + 0x20 : b;
}
constexpr unsigned char Same(unsigned char b) {
    return b;
}

}  // namespace

std::string ToUpperString(std::string_view text) {
    return MapEachChar(text, AsciiUpper, ToUpperCode);
}

std::string ToLowerString(std::string_view text) {
    return MapEachChar(text, AsciiLower, ToLowerCode);
}

std::string HiraToKanaString(std::string_view text) {
    return MapEachChar(text, Same, HiraToKanaChar);
}

std::string KanaToHiraString(std::string_view text) {
    return MapEachChar(text, Same, KanaToHiraChar);
}

std::string SwapCase(std::string_view line) {
    return MapEachChar(
        line, [](unsigned char b) { return b >= 'a' && b <= 'z' ? AsciiUpper(b) : AsciiLower(b); },
        [](unsigned code) { return code; });
}

std::string CapitaliseWords(std::string_view line) {
    std::string out(line);
    const std::size_t n = out.size();
    bool wordStart = true;
    for (std::size_t k = 0; k < n; ++k) {
        const auto b = static_cast<unsigned char>(out[k]);
        if (wordStart) {
            out[k] = static_cast<char>(AsciiUpper(b));
            wordStart = false;
        }
        if (IsLeadByte(b) && k + 1 < n && out[k + 1] != '\0') {
            wordStart = true;  // a double-byte character ends the word before it
            ++k;               // step over its trail byte, whatever it looks like
        } else if (IsAsciiSpace(b) || (IsAsciiPunct(b) && b != '\'')) {
            wordStart = true;
        }
    }
    return out;
}

std::string CapitaliseSentences(std::string_view line, bool& sentenceStart) {
    std::string out(line);
    const std::size_t n = out.size();
    for (std::size_t k = 0; k < n; ++k) {
        const auto b = static_cast<unsigned char>(out[k]);
        if (IsLeadByte(b) && k + 1 < n && out[k + 1] != '\0') {
            sentenceStart = true;
            ++k;
        } else if (IsAsciiLetter(b)) {
            if (sentenceStart) out[k] = static_cast<char>(AsciiUpper(b));
            sentenceStart = false;
        } else if (b == '.') {
            sentenceStart = true;
        }
    }
    return out;
}

}  // namespace qb
