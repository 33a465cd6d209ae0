#include "convert/base64.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace qb {

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// The six-bit value of every byte: its place in the alphabet, 0 for '=' and everything else.
constexpr std::array<std::uint8_t, 256> kValues = [] {
    std::array<std::uint8_t, 256> values{};
    for (std::uint8_t v = 0; v < 64; ++v)
        values[static_cast<unsigned char>(kAlphabet[v])] = v;
    return values;
}();

std::string Decode(std::string_view text, bool stopAtZero) {
    const auto* in = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t size = text.size();
    std::string out;
    out.resize(size / 4 * 3 + 2);
    char* o = out.data();
    std::size_t i = 0;
    bool padded = false;
    for (; i + 4 <= size; i += 4) {
        const std::uint32_t group = kValues[in[i]] << 18 | kValues[in[i + 1]] << 12 |
                                    kValues[in[i + 2]] << 6 | kValues[in[i + 3]];
        *o++ = static_cast<char>(group >> 16);
        if (in[i + 2] == '=') {
            padded = true;
            break;
        }
        *o++ = static_cast<char>(group >> 8 & 0xFF);
        if (in[i + 3] == '=') {
            padded = true;
            break;
        }
        *o++ = static_cast<char>(group & 0xFF);
    }
    const std::size_t rest = size - i;
    if (!padded && rest >= 2) {
        std::uint32_t group = kValues[in[i]] << 18 | kValues[in[i + 1]] << 12;
        if (rest == 3) group |= kValues[in[i + 2]] << 6;
        *o++ = static_cast<char>(group >> 16);
        if (rest == 3 && in[i + 2] != '=') *o++ = static_cast<char>(group >> 8 & 0xFF);
    }
    std::size_t length = static_cast<std::size_t>(o - out.data());
    if (stopAtZero) {
        if (const void* zero = std::memchr(out.data(), 0, length))
            length = static_cast<std::size_t>(static_cast<const char*>(zero) - out.data());
    }
    out.resize(length);
    return out;
}

}  // namespace

std::string Base64EncodeBytes(std::string_view bytes) {
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t size = bytes.size();
    std::string out((size + 2) / 3 * 4, '=');
    char* o = out.data();
    std::size_t i = 0;
    for (; i + 3 <= size; i += 3) {
        const std::uint32_t group = in[i] << 16 | in[i + 1] << 8 | in[i + 2];
        o[0] = kAlphabet[group >> 18];
        o[1] = kAlphabet[group >> 12 & 0x3F];
        o[2] = kAlphabet[group >> 6 & 0x3F];
        o[3] = kAlphabet[group & 0x3F];
        o += 4;
    }
    if (i < size) {  // one or two bytes left: the '=' already in place pads the group
        const std::uint32_t group = in[i] << 16 | (i + 1 < size ? in[i + 1] << 8 : 0);
        o[0] = kAlphabet[group >> 18];
        o[1] = kAlphabet[group >> 12 & 0x3F];
        if (i + 1 < size) o[2] = kAlphabet[group >> 6 & 0x3F];
    }
    return out;
}

std::string Base64EncodeString(std::string_view text) {
    return Base64EncodeBytes(text.substr(0, text.find('\0')));
}

std::string Base64DecodeBytes(std::string_view text) {
    return Decode(text, false);
}

std::string Base64DecodeString(std::string_view text) {
    return Decode(text, true);
}

}  // namespace qb
