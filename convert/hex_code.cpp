#include "convert/hex_code.h"

#include "convert/jis.h"
#include "convert/jis_equivalent.h"
#include "convert/sjis.h"
#include "convert/url_encoding.h"

namespace qb {

namespace {

constexpr char kUpperHex[] = "0123456789ABCDEF";

char* PutHexByte(char* o, unsigned byte) {
    o[0] = kUpperHex[byte >> 4 & 0x0F];
    o[1] = kUpperHex[byte & 0x0F];
    return o + 2;
}

}  // namespace

std::string HexDump(std::string_view text) {
    std::string out(text.size() * 3, ' ');
    char* o = out.data();
    for (unsigned char c : text)
        o = PutHexByte(o, c) + 1;
    return out;
}

std::string JisHexDump(std::string_view text) {
    // At most three characters per byte: "XX " for one byte, "XXXX " for two.
    std::string out(text.size() * 3, ' ');
    char* o = out.data();
    for (std::size_t pos = 0; pos < text.size();) {
        const unsigned code = CharCode(text, pos);
        if (code > 0xFF) {
            unsigned jis = IsLegalDoubleByte(code) ? SjisToJisCode(code) : 0;
            // An IBM extension is listed as its twin in JIS, as SjisToJisLine writes it.
            if (jis == 0 && IsLegalDoubleByte(code))
                if (const unsigned twin = detail::JisEquivalent(code)) jis = SjisToJisCode(twin);
            const unsigned shown = jis != 0 ? jis : code;
            o = PutHexByte(PutHexByte(o, shown >> 8), shown & 0xFF) + 1;
            pos += 2;
        } else {
            o = PutHexByte(o, code) + 1;
            pos += 1;
        }
    }
    out.resize(static_cast<std::size_t>(o - out.data()));
    return out;
}

std::string HexToBytes(std::string_view text) {
    std::string out;
    out.resize(text.size() / 2 + 1);
    char* o = out.data();
    const std::size_t size = text.size();
    for (std::size_t i = 0; i < size;) {
        const char c = text[i];
        if (c == ' ') {
            ++i;
        } else if (i + 1 < size) {
            const unsigned byte = HexDigitValue(static_cast<unsigned char>(c)) * 16 +
                                  HexDigitValue(static_cast<unsigned char>(text[i + 1]));
            *o++ = static_cast<char>(byte & 0xFF);
            i += 2;
        } else {
            *o++ = c;
            ++i;
        }
    }
    out.resize(static_cast<std::size_t>(o - out.data()));
    return out;
}

std::string JisHexToText(std::string_view text) {
    // The text never grows, so it is rewritten in place in the buffer of the bytes.
    std::string bytes = HexToBytes(text);
    const std::string_view in(bytes);
    char* o = bytes.data();
    for (std::size_t pos = 0; pos < in.size();) {
        if (pos + 1 < in.size()) {
            const unsigned jis = static_cast<unsigned char>(in[pos]) * 256u +
                                 static_cast<unsigned char>(in[pos + 1]);
            if (const unsigned sjis = JisToSjisCode(jis); sjis != 0) {
                *o++ = static_cast<char>(sjis >> 8);
                *o++ = static_cast<char>(sjis & 0xFF);
                pos += 2;
                continue;
            }
        }
        const std::size_t length = CharLength(in, pos);
        for (std::size_t k = 0; k < length; ++k)
            *o++ = in[pos + k];
        pos += length;
    }
    bytes.resize(static_cast<std::size_t>(o - bytes.data()));
    return bytes;
}

}  // namespace qb
