// Base64 as mail bodies and MIME encoded words carry it: the alphabet A-Z a-z 0-9 + / (values
// 0-63) and the padding character '='. No line breaks are written or expected: one line of text
// is one Base64 string, whatever its length.
//
// The decoders take any bytes (they are safe on untrusted input). They read the text in groups
// of four characters and never skip a character: '=' and any character outside the alphabet
// stand for the value 0 in their place. A group with '=' as its third character gives one byte,
// with '=' as its fourth two bytes, and either ends the decoding (what follows is not read); any
// other group gives three bytes. A last group of three or two characters gives two or one byte,
// a single last character gives nothing (six bits cannot make a byte).
#pragma once

#include <string>
#include <string_view>

namespace qb {

// The Base64 text of exactly these bytes, padded with '=' to a multiple of four characters.
[[nodiscard]] std::string Base64EncodeBytes(std::string_view bytes);
// The Base64 text of the bytes before the first zero byte (all of them when there is none).
[[nodiscard]] std::string Base64EncodeString(std::string_view text);

// Every decoded byte, zero bytes included (for writing binary data to a file).
[[nodiscard]] std::string Base64DecodeBytes(std::string_view text);
// The decoded bytes up to, not including, the first decoded zero byte (for text lines).
[[nodiscard]] std::string Base64DecodeString(std::string_view text);

}  // namespace qb
