#include "convert/url_encoding.h"

#include <algorithm>
#include <array>

namespace qb {

namespace {

constexpr std::array<bool, 256> kUnencoded = [] {
    std::array<bool, 256> keep{};
    for (int c = 'A'; c <= 'Z'; ++c)
        keep[c] = true;
    for (int c = 'a'; c <= 'z'; ++c)
        keep[c] = true;
    for (int c = '0'; c <= '9'; ++c)
        keep[c] = true;
    for (unsigned char c : std::string_view("!'()*-._~"))
        keep[c] = true;
    return keep;
}();

constexpr char kUpperHex[] = "0123456789ABCDEF";

// Decodes escapes introduced by `escape`; with `urlRules` '&' gives CR LF and '+' a space.
std::string DecodeEscapes(std::string_view text, char escape, bool urlRules) {
    const auto hasOwnMeaning = [&](char c) {
        return c == escape || (urlRules && (c == '&' || c == '+'));
    };
    std::string out;
    out.resize(text.size() + (urlRules ? std::count(text.begin(), text.end(), '&') : 0));
    char* o = out.data();
    const std::size_t size = text.size();
    std::size_t i = 0;
    while (i < size) {
        const char c = text[i];
        if (c == escape && i + 2 < size && !hasOwnMeaning(text[i + 1])) {
            const unsigned byte = HexDigitValue(static_cast<unsigned char>(text[i + 1])) * 16 +
                                  HexDigitValue(static_cast<unsigned char>(text[i + 2]));
            *o++ = static_cast<char>(byte & 0xFF);
            i += 3;
            continue;
        }
        if (urlRules && c == '&') {
            *o++ = '\r';
            *o++ = '\n';
        } else {
            *o++ = urlRules && c == '+' ? ' ' : c;
        }
        ++i;
    }
    out.resize(static_cast<std::size_t>(o - out.data()));
    return out;
}

}  // namespace

std::string UrlDecode(std::string_view text) {
    return DecodeEscapes(text, '%', true);
}

std::string EqualsDecode(std::string_view text) {
    return DecodeEscapes(text, '=', false);
}

std::string UrlEncode(std::string_view text) {
    std::size_t escaped = 0;
    for (unsigned char c : text)
        escaped += !kUnencoded[c];
    std::string out;
    out.resize(text.size() + 2 * escaped);
    char* o = out.data();
    for (unsigned char c : text) {
        if (kUnencoded[c]) {
            *o++ = static_cast<char>(c);
        } else {
            o[0] = '%';
            o[1] = kUpperHex[c >> 4];
            o[2] = kUpperHex[c & 0x0F];
            o += 3;
        }
    }
    return out;
}

}  // namespace qb
