// Percent encoding of URLs and form data, and the '=' escapes of quoted-printable text.
//
// The decoders take any bytes. An escape is the escape character followed by two characters,
// the first of which is not one that has a meaning of its own ('%', '&', '+' for URLs; '=' for
// the '=' form); the two give the byte HexDigitValue(first) * 16 + HexDigitValue(second), kept
// to eight bits. Characters that are not hexadecimal digits are not rejected: they give what
// that rule yields. An escape character that does not begin an escape (at the end of the text,
// one character before it, or followed by a character with a meaning of its own) is written
// as itself, so nothing is dropped.
#pragma once

#include <string>
#include <string_view>

namespace qb {

// The value of a hexadecimal digit: (c & 0x0F) + 9 for c >= 0x40 ('A'-'F' and 'a'-'f' give
// 10-15), else c & 0x0F. Defined for every byte; other characters give what this yields.
constexpr unsigned HexDigitValue(unsigned char c) {
    return c >= 0x40 ? (c & 0x0Fu) + 9 : c & 0x0Fu;
}

// Percent decoding: "%XX" escapes give their byte, '+' gives a space and '&' gives CR LF, so
// that a query string becomes one line per parameter once the line is cut at CR LF.
[[nodiscard]] std::string UrlDecode(std::string_view text);
// Percent encoding: A-Z a-z 0-9 and ! ' ( ) * - . _ ~ stay; every other byte, a space and both
// bytes of a double-byte character included, becomes '%' and two upper-case hexadecimal digits.
[[nodiscard]] std::string UrlEncode(std::string_view text);
// "=XX" escapes give their byte; everything else is copied. Soft line breaks (a '=' at the end
// of a line) are the caller's to join before decoding.
[[nodiscard]] std::string EqualsDecode(std::string_view text);

}  // namespace qb
