// Reading a UTF-16 file (--from utf16) into the document's Shift-JIS lines. The text-mode reader
// cannot: every other byte of UTF-16 text is a zero, and an LF or Ctrl-Z byte may be half of a
// character.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/line.h"
#include "core/text_file.h"

namespace qb {

struct Utf16Text {
    LineList lines;  // Shift-JIS; a line ends at LF, and a CR right before the LF goes with it
    bool bigEndian = false;
    bool byteOrderMark = false;
    TextLineReader::LineEnd firstLineEnd = TextLineReader::LineEnd::None;
    bool endedWithLineEnd = true;
    // A text without LF holding CR: its lines end in CR alone, read as the text-mode reader
    // reads them (one line, its last CR gone; see core/text_file.h).
    bool crInside = false;

    // A character Shift-JIS lacks (it became '?'), or a byte that is no character.
    struct Loss {
        long line = 0;           // from 1
        std::size_t column = 0;  // in characters, from 1
        std::string what;        // UTF-8
    };
    std::vector<Loss> losses;
};

// Decodes the bytes of a UTF-16 file: big-endian after FE FF, little-endian after FF FE or
// without a byte-order mark (as Windows writes it). Never fails.
[[nodiscard]] Utf16Text DecodeUtf16Text(std::string_view bytes);

}  // namespace qb
